#include "jobset/jobset.h"

#include <optional>
#include <string>
#include <string_view>

#include "common/dialogue.h"
#include "common/files.h"
#include "common/records.h"
#include "jobset/project_definition.h"
#include "jobset/settings_menu.h"

namespace vorn::jobset {

namespace {

const RecordFormat kJobNameRecord("(20A1)");
const RecordFormat kJobNameQuestion("(' INPUT PROJECT (JOB) NAME (SUCH AS SURVEY)',/,' LIMIT TO EIGHT CHARACTERS')");
const RecordFormat kChangeQuestion("(' DO YOU WANT TO CHANGE THE PROJECT (JOB) - Y/N ? <N>')");
const RecordFormat kDxfCopy("('COPY TEMP.DXF ',30A1)");
const RecordFormat kDxfErase("('ERASE TEMP.DXF')");
const RecordFormat kFlowSpacing("(/,/,/,/,/,/,/)");
const RecordFormat kFlowJobset("(' PROGRAM FLOW ',/,' - JOBSET - SET UP PROJECT .DEF FILES')");
const RecordFormat kFlowFieldin("(' - FIELDIN - DATA ENTRY AND PRE ANALYSIS COORDINATE/CLOSURE GENERATION')");
const RecordFormat kFlowSigmas("(' - SIGMAS - CREATE .SD FILE (ERROR ESTIMATE FILE) [OPTIONAL]')");
const RecordFormat kFlowNetadj("(' - NETADJ - LEAST SQUARES ANALYSIS')");
const RecordFormat kFlowClosrpt("(' - CLOSRPT - POST ANALYSIS TRAVERSE CLOSURES')");
const RecordFormat kFlowPlotgen("(' - PLOTGEN - CREATION OF .DXF FILE')");

constexpr std::size_t kJobSetNameLength = 20;
// JOBSET's scratch file; the conversions are made in memory, the file is
// only kept in the folder as the package expects.
constexpr const char* kScratchFile = "TEMP.FIL";
constexpr const char* kBatchFile = "DXF.BAT";

// Creates the file empty when it does not exist; an existing one is kept.
void createIfMissing(const std::string& path) {
  if (!fileExists(path)) OutputFile::create(path).close();
}

// The job name of TEMP.JOB: the first 20 characters of its first line;
// nothing when the file holds no line or a blank one.
std::optional<std::string> readJobName() {
  std::optional<InputFile> file = InputFile::openExisting(kJobFile);
  if (!file) return std::nullopt;
  std::string name(kJobSetNameLength, ' ');
  if (file->read(kJobNameRecord, {name}) != ReadOutcome::Done || isBlank(name)) return std::nullopt;
  return name;
}

// Asks for the job name until a non-blank one is typed, and makes it the
// current job in TEMP.JOB (without its trailing blanks).
std::string askJobName(Console& console) {
  std::string name;
  do {
    name = askText(console, kJobNameQuestion, {}, kJobSetNameLength);
  } while (isBlank(name));
  ReplacementFile jobFile(kJobFile);
  jobFile.write(kJobNameRecord, {Value::characters(trimRight(name))});
  jobFile.commit();
  return name;
}

// The name of a job file as it is opened: the 20-character field without
// its trailing blanks (leading blanks of the job name stay).
std::string jobFilePath(std::string_view jobName, std::string_view extension) {
  return std::string(trimRight(jobFileName(jobName, extension)));
}

void writeDefinitionFile(const std::string& path, ProjectDefinition& definition) {
  ReplacementFile file(path);
  writeProjectDefinition(file, definition);
  file.commit();
}

void writeDxfBatch(std::string_view jobName) {
  ReplacementFile file(kBatchFile);
  const std::string drawing = std::string(trimRight(jobName)) + ".DXF";
  file.write(kDxfCopy, {Value::characters(drawing)});
  file.write(kDxfErase);
  file.commit();
}

// Opens the job's definition file (created empty when missing), reads it,
// runs the menu, then writes the file and DXF.BAT.
void editProject(Console& console, std::string_view jobName, OpenProject& project, bool projectChanged) {
  const std::string definitionPath = jobFilePath(jobName, ".DEF");
  createIfMissing(definitionPath);
  bool complete = false;
  {
    std::optional<InputFile> file = InputFile::openExisting(definitionPath);
    if (!file) throwIoFailure("open", definitionPath, "the file disappeared");
    complete = readProjectDefinition(*file, project.definition, projectChanged);
  }
  if (complete) {
    project.unitLabel = unitLabel(project.definition);
  } else if (!projectChanged) {
    project.unitLabel = std::string(kUnitLabelLength, ' ');
  }
  runSettingsMenu(console, project, jobName);
  writeDefinitionFile(definitionPath, project.definition);
  writeDxfBatch(jobName);
}

void showProgramFlow(Console& console) {
  for (const RecordFormat* format :
       {&kFlowSpacing, &kFlowJobset, &kFlowFieldin, &kFlowSigmas, &kFlowNetadj, &kFlowClosrpt, &kFlowPlotgen})
    console.write(*format);
}

}  // namespace

void run(Console& console) {
  createIfMissing(kJobFile);
  createIfMissing(kScratchFile);
  std::optional<std::string> knownJob = readJobName();
  std::string jobName = knownJob ? *knownJob : askJobName(console);
  OpenProject project;
  bool projectChanged = false;
  for (;;) {
    editProject(console, jobName, project, projectChanged);
    if (askYesNo(console, kChangeQuestion, 'N') == 'N') break;
    projectChanged = true;
    jobName = askJobName(console);
  }
  showProgramFlow(console);
}

}  // namespace vorn::jobset

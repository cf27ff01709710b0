// JOBSET opens a job whose .DEF file is fuzzed, with the zone lists the
// suite ships, and runs one of a few fixed menu sessions (the first byte
// picks), then leaves. Besides surviving any file: a run that ends on its
// own writes a .DEF file that reads back completely, and DXF.BAT for the
// job; a failure may only be the designed one of a zone number that
// ZONE.DAT does not reach.
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "common/files.h"
#include "jobset/jobset.h"
#include "jobset/project_definition.h"
#include "program_run.h"

#ifndef VORN_DATA_DIR
#error "VORN_DATA_DIR must name the folder of TABLE.DAT and ZONE.DAT"
#endif

namespace {

using vorn::fuzz::check;

std::string dataFile(const char* name) {
  std::ifstream in(std::string(VORN_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  check(!s.str().empty());
  return s.str();
}

// Menu sessions, each ending with Enter to leave the menu and N to the
// change question.
const char* const kSessions[] = {
    "\nN\n",                                  // look and leave
    "1\nN\n\n20\n\n\nN\n",                    // choose zone 20, NAD 1927, leave
    "1\nN\n\n\n125\n2\n1\n4\n-300\n\nN\n",    // a Lambert zone on page 3, NAD 1983 meters, elevation
    "7\n0\n.5\n5\n8\n2\n-1\n13\n2.5\n\nN\n",  // error estimates and residual limit
    "2\n3\n5\n6\n12\n14\n15\n16\n17\n\nN\n",  // items without a zone, flags
    "1\nY\n\nY\nOTHER\n\nN\n",                // assumed system, then a change of project
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string table = dataFile("TABLE.DAT");
  static const std::string zones = dataFile("ZONE.DAT");
  vorn::fuzz::FuzzInput input(data, size);
  const char* session = kSessions[input.byte() % std::size(kSessions)];
  vorn::fuzz::InJobFolder folder;
  vorn::fuzz::writeFile("TEMP.JOB", "SURVEY\r\n");
  vorn::fuzz::writeFile("TABLE.DAT", table);
  vorn::fuzz::writeFile("ZONE.DAT", zones);
  vorn::fuzz::writeFile("SURVEY.DEF", input.rest());

  std::string console;
  bool ended = vorn::fuzz::runFlow(vorn::jobset::run, session, console, "ZONE.DAT");
  if (!ended) return 0;
  std::optional<vorn::InputFile> written = vorn::InputFile::openExisting("SURVEY.DEF");
  check(written.has_value());
  vorn::jobset::ProjectDefinition definition;
  check(vorn::jobset::readProjectDefinition(*written, definition, false));
  std::string batch = vorn::fuzz::readFile("DXF.BAT");
  check(batch == "COPY TEMP.DXF SURVEY.DXF\r\nERASE TEMP.DXF\r\n" || batch == "COPY TEMP.DXF OTHER.DXF\r\nERASE TEMP.DXF\r\n");
  return 0;
}

// JOBSET's run from the job name to the program-flow help: TEMP.JOB,
// TEMP.FIL, the job's file names, DXF.BAT, the change of project and the
// end of the console's input.
#include <gtest/gtest.h>

#include <string>

#include "jobset_fixture.h"

namespace vorn::testing {
namespace {

const std::string kNameQuestion = lf({"INPUT PROJECT (JOB) NAME (SUCH AS SURVEY)", "LIMIT TO EIGHT CHARACTERS"});
const std::string kChangeQuestion = lf({"DO YOU WANT TO CHANGE THE PROJECT (JOB) - Y/N ? <N>"});

TEST(JobsetFlow, FirstRunInAnEmptyFolder) {
  JobFolder folder;
  RunResult r = folder.run("jobset", "SURVEY\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.console, kNameQuestion + newProjectScreen() + kChangeQuestion + programFlowEnd());
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"DXF.BAT", "SURVEY.DEF", "TEMP.FIL", "TEMP.JOB"}));
  EXPECT_EQ(folder.read("TEMP.JOB"), "SURVEY\r\n");
  EXPECT_EQ(folder.read("TEMP.FIL"), "");
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(defaultDefinitionLines()));
  EXPECT_EQ(folder.read("DXF.BAT"), crlf({"COPY TEMP.DXF SURVEY.DXF", "ERASE TEMP.DXF"}));
}

TEST(JobsetFlow, KnownJobIsNeitherAskedNorRewritten) {
  JobFolder folder;
  folder.write("TEMP.JOB", "SURVEY    \r\nOTHER\r\n");
  folder.write("TEMP.FIL", "left by an earlier run\r\n");
  RunResult r = folder.run("jobset", "\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.console, newProjectScreen() + kChangeQuestion + programFlowEnd());
  EXPECT_EQ(folder.read("TEMP.JOB"), "SURVEY    \r\nOTHER\r\n");
  EXPECT_EQ(folder.read("TEMP.FIL"), "left by an earlier run\r\n");
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(defaultDefinitionLines()));
}

TEST(JobsetFlow, NoUsableTempJobAsksForTheName) {
  for (const char* content : {"", "\r\n", "                    X\r\n"}) {
    JobFolder folder;
    folder.write("TEMP.JOB", content);
    // A blank answer asks again.
    RunResult r = folder.run("jobset", "   \nJOB1\n\nN\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.console, kNameQuestion + kNameQuestion + newProjectScreen("JOB1") + kChangeQuestion + programFlowEnd())
        << content;
    EXPECT_EQ(folder.read("TEMP.JOB"), "JOB1\r\n");
    EXPECT_TRUE(folder.exists("JOB1.DEF"));
  }
}

TEST(JobsetFlow, JobNamesAndTheFileNamesMadeFromThem) {
  struct Case {
    const char* typed;
    const char* jobLine;     // TEMP.JOB's line
    const char* shownName;   // as the menu heading shows it (20 characters)
    const char* definition;  // the .DEF file's name
    const char* dxfLine;
  } cases[] = {
      {"  AB  ", "  AB", "  AB                ", "  AB.DEF", "COPY TEMP.DXF   AB.DXF"},
      {"survey9", "survey9", "survey9             ", "survey9.DEF", "COPY TEMP.DXF survey9.DXF"},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP    ", "ABCDEFGHIJKLMNOP.DEF",
       "COPY TEMP.DXF ABCDEFGHIJKLMNOP.DXF"},
      {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOPQ   ", "ABCDEFGHIJKLMNOPQ.DE",
       "COPY TEMP.DXF ABCDEFGHIJKLMNOPQ.DXF"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST",
       "COPY TEMP.DXF ABCDEFGHIJKLMNOPQRST.DXF"},
      {"ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST",
       "COPY TEMP.DXF ABCDEFGHIJKLMNOPQRST.DXF"},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    RunResult r = folder.run("jobset", std::string(c.typed) + "\n\nN\n");
    ASSERT_EQ(r.status, 0) << c.typed << r.errors;
    EXPECT_EQ(countOf(r.console, std::string("PROJECT IS           ") + c.shownName + "\n"), 1) << c.typed;
    EXPECT_EQ(folder.read("TEMP.JOB"), std::string(c.jobLine) + "\r\n") << c.typed;
    EXPECT_EQ(folder.read(c.definition), joinCrlf(defaultDefinitionLines())) << c.typed;
    EXPECT_EQ(folder.read("DXF.BAT"), crlf({c.dxfLine, "ERASE TEMP.DXF"})) << c.typed;
    EXPECT_EQ(folder.files().size(), 4u) << c.typed;
  }
}

TEST(JobsetFlow, ChangeOfProjectStartsTheNewOneAsACopy) {
  JobFolder folder;
  prepareJob(folder, "A");
  // Project A: error ellipses on; then an unusable answer to the change
  // question, yes, and the new project B, left unchanged.
  RunResult r = folder.run("jobset", "14\n\nX\ny\nB\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, kChangeQuestion), 3);
  EXPECT_EQ(countOf(r.console, kNameQuestion), 1);
  EXPECT_EQ(countOf(r.console, "PROJECT IS           B                   \n"), 1);
  const std::vector<std::string> edited = changed(defaultDefinitionLines(), {{17, "Y"}});
  EXPECT_EQ(folder.read("A.DEF"), joinCrlf(edited));
  EXPECT_EQ(folder.read("B.DEF"), joinCrlf(edited));
  EXPECT_EQ(folder.read("TEMP.JOB"), "B\r\n");
  EXPECT_EQ(folder.read("DXF.BAT"), crlf({"COPY TEMP.DXF B.DXF", "ERASE TEMP.DXF"}));
  EXPECT_EQ(r.console.substr(r.console.size() - programFlowEnd().size()), programFlowEnd());
}

TEST(JobsetFlow, InputEndingAtAQuestionLeavesTheFileAsItWas) {
  const std::string earlierFile = joinCrlf(changed(defaultDefinitionLines(), {{5, "    12.000"}, {17, "Y"}}));
  struct Case {
    const char* id;
    const char* input;
  } cases[] = {
      {"item question", ""},
      {"value step", "7\n"},
      {"second value step", "7\n\n"},
      {"assumed-system question", "1\n"},
      {"zone page", "1\nN\n"},
      {"datum question", "1\nN\n3\n"},
      {"units question", "1\nN\n3\n2\n"},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    prepareJob(folder);
    folder.write("SURVEY.DEF", earlierFile);
    RunResult r = folder.run("jobset", c.input);
    EXPECT_EQ(r.status, 2) << c.id;
    EXPECT_EQ(countOf(r.errors, "\n"), 1) << c.id << r.errors;
    EXPECT_EQ(countOf(r.console, "Stop - Program terminated."), 0) << c.id;
    EXPECT_EQ(folder.read("SURVEY.DEF"), earlierFile) << c.id;
    EXPECT_FALSE(folder.exists("DXF.BAT")) << c.id;
  }
}

TEST(JobsetFlow, InputEndingAtTheNameOrChangeQuestion) {
  JobFolder first;
  RunResult r = first.run("jobset", "");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.console, kNameQuestion);
  EXPECT_EQ(first.read("TEMP.JOB"), "");
  EXPECT_EQ(first.files(), (std::vector<std::string>{"TEMP.FIL", "TEMP.JOB"}));

  // At the change question the project is already written.
  JobFolder second;
  prepareJob(second);
  r = second.run("jobset", "6\n\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(second.read("SURVEY.DEF"), joinCrlf(changed(defaultDefinitionLines(), {{7, "Y"}})));
  EXPECT_TRUE(second.exists("DXF.BAT"));
}

}  // namespace
}  // namespace vorn::testing

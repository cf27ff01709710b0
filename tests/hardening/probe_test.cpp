// The common library's console and file handling in a real process: a
// terminal driven key by key, a console that ends, a file-size limit and a
// folder the program may not write.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "support/child_process.h"
#include "support/job_folder.h"
#include "support/pty_session.h"

namespace vorn::testing {
namespace {

const std::string kProbe = VORN_PROBE;
const char* const kOldContent = "OLD CONTENT\r\n";

TEST(ProbeInTerminal, EveryPromptShownBeforeItsAnswerAndSameAsPiped) {
  JobFolder typed, piped;
  PtySession session(kProbe, typed.path());
  ASSERT_TRUE(session.waitFor("INPUT NAME FOR THE PROBE FILE\r\n")) << session.screen();
  session.typeLine("SITE A");
  ASSERT_TRUE(session.waitFor("HOW MANY RECORDS ?\r\n")) << session.screen();
  session.typeLine("");  // a line without a value is not an answer
  session.typeLine("3");
  ASSERT_TRUE(session.waitFor("WRITE THEM (Y/N)? <Y>\r\n")) << session.screen();
  session.typeLine("y");
  ASSERT_TRUE(session.waitFor("Stop - Program terminated.\r\n")) << session.screen();
  EXPECT_EQ(session.waitForExit(), 0);

  RunResult reference = runChild(kProbe, ChildOptions{piped.path(), "SITE A\n\n3\ny\n"});
  ASSERT_EQ(reference.status, 0) << reference.errors;
  std::string error;
  EXPECT_EQ(session.programOutput(&error), reference.console) << error;
  EXPECT_EQ(typed.read("PROBE.OUT"), piped.read("PROBE.OUT"));
  EXPECT_EQ(typed.read("PROBE.OUT"), crlf({" SITE A             1       .2500", " SITE A             2       .5000",
                                           " SITE A             3       .7500"}));
}

TEST(ProbeInTerminal, EndOfInputAtAQuestionReportsAndLeavesTheFile) {
  const char* prompts[] = {"INPUT NAME FOR THE PROBE FILE\r\n", "HOW MANY RECORDS ?\r\n", "WRITE THEM (Y/N)? <Y>\r\n"};
  const char* answers[] = {"SITE A", "3", "Y"};
  for (int cut = 0; cut < 3; ++cut) {
    JobFolder folder;
    folder.write("PROBE.OUT", kOldContent);
    PtySession session(kProbe, folder.path());
    for (int q = 0; q < cut; ++q) {
      ASSERT_TRUE(session.waitFor(prompts[q])) << session.screen();
      session.typeLine(answers[q]);
    }
    ASSERT_TRUE(session.waitFor(prompts[cut])) << session.screen();
    session.typeEndOfInput();
    EXPECT_EQ(session.waitForExit(), 2) << "cut at question " << cut;
    EXPECT_NE(session.screen().find("probe: read failed on standard input"), std::string::npos) << session.screen();
    EXPECT_EQ(session.screen().find("Stop - Program terminated."), std::string::npos);
    EXPECT_EQ(folder.read("PROBE.OUT"), kOldContent);
    EXPECT_EQ(folder.files(), std::vector<std::string>{"PROBE.OUT"});
  }
}

// A file-size limit stands for a full disk: the write fails, the program
// reports it in one line with status 2 instead of being killed by the
// limit's signal, and the old file stays whole.
TEST(ProbeFailingWrites, FileSizeLimitIsAnInputOutputFailure) {
  JobFolder folder;
  folder.write("PROBE.OUT", kOldContent);
  ChildOptions options{folder.path(), "SITE A\n200000\nY\n"};
  options.fileSizeLimit = 64 * 1024;
  RunResult result = runChild(kProbe, options);
  EXPECT_EQ(result.status, 2) << "killed by the file-size signal?";
  EXPECT_EQ(result.errors, "probe: write failed on PROBE.OUT: File too large\n");
  EXPECT_EQ(folder.read("PROBE.OUT"), kOldContent);
  EXPECT_EQ(folder.files(), std::vector<std::string>{"PROBE.OUT"});
}

TEST(ProbeFailingWrites, ReadOnlyFolder) {
  if (!canSwitchUser()) GTEST_SKIP() << "needs root to run the probe as another user";
  JobFolder folder;
  folder.write("PROBE.OUT", kOldContent);
  ::chmod(folder.path().c_str(), 0555);
  ChildOptions options{folder.path(), "SITE A\n3\nY\n"};
  options.user = 65534;
  RunResult result = runChild(kProbe, options);
  ::chmod(folder.path().c_str(), 0700);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.errors, "probe: create failed on PROBE.OUT: Permission denied\n");
  EXPECT_EQ(folder.read("PROBE.OUT"), kOldContent);
  EXPECT_EQ(folder.files(), std::vector<std::string>{"PROBE.OUT"});
}

}  // namespace
}  // namespace vorn::testing

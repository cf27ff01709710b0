#include "common/files.h"

#include <gtest/gtest.h>

#include <string>

#include "support/job_folder.h"

namespace vorn {
namespace {

using testing::JobFolder;

TEST(ReplacementFile, TryCreateRefusesWhatCannotBeReplaced) {
  JobFolder folder;
  EXPECT_FALSE(ReplacementFile::tryCreate(folder.path()).has_value());               // a folder
  EXPECT_FALSE(ReplacementFile::tryCreate(folder.path() + "/NO/X.CTL").has_value());  // no such folder
  EXPECT_EQ(folder.files(), std::vector<std::string>{});
}

TEST(ReplacementFile, PreparedFilesReplaceOnlyWhenCommitted) {
  JobFolder folder;
  folder.write("A.OBS", "old a\r\n");
  folder.write("B.CTL", "old b\r\n");
  {
    std::optional<ReplacementFile> a = ReplacementFile::tryCreate(folder.path() + "/A.OBS");
    std::optional<ReplacementFile> b = ReplacementFile::tryCreate(folder.path() + "/B.CTL");
    ASSERT_TRUE(a && b);
    a->writeRaw("new a");
    b->writeRaw("new b");
    a->prepare();
    b->prepare();
    EXPECT_EQ(folder.read("A.OBS"), "old a\r\n");
    EXPECT_THROW(a->writeRaw("late"), IoFailure);
    a->commit();
    EXPECT_EQ(folder.read("A.OBS"), "new a\r\n");
    // b is destroyed prepared but not committed.
  }
  EXPECT_EQ(folder.read("B.CTL"), "old b\r\n");
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"A.OBS", "B.CTL"}));
}

}  // namespace
}  // namespace vorn

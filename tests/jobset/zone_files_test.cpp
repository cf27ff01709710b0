// The zone lists shipped in data/: what JOBSET requires of them, that the
// generator still makes them, and a zone chosen from them read back from
// the project's file.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "jobset_fixture.h"

namespace vorn::testing {
namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The lines of a file whose every line ends in CRLF.
std::vector<std::string> crlfLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < content.size()) {
    std::size_t end = content.find("\r\n", begin);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CRLF";
      break;
    }
    lines.push_back(content.substr(begin, end - begin));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "line " << lines.size();
    begin = end + 2;
  }
  return lines;
}

// The zone numbers a list line shows: numbers followed by a state's
// two-letter code.
std::vector<int> listedZones(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> items;
  for (std::string item; in >> item;) items.push_back(item);
  auto isNumber = [](const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; };
  auto isLetter = [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; };
  auto isStateCode = [&](const std::string& s) { return s.size() == 2 && isLetter(s[0]) && isLetter(s[1]); };
  std::vector<int> zones;
  for (std::size_t k = 0; k + 1 < items.size(); ++k)
    if (isNumber(items[k]) && isStateCode(items[k + 1])) zones.push_back(std::stoi(items[k]));
  return zones;
}

TEST(ShippedZoneLists, ZoneDatHasOneLinePerZoneBeginningWithItsNumber) {
  const std::vector<std::string> lines = crlfLines(slurp(sourcePath("data/ZONE.DAT")));
  ASSERT_EQ(lines.size(), 130u);
  for (std::size_t k = 1; k <= lines.size(); ++k) {
    const std::string& line = lines[k - 1];
    EXPECT_LE(line.size(), 72u) << line;
    std::istringstream items(line.substr(0, 40));
    std::string first;
    items >> first;
    EXPECT_EQ(first, std::to_string(k)) << line;
  }
}

TEST(ShippedZoneLists, TableDatListsEachPagesZones) {
  const std::vector<std::string> lines = crlfLines(slurp(sourcePath("data/TABLE.DAT")));
  ASSERT_GE(lines.size(), 60u);
  for (const std::string& line : lines) {
    EXPECT_FALSE(line.empty());
    EXPECT_EQ(line.substr(0, 1), " ") << line;
    EXPECT_LE(line.size(), 72u) << line;
  }
  struct Page {
    std::size_t first, last;  // lines, from 1
    int lowest, highest;      // zones
  } pages[] = {{1, 20, 1, 49}, {21, 47, 50, 121}, {48, 60, 122, 130}};
  for (const Page& page : pages) {
    std::multiset<int> listed;
    for (std::size_t k = page.first; k <= page.last; ++k)
      for (int zone : listedZones(lines[k - 1])) listed.insert(zone);
    std::multiset<int> expected;
    for (int zone = page.lowest; zone <= page.highest; ++zone) expected.insert(zone);
    EXPECT_EQ(listed, expected) << "page of lines " << page.first << "-" << page.last;
  }
}

TEST(ShippedZoneLists, GeneratorMakesTheShippedFiles) {
  JobFolder out;
  const std::string command = "bash '" + sourcePath("data/make_zone_files.sh") + "' '" +
                              sourcePath("data/spcs-zones.tsv") + "' '" + out.path() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(out.read("ZONE.DAT"), slurp(sourcePath("data/ZONE.DAT")));
  EXPECT_EQ(out.read("TABLE.DAT"), slurp(sourcePath("data/TABLE.DAT")));
}

TEST(ShippedZoneLists, ZoneChosenFromThemIsReadBackByTheNextRun) {
  JobFolder folder;
  folder.write("TABLE.DAT", slurp(sourcePath("data/TABLE.DAT")));
  const std::string zoneDat = slurp(sourcePath("data/ZONE.DAT"));
  folder.write("ZONE.DAT", zoneDat);
  const std::string line130 = crlfLines(zoneDat)[129];
  // Zone 130 from the third page, NAD 1983 in meters.
  RunResult first = folder.run("jobset", "SURVEY\n1\n\n\n\n130\n2\n1\n\nN\n");
  ASSERT_EQ(first.status, 0) << first.errors;
  const std::string written = folder.read("SURVEY.DEF");
  EXPECT_EQ(written.substr(0, 3 + 1 + 40 + 2), "Y\r\n " + (line130 + std::string(40, ' ')).substr(0, 40) + "\r\n");

  RunResult second = folder.run("jobset", "\nN\n");
  ASSERT_EQ(second.status, 0) << second.errors;
  EXPECT_EQ(countOf(second.console, "(1) " + (line130 + std::string(72, ' ')).substr(0, 72) +
                                        "\n(2) NAD 1983\n(3) METRIC\n"),
            1);
  EXPECT_EQ(folder.read("SURVEY.DEF"), written);
}

}  // namespace
}  // namespace vorn::testing

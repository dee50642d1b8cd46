#include "files/directory_of.h"

#include <gtest/gtest.h>

namespace ordalis {
namespace {

#if !defined(_WIN32)
TEST(DirectoryOfTest, KeepsEverythingBeforeTheLastSeparator) {
  struct Case {
    const char* full_name;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"/data/calls.dat", "/data"},
      {"/data/logs/calls.dat", "/data/logs"},
      {"/data/", "/data"},
      // The root itself is never examined, so a file directly in it has no directory.
      {"/calls.dat", std::nullopt},
      {"/", std::nullopt},
      {"calls.dat", std::nullopt},
      {"", std::nullopt},
      {"a/b", "a"},
      // A backslash is an ordinary character here.
      {"/x\\y\\z", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectoryOf(c.full_name), c.expected) << c.full_name;
  }
}
#else
TEST(DirectoryOfTest, KeepsEverythingBeforeTheLastBackslash) {
  EXPECT_EQ(DirectoryOf("D:\\logs\\calls.dat"), std::optional<std::string>("D:\\logs"));
  EXPECT_EQ(DirectoryOf("D:\\calls.dat"), std::nullopt);
  EXPECT_EQ(DirectoryOf("D:\\a\\"), std::optional<std::string>("D:\\a"));
}
#endif

TEST(DirectoryOfTest, AppPathKeepsTheBackslashOfADriveRoot) {
  EXPECT_EQ(AppPathOf("C:"), "C:\\");
  EXPECT_EQ(AppPathOf("C:\\Tools"), "C:\\Tools");
  EXPECT_EQ(AppPathOf("/usr/local/bin"), "/usr/local/bin");
}

TEST(DirectoryOfTest, JoinPathAddsOneSeparator) {
  EXPECT_EQ(JoinPath("dir", "Ordalis.ini"), std::string("dir") + kPathSeparator + "Ordalis.ini");
}

}  // namespace
}  // namespace ordalis

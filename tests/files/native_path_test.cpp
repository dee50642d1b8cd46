#include "files/native_path.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>

#include <string>

#include "files/durable_replace.h"
#include "files/file_reading.h"
#include "support/temp_dir.h"
#endif

namespace ordalis {
namespace {

TEST(NativePathTest, Utf8AndUtf16RoundTrip) {
  const std::u16string cases[] = {
      u"",
      u"plain.dat",
      u"Donn\u00e9es \u00e9t\u00e9",
      u"\u65e5\u672c\u8a9e.dat",
      u"\U0001F600 face",
      std::u16string(1, char16_t{0xD800}) + u"lone high",
      u"lone low" + std::u16string(1, char16_t{0xDC00}),
  };
  for (const std::u16string& text : cases) {
    EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(text)), text) << Utf8FromUtf16(text);
  }
  EXPECT_EQ(Utf8FromUtf16(u"\u00e9"), "\xC3\xA9");
  EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(NativePathTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"a\xE9z", u"a\uFFFDz"},                            // A Windows-1252 byte alone.
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // An overlong "/".
      {"\xE2\x82", u"\uFFFD\uFFFD"},                      // Cut short.
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // Beyond U+10FFFF.
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16FromUtf8(c.bytes), c.text) << c.bytes;
}

TEST(NativePathTest, KnowsTheNamesWindowsKeepsForDevices) {
  for (const char* name : {"CON", "con", "aux.dat", "NUL.txt.bak", "Com1", "lpt9.log", "PRN "}) {
    EXPECT_TRUE(IsWindowsDeviceName(name)) << name;
  }
  for (const char* name :
       {"console", "auxiliary.dat", "COM0", "COM10", "LPT", "xNUL", ".nul", ""}) {
    EXPECT_FALSE(IsWindowsDeviceName(name)) << name;
  }
}

#if defined(_WIN32)
TEST(NativePathTest, GivesWindowsTheLongFormOfTheFullPath) {
  std::wstring here(MAX_PATH, L'\0');
  here.resize(GetCurrentDirectoryW(MAX_PATH, here.data()));
  const std::wstring deep = L"C:\\" + std::wstring(300, L'x') + L"\\in.dat";
  const struct {
    const wchar_t* what;
    std::wstring name;
    std::wstring windows_name;
  } cases[] = {
      {L"a drive path", L"C:\\data\\in.dat", L"\\\\?\\C:\\data\\in.dat"},
      {L"a share", L"\\\\server\\share\\in.dat", L"\\\\?\\UNC\\server\\share\\in.dat"},
      {L"a relative name", L"in.dat", L"\\\\?\\" + here + L"\\in.dat"},
      {L"..", L"C:\\data\\sub\\..\\in.dat", L"\\\\?\\C:\\data\\in.dat"},
      {L"forward slashes", L"C:/data/./in.dat", L"\\\\?\\C:\\data\\in.dat"},
      {L"past 260 characters", deep, L"\\\\?\\" + deep},
      {L"a device name stays one", L"C:\\data\\aux.dat", L"C:\\data\\aux.dat"},
      {L"already long", L"\\\\?\\C:\\data\\in.dat", L"\\\\?\\C:\\data\\in.dat"},
  };
  for (const auto& c : cases) EXPECT_EQ(LongPathOf(c.name), c.windows_name) << c.what;
}

// Past 260 characters a plain name works only where a policy allows it.
TEST(NativePathTest, WritesReadsAndComparesFilesPastTheOldPathLimit) {
  testing::TempDir dir;
  std::wstring folder = dir.path().native();
  for (int level = 0; level < 3; ++level) {
    folder += L"\\" + std::wstring(100, static_cast<wchar_t>(L'a' + level));
    ASSERT_TRUE(CreateDirectoryW(LongPathOf(folder).c_str(), nullptr)) << level;
  }
  const std::string name = NameOf(folder + L"\\sorted.dat");
  ASSERT_GT(name.size(), 300u);
  ASSERT_TRUE(WriteFileAtomically(name, "old").ok());
  ASSERT_TRUE(WriteFileAtomically(name, "new").ok());
  std::FILE* file = nullptr;
  ASSERT_TRUE(OpenForReading(name, &file).ok());
  char bytes[8] = {};
  EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 3u);
  std::fclose(file);
  EXPECT_STREQ(bytes, "new");
  EXPECT_TRUE(
      IsSameFile(name, NameOf(folder + L"\\..\\" + std::wstring(100, L'c') + L"\\sorted.dat")));
  EXPECT_TRUE(RemoveFile(PathOf(name)));
  EXPECT_EQ(StatusOf(PathOf(name)).type(), std::filesystem::file_type::not_found);
  // The C library cannot take these folders away; Windows can.
  for (int level = 0; level < 3; ++level) {
    EXPECT_TRUE(RemoveDirectoryW(LongPathOf(folder).c_str())) << level;
    folder.resize(folder.rfind(L'\\'));
  }
}
#endif

}  // namespace
}  // namespace ordalis

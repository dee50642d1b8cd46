// What Windows itself answers of names and errors, under Wine as far as
// Wine can show it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/durable_replace.h"
#include "files/file_reading.h"
#include "files/file_system.h"
#include "files/names.h"
#include "files/windows/windows_files.h"
#include "support/temp_dir.h"
#include "text/wide_text.h"

namespace ordalis {
namespace {

TEST(WindowsFilesTest, GivesWindowsTheLongFormOfTheFullPath) {
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
      {L"a device in any folder", L"C:\\data\\aux", L"\\\\.\\aux"},
      {L"already long", L"\\\\?\\C:\\data\\in.dat", L"\\\\?\\C:\\data\\in.dat"},
  };
  for (const auto& c : cases) EXPECT_EQ(LongPathOf(c.name), c.windows_name) << c.what;
}

// Past 260 characters a plain name works only where a policy allows it.
TEST(WindowsFilesTest, WritesReadsAndComparesFilesPastTheOldPathLimit) {
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
// Windows' sentence for `code` as FormatMessageW gives it, with its period
// and line end; empty where it has none.
std::wstring RawMessage(unsigned long code) {
  wchar_t text[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, 512, nullptr);
  return std::wstring(text, length);
}

// Errors that errno says exactly keep the C library's words; the rest are
// Windows' own sentence, never a stand-in such as "Invalid argument".
TEST(WindowsFilesTest, SaysWhatWindowsSaidInItsOwnWords) {
  constexpr unsigned long kCloudFileProviderNotRunning = 362;  // Newer than MinGW's headers.
  const struct {
    unsigned long code;
    int errno_value;
    bool held;
    std::string words;  // Empty: Windows' own sentence.
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, ENOENT, false, "No such file or directory"},
      {ERROR_PATH_NOT_FOUND, ENOENT, false, "No such file or directory"},
      {ERROR_ACCESS_DENIED, EACCES, false, "Permission denied"},
      {ERROR_SHARING_VIOLATION, EBUSY, true, ""},
      {ERROR_LOCK_VIOLATION, EBUSY, true, ""},
      {ERROR_DISK_FULL, ENOSPC, false, "No space left on device"},
      {ERROR_NETNAME_DELETED, EIO, false, ""},
      {ERROR_UNEXP_NET_ERR, EIO, false, ""},
      {kCloudFileProviderNotRunning, EIO, false, ""},
  };
  for (const auto& c : cases) {
    const SystemError error = SystemErrorOf(c.code);
    EXPECT_EQ(error.errno_value, c.errno_value) << c.code;
    EXPECT_EQ(error.held, c.held) << c.code;
    if (c.held) continue;  // Worded as "in use" by the caller.
    std::string expected = c.words;
    if (expected.empty()) {
      std::wstring raw = RawMessage(c.code);
      const std::size_t end = raw.find_last_not_of(L".\r\n ");
      raw.resize(end == std::wstring::npos ? 0 : end + 1);
      // Wine has no sentence for the newest codes.
      expected = raw.empty() ? "Windows error " + std::to_string(c.code) : Utf8FromWide(raw);
    }
    EXPECT_EQ(ReasonOf(error), expected) << c.code;
  }
}

// A reader that shares everything, delete too, does not stand in the way of
// replacing the file, so the check before writing must let it pass.
TEST(WindowsFilesTest, AReaderThatSharesDeleteIsNoHoldAtTheCheck) {
  testing::TempDir dir;
  const std::filesystem::path target = dir.path() / "target.dat";
  ASSERT_TRUE(WriteFileAtomically(NameOf(target), "old").ok());
  const HANDLE reader = CreateFileW(target.c_str(), GENERIC_READ | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(IsHeldByAnotherProgram(target));
  CloseHandle(reader);
}

// A device is refused and so is a stream's name, and nothing is left behind.
TEST(WindowsFilesTest, RefusesDevicesAndStreamsBeforeWritingAnything) {
  testing::TempDir dir;
  const struct {
    const char* name;
    const char* message_end;
  } cases[] = {
      {"CON", "it is a device name on Windows, not a file; choose another name"},
      {"NUL", "it is a device name on Windows, not a file; choose another name"},
      {"com1", "it is a device name on Windows, not a file; choose another name"},
      {"nul:", "it is a device name on Windows, not a file; choose another name"},
      {"a.txt:s", "names a stream of a file on Windows, not a file; choose a name without a colon"},
  };
  for (const auto& c : cases) {
    const std::string name = NameOf(dir.path() / PathOf(c.name));
    const Status status = WriteFileAtomically(name, "sorted\r\n");
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_TRUE(status.message().ends_with(c.message_end)) << status.message();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << c.name << " left something behind";
  }
}

// A symbolic link is written through to its file, as on POSIX systems, even
// when that file is not there yet.
TEST(WindowsFilesTest, WritesThroughASymbolicLink) {
  testing::TempDir dir;
  const std::filesystem::path link = dir.path() / "link.dat";
  const auto is_link = [&] {
    const DWORD attributes = GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  };
  if (!CreateSymbolicLinkW(link.c_str(), L"real.dat",
                           SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    GTEST_SKIP() << "this Windows cannot make a symbolic link here (error " << GetLastError()
                 << "): it needs developer mode or a privilege";
  }
  if (!is_link()) {
    GTEST_SKIP() << "CreateSymbolicLinkW reported success but made no link, as Wine's stub "
                    "does";
  }
  for (const char* contents : {"first", "second"}) {  // Missing, then there.
    ASSERT_TRUE(WriteFileAtomically(NameOf(link), contents).ok()) << contents;
    std::ifstream real(dir.path() / "real.dat", std::ios::binary);
    std::string read((std::istreambuf_iterator<char>(real)), std::istreambuf_iterator<char>());
    EXPECT_EQ(read, contents);
    EXPECT_TRUE(is_link()) << "the link was replaced by a file";
  }
}

}  // namespace
}  // namespace ordalis

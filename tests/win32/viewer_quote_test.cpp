// The viewer's argument goes through QuoteArgument and comes back through
// CommandLineToArgvW, the parser Windows programs use: it must come back whole.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include <gtest/gtest.h>

#include "window/logic/windows_command_line.h"

namespace {

struct Case {
  const char* why;
  std::wstring argument;
};

TEST(QuoteArgument, CommandLineToArgvWGivesBackExactlyTheArgument) {
  const Case cases[] = {
      {"plain", L"C:\\data\\out.txt"},
      {"a space would split it", L"C:\\my data\\out.txt"},
      {"a quote inside", L"C:\\a\"b.txt"},
      {"backslashes before a quote", L"C:\\a\\\\\"b"},
      {"a trailing backslash", L"C:\\my data\\"},
      {"two trailing backslashes", L"C:\\x\\\\"},
      {"shell characters", L"C:\\100% ^sure & more|less<x>.txt"},
      {"a tab", L"C:\\a\tb.txt"},
      {"letters beyond the code page", L"C:\\Donn\u00e9es \u00e9t\u00e9\\\u65e5\u672c.dat"},
      {"a network share", L"\\\\server\\share\\out.dat"},
      {"nothing at all", L""},
  };
  for (const Case& c : cases) {
    const std::wstring line =
        L"\"C:\\Program Files\\NOTEPAD.exe\" " + ordalis::QuoteArgument(c.argument);
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(arguments, nullptr) << c.why;
    EXPECT_EQ(count, 2) << c.why;
    if (count == 2) {
      EXPECT_EQ(std::wstring(arguments[0]), L"C:\\Program Files\\NOTEPAD.exe") << c.why;
      EXPECT_TRUE(std::wstring(arguments[1]) == c.argument)
          << c.why << ": the command line was " << std::string(line.begin(), line.end());
    }
    LocalFree(arguments);
  }
}

}  // namespace

// Starting a viewer that lies in a folder past the old limit of 260
// characters, which CreateProcessW refuses by that name.
#include "viewerstart.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "files/windows/windows_files.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

bool Exists(const std::wstring& name) {
  return GetFileAttributesW(LongPathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ViewerStartTest, StartsAViewerInAFolderPastTheOldPathLimit) {
  testing::TempDir dir;
  std::wstring folder = dir.path().native();
  for (wchar_t letter : {L'a', L'b', L'c'}) {
    folder += L"\\" + std::wstring(100, letter);
    ASSERT_TRUE(CreateDirectoryW(LongPathOf(folder).c_str(), nullptr));
  }
  const std::wstring viewer = folder + L"\\NOTEPAD.exe";
  ASSERT_GE(viewer.size(), static_cast<std::size_t>(MAX_PATH));
  ASSERT_TRUE(
      CopyFileW(LongPathOf(ORDALIS_VIEWER_STAND_IN).c_str(), LongPathOf(viewer).c_str(), FALSE));

  ASSERT_TRUE(StartViewer(viewer, L"Z:\\sorted.dat"));
  // The stand-in records its arguments beside itself when it has run.
  for (int waited = 0; waited < 100 && !Exists(viewer + L".args"); ++waited) Sleep(100);
  EXPECT_TRUE(Exists(viewer + L".args")) << "the viewer did not run";

  for (const std::wstring& name : {viewer + L".args", viewer})
    DeleteFileW(LongPathOf(name).c_str());
  for (int level = 0; level < 3; ++level) {
    RemoveDirectoryW(LongPathOf(folder).c_str());
    folder.resize(folder.rfind(L'\\'));
  }
}

}  // namespace
}  // namespace ordalis

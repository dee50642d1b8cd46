// What Windows reads from the built programs: the version resource File
// Properties shows, the manifest it starts them by, and the face the
// window's fonts are made from.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formfont.h"
#include "widetext.h"
#include "window/logic/form_table.h"

namespace {

// The string `name` of the version resource of `program`, or "(none)".
std::wstring VersionString(const std::wstring& program, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  if (size == 0) return L"(none)";
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(program.c_str(), 0, size, data.data())) return L"(none)";
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(data.data(), key.c_str(), &value, &length) || length == 0) return L"(none)";
  return static_cast<const wchar_t*>(value);
}

TEST(ResourcesTest, BothProgramsCarryTheProjectsVersion) {
  struct Case {
    const char* program;
    const wchar_t* description;
  };
  const Case cases[] = {
      {ORDALIS_EXE, L"Ordalis: sorts the lines of a text file by fixed columns"},
      {ORDALIS_SORT_EXE, L"Ordalis on the command line: sorts a text file by fixed columns"},
  };
  const std::wstring version = ordalis::Wide(ORDALIS_VERSION);
  for (const Case& c : cases) {
    const std::wstring program = ordalis::Wide(c.program);
    EXPECT_EQ(VersionString(program, L"ProductName"), L"Ordalis") << c.program;
    EXPECT_EQ(VersionString(program, L"FileDescription"), c.description) << c.program;
    EXPECT_EQ(VersionString(program, L"FileVersion"), version) << c.program;
    EXPECT_EQ(VersionString(program, L"ProductVersion"), version) << c.program;
  }
}

// The manifest Windows starts `program` by, or "(none)".
std::string Manifest(const std::wstring& program) {
  const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return "(none)";
  std::string manifest = "(none)";
  if (const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    if (text != nullptr) manifest.assign(text, SizeofResource(module, found));
  }
  FreeLibrary(module);
  return manifest;
}

TEST(ResourcesTest, BothManifestsRunAsInvokerOnEveryWindowsTheyName) {
  const char* const declarations[] = {
      R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
      R"(<supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>)",  // Vista
      R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)",  // 7
      R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)",  // 8
      R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)",  // 8.1
      R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)",  // 10 and 11
      R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true<)",
  };
  for (const char* program : {ORDALIS_EXE, ORDALIS_SORT_EXE}) {
    const std::string manifest = Manifest(ordalis::Wide(program));
    for (const char* declaration : declarations) {
      EXPECT_NE(manifest.find(declaration), std::string::npos)
          << program << " lacks " << declaration;
    }
  }
  EXPECT_NE(Manifest(ordalis::Wide(ORDALIS_EXE)).find("PerMonitorV2"), std::string::npos);
}

TEST(ResourcesTest, TheWindowsTypeIsATrueTypeFaceOfTheForm) {
  const HFONT font = ordalis::MakeFormFont(8.0, 144, false);
  ASSERT_NE(font, nullptr);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);

  // Windows has Microsoft Sans Serif. A system with neither preferred face
  // (Wine without its own fonts) gets the nearest TrueType face to the
  // fallback's name, whatever it is called there.
  if (ordalis::FormFontFace() != ordalis::Wide(ordalis::kFormFontFallback)) {
    EXPECT_EQ(face, ordalis::FormFontFace());
  }
  std::printf("The window's type: %s\n", ordalis::Utf8(face).c_str());
  EXPECT_NE(metrics.tmPitchAndFamily & TMPF_TRUETYPE, 0) << "a raster face does not scale";
  EXPECT_NEAR(metrics.tmHeight - metrics.tmInternalLeading, 16, 1) << "8 points at 144 DPI";
}

}  // namespace

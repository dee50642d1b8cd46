// Ordalis: sorts the lines of a fixed-column text file by a key cut from
// fixed columns and writes them to a second file.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "frmordalis.h"
#include "qtplatformservices.h"
#include "shared/text_file.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

// True when Qt can expect to find a display. Only X11 and Wayland desktops are
// told apart here; elsewhere the platform always has one.
bool DisplayAvailable(int argc, char* argv[]) {
#if defined(__unix__) && !defined(__APPLE__) && !defined(__ANDROID__)
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  }
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
#else
  (void)argc;
  (void)argv;
  return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  ordalis::IgnoreFileSizeLimitSignal();
  if (!DisplayAvailable(argc, argv)) {
    std::fprintf(stderr, "Ordalis needs a display; without one start it with: xvfb-run -a %s\n",
                 argv[0]);
    return 1;
  }
  QApplication app(argc, argv);
  // Pairs the window with the installed menu entry, ordalis.desktop, and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("ordalis"));
  ordalis::QtPlatformServices platform;
  frmOrdalis window(platform);
  window.show();
  return QApplication::exec();
}

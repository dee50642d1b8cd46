// Ordalis: sorts the lines of a fixed-column text file by a key cut from
// fixed columns and writes them to a second file.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "files/file_reading.h"
#include "frmordalis.h"
#include "qtplatformservices.h"

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

// What `Ordalis --help` prints: a desktop program answers it, as it answers
// --version, without a display and without opening a window.
constexpr char kUsage[] =
    "Usage: Ordalis [--help | --version]\n"
    "Sort the lines of a text file laid out in columns by a key cut out of fixed\n"
    "character columns, and write them to a second file, in a window.\n"
    "\n"
    "Ordalis takes no arguments: pick the source, the key and the target in its\n"
    "window. It keeps the last folders, numbers and kind of key in Ordalis.ini,\n"
    "in the folder of the Ordalis executable, and opens each sorted file in\n"
    "NOTEPAD.exe and EDITPADPro.exe from that folder.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "To sort from a script or a terminal, use ordalis-sort (see ordalis-sort --help).\n";

// Answers the first --help or --version among the arguments; any other
// argument is left to Qt or ignored.
bool AnsweredOption(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fputs("Ordalis " ORDALIS_VERSION "\n", stdout);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  ordalis::IgnoreFileSizeLimitSignal();
  if (AnsweredOption(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
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

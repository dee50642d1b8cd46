// ordalis-icon-export DIR NAME [SIZE...]: writes the program's icon as PNG
// files in the desktop's icon theme layout, DIR/hicolor/<size>x<size>/apps/
// NAME.png: for the installed program's menu entry at the theme's sizes, or
// at the SIZEs given (the Windows icon has some a theme has not).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QDir>
#include <QImage>
#include <QString>

#include "ordalisicon.h"

int main(int argc, char* argv[]) {
  std::vector<int> sizes(std::begin(ordalis::kOrdalisIconSizes),
                         std::end(ordalis::kOrdalisIconSizes));
  if (argc > 3) sizes.clear();
  for (int i = 3; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (argc < 3 || std::find(sizes.begin(), sizes.end(), 0) != sizes.end()) {
    std::fprintf(stderr, "usage: %s DIR NAME [SIZE...]\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int size : sizes) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
    if (!QDir().mkpath(folder) || !ordalis::DrawOrdalisIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
      return 1;
    }
  }
  return 0;
}

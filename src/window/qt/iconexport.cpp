// ordalis-icon-export DIR NAME: writes the program's icon as PNG files in the
// desktop's icon theme layout, DIR/hicolor/<size>x<size>/apps/NAME.png, for
// the installed program's menu entry.
#include <cstdio>

#include <QDir>
#include <QImage>
#include <QString>

#include "ordalisicon.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DIR NAME\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int size : ordalis::kOrdalisIconSizes) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
    if (!QDir().mkpath(folder) || !ordalis::DrawOrdalisIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
      return 1;
    }
  }
  return 0;
}

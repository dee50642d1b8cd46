#include "qtplatformservices.h"

#include <cstdlib>

#include <QtWidgets>

namespace ordalis {

QString QtPlatformServices::ExecutableDirectory() {
  return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

std::optional<QString> QtPlatformServices::ShowFileDialog(QFileDialog& dialog) {
  const int answer = dialog.exec();
  // The dialog's list of completions can stay open after a name typed into
  // another directory was accepted with Return; it would swallow the next click.
  for (int i = 0; i < 8 && QApplication::activePopupWidget() != nullptr; ++i) {
    QApplication::activePopupWidget()->close();
  }
  if (answer != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return QString();
  return files.first();
}

bool QtPlatformServices::StartDetached(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

void QtPlatformServices::ShowMessage(QWidget* parent, MessageKind kind, const QString& title,
                                     const QString& text) {
  const QMessageBox::Icon icon =
      kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

void QtPlatformServices::EndProgram() {
  // Immediate even inside nested event processing: no destructors, no more
  // events, no atexit handlers that could touch the settings file.
  std::_Exit(0);
}

}  // namespace ordalis

// The real PlatformServices: Qt's dialogs and processes, and an immediate exit.
#pragma once

#include "platformservices.h"

namespace ordalis {

class QtPlatformServices final : public PlatformServices {
 public:
  QString ExecutableDirectory() override;
  std::optional<QString> ShowFileDialog(QFileDialog& dialog) override;
  bool StartDetached(const QByteArray& program, const QList<QByteArray>& arguments) override;
  void ShowMessage(QWidget* parent, MessageKind kind, const QString& title,
                   const QString& text) override;
  [[noreturn]] void EndProgram() override;
};

}  // namespace ordalis

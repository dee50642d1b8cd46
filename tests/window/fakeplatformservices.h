// A stand-in for the operating system: scripted dialog answers, and records of
// the dialogs shown, the programs started, the message boxes and the end.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

#include "platformservices.h"

class FakePlatformServices : public ordalis::PlatformServices {
 public:
  struct DialogSeen {
    QString name;  // The dialog's object name: "Source" or "Target".
    QString title;
    QString directory;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode accept = QFileDialog::AcceptOpen;
    bool asks_before_overwrite = true;
    QString name_box;  // The file name the dialog opens with.
  };
  struct Start {  // Decoded from the bytes the window passed.
    QString program;
    QStringList arguments;
  };
  struct Message {
    MessageKind kind = MessageKind::Plain;
    QString title;
    QString text;
  };

  QString executable_directory;
  // The answers of the next dialogs in turn; when none is left the user cancels.
  QList<std::optional<QString>> answers;
  // Runs while a dialog is "open", as if the user did something meanwhile.
  std::function<void()> while_dialog_open;
  // Runs as each program starts.
  std::function<void()> while_starting;

  QList<DialogSeen> dialogs;
  QList<Start> starts;
  QList<Message> messages;
  QStringList events;  // "dialog", "start", "message", "end", in order.
  int ends = 0;

  QString ExecutableDirectory() override { return executable_directory; }

  std::optional<QString> ShowFileDialog(QFileDialog& dialog) override {
    events << QStringLiteral("dialog");
    dialogs.append({dialog.objectName(), dialog.windowTitle(), dialog.directory().absolutePath(),
                    dialog.nameFilters(), dialog.fileMode(), dialog.acceptMode(),
                    !dialog.testOption(QFileDialog::DontConfirmOverwrite),
                    QFileInfo(dialog.selectedFiles().value(0)).fileName()});
    if (while_dialog_open) std::exchange(while_dialog_open, nullptr)();
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
  }

  bool StartDetached(const QByteArray& program, const QList<QByteArray>& arguments) override {
    events << QStringLiteral("start");
    QStringList texts;
    for (const QByteArray& argument : arguments) texts << QFile::decodeName(argument);
    starts.append({QFile::decodeName(program), texts});
    if (while_starting) while_starting();
    return true;
  }

  void ShowMessage(QWidget*, MessageKind kind, const QString& title, const QString& text) override {
    events << QStringLiteral("message");
    messages.append({kind, title, text});
  }

  void EndProgram() override {
    events << QStringLiteral("end");
    ++ends;
  }
};

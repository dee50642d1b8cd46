// The operating-system services the window uses, behind one small interface
// so that tests can stand in for dialogs, program starts and the program's end.
#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

class QFileDialog;
class QWidget;

namespace ordalis {

class PlatformServices {
 public:
  enum class MessageKind { Plain, Warning };

  virtual ~PlatformServices();

  // The directory of the running executable in native form, no trailing separator.
  virtual QString ExecutableDirectory() = 0;
  // Shows `dialog`, already set up, modally. Returns the chosen full path, or
  // nothing when the user cancels.
  virtual std::optional<QString> ShowFileDialog(QFileDialog& dialog) = 0;
  // Starts `program`, a path, with `arguments`, without a shell and without
  // waiting. Both are in the file system's own encoding and reach the program
  // byte for byte, whether or not they are valid UTF-8. Returns false when it
  // could not be started.
  virtual bool StartDetached(const QByteArray& program, const QList<QByteArray>& arguments) = 0;
  // Shows a modal message box with only an OK button.
  virtual void ShowMessage(QWidget* parent, MessageKind kind, const QString& title,
                           const QString& text) = 0;
  // Ends the program at once: no more events, nothing more written.
  virtual void EndProgram() = 0;
};

}  // namespace ordalis

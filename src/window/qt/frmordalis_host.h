// frmOrdalis as the host of the form logic: what the option group, the sort
// run, start-up, the source choice and the exit ask of the window, done with
// Qt's widgets and the platform's services. Included by the window alone.
#pragma once

#include <QtWidgets>

#include "files/directory_of.h"
#include "frmordalis.h"
#include "platformservices.h"
#include "qttext.h"
#include "window/logic/form_host.h"
#include "window/qt/formcolours.h"

class frmOrdalis::Host final : public ordalis::FormHost {
 public:
  explicit Host(frmOrdalis& form) : form_(form) {}

  // ---------------------------------------------------------------------
  // The option group

  bool IsOptionChecked(std::size_t option) override {
    return form_.OptionButton(option)->isChecked();
  }

  void SetOptionChecked(std::size_t option, bool checked) override {
    // An exclusive group refuses to clear its checked button, so lift the
    // rule for a moment. No click handler runs.
    QRadioButton* const button = form_.OptionButton(option);
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(true);
  }

  void ApplyModeLook(const ordalis::ModeLook& look) override {
    QLineEdit* const boxes[] = {form_.Text1, form_.Text2, form_.Text3};
    for (std::size_t i = 0; i < 3; ++i) {
      boxes[i]->setEnabled(look.box_enabled[i]);
      ordalis::PaintBox(boxes[i], ordalis::NumberBoxColours(look, i));

      QRadioButton* const option = form_.OptionButton(i);
      const ordalis::CaptionLook caption = ordalis::OptionCaptionLook(look, i);
      QPalette palette = option->palette();
      const QColor colour =
          ordalis::Resolve(caption.text, QApplication::palette(option), QPalette::Active);
      palette.setColor(QPalette::WindowText, colour);  // What styles draw the caption in.
      palette.setColor(QPalette::ButtonText, colour);
      option->setPalette(palette);
      QFont font = option->font();
      font.setBold(caption.bold);
      option->setFont(font);
    }
  }

  // Qt's exclusive group already lets Tab stop at its checked button, or at
  // the first one when none is checked.
  void SetOptionTabStop(std::size_t) override {}

  // ---------------------------------------------------------------------
  // The sort run, start-up, the source choice and the exit

  std::string ExecutableDirectory() override {
    return ordalis::AppPathOf(ordalis::ToNative(form_.platform_.ExecutableDirectory()));
  }

  std::optional<std::string> ShowTargetDialog(const ordalis::FileDialogRequest& request) override {
    return form_.RunFileDialog(form_.Target, request);
  }

  std::optional<std::string> ShowSourceDialog(const ordalis::FileDialogRequest& request) override {
    return form_.RunFileDialog(form_.Source, request);
  }

  void SetBusyPointer(bool busy) override {
    if (busy) {
      form_.setCursor(Qt::WaitCursor);
    } else {
      form_.unsetCursor();
    }
  }

  void ShowSameFileWarning() override { form_.SameFileTxt->show(); }
  void HideSameFileWarning() override { form_.SameFileTxt->hide(); }
  void EnableQuit() override { form_.CmdExit->setEnabled(true); }
  void ProcessPendingEvents() override { QCoreApplication::processEvents(); }

  void StartProgram(const std::string& program, const std::string& argument) override {
    // The bytes go out as they came: through a QString, whatever is not valid
    // UTF-8 would turn into replacement characters and name another file.
    form_.platform_.StartDetached(QByteArray::fromStdString(program),
                                  {QByteArray::fromStdString(argument)});
  }

  ordalis::KeyTexts BoxTexts() override {
    return {form_.Text1->text().toStdU16String(), form_.Text2->text().toStdU16String(),
            form_.Text3->text().toStdU16String()};
  }

  void SetBoxTexts(const ordalis::KeyTexts& texts) override {
    form_.Text1->setText(QString::fromStdU16String(texts.text1));
    form_.Text2->setText(QString::fromStdU16String(texts.text2));
    form_.Text3->setText(QString::fromStdU16String(texts.text3));
  }

  void EnableAndFocusTarget() override {
    form_.TargetFile->setEnabled(true);
    form_.TargetFile->setFocus();
  }

  void ReportSettingsNotSaved(const std::string& message) override {
    form_.platform_.ShowMessage(&form_, ordalis::PlatformServices::MessageKind::Warning,
                                form_.windowTitle(), QString::fromStdString(message));
  }

  void EndProgram() override { form_.platform_.EndProgram(); }

  void FocusControl(std::string_view name) override {
    form_.findChild<QWidget*>(ordalis::Latin1(name))->setFocus();
  }

  void ShowPlainMessage(std::string_view title, std::string_view text) override {
    form_.platform_.ShowMessage(&form_, ordalis::PlatformServices::MessageKind::Plain,
                                ordalis::Latin1(title), ordalis::Latin1(text));
  }

 private:
  frmOrdalis& form_;
};

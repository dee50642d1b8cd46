// frmOrdalis as the host of the form logic: the option group, and what the
// sort run, start-up, the source choice and the exit ask of the window.
#include <QtWidgets>

#include "frmordalis.h"
#include "platformservices.h"
#include "qttext.h"
#include "shared/directory_of.h"
#include "window/qt/formcolours.h"

using ordalis::FileDialogRequest;
using ordalis::FromNative;
using ordalis::KeyTexts;
using ordalis::Latin1;
using ordalis::ModeLook;
using ordalis::PlatformServices;
using ordalis::SortMode;
using ordalis::ToNative;

// ---------------------------------------------------------------------------
// The option group

void frmOrdalis::ApplyModeLook(const ModeLook& look) {
  QLineEdit* const boxes[] = {Text1, Text2, Text3};
  QRadioButton* const options[] = {Option1, Option2, Option3};
  for (std::size_t i = 0; i < 3; ++i) {
    boxes[i]->setEnabled(look.box_enabled[i]);
    ordalis::PaintBox(boxes[i], ordalis::NumberBoxColours(look, i));

    const ordalis::CaptionLook caption = ordalis::OptionCaptionLook(look, i);
    QPalette palette = options[i]->palette();
    const QColor colour =
        ordalis::Resolve(caption.text, QApplication::palette(options[i]), QPalette::Active);
    palette.setColor(QPalette::WindowText, colour);  // What styles draw the caption in.
    palette.setColor(QPalette::ButtonText, colour);
    options[i]->setPalette(palette);
    QFont font = options[i]->font();
    font.setBold(caption.bold);
    options[i]->setFont(font);
  }
}

QRadioButton* frmOrdalis::OptionButton(std::size_t option) const {
  QRadioButton* const options[] = {Option1, Option2, Option3};
  return options[option];
}

bool frmOrdalis::IsOptionChecked(std::size_t option) { return OptionButton(option)->isChecked(); }

void frmOrdalis::SetOptionChecked(std::size_t option, bool checked) {
  // An exclusive group refuses to clear its checked button, so lift the rule
  // for a moment. No click handler runs.
  QRadioButton* const button = OptionButton(option);
  button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(true);
}

// Qt's exclusive group already lets Tab stop at its checked button, or at
// the first one when none is checked.
void frmOrdalis::SetOptionTabStop(std::size_t) {}

std::optional<std::string> frmOrdalis::RunFileDialog(QFileDialog* dialog,
                                                     const FileDialogRequest& request) {
  dialog->setWindowTitle(QString::fromStdString(request.title));
  dialog->setDirectory(FromNative(request.initial_directory));
  dialog->setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const std::optional<QString> chosen = platform_.ShowFileDialog(*dialog);
  if (!chosen) return std::nullopt;
  return ToNative(QDir::toNativeSeparators(*chosen));
}

// ---------------------------------------------------------------------------
// What the sort run, start-up, the source choice and the exit ask of the window

std::string frmOrdalis::ExecutableDirectory() {
  return ordalis::AppPathOf(ToNative(platform_.ExecutableDirectory()));
}

std::optional<std::string> frmOrdalis::ShowTargetDialog(const FileDialogRequest& request) {
  return RunFileDialog(Target, request);
}

void frmOrdalis::SetBusyPointer(bool busy) {
  if (busy) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

void frmOrdalis::ShowSameFileWarning() { SameFileTxt->show(); }

void frmOrdalis::EnableQuit() { CmdExit->setEnabled(true); }

void frmOrdalis::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void frmOrdalis::StartProgram(const std::string& program, const std::string& argument) {
  // The bytes go out as they came: through a QString, whatever is not valid
  // UTF-8 would turn into replacement characters and name another file.
  platform_.StartDetached(QByteArray::fromStdString(program),
                          {QByteArray::fromStdString(argument)});
}

SortMode frmOrdalis::SelectedMode() { return ordalis::SelectedMode(*this); }

KeyTexts frmOrdalis::BoxTexts() {
  return {Text1->text().toStdU16String(), Text2->text().toStdU16String(),
          Text3->text().toStdU16String()};
}

void frmOrdalis::SetBoxTexts(const KeyTexts& texts) {
  Text1->setText(QString::fromStdU16String(texts.text1));
  Text2->setText(QString::fromStdU16String(texts.text2));
  Text3->setText(QString::fromStdU16String(texts.text3));
}

void frmOrdalis::ClearOptions() { ordalis::ClearOptions(*this); }

void frmOrdalis::SelectOption(SortMode mode) { ordalis::SelectOption(*this, mode); }

void frmOrdalis::HideSameFileWarning() { SameFileTxt->hide(); }

std::optional<std::string> frmOrdalis::ShowSourceDialog(const FileDialogRequest& request) {
  return RunFileDialog(Source, request);
}

void frmOrdalis::EnableAndFocusTarget() {
  TargetFile->setEnabled(true);
  TargetFile->setFocus();
}

void frmOrdalis::ReportSettingsNotSaved(const std::string& message) {
  platform_.ShowMessage(this, PlatformServices::MessageKind::Warning, windowTitle(),
                        QString::fromStdString(message));
}

void frmOrdalis::EndProgram() { platform_.EndProgram(); }

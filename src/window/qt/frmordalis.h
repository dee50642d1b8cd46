// frmOrdalis: the one window of Ordalis. It picks the source and the target,
// shows the sort mode with its number boxes, and carries the menus.
#pragma once

#include <optional>
#include <string>

#include <QColor>
#include <QMainWindow>

#include "window/logic/exit_settings.h"
#include "window/logic/file_dialog.h"
#include "window/logic/form_load.h"
#include "window/logic/form_table.h"
#include "window/logic/mode_look.h"
#include "window/logic/option_group.h"
#include "window/logic/program_variables.h"
#include "window/logic/sort_run.h"
#include "window/logic/source_choice.h"

class QAction;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ordalis {
class FormHandlers;
class PlatformServices;
}  // namespace ordalis

// The controls keep their form names (Text1, Option1, CmdExit, ...), and
// every widget's object name equals its member name. The handlers
// (GetFile_Click, Form_Load, ...) are the form logic's FormHandlers, bound to
// the controls by name; the window serves them through its Host.
class frmOrdalis : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window and runs start-up (Form_Load) with `platform`, which
  // must outlive the window.
  explicit frmOrdalis(ordalis::PlatformServices& platform, QWidget* parent = nullptr);
  ~frmOrdalis() override;

  // The program-wide variables as they stand.
  const ordalis::ProgramVariables& variables() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Builders, in the order the constructor calls them.
  void CreateControls();
  void CreateMenus();
  void SetTabOrder();
  void ConnectHandlers();
  void FitFontToCaptions();
  void SetWindowFrame();

  QRect FromTwips(const ordalis::TwipsRect& place) const;
  QRadioButton* OptionButton(std::size_t option) const;
  // What a file dialog keeps between uses: its name and its file-name box.
  struct FileDialogMemory {
    const char* name;
    ordalis::FileNameBox name_box;
  };
  std::optional<std::string> RunFileDialog(FileDialogMemory& memory,
                                           const ordalis::FileDialogRequest& request);

  // What the form logic asks of the window (frmordalis_host.h).
  class Host;
  std::unique_ptr<Host> host_;
  std::unique_ptr<ordalis::FormHandlers> handlers_;

  ordalis::PlatformServices& platform_;

  QPushButton* GetFile = nullptr;
  QPushButton* TargetFile = nullptr;
  QPushButton* CmdExit = nullptr;
  QLineEdit* SameFileTxt = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLabel* Label1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLabel* Label2 = nullptr;
  QRadioButton* Option2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLabel* Label4 = nullptr;
  QRadioButton* Option3 = nullptr;
  FileDialogMemory Source{"Source", {}};
  FileDialogMemory Target{"Target", {}};
  QTimer* Timer1 = nullptr;

  QMenu* mFile = nullptr;
  QAction* mExit = nullptr;
  QMenu* mHelp = nullptr;
  QAction* mAbout = nullptr;
  QAction* mHowTo = nullptr;
};

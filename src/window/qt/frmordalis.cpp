#include "frmordalis.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QtWidgets>

#include "frmordalis_host.h"
#include "platformservices.h"
#include "qttext.h"
#include "window/logic/form_handlers.h"
#include "window/logic/form_layout.h"
#include "window/logic/form_table.h"
#include "window/qt/formcolours.h"
#include "window/qt/ordalisicon.h"

using ordalis::ControlKind;
using ordalis::FormControl;
using ordalis::FormControlNamed;
using ordalis::Latin1;
using ordalis::Name;
using ordalis::PlatformServices;

namespace {

// Captions are never shrunk below this size to make them fit.
constexpr double kSmallestPointSize = 6.0;

// Where the form puts a control's text; a label's sits at the top.
Qt::Alignment AlignmentOf(const FormControl& control) {
  const Qt::Alignment across =
      control.alignment == ordalis::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
  return across | (control.kind == ControlKind::Label ? Qt::AlignTop : Qt::AlignVCenter);
}

}  // namespace

frmOrdalis::frmOrdalis(PlatformServices& platform, QWidget* parent)
    : QMainWindow(parent),
      host_(std::make_unique<Host>(*this)),
      handlers_(std::make_unique<ordalis::FormHandlers>(*host_)),
      platform_(platform) {
  CreateControls();
  CreateMenus();
  SetTabOrder();
  ConnectHandlers();
  FitFontToCaptions();
  SetWindowFrame();
  handlers_->Form_Load();
}

frmOrdalis::~frmOrdalis() = default;

const ordalis::ProgramVariables& frmOrdalis::variables() const { return handlers_->variables(); }

void frmOrdalis::closeEvent(QCloseEvent* event) {
  handlers_->Form_QueryUnload();
  event->accept();
}

// ---------------------------------------------------------------------------
// Building the window

QRadioButton* frmOrdalis::OptionButton(std::size_t option) const {
  QRadioButton* const options[] = {Option1, Option2, Option3};
  return options[option];
}

std::optional<std::string> frmOrdalis::RunFileDialog(FileDialogMemory& memory,
                                                     const ordalis::FileDialogRequest& request) {
  // Made for this one use: a dialog kept between uses keeps its folder's
  // model and watcher, which work whenever that folder changes.
  QFileDialog dialog(this);
  dialog.setObjectName(Latin1(memory.name));
  // Qt's own dialog behaves alike on every desktop.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  QStringList filters;
  for (const ordalis::FileType& type : ordalis::kFileTypes) {
    filters << Latin1(type.description) + QStringLiteral(" (") + Latin1(type.pattern) +
                   QLatin1Char(')');
  }
  dialog.setNameFilters(filters);
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setDirectory(ordalis::FromNative(request.initial_directory));
  dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.selectFile(ordalis::FromNative(memory.name_box.text()));
  const std::optional<QString> chosen = platform_.ShowFileDialog(dialog);
  if (!chosen) return std::nullopt;
  const std::string path = ordalis::ToNative(QDir::toNativeSeparators(*chosen));
  memory.name_box.Chosen(path);
  return path;
}

QRect frmOrdalis::FromTwips(const ordalis::TwipsRect& place) const {
  return QRect(ordalis::PixelsOfTwips(place.left, logicalDpiX()),
               ordalis::PixelsOfTwips(place.top, logicalDpiY()),
               ordalis::PixelsOfTwips(place.width, logicalDpiX()),
               ordalis::PixelsOfTwips(place.height, logicalDpiY()));
}

void frmOrdalis::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(
      FromTwips({0, 0, ordalis::kClientWidthTwips, ordalis::kClientHeightTwips}).size());
  setCentralWidget(client);

  // Each control takes its name, place, caption and start-up state from the
  // form's table.
  auto make = [&](auto*& member, std::string_view name) {
    const FormControl& control = FormControlNamed(name);
    member = new std::remove_reference_t<decltype(*member)>(client);
    member->setObjectName(Latin1(control.name));
    member->setText(Latin1(control.caption));
    member->setGeometry(FromTwips(control.place));
    if (control.start_up == ordalis::StartUp::Disabled) member->setEnabled(false);
    if (control.start_up == ordalis::StartUp::Hidden) member->hide();
    if constexpr (requires { member->setAlignment(Qt::AlignLeft); }) {
      member->setAlignment(AlignmentOf(control));
    }
  };

  make(GetFile, "GetFile");
  make(TargetFile, "TargetFile");
  make(CmdExit, "CmdExit");
  // Return and Enter press the focused button, as the space bar does. Outside
  // a dialog no button is ever the default one, so nothing else changes.
  for (QPushButton* b : {GetFile, TargetFile, CmdExit}) b->setAutoDefault(true);

  make(SameFileTxt, "SameFileTxt");
  ordalis::PaintBox(SameFileTxt, ordalis::SameFileBoxColours());
  SameFileTxt->setAccessibleName(SameFileTxt->text());

  make(Label3, "Label3");
  make(Text1, "Text1");
  make(Label1, "Label1");
  make(Option1, "Option1");
  make(Text2, "Text2");
  make(Label2, "Label2");
  make(Option2, "Option2");
  make(Text3, "Text3");
  make(Label4, "Label4");
  make(Option3, "Option3");
  // Each number box is announced by the label the form gives it.
  for (const ordalis::BoxLabel& pair : ordalis::kBoxLabels) {
    findChild<QLabel*>(Latin1(pair.label))->setBuddy(findChild<QLineEdit*>(Latin1(pair.box)));
  }

  // Present for completeness of the form; it is never started and has no handler.
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(ordalis::kTimer1IntervalMs);

  host_->ApplyModeLook(ordalis::kStartUpLook);
}

void frmOrdalis::CreateMenus() {
  // No access keys and no shortcuts; the leading space of " File" is meant.
  mFile = menuBar()->addMenu(Latin1(ordalis::kFileMenuCaption));
  mFile->setObjectName(QStringLiteral("mFile"));
  mExit = mFile->addAction(Latin1(ordalis::kExitCaption));
  mExit->setObjectName(QStringLiteral("mExit"));

  mHelp = menuBar()->addMenu(Latin1(ordalis::kHelpMenuCaption));
  mHelp->setObjectName(QStringLiteral("mHelp"));
  mAbout = mHelp->addAction(Latin1(ordalis::kAboutCaption));
  mAbout->setObjectName(QStringLiteral("mAbout"));
  mHowTo = mHelp->addAction(Latin1(ordalis::kHowToCaption));
  mHowTo->setObjectName(QStringLiteral("mHowTo"));
}

void frmOrdalis::SetTabOrder() {
  // Labels take no focus; disabled and hidden controls are skipped.
  QWidget* previous = nullptr;
  for (const FormControl* control : ordalis::kTabOrder) {
    if (control->kind == ControlKind::Label) continue;
    QWidget* const next = findChild<QWidget*>(Latin1(control->name));
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
}

void frmOrdalis::ConnectHandlers() {
  // Clicks, the space bar and the arrow keys all come to a button or an
  // option as clicked(); start-up runs an option's handler itself when it
  // selects one.
  for (const ordalis::FormClick& entry : ordalis::kFormClicks) {
    const auto run = [this, click = entry.click] { (handlers_.get()->*click)(); };
    if (auto* button = findChild<QAbstractButton*>(Latin1(entry.control))) {
      connect(button, &QAbstractButton::clicked, this, run);
    } else {
      connect(findChild<QAction*>(Latin1(entry.control)), &QAction::triggered, this, run);
    }
  }
}

void frmOrdalis::FitFontToCaptions() {
  // The form was laid out for a small, narrow system font. Keep the desktop's
  // font family, and shrink its size until every caption fits its control.
  QStyle* const look = style();
  const int frame = look->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const int button_margin = look->pixelMetric(QStyle::PM_ButtonMargin);
  const int indicator = look->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                        look->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
  QPushButton* const buttons[] = {GetFile, TargetFile, CmdExit};
  QRadioButton* const options[] = {Option1, Option2, Option3};
  std::vector<QLabel*> labels;  // Those the form widens to their captions.
  for (const FormControl& control : ordalis::kFormControls) {
    if (control.fitted_to_caption) labels.push_back(findChild<QLabel*>(Latin1(control.name)));
  }
  QLineEdit* const boxes[] = {Text1, Text2, Text3, SameFileTxt};

  // A label may grow up to the option column to show its caption whole.
  auto label_room = [&](const QLabel* l) {
    return FromTwips({0, 0, ordalis::LabelRoomTwips(FormControlNamed(Name(l))), 0}).width();
  };
  auto fits = [&](const QFont& font) {
    QFont bold = font;
    bold.setBold(true);  // A highlighted option is bold.
    const QFontMetrics plain_metrics(font);
    const QFontMetrics bold_metrics(bold);
    for (QPushButton* b : buttons) {
      if (plain_metrics.horizontalAdvance(b->text()) + 2 * (button_margin + frame) > b->width()) {
        return false;
      }
    }
    for (QRadioButton* o : options) {
      if (indicator + bold_metrics.horizontalAdvance(o->text()) + 2 > o->width()) return false;
      if (bold_metrics.height() > o->height()) return false;
    }
    for (QLabel* l : labels) {
      if (plain_metrics.horizontalAdvance(l->text()) > label_room(l)) return false;
    }
    for (QLineEdit* e : boxes) {
      // QLineEdit keeps two pixels between its frame and the text on each side.
      if (plain_metrics.horizontalAdvance(e->text()) + 2 * frame + 4 > e->width()) return false;
      if (plain_metrics.height() + 2 * frame > e->height()) return false;
    }
    return true;
  };

  QFont font = centralWidget()->font();
  if (font.pointSizeF() <= 0) font.setPointSizeF(font.pixelSize() * 72.0 / logicalDpiY());
  while (!fits(font) && font.pointSizeF() - 0.25 >= kSmallestPointSize) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  centralWidget()->setFont(font);

  // "Sort" keeps its own size, whatever the other captions shrank to; its
  // label is wide enough for it in any common font.
  QFont sort_font = font;
  sort_font.setPointSizeF(ordalis::kLabel3PointSize);
  sort_font.setBold(true);
  Label3->setFont(sort_font);

  for (QLabel* l : labels) {
    const QFontMetrics metrics(l->font());
    const ordalis::TwipsRect place = ordalis::FittedLabelPlace(
        FormControlNamed(Name(l)),
        ordalis::TwipsOfPixels(metrics.horizontalAdvance(l->text()), logicalDpiX()),
        ordalis::TwipsOfPixels(metrics.height(), logicalDpiY()));
    l->setGeometry(FromTwips(place));
  }
}

void frmOrdalis::SetWindowFrame() {
  setWindowTitle(Latin1(ordalis::kWindowTitle));
  setWindowIcon(ordalis::OrdalisIcon());
  // A fixed window: no maximise button, no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  if (const QScreen* const where = screen()) {
    move(where->availableGeometry().center() - rect().center());
  }
}

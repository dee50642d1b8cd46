// The window on the offscreen platform, with the dialogs, the program starts
// and the program's end played by FakePlatformServices.
#include <memory>

#include <QtTest>
#include <QtWidgets>

#include "fakeplatformservices.h"
#include "frmordalis.h"

namespace {

const QColor kLightGreen(0xC0, 0xFF, 0xC0);
const QColor kLightRed(0xFF, 0xC0, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
  file.write(bytes);
}

QColor BoxColour(const QLineEdit* box) {
  return box->palette().color(QPalette::Active, QPalette::Base);
}

QColor PlainBoxColour() { return QApplication::palette("QLineEdit").color(QPalette::Base); }

QColor PlainCaptionColour() {
  return QApplication::palette("QRadioButton").color(QPalette::ButtonText);
}

}  // namespace

class FrmOrdalisTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void firstStartWithNoSettingsFile();
  void layoutFollowsTheForm();
  void sortHeadingKeepsItsSize();
  void tabOrderSkipsLabelsAndDisabledControls();
  void keysPressTheFocusedButton_data();
  void keysPressTheFocusedButton();
  void textOnFixedColoursStaysDarkOnADarkTheme();
  void screenReadersHearTheLabels();
  void menusHaveNoAccessKeysOrShortcuts();
  void optionClickRule_data();
  void optionClickRule();
  void startWithOptionFourSelectsNothing();
  void startRestoresTheSettingsFile();
  void sourceChoice_data();
  void sourceChoice();
  void sourceDialogSetUp();
  void wholeRunThroughTheWindow();
  void cancelledTargetLeavesEverything();
  void sameFileWarningStaysUntilSourceIsClicked();
  void inputQueuedDuringARunIsHandledBeforeTheViewers();
  void exitWritesTheSettings_data();
  void exitWritesTheSettings();
  void closeBoxDoesNotWriteTheSettings();
  void exitWhenTheSettingsCannotBeWritten();
  void aboutAndHowTo();

 private:
  // Builds and shows the window in the app directory.
  frmOrdalis* Start();
  template <typename T>
  T* Child(const char* name) {
    T* child = window_->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no %s in the window", name);
    return child;
  }
  QString AppFile(const QString& name) const { return app_->filePath(name); }
  QString Ini() const { return AppFile(QStringLiteral("Ordalis.ini")); }
  // Clicks a radio button on its indicator, where a person would.
  void ClickOption(const char* name) {
    auto* option = Child<QRadioButton>(name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
  }
  void TypeInto(const char* name, const QString& text) {
    auto* box = Child<QLineEdit>(name);
    QVERIFY2(box->isEnabled(), name);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
  }
  void Click(const char* name) { QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton); }

  std::unique_ptr<QTemporaryDir> app_;
  QPalette theme_;  // The desktop's palette, given back after each test.
  QFont font_;
  std::unique_ptr<FakePlatformServices> platform_;
  std::unique_ptr<frmOrdalis> window_;
};

void FrmOrdalisTest::initTestCase() {
  theme_ = QApplication::palette();
  font_ = QApplication::font();
}

void FrmOrdalisTest::init() {
  app_ = std::make_unique<QTemporaryDir>();
  QVERIFY(app_->isValid());
  platform_ = std::make_unique<FakePlatformServices>();
  platform_->executable_directory = QDir::toNativeSeparators(app_->path());
}

void FrmOrdalisTest::cleanup() {
  window_.reset();
  platform_.reset();
  app_.reset();
  QApplication::setPalette(theme_);
  QApplication::setFont(font_);
}

frmOrdalis* FrmOrdalisTest::Start() {
  window_ = std::make_unique<frmOrdalis>(*platform_);
  window_->show();
  if (!QTest::qWaitForWindowActive(window_.get())) qWarning("the window did not become active");
  return window_.get();
}

void FrmOrdalisTest::firstStartWithNoSettingsFile() {
  Start();

  QVERIFY(Child<QRadioButton>("Option1")->isChecked());
  QVERIFY(!Child<QRadioButton>("Option2")->isChecked());
  QVERIFY(!Child<QRadioButton>("Option3")->isChecked());

  QVERIFY(Child<QLineEdit>("Text1")->isEnabled());
  QCOMPARE(BoxColour(Child<QLineEdit>("Text1")), kLightGreen);
  for (const char* name : {"Text2", "Text3"}) {
    QVERIFY2(!Child<QLineEdit>(name)->isEnabled(), name);
    QCOMPARE(BoxColour(Child<QLineEdit>(name)), PlainBoxColour());
  }
  QCOMPARE(Child<QLineEdit>("Text1")->text(), QStringLiteral("12"));
  QCOMPARE(Child<QLineEdit>("Text2")->text(), QStringLiteral("4"));
  QCOMPARE(Child<QLineEdit>("Text3")->text(), QStringLiteral("20"));

  auto* left_most = Child<QRadioButton>("Option1");
  QCOMPARE(left_most->text(), QStringLiteral("Left most"));
  QVERIFY(left_most->font().bold());
  QCOMPARE(left_most->palette().color(QPalette::WindowText), kRed);
  for (const char* name : {"Option2", "Option3"}) {
    QVERIFY2(!Child<QRadioButton>(name)->font().bold(), name);
    QCOMPARE(Child<QRadioButton>(name)->palette().color(QPalette::WindowText),
             PlainCaptionColour());
  }

  QCOMPARE(QApplication::focusWidget(), Child<QPushButton>("GetFile"));
  QVERIFY(Child<QPushButton>("GetFile")->isEnabled());
  QVERIFY(!Child<QPushButton>("TargetFile")->isEnabled());
  QVERIFY(!Child<QPushButton>("CmdExit")->isEnabled());
  QVERIFY(!Child<QLineEdit>("SameFileTxt")->isVisible());

  // Both directories default to the program's own; the file now exists, empty.
  QCOMPARE(QString::fromStdString(window_->variables().SourcePath), app_->path());
  QCOMPARE(QString::fromStdString(window_->variables().TargetPath), app_->path());
  QCOMPARE(ReadBytes(Ini()), QByteArray());
  QCOMPARE(platform_->ends, 0);
}

void FrmOrdalisTest::layoutFollowsTheForm() {
  Start();
  if (window_->logicalDpiX() != 96 || window_->logicalDpiY() != 96) {
    QSKIP("the pixel places below are those of a 96 DPI screen (15 twips a pixel)");
  }
  QCOMPARE(window_->windowTitle(), QStringLiteral("Ordalis"));
  QVERIFY(!window_->windowIcon().isNull());
  QCOMPARE(window_->centralWidget()->size(), QSize(360, 142));  // 5400 x 2136 twips.
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));

  // Twips divided by 15, to the nearest pixel.
  QCOMPARE(Child<QPushButton>("GetFile")->geometry(), QRect(20, 12, 89, 25));
  QCOMPARE(Child<QPushButton>("TargetFile")->geometry(), QRect(136, 12, 89, 25));
  QCOMPARE(Child<QPushButton>("CmdExit")->geometry(), QRect(256, 12, 81, 25));
  QCOMPARE(Child<QLineEdit>("SameFileTxt")->geometry(), QRect(35, 43, 166, 19));
  QCOMPARE(Child<QLineEdit>("Text1")->geometry(), QRect(75, 67, 33, 19));
  QCOMPARE(Child<QLineEdit>("Text2")->geometry(), QRect(75, 90, 36, 19));
  QCOMPARE(Child<QLineEdit>("Text3")->geometry(), QRect(75, 111, 36, 19));
  QCOMPARE(Child<QRadioButton>("Option1")->geometry(), QRect(204, 67, 96, 18));
  QCOMPARE(Child<QRadioButton>("Option2")->geometry(), QRect(204, 90, 97, 18));
  QCOMPARE(Child<QRadioButton>("Option3")->geometry(), QRect(204, 111, 93, 18));
  // Labels keep their place; they may be taller so that no text is cut.
  QCOMPARE(Child<QLabel>("Label1")->geometry().topLeft(), QPoint(114, 70));
  QCOMPARE(Child<QLabel>("Label2")->geometry().topLeft(), QPoint(114, 92));
  QCOMPARE(Child<QLabel>("Label4")->geometry().topLeft(), QPoint(116, 113));
  QCOMPARE(Child<QLabel>("Label3")->geometry(), QRect(214, 54, 47, 16));

  auto* sort = Child<QLabel>("Label3");
  QCOMPARE(sort->text(), QStringLiteral("Sort"));
  QVERIFY(sort->font().bold());
  QVERIFY(sort->alignment() & Qt::AlignHCenter);
  auto* warning = Child<QLineEdit>("SameFileTxt");
  QCOMPARE(warning->text(), QStringLiteral("Use a different output filename"));
  QCOMPARE(BoxColour(warning), kLightRed);
  QVERIFY(warning->alignment() & Qt::AlignHCenter);
  QVERIFY(!warning->isReadOnly());

  // Every caption fits its control in the font the window chose.
  for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
    auto* label = Child<QLabel>(name);
    const QFontMetrics metrics(label->font());
    QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), name);
    QVERIFY2(metrics.height() <= label->height(), name);
  }
  for (const char* name : {"GetFile", "TargetFile", "CmdExit"}) {
    auto* button = Child<QPushButton>(name);
    QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(button->text()) < button->width(),
             name);
  }

  auto* timer = window_->findChild<QTimer*>(QStringLiteral("Timer1"));
  QVERIFY(timer != nullptr);
  QVERIFY(!timer->isActive());
  QCOMPARE(timer->interval(), 50);
}

void FrmOrdalisTest::sortHeadingKeepsItsSize() {
  // The desktop's font decides the other captions' size: a large one is
  // shrunk until every caption fits, a small one is kept.
  for (const double desktop_size : {6.0, 9.0, 14.0}) {
    const QString which = QStringLiteral("desktop font %1 pt").arg(desktop_size);
    QFont desktop = font_;
    desktop.setPointSizeF(desktop_size);
    QApplication::setFont(desktop);
    Start();

    const double others = window_->centralWidget()->font().pointSizeF();
    QVERIFY2(others <= desktop_size, qPrintable(which));
    if (desktop_size > 12) QVERIFY2(others < desktop_size, qPrintable(which));
    auto* sort = Child<QLabel>("Label3");
    QVERIFY2(qFuzzyCompare(sort->font().pointSizeF(), 7.8),
             qPrintable(which + QStringLiteral(": %1 pt").arg(sort->font().pointSizeF())));
    QVERIFY2(sort->font().bold(), qPrintable(which));
    const QFontMetrics metrics(sort->font());
    QVERIFY2(metrics.horizontalAdvance(sort->text()) <= sort->width(), qPrintable(which));
    QVERIFY2(metrics.height() <= sort->height(), qPrintable(which));
    window_.reset();
  }
}

void FrmOrdalisTest::tabOrderSkipsLabelsAndDisabledControls() {
  Start();
  Child<QLineEdit>("SameFileTxt")->show();  // Reachable while shown.
  QStringList seen;
  for (int i = 0; i < 12; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    seen << QApplication::focusWidget()->objectName();
  }
  // Text2 and Text3 are disabled in Left most; Quit and Target File until used.
  // Qt lets the Tab key into a group of option buttons at its checked one only.
  const QStringList expected = {
      QStringLiteral("Text1"),       QStringLiteral("Option1"),     QStringLiteral("SameFileTxt"),
      QStringLiteral("GetFile"),     QStringLiteral("Text1"),       QStringLiteral("Option1"),
      QStringLiteral("SameFileTxt"), QStringLiteral("GetFile"),     QStringLiteral("Text1"),
      QStringLiteral("Option1"),     QStringLiteral("SameFileTxt"), QStringLiteral("GetFile")};
  QCOMPARE(seen, expected);
}

void FrmOrdalisTest::keysPressTheFocusedButton_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
  QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
  QTest::newRow("space bar") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

void FrmOrdalisTest::keysPressTheFocusedButton() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  const QString source = AppFile(QStringLiteral("in.txt"));
  const QString target = AppFile(QStringLiteral("out.txt"));
  WriteBytes(source, "b\r\na\r\n");
  platform_->answers << source << target;
  Start();
  auto press = [&] {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    Qt::KeyboardModifiers(Qt::KeyboardModifier(modifiers)));
  };

  // At start the focus is on "Source File"; a choice moves it to "Target File".
  QCOMPARE(QApplication::focusWidget(), Child<QPushButton>("GetFile"));
  press();
  QCOMPARE(platform_->dialogs.size(), 1);
  QCOMPARE(platform_->dialogs[0].name, QStringLiteral("Source"));
  QCOMPARE(QApplication::focusWidget(), Child<QPushButton>("TargetFile"));
  press();
  QCOMPARE(platform_->dialogs.size(), 2);
  QCOMPARE(platform_->dialogs[1].name, QStringLiteral("Target"));
  QCOMPARE(ReadBytes(target), QByteArray("a\r\nb\r\n"));
  QVERIFY(Child<QPushButton>("CmdExit")->isEnabled());
}

void FrmOrdalisTest::textOnFixedColoursStaysDarkOnADarkTheme() {
  QPalette dark = theme_;
  dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
  dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
  dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
  dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
  dark.setColor(QPalette::ButtonText, QColor(0xF0, 0xF0, 0xF0));
  QApplication::setPalette(dark);
  Start();
  auto text_colour = [](const QLineEdit* box) {
    return box->palette().color(QPalette::Active, QPalette::Text);
  };
  // Light green and light red are above 190 in lightness; the text must be
  // far below them, as black is.
  auto expect_dark_on_light = [&](const char* name, const QColor& background) {
    auto* box = Child<QLineEdit>(name);
    QCOMPARE(BoxColour(box), background);
    QVERIFY2(text_colour(box).lightness() < 64, name);
  };
  auto expect_theme = [&](const char* name) {
    auto* box = Child<QLineEdit>(name);
    QCOMPARE(BoxColour(box), QColor(0x2A, 0x2A, 0x2A));
    QCOMPARE(text_colour(box), QColor(0xF0, 0xF0, 0xF0));
  };

  expect_dark_on_light("Text1", kLightGreen);  // Left most at first start.
  expect_theme("Text2");
  expect_theme("Text3");
  expect_dark_on_light("SameFileTxt", kLightRed);

  ClickOption("Option2");
  expect_theme("Text1");  // Plain again: the theme's light text on its dark base.
  expect_dark_on_light("Text2", kLightGreen);
  expect_dark_on_light("Text3", kLightGreen);
}

void FrmOrdalisTest::screenReadersHearTheLabels() {
  Start();
  const std::pair<const char*, const char*> names[] = {
      {"Text1", "# char left"},     {"Text2", "# char in middle"},
      {"Text3", "start at column"}, {"Option1", "Left most"},
      {"Option2", "Middle"},        {"Option3", "Right most"},
      {"GetFile", "Source File"},   {"TargetFile", "Target File"},
      {"CmdExit", "Quit"},          {"SameFileTxt", "Use a different output filename"},
  };
  for (const auto& [widget, name] : names) {
    QAccessibleInterface* const spoken =
        QAccessible::queryAccessibleInterface(Child<QWidget>(widget));
    QVERIFY2(spoken != nullptr, widget);
    QCOMPARE(spoken->text(QAccessible::Name), QString::fromLatin1(name));
  }
}

void FrmOrdalisTest::menusHaveNoAccessKeysOrShortcuts() {
  Start();
  auto* file = Child<QMenu>("mFile");
  auto* help = Child<QMenu>("mHelp");
  QCOMPARE(file->title(), QStringLiteral(" File"));
  QCOMPARE(help->title(), QStringLiteral("Help"));
  const QList<QAction*> bar = window_->menuBar()->actions();
  QCOMPARE(bar.size(), 2);
  QCOMPARE(bar[0]->menu(), file);
  QCOMPARE(bar[1]->menu(), help);

  QCOMPARE(file->actions().size(), 1);
  QCOMPARE(file->actions()[0]->objectName(), QStringLiteral("mExit"));
  QCOMPARE(file->actions()[0]->text(), QStringLiteral("Exit"));
  QCOMPARE(help->actions().size(), 2);
  QCOMPARE(help->actions()[0]->text(), QStringLiteral("About"));
  QCOMPARE(help->actions()[1]->text(), QStringLiteral("How To"));
  for (QAction* action : file->actions() + help->actions() + bar) {
    QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    QVERIFY2(!action->text().contains(QLatin1Char('&')), qPrintable(action->text()));
    QVERIFY(action->isEnabled());
    QVERIFY(!action->isChecked());
  }
}

void FrmOrdalisTest::optionClickRule_data() {
  QTest::addColumn<QByteArray>("start_choice");  // The option remembered at start.
  QTest::addColumn<QByteArray>("clicked");
  QTest::addColumn<bool>("by_keyboard");
  QTest::addColumn<QStringList>("green_boxes");  // Enabled and light green.

  QTest::newRow("Middle after Left most")
      << QByteArray("1") << QByteArray("Option2") << false << QStringList{"Text2", "Text3"};
  QTest::newRow("Right most after Middle")
      << QByteArray("2") << QByteArray("Option3") << false << QStringList{"Text3"};
  QTest::newRow("Left most after Right most")
      << QByteArray("3") << QByteArray("Option1") << false << QStringList{"Text1"};
  QTest::newRow("Middle when nothing was selected")
      << QByteArray("4") << QByteArray("Option2") << false << QStringList{"Text2", "Text3"};
  QTest::newRow("Left most clicked again")
      << QByteArray("1") << QByteArray("Option1") << false << QStringList{"Text1"};
  QTest::newRow("Right most by the space bar")
      << QByteArray("1") << QByteArray("Option3") << true << QStringList{"Text3"};
}

void FrmOrdalisTest::optionClickRule() {
  QFETCH(QByteArray, start_choice);
  QFETCH(QByteArray, clicked);
  QFETCH(bool, by_keyboard);
  QFETCH(QStringList, green_boxes);
  WriteBytes(Ini(), "[Option button]\r\n" + start_choice + "\r\n");
  Start();

  if (by_keyboard) {
    auto* option = Child<QRadioButton>(clicked.constData());
    option->setFocus();
    QTest::keyClick(option, Qt::Key_Space);
  } else {
    ClickOption(clicked.constData());
  }

  for (const char* name : {"Option1", "Option2", "Option3"}) {
    auto* option = Child<QRadioButton>(name);
    const bool active = clicked == name;
    QCOMPARE(option->isChecked(), active);
    QCOMPARE(option->font().bold(), active);
    QCOMPARE(option->palette().color(QPalette::WindowText), active ? kRed : PlainCaptionColour());
  }
  for (const char* name : {"Text1", "Text2", "Text3"}) {
    auto* box = Child<QLineEdit>(name);
    const bool used = green_boxes.contains(QLatin1String(name));
    QCOMPARE(box->isEnabled(), used);
    QCOMPARE(BoxColour(box), used ? kLightGreen : PlainBoxColour());
  }
}

void FrmOrdalisTest::startWithOptionFourSelectsNothing() {
  WriteBytes(Ini(), "[Option button]\r\n4\r\n");
  Start();
  for (const char* name : {"Option1", "Option2", "Option3"}) {
    auto* option = Child<QRadioButton>(name);
    QVERIFY2(!option->isChecked(), name);
    QVERIFY2(!option->font().bold(), name);
    QCOMPARE(option->palette().color(QPalette::WindowText), PlainCaptionColour());
  }
  for (const char* name : {"Text1", "Text2", "Text3"}) {
    QVERIFY2(Child<QLineEdit>(name)->isEnabled(), name);
    QCOMPARE(BoxColour(Child<QLineEdit>(name)), PlainBoxColour());
  }

  // Leaving now saves no mode: the file ends at the option key.
  window_->findChild<QAction*>(QStringLiteral("mExit"))->trigger();
  QVERIFY(ReadBytes(Ini()).endsWith("[Option button]\r\n"));
}

void FrmOrdalisTest::startRestoresTheSettingsFile() {
  WriteBytes(Ini(),
             "[Source path]\r\n/data/in\r\n[Target path]\r\n/data/out\r\n"
             "[Left most characters]\r\n7\r\n[Start at column]\r\n3\r\n"
             "[Right most start column]\r\n 9 \r\n[Option button]\r\n3\r\n");
  Start();
  QCOMPARE(Child<QLineEdit>("Text1")->text(), QStringLiteral("7"));
  QCOMPARE(Child<QLineEdit>("Text2")->text(), QStringLiteral("3"));
  QCOMPARE(Child<QLineEdit>("Text3")->text(), QStringLiteral("9"));
  QVERIFY(Child<QRadioButton>("Option3")->isChecked());
  QVERIFY(Child<QRadioButton>("Option3")->font().bold());
  QVERIFY(Child<QLineEdit>("Text3")->isEnabled());
  QVERIFY(!Child<QLineEdit>("Text1")->isEnabled());
  QCOMPARE(window_->variables().SourcePath, std::string("/data/in"));
  QCOMPARE(window_->variables().TargetPath, std::string("/data/out"));
}

void FrmOrdalisTest::sourceChoice_data() {
  QTest::addColumn<QStringList>("answers");  // One per click; "<cancel>" cancels.
  QTest::addColumn<QString>("source_file");
  QTest::addColumn<QString>("source_path");
  QTest::addColumn<bool>("target_enabled");
  QTest::addColumn<bool>("focus_on_target");  // Only a choice moves it there.

  const QString start = QStringLiteral("<app>");
  QTest::newRow("a file in a directory")
      << QStringList{"/logs/calls.dat"} << QStringLiteral("/logs/calls.dat")
      << QStringLiteral("/logs") << true << true;
  QTest::newRow("cancel on the first choice")
      << QStringList{"<cancel>"} << QString() << start << false << false;
  QTest::newRow("cancel after a choice")
      << QStringList{"/logs/calls.dat", "<cancel>"} << QStringLiteral("/logs/calls.dat")
      << QStringLiteral("/logs") << true << false;
  QTest::newRow("a file in the root keeps the directory")
      << QStringList{"/calls.dat"} << QStringLiteral("/calls.dat") << start << true << true;
  QTest::newRow("a later choice replaces an earlier one")
      << QStringList{"/logs/calls.dat", "/more/x.txt"} << QStringLiteral("/more/x.txt")
      << QStringLiteral("/more") << true << true;
}

void FrmOrdalisTest::sourceChoice() {
  QFETCH(QStringList, answers);
  QFETCH(QString, source_file);
  QFETCH(QString, source_path);
  QFETCH(bool, target_enabled);
  QFETCH(bool, focus_on_target);
  source_path.replace(QStringLiteral("<app>"), app_->path());
  Start();

  for (const QString& answer : answers) {
    if (answer != QStringLiteral("<cancel>")) platform_->answers << answer;
    Click("GetFile");
  }

  QCOMPARE(QString::fromStdString(window_->variables().SourceFileName), source_file);
  QCOMPARE(QString::fromStdString(window_->variables().SourcePath), source_path);
  QCOMPARE(Child<QPushButton>("TargetFile")->isEnabled(), target_enabled);
  // The button clicked last has the focus unless a choice moved it on.
  QCOMPARE(QApplication::focusWidget(),
           Child<QPushButton>(focus_on_target ? "TargetFile" : "GetFile"));
  QCOMPARE(platform_->dialogs.size(), answers.size());
  QVERIFY(platform_->starts.isEmpty());
}

void FrmOrdalisTest::sourceDialogSetUp() {
  QDir(app_->path()).mkdir(QStringLiteral("logs"));
  const QString logs = AppFile(QStringLiteral("logs"));
  platform_->answers << logs + QStringLiteral("/calls.dat");
  Start();
  Click("GetFile");
  Click("GetFile");  // Cancelled; it opens where the last file was.

  QCOMPARE(platform_->dialogs.size(), 2);
  const FakePlatformServices::DialogSeen& first = platform_->dialogs[0];
  QCOMPARE(first.name, QStringLiteral("Source"));
  QCOMPARE(first.title, QStringLiteral("Select the text file to load..."));
  QCOMPARE(first.directory, app_->path());
  QCOMPARE(first.filters, QStringList({QStringLiteral("Data files (*.dat)"),
                                       QStringLiteral("Text files (*.txt)")}));
  QCOMPARE(first.mode, QFileDialog::ExistingFile);
  QCOMPARE(first.accept, QFileDialog::AcceptOpen);
  QCOMPARE(platform_->dialogs[1].directory, logs);
  QCOMPARE(platform_->dialogs[1].name_box, QStringLiteral("calls.dat"));
  // Between uses no dialog is left watching its folder.
  QVERIFY(window_->findChildren<QFileDialog*>().isEmpty());
  QVERIFY(window_->findChildren<QFileSystemModel*>().isEmpty());
}

void FrmOrdalisTest::wholeRunThroughTheWindow() {
  QDir(app_->path()).mkpath(QStringLiteral("data/out"));
  const QString source = AppFile(QStringLiteral("data/in.txt"));
  const QString target = AppFile(QStringLiteral("data/out/sorted.dat"));
  // Columns 5 to 7 hold the key of Middle with a start of 5 and a count of 3.
  WriteBytes(source, "xxxxCCC1\r\nyyyyAAA2\r\nzzzzBBB3");
  platform_->answers << source << target;
  QList<Qt::CursorShape> pointer_while_starting;
  platform_->while_starting = [&] { pointer_while_starting << window_->cursor().shape(); };
  Start();

  ClickOption("Option2");
  TypeInto("Text2", QStringLiteral("3"));
  TypeInto("Text3", QStringLiteral("5"));
  Click("GetFile");
  Click("TargetFile");

  QCOMPARE(ReadBytes(target), QByteArray("yyyyAAA2\r\nzzzzBBB3\r\nxxxxCCC1\r\n"));
  QVERIFY(Child<QPushButton>("CmdExit")->isEnabled());
  QVERIFY(Child<QPushButton>("TargetFile")->isEnabled());  // Ready for another target.
  QCOMPARE(window_->cursor().shape(), Qt::ArrowCursor);    // The normal pointer again.
  QCOMPARE(pointer_while_starting, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
  QCOMPARE(QString::fromStdString(window_->variables().TargetPath), AppFile("data/out"));

  QCOMPARE(platform_->starts.size(), 2);
  QCOMPARE(platform_->starts[0].program, AppFile(QStringLiteral("NOTEPAD.exe")));
  QCOMPARE(platform_->starts[0].arguments, QStringList{target});
  QCOMPARE(platform_->starts[1].program, AppFile(QStringLiteral("EDITPADPro.exe")));
  QCOMPARE(platform_->starts[1].arguments, QStringList{target});

  const FakePlatformServices::DialogSeen& dialog = platform_->dialogs.last();
  QCOMPARE(dialog.name, QStringLiteral("Target"));
  QCOMPARE(dialog.title, QStringLiteral("Set Target Filename..."));
  QCOMPARE(dialog.directory, app_->path());
  QCOMPARE(dialog.filters, QStringList({QStringLiteral("Data files (*.dat)"),
                                        QStringLiteral("Text files (*.txt)")}));
  QCOMPARE(dialog.mode, QFileDialog::AnyFile);  // A new name is welcome.
  QCOMPARE(dialog.accept, QFileDialog::AcceptOpen);
  QVERIFY(!dialog.asks_before_overwrite);
}

void FrmOrdalisTest::cancelledTargetLeavesEverything() {
  const QString source = AppFile(QStringLiteral("in.txt"));
  WriteBytes(source, "b\r\na\r\n");
  platform_->answers << source;
  Start();
  Click("GetFile");
  Click("TargetFile");  // No answer left: cancelled.

  QVERIFY(!Child<QPushButton>("CmdExit")->isEnabled());
  QCOMPARE(window_->cursor().shape(), Qt::ArrowCursor);
  QVERIFY(platform_->starts.isEmpty());
  QCOMPARE(QString::fromStdString(window_->variables().TargetPath), app_->path());
  QCOMPARE(QDir(app_->path()).entryList(QDir::Files).size(), 2);  // in.txt and Ordalis.ini.
}

void FrmOrdalisTest::sameFileWarningStaysUntilSourceIsClicked() {
  const QString source = AppFile(QStringLiteral("in.txt"));
  const QString target = AppFile(QStringLiteral("out.txt"));
  WriteBytes(source, "b\r\na\r\n");
  platform_->answers << source << source << target << target;
  Start();
  auto* warning = Child<QLineEdit>("SameFileTxt");

  Click("GetFile");
  Click("TargetFile");  // The source itself.
  QVERIFY(warning->isVisible());
  QCOMPARE(ReadBytes(source), QByteArray("b\r\na\r\n"));
  QVERIFY(!Child<QPushButton>("CmdExit")->isEnabled());
  QCOMPARE(window_->cursor().shape(), Qt::ArrowCursor);

  Click("TargetFile");
  QCOMPARE(ReadBytes(target), QByteArray("a\r\nb\r\n"));
  QVERIFY(warning->isVisible());
  Click("TargetFile");
  QVERIFY(warning->isVisible());
  QCOMPARE(platform_->starts.size(), 4);

  Click("GetFile");  // Cancelled, but the warning has gone already.
  QVERIFY(!warning->isVisible());
  QCOMPARE(QString::fromStdString(window_->variables().SourceFileName), source);
}

void FrmOrdalisTest::inputQueuedDuringARunIsHandledBeforeTheViewers() {
  const QString source = AppFile(QStringLiteral("in.txt"));
  const QString target = AppFile(QStringLiteral("out.txt"));
  WriteBytes(source, "b\r\na\r\n");
  platform_->answers << source << target;
  Start();
  Click("GetFile");
  // The user clicks the close box while the run is busy.
  platform_->while_dialog_open = [this] {
    QCoreApplication::postEvent(window_.get(), new QCloseEvent);
  };
  Click("TargetFile");

  QCOMPARE(ReadBytes(target), QByteArray("a\r\nb\r\n"));
  QCOMPARE(platform_->events, QStringList({"dialog", "dialog", "end", "start", "start"}));
}

void FrmOrdalisTest::exitWritesTheSettings_data() {
  QTest::addColumn<bool>("by_quit");
  QTest::newRow("File > Exit") << false;
  QTest::newRow("Quit") << true;
}

void FrmOrdalisTest::exitWritesTheSettings() {
  QFETCH(bool, by_quit);
  QDir(app_->path()).mkpath(QStringLiteral("data/out"));
  const QString source = AppFile(QStringLiteral("data/in.txt"));
  WriteBytes(source, "b\r\na\r\n");
  platform_->answers << source << AppFile(QStringLiteral("data/out/x.txt"));
  Start();
  Click("GetFile");
  Click("TargetFile");  // Enables Quit.
  TypeInto("Text1", QStringLiteral("7"));
  ClickOption("Option3");
  TypeInto("Text3", QStringLiteral(" 9"));

  if (by_quit) {
    Click("CmdExit");
  } else {
    window_->findChild<QAction*>(QStringLiteral("mExit"))->trigger();
  }

  const QByteArray expected = "[Source path]\r\n" + QFile::encodeName(AppFile("data")) +
                              "\r\n[Target path]\r\n" + QFile::encodeName(AppFile("data/out")) +
                              "\r\n[Left most characters]\r\n7\r\n[Start at column]\r\n4\r\n"
                              "[Right most start column]\r\n 9\r\n[Option button]\r\n3\r\n";
  QCOMPARE(ReadBytes(Ini()), expected);
  QCOMPARE(platform_->ends, 1);
  QVERIFY(platform_->messages.isEmpty());
}

void FrmOrdalisTest::closeBoxDoesNotWriteTheSettings() {
  const QByteArray before = "[Option button]\r\n2\r\n";
  WriteBytes(Ini(), before);
  Start();
  ClickOption("Option3");
  TypeInto("Text3", QStringLiteral("30"));

  QVERIFY(window_->close());

  QCOMPARE(platform_->ends, 1);
  QCOMPARE(ReadBytes(Ini()), before);
  QVERIFY(platform_->messages.isEmpty());
}

void FrmOrdalisTest::exitWhenTheSettingsCannotBeWritten() {
  // A directory where the file belongs: it can be neither read nor replaced.
  QVERIFY(QDir(app_->path()).mkdir(QStringLiteral("Ordalis.ini")));
  Start();
  ClickOption("Option2");

  window_->findChild<QAction*>(QStringLiteral("mExit"))->trigger();

  QCOMPARE(platform_->messages.size(), 1);
  const FakePlatformServices::Message& message = platform_->messages[0];
  QCOMPARE(message.kind, ordalis::PlatformServices::MessageKind::Warning);
  QCOMPARE(message.title, QStringLiteral("Ordalis"));
  QVERIFY2(message.text.contains(QDir::toNativeSeparators(Ini())), qPrintable(message.text));
  QCOMPARE(platform_->events, QStringList({"message", "end"}));
  QVERIFY(QFileInfo(Ini()).isDir());
  QVERIFY(QDir(Ini()).isEmpty());
}

void FrmOrdalisTest::aboutAndHowTo() {
  Start();
  window_->findChild<QAction*>(QStringLiteral("mAbout"))->trigger();
  window_->findChild<QAction*>(QStringLiteral("mHowTo"))->trigger();

  QCOMPARE(platform_->messages.size(), 2);
  const FakePlatformServices::Message& about = platform_->messages[0];
  QCOMPARE(about.kind, ordalis::PlatformServices::MessageKind::Plain);
  QCOMPARE(about.title, QStringLiteral(" Ordalis  v1.0"));
  QVERIFY(!about.text.isEmpty());
  QVERIFY(!about.text.contains(QLatin1Char('\n')));

  const FakePlatformServices::Message& how_to = platform_->messages[1];
  QCOMPARE(how_to.kind, ordalis::PlatformServices::MessageKind::Plain);
  QCOMPARE(how_to.title, QStringLiteral("Ordalis"));
  QCOMPARE(how_to.text, QStringLiteral("This App will alpha sort ASCII text files that\r\n"
                                       "are in column format. Backup your files.\r\n"
                                       "\r\n"
                                       "Select the type of sort to be done.\r\n"
                                       "Select the # of characters when applicable.\r\n"
                                       "Select the start column when applicable."));
  QCOMPARE(platform_->ends, 0);
}

QTEST_MAIN(FrmOrdalisTest)
#include "tst_frmordalis.moc"

// The viewers as the program really starts them: copies of a recording
// stand-in named NOTEPAD.exe and EDITPADPro.exe beside the "executable",
// started by the real QtPlatformServices, for target names that a shell or an
// option parser would take apart and for names that are not valid UTF-8.
#include <algorithm>
#include <memory>
#include <optional>

#include <QtTest>
#include <QtWidgets>

#include "frmordalis.h"
#include "platformservices.h"
#include "qtplatformservices.h"

#if defined(Q_OS_UNIX)
#include <cerrno>

#include <sys/wait.h>
#endif

namespace {

// Set for the stand-ins: each appends its own path to this file as it runs.
const char kLogVariable[] = "VIEWER_STAND_IN_LOG";
constexpr int kWaitMs = 10000;

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return file.readAll();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// What the stand-in records when it was given `argument` and nothing else.
QByteArray RecordOfOneArgument(const QByteArray& argument) {
  return QByteArray("1\n") + argument + '\n';
}

// Every file or directory named `name` under `directory`, at any depth.
QStringList FindAll(const QString& directory, const QString& name) {
  QStringList found;
  QDirIterator it(directory, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (it.fileName() == name) found << path;
  }
  return found;
}

// The dialogs are answered from a script and the end is only counted, as in
// FakePlatformServices; programs are started by the real services.
class RealStartPlatform : public ordalis::PlatformServices {
 public:
  QString executable_directory;
  QList<std::optional<QString>> answers;  // When none is left the user cancels.
  QStringList messages;
  int starts_refused = 0;
  int ends = 0;

  QString ExecutableDirectory() override { return executable_directory; }

  std::optional<QString> ShowFileDialog(QFileDialog&) override {
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
  }

  bool StartDetached(const QByteArray& program, const QList<QByteArray>& arguments) override {
    const bool started = real_.StartDetached(program, arguments);
    if (!started) ++starts_refused;
    return started;
  }

  void ShowMessage(QWidget*, MessageKind, const QString&, const QString& text) override {
    messages << text;
  }

  void EndProgram() override { ++ends; }

 private:
  ordalis::QtPlatformServices real_;
};

}  // namespace

class ViewerStartTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void sortRunGivesEachViewerTheTargetAlone_data();
  void sortRunGivesEachViewerTheTargetAlone();
  void startPassesTheArgumentBytesUnchanged_data();
  void startPassesTheArgumentBytesUnchanged();
  void startOfAProgramThatCannotRunFails();

 private:
  QString AppFile(const QString& name) const { return app_->filePath(name); }
  QString Notepad() const { return AppFile(QStringLiteral("NOTEPAD.exe")); }
  QString EditPad() const { return AppFile(QStringLiteral("EDITPADPro.exe")); }
  // Waits for both stand-ins to have recorded `argument` alone, then checks
  // that they were the only programs run and that nothing was injected.
  void ExpectBothViewersGot(const QByteArray& argument);

  std::unique_ptr<QTemporaryDir> work_;  // The current directory.
  std::unique_ptr<QTemporaryDir> app_;   // The executable's directory, with the stand-ins.
  std::unique_ptr<RealStartPlatform> platform_;
  std::unique_ptr<frmOrdalis> window_;
};

void ViewerStartTest::initTestCase() {
  QVERIFY2(QFileInfo(QStringLiteral(VIEWER_STAND_IN)).isExecutable(), VIEWER_STAND_IN);
}

void ViewerStartTest::init() {
  // A command slipped into a name would run in the current directory.
  work_ = std::make_unique<QTemporaryDir>();
  QVERIFY(work_->isValid());
  QVERIFY(QDir::setCurrent(work_->path()));
  app_ = std::make_unique<QTemporaryDir>();
  QVERIFY(app_->isValid());
  for (const QString& viewer : {Notepad(), EditPad()}) {
    QVERIFY2(QFile::copy(QStringLiteral(VIEWER_STAND_IN), viewer), qPrintable(viewer));
  }
  QVERIFY(QDir(app_->path()).mkdir(QStringLiteral("out")));
  qputenv(kLogVariable, QFile::encodeName(AppFile(QStringLiteral("viewers.log"))));
  platform_ = std::make_unique<RealStartPlatform>();
  platform_->executable_directory = QDir::toNativeSeparators(app_->path());
}

void ViewerStartTest::cleanup() {
  window_.reset();
  platform_.reset();
  app_.reset();
  qunsetenv(kLogVariable);
  QDir::setCurrent(QDir::tempPath());
  work_.reset();
}

void ViewerStartTest::ExpectBothViewersGot(const QByteArray& argument) {
  const QString notepad_record = Notepad() + QStringLiteral(".args");
  const QString editpad_record = EditPad() + QStringLiteral(".args");
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(notepad_record), kWaitMs);
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(editpad_record), kWaitMs);
  QCOMPARE(ReadBytes(notepad_record), RecordOfOneArgument(argument));
  QCOMPARE(ReadBytes(editpad_record), RecordOfOneArgument(argument));

  // Each stand-in logs itself before it records, so both lines are there now.
  QByteArrayList ran = ReadBytes(AppFile(QStringLiteral("viewers.log"))).split('\n');
  QCOMPARE(ran.takeLast(), QByteArray());  // Every line ends.
  std::sort(ran.begin(), ran.end());
  QCOMPARE(ran, QByteArrayList({QFile::encodeName(EditPad()), QFile::encodeName(Notepad())}));

  for (const QString& where : {app_->path(), work_->path()}) {
    QCOMPARE(FindAll(where, QStringLiteral("pwned")), QStringList());
  }
  QCOMPARE(
      QDir(app_->path()).entryList({QStringLiteral("*.args")}, QDir::Files),
      QStringList({QStringLiteral("EDITPADPro.exe.args"), QStringLiteral("NOTEPAD.exe.args")}));

#if defined(Q_OS_UNIX)
  // Started detached: neither a running child of ours nor a zombie is left.
  errno = 0;
  QCOMPARE(::waitpid(-1, nullptr, WNOHANG), pid_t(-1));
  QCOMPARE(errno, ECHILD);
#endif
}

// Names the window's dialog can give: any text, taken apart by nothing.
void ViewerStartTest::sortRunGivesEachViewerTheTargetAlone_data() {
  QTest::addColumn<QString>("name");
  QTest::newRow("spaces") << QStringLiteral("sorted  file with spaces .dat");
  QTest::newRow("double quotes") << QStringLiteral("say \"hi\" \".dat");
  QTest::newRow("single quotes") << QStringLiteral("it's 'here' '.dat");
  QTest::newRow("semicolon") << QStringLiteral("a;touch pwned;.dat");
  QTest::newRow("command substitution") << QStringLiteral("$(touch pwned).dat");
  QTest::newRow("backquotes") << QStringLiteral("`touch pwned`.dat");
  QTest::newRow("newline") << QStringLiteral("two\nlines.dat");
  QTest::newRow("leading dash") << QStringLiteral("-n.dat");
  QTest::newRow("leading double dash") << QStringLiteral("--help");
  QTest::newRow("glob, tilde and backslash") << QStringLiteral("~ *?[a] \\x.dat");
  QTest::newRow("not ASCII") << QStringLiteral(u"tri\u00e9 \u00fc\u4e2d.dat");
}

void ViewerStartTest::sortRunGivesEachViewerTheTargetAlone() {
  QFETCH(QString, name);
  const QString source = AppFile(QStringLiteral("in.txt"));
  const QString target = AppFile(QStringLiteral("out/")) + name;
  QVERIFY(WriteBytes(source, "b\r\na\r\n"));
  platform_->answers << source << target;
  window_ = std::make_unique<frmOrdalis>(*platform_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));

  QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("GetFile")), Qt::LeftButton);
  QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("TargetFile")), Qt::LeftButton);

  // The sorted file was written under that very name, and the viewers get it.
  QCOMPARE(QDir(AppFile(QStringLiteral("out"))).entryList(QDir::Files), QStringList{name});
  QCOMPARE(ReadBytes(target), QByteArray("a\r\nb\r\n"));
  ExpectBothViewersGot(QFile::encodeName(target));
  QCOMPARE(platform_->starts_refused, 0);
  QCOMPARE(platform_->messages, QStringList());
  QCOMPARE(platform_->ends, 0);
}

// Paths as the core holds them: bytes, not necessarily valid UTF-8.
void ViewerStartTest::startPassesTheArgumentBytesUnchanged_data() {
  QTest::addColumn<QByteArray>("name");
  QTest::newRow("spaces") << QByteArray("sorted  file with spaces .dat");
  QTest::newRow("double quotes") << QByteArray("say \"hi\" \".dat");
  QTest::newRow("single quotes") << QByteArray("it's 'here' '.dat");
  QTest::newRow("semicolon") << QByteArray("a;touch pwned;.dat");
  QTest::newRow("command substitution") << QByteArray("$(touch pwned).dat");
  QTest::newRow("newline") << QByteArray("two\nlines.dat");
  QTest::newRow("leading dash") << QByteArray("-n.dat");
  QTest::newRow("not UTF-8") << QByteArray("\xff\xfe.dat");
  QTest::newRow("not UTF-8, cut sequence") << QByteArray("caf\xc3 \xe2\x82.dat");
  QTest::newRow("Latin-1") << QByteArray("tri\xe9.dat");
  QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80.dat");
}

void ViewerStartTest::startPassesTheArgumentBytesUnchanged() {
  QFETCH(QByteArray, name);
  const QByteArray target = QFile::encodeName(AppFile(QStringLiteral("out/"))) + name;
  ordalis::QtPlatformServices services;

  for (const QString& viewer : {Notepad(), EditPad()}) {
    QVERIFY(services.StartDetached(QFile::encodeName(viewer), {target}));
  }

  ExpectBothViewersGot(target);
}

void ViewerStartTest::startOfAProgramThatCannotRunFails() {
  ordalis::QtPlatformServices services;
  const QByteArray argument = QFile::encodeName(app_->path());
  QVERIFY(!services.StartDetached(QFile::encodeName(AppFile(QStringLiteral("VIEWER.exe"))),
                                  {argument}));
  QVERIFY(QFile::setPermissions(Notepad(), QFile::ReadOwner | QFile::WriteOwner));
  QVERIFY(!services.StartDetached(QFile::encodeName(Notepad()), {argument}));
  QTest::qWait(200);
  QVERIFY(!QFile::exists(AppFile(QStringLiteral("viewers.log"))));
}

QTEST_MAIN(ViewerStartTest)
#include "tst_viewerstart.moc"

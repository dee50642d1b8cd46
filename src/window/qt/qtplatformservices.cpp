#include "qtplatformservices.h"

#include <cstdlib>

#include <QtWidgets>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ordalis {

namespace {

#if defined(Q_OS_LINUX)

// Starts `program` from the bytes as they are. A Linux file name is any bytes,
// and QProcess would take them through QString and replace whatever is not
// valid UTF-8. The program runs in a grandchild, in a session of its own,
// which init adopts at once: it is never waited for and leaves no zombie.
// `program` is a path; PATH is not searched.
bool SpawnDetached(const QByteArray& program, const QList<QByteArray>& arguments) {
  if (program.isEmpty() || program.contains('\0')) return false;
  // Everything the children need is ready before fork(); after it they make
  // only async-signal-safe calls.
  std::vector<char*> argv;
  argv.reserve(static_cast<std::size_t>(arguments.size()) + 2);
  argv.push_back(const_cast<char*>(program.constData()));
  for (const QByteArray& argument : arguments) {
    if (argument.contains('\0')) return false;
    argv.push_back(const_cast<char*>(argument.constData()));
  }
  argv.push_back(nullptr);

  // Stays open until the program is running: the errno of a failed start
  // comes through it, a successful exec closes it with nothing written.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;

  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild > 0) ::_exit(0);  // The grandchild reports how its start went.
    if (grandchild == 0) {
      // Signals this program ignores are not the viewer's business.
      ::signal(SIGPIPE, SIG_DFL);
      ::signal(SIGXFSZ, SIG_DFL);
      ::execv(argv[0], argv.data());
    }
    // fork() or execv() failed.
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report[1], &error, sizeof error);
    ::_exit(127);
  }

  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got = 0;
  do {
    got = ::read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif

}  // namespace

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

bool QtPlatformServices::StartDetached(const QByteArray& program,
                                       const QList<QByteArray>& arguments) {
#if defined(Q_OS_LINUX)
  return SpawnDetached(program, arguments);
#else
  QStringList texts;
  for (const QByteArray& argument : arguments) texts << QFile::decodeName(argument);
  return QProcess::startDetached(QFile::decodeName(program), texts);
#endif
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

// Runs a program as a child process, as a script would, and collects its
// exit status and both output streams.
#pragma once

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

#if defined(_WIN32)
#include "text/wide_text.h"
#include "window/logic/windows_command_line.h"
#endif

namespace ordalis::testing {

struct ChildRun {
  int status = -1;  // The exit status, or 128 + the signal that ended it.
  std::string out;
  std::string err;
};

struct ChildSetup {
  std::filesystem::path folder;  // The working folder; empty for this one's.
  std::filesystem::path input;   // Standard input; empty for the null device.
#if !defined(_WIN32)
  // Runs in the child just before the program starts: limits, signals.
  std::function<void()> in_child;
#endif
};

#if defined(_WIN32)

// Runs `program` with `args`; its output goes through files, read back after.
inline ChildRun RunChild(const std::string& program, const std::vector<std::string>& args,
                         const ChildSetup& setup = {}) {
  std::wstring command = QuoteArgument(WideFromUtf8(program));
  for (const std::string& arg : args) command += L" " + QuoteArgument(WideFromUtf8(arg));
  const TempDir scratch;
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const auto open = [&inherited](const std::filesystem::path& path, DWORD access,
                                 DWORD disposition) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = open(setup.input.empty() ? std::filesystem::path(L"NUL") : setup.input,
                           GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = open(scratch.path() / "stdout", GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = open(scratch.path() / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  const std::wstring folder = setup.folder.wstring();
  // Wine on a busy machine now and then fails to start a process at all
  // (ERROR_INTERNAL_ERROR); a second try is what a person would do.
  bool started = false;
  for (int attempt = 0; attempt < 2 && !started; ++attempt) {
    started =
        CreateProcessW(WideFromUtf8(program).c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                       nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  ChildRun run;
  if (!started) {
    run.err = "CreateProcessW failed with error " + std::to_string(GetLastError());
    return run;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.out = ReadBytes(scratch.File("stdout"));
  run.err = ReadBytes(scratch.File("stderr"));
  return run;
}

#else

// Reads the child's two output pipes together until both close, so that
// neither fills while the other is read.
inline void ReadBoth(int out, int err, ChildRun* run) {
  pollfd pipes[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
  std::string* const sinks[2] = {&run->out, &run->err};
  char buffer[1 << 16];
  for (int open = 2; open > 0;) {
    if (poll(pipes, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (pipes[i].fd < 0 || pipes[i].revents == 0) continue;
      const ssize_t got = read(pipes[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        close(pipes[i].fd);
        pipes[i].fd = -1;
        --open;
      }
    }
  }
}

// Runs `program` with `args`; its output comes back through pipes, which no
// file-size limit of the child's touches.
inline ChildRun RunChild(const std::string& program, const std::vector<std::string>& args,
                         const ChildSetup& setup = {}) {
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const std::string input = setup.input.empty() ? "/dev/null" : setup.input.string();
  const std::string folder = setup.folder.string();

  ChildRun run;
  int out[2];
  int err[2];
  if (pipe(out) != 0) return run;
  if (pipe(err) != 0) {
    close(out[0]);
    close(out[1]);
    return run;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open(input.c_str(), O_RDONLY);
    if (in < 0 || dup2(in, 0) < 0 || dup2(out[1], 1) < 0 || dup2(err[1], 2) < 0) _exit(126);
    close(out[0]);
    close(err[0]);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    if (setup.in_child) setup.in_child();
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  ReadBoth(out[0], err[0], &run);
  int status = 0;
  pid_t waited = -1;
  do {
    waited = pid > 0 ? waitpid(pid, &status, 0) : -1;
  } while (waited < 0 && pid > 0 && errno == EINTR);
  if (waited == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (waited == pid && WIFSIGNALED(status)) run.status = 128 + WTERMSIG(status);
  return run;
}

#endif

}  // namespace ordalis::testing

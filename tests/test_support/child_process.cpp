#include "test_support/child_process.h"

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace mervanta::test {

pid_t StartChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  return pid;
}

int WaitForChild(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunInChild(const std::function<int()>& body, std::chrono::milliseconds timeout) {
  return WaitForChild(StartChild(body), timeout);
}

int RunAsNobody(const std::function<int()>& body, gid_t group) {
  return RunInChild([&] {
    if (::geteuid() == 0) {
      const int groups = group != 0 ? 1 : 0;
      if (::setgroups(static_cast<std::size_t>(groups), &group) != 0 || ::setgid(kNobody) != 0 ||
          ::setuid(kNobody) != 0) {
        return 98;
      }
    }
    return body();
  });
}

}  // namespace mervanta::test

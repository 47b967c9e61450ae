#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>

namespace mervanta::test {

// The user nobody: tests about permissions run their subject as nobody, since the superuser,
// who runs the tests in CI, passes every permission check.
inline constexpr uid_t kNobody = 65534;

// Runs the body in a copy of this process; its result becomes the exit code (99 when it
// throws).
pid_t StartChild(const std::function<int()>& body);
// The exit code of a child, or -1 when it did not exit by itself within the time.
int WaitForChild(pid_t pid, std::chrono::milliseconds timeout);
int RunInChild(const std::function<int()>& body,
               std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Runs the body in a child process as nobody, with the extra group when one is given; a
// child of a process that is not the superuser keeps its user. 98 when the user cannot be
// changed.
int RunAsNobody(const std::function<int()>& body, gid_t group = 0);

}  // namespace mervanta::test

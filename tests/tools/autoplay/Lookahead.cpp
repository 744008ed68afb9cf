#include "tests/tools/autoplay/Lookahead.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<Probe> copyProbe;  // set only in a copy
int reportFd = -1;

[[noreturn]] void Die(const char* what) {
  std::perror(what);
  std::_Exit(70);
}

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Die("autoplay: report");
    done += static_cast<std::size_t>(n);
  }
}
}  // namespace

std::string RunInCopy(std::unique_ptr<Probe> probe) {
  int fds[2];
  if (pipe(fds) != 0) Die("autoplay: pipe");
  const pid_t pid = fork();
  if (pid < 0) Die("autoplay: fork");
  if (pid == 0) {
    close(fds[0]);
    reportFd = fds[1];
    copyProbe = std::move(probe);
    throw NowACopy{};
  }
  close(fds[1]);
  std::string report;
  char buffer[4096];
  while (true) {
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Die("autoplay: read");
    if (n == 0) break;
    report.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) Die("autoplay: waitpid");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "autoplay: a look ahead failed (status %d)\n", status);
    std::exit(70);
  }
  return report;
}

bool InCopy() { return copyProbe != nullptr; }

std::string CopyLine() {
  if (std::optional<std::string> line = copyProbe->NextLine()) return *line;
  WriteAll(reportFd, copyProbe->Report());
  // No destructors, no flushing: the copy's buffers belong to the game here.
  std::_Exit(0);
}

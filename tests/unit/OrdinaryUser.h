#pragma once
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

// File permissions do not bind root, and CI runs as root. RunAsOrdinaryUser runs body as an
// ordinary user: directly when we are one, else in a forked child that becomes "nobody" after
// `folder` is given to it. The child's failures are printed by the child and fail the test here.
// Returns false, having run nothing, where no ordinary user can be had; the caller skips.
inline constexpr const char* kNoOrdinaryUser =
    "running as root and cannot become the user nobody, so file permissions cannot be tested";

[[nodiscard]] inline bool RunAsOrdinaryUser(const std::filesystem::path& folder, const std::function<void()>& body) {
  if (::geteuid() != 0) {
    body();
    return true;
  }
  const passwd* user = ::getpwnam("nobody");
  if (!user || user->pw_uid == 0) return false;
  const uid_t uid = user->pw_uid;
  const gid_t gid = user->pw_gid;
  if (::chown(folder.c_str(), uid, gid) != 0) return false;

  constexpr int kCannotDrop = 77;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 || ::geteuid() == 0)
      ::_exit(kCannotDrop);
    body();
    std::fflush(nullptr);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop) return false;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the checks run as the user nobody failed (their messages are above)";
  return true;
}

// Runs a command and appends what it cost to a file: its CPU time (user + system,
// in seconds to the microsecond) and its peak resident set (KiB), from the
// kernel's accounting of that one child. The benchmark scripts compare programs
// by these two figures; a shell's `time` counts the helper processes around the
// command too and /usr/bin/time rounds to hundredths, too coarse for the
// start-up of a small program.
//
// Usage: run_measured RESULTS-FILE COMMAND [ARGUMENT...]
//   Appends "CPU-SECONDS PEAK-KIB" as one line when the command succeeds; exits
//   with the command's status (1 when it could not run or was killed by a signal).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

double seconds(const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: run_measured RESULTS-FILE COMMAND [ARGUMENT...]\n");
    return 1;
  }
  const pid_t child = fork();
  if (child < 0) {
    std::fprintf(stderr, "run_measured: fork: %s\n", std::strerror(errno));
    return 1;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::fprintf(stderr, "run_measured: %s: %s\n", argv[2], std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::fprintf(stderr, "run_measured: wait: %s\n", std::strerror(errno));
      return 1;
    }
  }
  if (!WIFEXITED(status)) {
    std::fprintf(stderr, "run_measured: %s ended by signal %d\n", argv[2], WTERMSIG(status));
    return 1;
  }
  if (WEXITSTATUS(status) != 0) return WEXITSTATUS(status);
  std::FILE* results = std::fopen(argv[1], "a");
  if (!results) {
    std::fprintf(stderr, "run_measured: %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  std::fprintf(results, "%.6f %ld\n", seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss);
  return std::fclose(results) == 0 ? 0 : 1;
}

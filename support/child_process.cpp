#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <vector>

extern char** environ;

namespace {

// The signals that end the converter from outside (a terminal's interrupt, a
// service manager's stop, a closed terminal).
constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
// How long the child's group has to end on the signal it got before it is killed.
constexpr int graceMilliseconds = 2000;
constexpr size_t chunkSize = 65536;

/// While it lives, the ending signals the converter does not ignore and SIGCHLD are
/// blocked and read from a descriptor instead, so that the wait below sees them.
class SignalWatch {
 public:
  SignalWatch() {
    sigemptyset(&watched_);
    for (int signal : endingSignals) {
      struct sigaction action {};
      // A signal the converter was started to ignore (nohup) does not end it, nor its child.
      if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) sigaddset(&watched_, signal);
    }
    sigaddset(&watched_, SIGCHLD);
    // An ignored SIGCHLD would have the child reaped before its status is read.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigaction(SIGCHLD, nullptr, &childAction_);
    if (childAction_.sa_handler == SIG_IGN || (childAction_.sa_flags & SA_NOCLDWAIT))
      sigaction(SIGCHLD, &defaultAction, nullptr);
    sigprocmask(SIG_BLOCK, &watched_, &previous_);
    descriptor_ = signalfd(-1, &watched_, SFD_CLOEXEC | SFD_NONBLOCK);
  }
  ~SignalWatch() {
    if (descriptor_ >= 0) close(descriptor_);
    sigprocmask(SIG_SETMASK, &previous_, nullptr);
    sigaction(SIGCHLD, &childAction_, nullptr);
  }
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

  int descriptor() const { return descriptor_; }
  /// The mask the child starts with: the converter's own before the watch.
  const sigset_t& previousMask() const { return previous_; }
  /// The next signal that arrived, or 0.
  int take() const {
    signalfd_siginfo info;
    return read(descriptor_, &info, sizeof info) == ssize_t(sizeof info) ? int(info.ssi_signo) : 0;
  }

 private:
  sigset_t watched_;
  sigset_t previous_;
  struct sigaction childAction_ {};
  int descriptor_ = -1;
};

/// The read ends of the child's output pipes, -1 once a stream has ended.
struct OutputPipes {
  int output[2] = {-1, -1};
  int errors[2] = {-1, -1};

  bool open() { return pipe2(output, O_CLOEXEC) == 0 && pipe2(errors, O_CLOEXEC) == 0; }
  void closeWriteEnds() {
    for (int* end : {&output[1], &errors[1]}) closeEnd(*end);
  }
  ~OutputPipes() {
    for (int* end : {&output[0], &output[1], &errors[0], &errors[1]}) closeEnd(*end);
  }
  static void closeEnd(int& end) {
    if (end >= 0) close(end);
    end = -1;
  }
};

// The child starts with the converter's own signal mask, in a process group whose
// id is its own process id.
int spawnChild(pid_t& child, const QByteArray& program, std::vector<char*>& argv, const QByteArray& directory,
               const OutputPipes& pipes, const sigset_t& mask) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipes.output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipes.errors[1], STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, directory.constData());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setsigmask(&attributes, &mask);
  const int error = posix_spawn(&child, program.constData(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

int64_t nowMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

/// Waits for one child, handing its output on as it arrives and passing the
/// ending signals to its group.
class ChildWait {
 public:
  ChildWait(pid_t child, OutputPipes& pipes, const SignalWatch& watch, const OutputChunkHandler& output,
            const OutputChunkHandler& errors)
      : child_(child), pipes_(pipes), signals_(watch), output_(output), errors_(errors) {}

  /// Returns once the child has ended (not yet reaped); interruption() tells what ended the converter.
  void run();
  int interruption() const { return interruption_; }

 private:
  void readChunk(int& descriptor, const OutputChunkHandler& handler);
  void drain(int& descriptor, const OutputChunkHandler& handler);
  void handleSignals();
  bool childEnded() const;

  const pid_t child_;
  OutputPipes& pipes_;
  const SignalWatch& signals_;
  const OutputChunkHandler& output_;
  const OutputChunkHandler& errors_;
  int interruption_ = 0;
  int64_t killAt_ = 0;
  bool ended_ = false;
};

// Until the child ends: output is read as it comes, so a full pipe never stalls
// the child, and lines of both streams keep their order in a file they share.
void ChildWait::run() {
  while (!ended_) {
    pollfd watched[] = {
        {pipes_.output[0], POLLIN, 0}, {pipes_.errors[0], POLLIN, 0}, {signals_.descriptor(), POLLIN, 0}};
    int timeout = -1;
    if (interruption_ != 0 && killAt_ > 0) timeout = int(std::max<int64_t>(0, killAt_ - nowMilliseconds()));
    const int ready = poll(watched, 3, timeout);
    if (ready < 0 && errno != EINTR) break;
    if (ready == 0 && killAt_ > 0) {
      kill(-child_, SIGKILL);
      killAt_ = 0;
    }
    // One chunk per stream and turn, so that a stream that never pauses cannot
    // keep a signal waiting.
    readChunk(pipes_.output[0], output_);
    readChunk(pipes_.errors[0], errors_);
    handleSignals();
  }
  drain(pipes_.output[0], output_);
  drain(pipes_.errors[0], errors_);
}

void ChildWait::readChunk(int& descriptor, const OutputChunkHandler& handler) {
  if (descriptor < 0) return;
  char chunk[chunkSize];
  const ssize_t count = read(descriptor, chunk, sizeof chunk);
  if (count > 0)
    handler(chunk, size_t(count));
  else if (count == 0 || (errno != EINTR && errno != EAGAIN))
    OutputPipes::closeEnd(descriptor);
}

// What the pipe holds once the child has ended, and no more: a descendant that
// keeps writing to it does not hold the converter.
void ChildWait::drain(int& descriptor, const OutputChunkHandler& handler) {
  int available = 0;
  if (descriptor < 0 || ioctl(descriptor, FIONREAD, &available) != 0) return;
  char chunk[chunkSize];
  while (available > 0) {
    const ssize_t count = read(descriptor, chunk, std::min(sizeof chunk, size_t(available)));
    if (count <= 0) return;
    handler(chunk, size_t(count));
    available -= int(count);
  }
}

// The first ending signal goes on to the child's group, with a grace period; a
// second one, or the end of the grace period, kills the group.
void ChildWait::handleSignals() {
  for (int signal; (signal = signals_.take()) != 0;) {
    if (signal == SIGCHLD) {
      ended_ = ended_ || childEnded();
    } else if (interruption_ == 0) {
      interruption_ = signal;
      kill(-child_, signal);
      killAt_ = nowMilliseconds() + graceMilliseconds;
    } else {
      kill(-child_, SIGKILL);
      killAt_ = 0;
    }
  }
}

// Asked without reaping: the group id stays the child's until it is reaped, so no
// later process can take it while the group may still be signalled.
bool ChildWait::childEnded() const {
  siginfo_t info{};
  return waitid(P_PID, id_t(child_), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == child_;
}

ChildExit exitOf(int status) {
  if (WIFEXITED(status)) return {ChildExit::Exited, WEXITSTATUS(status)};
  return {ChildExit::Crashed, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}

}  // namespace

ChildExit runChildProcess(const QString& program, const QString& name, const QStringList& arguments,
                          const QString& workingDirectory, const OutputChunkHandler& output,
                          const OutputChunkHandler& errors) {
  std::vector<QByteArray> words{QFile::encodeName(name)};
  for (const QString& argument : arguments) words.push_back(argument.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  OutputPipes pipes;
  if (!pipes.open()) return {ChildExit::FailedToStart, errno};
  int interruption = 0;
  int status = 0;
  {
    const SignalWatch watch;
    if (watch.descriptor() < 0) return {ChildExit::FailedToStart, errno};
    pid_t child = 0;
    const int error = spawnChild(child, QFile::encodeName(program), argv, QFile::encodeName(workingDirectory), pipes,
                                 watch.previousMask());
    pipes.closeWriteEnds();
    if (error != 0) return {ChildExit::FailedToStart, error};
    for (int* end : {&pipes.output[0], &pipes.errors[0]}) fcntl(*end, F_SETFL, O_NONBLOCK);
    ChildWait wait(child, pipes, watch, output, errors);
    wait.run();
    interruption = wait.interruption();
    // What the child left running in its group ends with it when the converter does.
    if (interruption != 0) kill(-child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  // The signal was taken from the queue while it was blocked: sent again, it ends
  // the converter as it would have.
  if (interruption != 0) raise(interruption);
  return exitOf(status);
}

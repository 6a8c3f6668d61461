#pragma once
// A program run as a child process in a process group of its own, its two output
// streams read as they arrive, and ended with the converter: a signal that ends
// the converter while the child runs ends the child's whole group first.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>

/// How a child process ended.
struct ChildExit {
  enum Outcome { Exited, Crashed, FailedToStart };
  Outcome outcome = Exited;
  /// The exit status (Exited), the signal that ended the child (Crashed) or the
  /// error number that kept it from starting (FailedToStart).
  int code = 0;
};

/// Takes the next bytes of one output stream.
using OutputChunkHandler = std::function<void(const char* bytes, size_t size)>;

/// Runs the program file at program with name as its first argument and then
/// arguments, in workingDirectory, with standard input from /dev/null, and waits
/// for it. The child leads a new process group. When SIGINT, SIGTERM, SIGHUP or
/// SIGQUIT (one the converter does not ignore) arrives meanwhile, the group gets
/// that signal, and SIGKILL if the child has not ended 2 seconds later or on a
/// second signal; then the converter ends by the signal it got, as it would have
/// without a child.
ChildExit runChildProcess(const QString& program, const QString& name, const QStringList& arguments,
                          const QString& workingDirectory, const OutputChunkHandler& output,
                          const OutputChunkHandler& errors);

#include "support/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "support/diagnostics.h"

namespace {

// Keeps a temporary file's name well below the file system's name limit however
// long the target's name is.
constexpr size_t maximumStemLength = 64;
constexpr int temporaryNameAttempts = 100;

// What stands at the target path now.
struct Target {
  bool replacesFile = false;
  mode_t mode = 0;
};

/// Why a write failed, thrown inside this file and reported by writeFileAtomically.
struct WriteFailure {
  std::string reason;
};

[[noreturn]] void fail(int error) { throw WriteFailure{std::strerror(error)}; }

std::string directoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

Target inspectTarget(const char* path) {
  struct stat status;
  if (lstat(path, &status) != 0) {
    if (errno != ENOENT) fail(errno);
    return {};
  }
  if (S_ISLNK(status.st_mode)) return {};  // the link itself is replaced
  if (S_ISDIR(status.st_mode)) fail(EISDIR);
  if (!S_ISREG(status.st_mode)) throw WriteFailure{"not a regular file"};
  // A rename would replace a read-only file too; its owner made it read-only to keep it.
  if (access(path, W_OK) != 0) fail(errno);
  return {true, status.st_mode & 0777};
}

/// A name beside path for the finished file just before it replaces path: hidden,
/// with a random part so that runs writing the same target at once never share one.
std::string temporaryNameFor(const std::string& path) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x~", QRandomGenerator::global()->generate());
  return directoryOf(path) + "/." + fileNameOf(path).substr(0, maximumStemLength) + suffix;
}

/// The file being written. It has no name while it is written (O_TMPFILE): a run
/// killed at any moment, by any signal, leaves nothing behind. Where the file
/// system cannot make unnamed files, or nothing could name one later, it is
/// named from the start and removed on failure.
struct TemporaryFile {
  int descriptor = -1;
  std::string path;  // empty while the file has no name
  std::string link;  // the descriptor's link, through which an unnamed file is named
};

// Created with 0666, so the umask applies. An unnamed file is named through its
// descriptor's link in /proc; without /proc (a chroot, a small container) it
// could never be named, so the file is named from the start instead.
TemporaryFile createTemporaryFile(const std::string& path, const char* descriptorLinks) {
  TemporaryFile file;
  file.descriptor = open(directoryOf(path).c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
  if (file.descriptor >= 0) {
    file.link = std::string(descriptorLinks) + "/" + std::to_string(file.descriptor);
    if (access(file.link.c_str(), F_OK) == 0) return file;
    close(file.descriptor);
    file.link.clear();
  } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return file;
  }
  for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
    file.path = temporaryNameFor(path);
    file.descriptor = open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file.descriptor >= 0 || errno != EEXIST) return file;
  }
  return file;
}

/// Blocks the signals that end a run while a finished file takes its place, so
/// that no signal leaves it under its temporary name (SIGKILL cannot be
/// blocked; the window is one link and one rename).
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
    sigprocmask(SIG_BLOCK, &held, &previous_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

// Gives an unnamed file a name beside path; errno tells why it could not.
bool nameTemporaryFile(TemporaryFile& file, const std::string& path) {
  if (!file.path.empty()) return true;
  for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
    const std::string name = temporaryNameFor(path);
    if (linkat(AT_FDCWD, file.link.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      file.path = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// A file system that cannot sync (EINVAL) gives what durability it has.
bool syncFile(int descriptor) { return fsync(descriptor) == 0 || errno == EINVAL; }

// Makes the rename itself durable; where a directory cannot be synced the file is
// in place all the same, so nothing is reported.
void syncDirectory(const std::string& directory) {
  const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

// Fills the temporary file; errno holds the reason when it returns false.
bool fillTemporaryFile(int descriptor, const Target& target, const ByteProducer& produce) {
  if (target.replacesFile && fchmod(descriptor, target.mode) != 0) return false;
  bool written = true;
  int error = 0;
  produce([&](std::string_view bytes) {
    if (!written) return;
    written = writeAll(descriptor, bytes);
    if (!written) error = errno;
  });
  if (!written) {
    errno = error;
    return false;
  }
  return syncFile(descriptor);
}

void writeLocalFile(const char* path, const ByteProducer& produce, const char* descriptorLinks) {
  const Target target = inspectTarget(path);
  // A file named from the start is written with the signals held, so that an
  // interrupted run never leaves it behind.
  std::optional<SignalsHeld> held;
  TemporaryFile file = createTemporaryFile(path, descriptorLinks);
  if (file.descriptor < 0) fail(errno);
  if (!file.path.empty()) held.emplace();
  bool done = fillTemporaryFile(file.descriptor, target, produce);
  int error = errno;
  if (!held) held.emplace();
  if (done && !nameTemporaryFile(file, path)) {
    done = false;
    error = errno;
  }
  if (close(file.descriptor) != 0 && done) {
    done = false;
    error = errno;
  }
  if (done && rename(file.path.c_str(), path) == 0) {
    syncDirectory(directoryOf(path));
    return;
  }
  if (done) error = errno;
  if (!file.path.empty()) unlink(file.path.c_str());
  fail(error);
}

}  // namespace

void writeFileAtomically(const QString& path, const ByteProducer& produce, const char* descriptorLinks) {
  try {
    writeLocalFile(QFile::encodeName(path).constData(), produce, descriptorLinks);
  } catch (const WriteFailure& failure) {
    throw ConversionError(QStringLiteral("cannot write ") + path + QStringLiteral(": ") +
                          QString::fromLocal8Bit(failure.reason.c_str()));
  }
}

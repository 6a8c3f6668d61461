#include "support/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

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

/// Why a write failed, thrown inside this file and reported by AtomicFile.
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
// could never be named, so the file is named from the start instead. Opened
// write-only, or O_RDWR for a file that is read back.
TemporaryFile createTemporaryFile(const std::string& path, const char* descriptorLinks, int accessFlags = O_WRONLY) {
  TemporaryFile file;
  file.descriptor = open(directoryOf(path).c_str(), accessFlags | O_TMPFILE | O_CLOEXEC, 0666);
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
    file.descriptor = open(file.path.c_str(), accessFlags | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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

// Appends length bytes of from, from offset on, to the end of to, through a buffer.
bool copyThroughBuffer(int from, off_t offset, size_t length, int to) {
  char buffer[64 * 1024];
  while (length > 0) {
    const ssize_t read = pread(from, buffer, std::min(length, sizeof buffer), offset);
    if (read < 0 && errno == EINTR) continue;
    if (read == 0) errno = EIO;  // the file is shorter than what was kept in it
    if (read <= 0 || !writeAll(to, std::string_view(buffer, size_t(read)))) return false;
    offset += read;
    length -= size_t(read);
  }
  return true;
}

// The same, copied by the kernel where it can copy between the two files.
bool copyRange(int from, off_t offset, size_t length, int to) {
  while (length > 0) {
    const ssize_t copied = copy_file_range(from, &offset, to, nullptr, length, 0);
    if (copied < 0 && errno == EINTR) continue;
    if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL))
      return copyThroughBuffer(from, offset, length, to);
    if (copied == 0) errno = EIO;
    if (copied <= 0) return false;
    length -= size_t(copied);
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

}  // namespace

/// The file being written and what it holds back: its descriptor and name are
/// given up when it goes, with the signals held while a named file is removed.
struct AtomicFile::Temporary {
  Temporary() = default;
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;
  ~Temporary() {
    if (file.descriptor >= 0) close(file.descriptor);
    if (!file.path.empty()) unlink(file.path.c_str());
    if (kept >= 0) close(kept);
  }

  std::string target;  // path as the file system takes it
  std::string descriptorLinks;
  std::optional<SignalsHeld> held;
  TemporaryFile file;
  // The file bytes kept aside wait in (AtomicFile::keep), opened at the first,
  // and its size. It is never named, or unnamed as soon as it is open.
  int kept = -1;
  off_t keptSize = 0;
};

AtomicFile::AtomicFile(const QString& path, const char* descriptorLinks)
    : path_(path), temporary_(std::make_unique<Temporary>()) {
  Temporary& temporary = *temporary_;
  temporary.target = QFile::encodeName(path).toStdString();
  temporary.descriptorLinks = descriptorLinks;
  try {
    const Target target = inspectTarget(temporary.target.c_str());
    temporary.file = createTemporaryFile(temporary.target, descriptorLinks);
    if (temporary.file.descriptor < 0) fail(errno);
    // A file named from the start is written with the signals held, so that an
    // interrupted run never leaves it behind.
    if (!temporary.file.path.empty()) temporary.held.emplace();
    if (target.replacesFile && fchmod(temporary.file.descriptor, target.mode) != 0) fail(errno);
  } catch (const WriteFailure& failure) {
    failWith(failure.reason);
  }
}

AtomicFile::~AtomicFile() = default;

bool AtomicFile::isUnnamed() const { return temporary_->file.path.empty(); }

void AtomicFile::write(std::string_view bytes) {
  if (!writeAll(temporary_->file.descriptor, bytes)) failWith(std::strerror(errno));
}

void AtomicFile::keep(std::string_view bytes, Kept& kept) {
  Temporary& temporary = *temporary_;
  if (temporary.kept < 0) {
    TemporaryFile file = createTemporaryFile(temporary.target, temporary.descriptorLinks.c_str(), O_RDWR);
    if (file.descriptor < 0 || (!file.path.empty() && unlink(file.path.c_str()) != 0)) {
      const int error = errno;
      if (file.descriptor >= 0) close(file.descriptor);
      failWith(std::strerror(error));
    }
    temporary.kept = file.descriptor;
  }
  // Only the last bytes kept can grow: nothing else may be kept in between.
  Q_ASSERT(kept.length == 0 || kept.offset + off_t(kept.length) == temporary.keptSize);
  if (kept.length == 0) kept.offset = temporary.keptSize;
  if (!writeAll(temporary.kept, bytes)) failWith(std::strerror(errno));
  temporary.keptSize += off_t(bytes.size());
  kept.length = size_t(temporary.keptSize - kept.offset);
}

void AtomicFile::writeKept(const Kept& kept) {
  const Temporary& temporary = *temporary_;
  if (kept.length > 0 && !copyRange(temporary.kept, kept.offset, kept.length, temporary.file.descriptor))
    failWith(std::strerror(errno));
}

void AtomicFile::commit() {
  Temporary& temporary = *temporary_;
  if (!syncFile(temporary.file.descriptor)) failWith(std::strerror(errno));
  if (!temporary.held) temporary.held.emplace();
  if (!nameTemporaryFile(temporary.file, temporary.target)) failWith(std::strerror(errno));
  if (close(std::exchange(temporary.file.descriptor, -1)) != 0) failWith(std::strerror(errno));
  if (rename(temporary.file.path.c_str(), temporary.target.c_str()) != 0) failWith(std::strerror(errno));
  temporary.file.path.clear();  // the name is the target's now
  syncDirectory(directoryOf(temporary.target));
  temporary.held.reset();
}

void AtomicFile::failWith(const std::string& reason) const {
  throw ConversionError(QStringLiteral("cannot write ") + path_ + QStringLiteral(": ") +
                        QString::fromLocal8Bit(reason.c_str()));
}

void writeFileAtomically(const QString& path, const ByteProducer& produce, const char* descriptorLinks) {
  AtomicFile file(path, descriptorLinks);
  produce([&file](std::string_view bytes) { file.write(bytes); });
  file.commit();
}

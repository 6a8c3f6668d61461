#include "support/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

using Reason = FileNotRead::Reason;

ssize_t readSome(int descriptor, char* into, size_t size) {
  ssize_t count;
  do count = read(descriptor, into, size);
  while (count < 0 && errno == EINTR);
  return count;
}

// A read that would block has no data yet: the file is being written as it is read.
[[noreturn]] void failRead() { throw FileNotRead{errno == EAGAIN ? Reason::SizeUnknown : Reason::Unreadable}; }

// The size fstat gives, read in one allocation; a file that ends before it is
// what it holds (a /sys file reports a page). One more byte, or a read that
// would block, shows that the size was no size at all.
WholeFile readOpenFile(int descriptor) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) throw FileNotRead{Reason::Unreadable};
  if (status.st_size > maximumFileBytes) throw FileNotRead{Reason::TooLarge};
  WholeFile file{QByteArray(qsizetype(status.st_size), Qt::Uninitialized), quint64(status.st_dev),
                 quint64(status.st_ino)};
  qsizetype filled = 0;
  while (filled < file.bytes.size()) {
    const ssize_t count = readSome(descriptor, file.bytes.data() + filled, size_t(file.bytes.size() - filled));
    if (count < 0) failRead();
    if (count == 0) break;
    filled += count;
  }
  file.bytes.truncate(filled);
  char more;
  const ssize_t count = readSome(descriptor, &more, 1);
  if (count > 0) throw FileNotRead{Reason::SizeUnknown};
  if (count < 0) failRead();
  return file;
}

}  // namespace

QString FileNotRead::refusal(const char* kind) const {
  if (reason == Reason::TooLarge)
    return QStringLiteral("larger than %1 MiB, the most %2 may be")
        .arg(maximumFileBytes >> 20)
        .arg(QLatin1String(kind));
  return QStringLiteral("not read: the system gives no size for it before it is read (a file of /proc or /sys)");
}

WholeFile readWholeFile(const char* path) {
  struct stat status {};
  if (stat(path, &status) != 0 || !S_ISREG(status.st_mode)) throw FileNotRead{Reason::Unreadable};
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) throw FileNotRead{Reason::Unreadable};
  try {
    WholeFile file = readOpenFile(descriptor);
    close(descriptor);
    return file;
  } catch (const FileNotRead&) {
    close(descriptor);
    throw;
  }
}

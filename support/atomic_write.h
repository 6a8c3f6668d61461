#pragma once
// Replacing a file so that it never holds a part of its new content: a run that is
// killed or fails part-way leaves the previous file as it was.

#include <sys/types.h>

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

/// Takes the next piece of a file's bytes.
using ByteSink = std::function<void(std::string_view bytes)>;
/// Hands all of a file's bytes, piece by piece and in order, to the sink it is given.
using ByteProducer = std::function<void(const ByteSink& sink)>;

/// A file that replaces path only once it is whole: a new temporary file in the
/// same directory, written piece by piece, flushed to the disk and renamed over
/// path by commit. A file not committed is dropped with the object, so a failure
/// anywhere before commit leaves path as it was; the file may be opened long
/// before it is complete. The temporary file has no name until it is complete, so a run killed at any
/// moment leaves nothing behind. A symbolic link at path is replaced by the file,
/// never followed. An existing regular file must be writable by the user and lends
/// the new one its permission bits; a new file gets 0666 less the umask. Anything
/// else at path (a directory, a device) is refused. Every failure throws
/// ConversionError "cannot write <path>: <reason>" (reason such as "Permission
/// denied"). descriptorLinks is where the process's descriptors have links,
/// through which the unnamed file gets its name; where it does not exist (no
/// /proc mounted) the file is named from the start, with the same guarantees, and
/// the signals that end a run are held until the object goes. Tests name another.
class AtomicFile {
 public:
  /// Opens the temporary file for path.
  explicit AtomicFile(const QString& path, const char* descriptorLinks = "/proc/self/fd");
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();

  /// True when the temporary file has no name until commit: nothing shows in its
  /// directory while it is written.
  bool isUnnamed() const;
  /// Appends bytes. After a failure the file is only good for dropping.
  void write(std::string_view bytes);

  /// Where bytes kept aside lie (keep); empty until some are kept.
  struct Kept {
    off_t offset = 0;
    size_t length = 0;
  };
  /// Keeps bytes aside, to be appended later by writeKept: text that belongs after
  /// text not yet made. They wait on the disk, in a second unnamed file beside the
  /// temporary one, not in memory. Bytes kept into the kept last added to
  /// extend it.
  void keep(std::string_view bytes, Kept& kept);
  /// Appends bytes kept aside (the kernel copies them from file to file).
  void writeKept(const Kept& kept);
  /// Flushes the file to the disk and renames it over path.
  void commit();

 private:
  struct Temporary;
  [[noreturn]] void failWith(const std::string& reason) const;

  QString path_;
  std::unique_ptr<Temporary> temporary_;
};

/// Writes the bytes produce makes to path through an AtomicFile; the bytes are
/// made while they are written, so a large file is never held in memory as a whole.
void writeFileAtomically(const QString& path, const ByteProducer& produce,
                         const char* descriptorLinks = "/proc/self/fd");

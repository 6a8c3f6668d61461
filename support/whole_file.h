#pragma once
// Reading a file whole: only a regular file, no more than one cap, and never by
// a read that could block (a file of /proc or /sys that the kernel fills as it
// is read, a pipe, a device) or run for ever.

#include <QByteArray>
#include <QString>

/// The most bytes of any file the tool reads: workspace, project and ICF files,
/// templates files, solution files and the files they include. No real one comes
/// near; a larger one is refused before it is read.
inline constexpr qint64 maximumFileBytes = qint64(256) << 20;

/// Why a file was not read whole; thrown by readWholeFile.
struct FileNotRead {
  enum class Reason { Unreadable, TooLarge, SizeUnknown };
  Reason reason;

  /// Why a file too large or of unknown size was not read, as the end of a
  /// message about it; kind says what it is ("a workspace or project file").
  QString refusal(const char* kind) const;
};

/// A file read whole.
struct WholeFile {
  QByteArray bytes;
  /// The device and inode of the file read.
  quint64 device = 0;
  quint64 inode = 0;
};

/// Reads the file at path (local 8-bit encoding) whole. Throws FileNotRead:
/// Unreadable when it does not exist, cannot be opened or is no regular file
/// (checked before it is opened, since opening a device can act on it, and again
/// on what was opened); TooLarge when it is larger than maximumFileBytes;
/// SizeUnknown when it holds other than the size the system gives for it, as the
/// files of /proc and /sys do that a program writes as they are read (opened
/// without blocking, such a file is refused rather than waited for).
WholeFile readWholeFile(const char* path);

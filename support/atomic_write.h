#pragma once
// Replacing a file so that it never holds a part of its new content: a run that is
// killed or fails part-way leaves the previous file as it was.

#include <QString>
#include <functional>
#include <string>
#include <string_view>

/// Takes the next piece of a file's bytes.
using ByteSink = std::function<void(std::string_view bytes)>;
/// Hands all of a file's bytes, piece by piece and in order, to the sink it is given.
using ByteProducer = std::function<void(const ByteSink& sink)>;

/// Writes the bytes produce makes to path through a new temporary file in the same
/// directory that is flushed to the disk and then renamed over path; the bytes are
/// made while they are written, so a large file is never held in memory as a whole.
/// The temporary file has no name until it is complete, so a run killed at any
/// moment leaves nothing behind. A symbolic link at path is replaced by the file,
/// never followed. An existing regular file must be writable by the user and lends
/// the new one its permission bits; a new file gets 0666 less the umask. Anything
/// else at path (a directory, a device) is refused. On failure the temporary file is
/// removed, path is untouched, and ConversionError "cannot write <path>: <reason>"
/// is thrown (reason such as "Permission denied"). descriptorLinks is where the
/// process's descriptors have links, through which the unnamed file gets its name;
/// where it does not exist (no /proc mounted) the file is named from the start,
/// with the same guarantees. Tests name another.
void writeFileAtomically(const QString& path, const ByteProducer& produce,
                         const char* descriptorLinks = "/proc/self/fd");

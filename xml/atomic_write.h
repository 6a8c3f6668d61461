#pragma once
// Replacing a file so that it never holds a part of its new content: a run that is
// killed or fails part-way leaves the previous file as it was.

#include <functional>
#include <string>
#include <string_view>

/// Takes the next piece of a file's bytes.
using ByteSink = std::function<void(std::string_view bytes)>;
/// Hands all of a file's bytes, piece by piece and in order, to the sink it is given.
using ByteProducer = std::function<void(const ByteSink& sink)>;

/// Writes bytes to path through a new temporary file in the same directory that is
/// flushed to the disk and then renamed over path. The temporary file has no name
/// until it is complete, so a run killed at any moment leaves nothing behind. A symbolic link at path is
/// replaced by the file, never followed. An existing regular file must be writable
/// by the user and lends the new one its permission bits; a new file gets 0666 less
/// the umask. Anything else at path (a directory, a device) is refused. On failure
/// reason is set (such as "Permission denied"), the temporary file is removed, and
/// path is untouched.
bool writeFileAtomically(const char* path, std::string_view bytes, std::string& reason);
/// The same, with the bytes made while they are written, so a large file is never
/// held in memory as a whole. Once a piece fails to be written, the rest is dropped.
/// descriptorLinks is where the process's descriptors have links, through which
/// the unnamed file gets its name; where it does not exist (no /proc mounted) the
/// file is named from the start, with the same guarantees. Tests name another.
bool writeFileAtomically(const char* path, const ByteProducer& produce, std::string& reason,
                         const char* descriptorLinks = "/proc/self/fd");

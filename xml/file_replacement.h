#pragma once
// Replacing a file's contents without ever leaving it half written.

#include <string_view>

/// Writes contents to a temporary file in the directory of path and renames it over
/// path, so a failed write leaves the previous file (or none) and no partial one.
/// A symbolic link at path is followed; the file keeps its permission bits (a new one
/// gets those the umask allows). False when any step fails; the temporary file is removed.
bool replaceFile(const char* path, std::string_view contents);

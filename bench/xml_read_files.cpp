// The baseline of the conversion benchmarks: the project's own XML parser reading
// the same project files the conversion reads, one document at a time, and nothing
// else. A conversion cannot do less than this, so its CPU time over this program's
// is how far it is from the speed of the bytes.
//
// Usage: xml_read_files PATH...
//   A file is parsed whatever its name; a directory stands for every uVision and
//   IAR project file below it ("*.uvprojx", "*.uvproj", "*.ewp"), in name order.
// Exit status 1 (with the parser's message) when a file does not parse, so that a
// broken generator is not mistaken for a fast one.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "xml/xml_document.h"

namespace {

bool isProjectFile(const std::filesystem::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".uvprojx" || extension == ".uvproj" || extension == ".ewp";
}

// The files a command-line argument stands for; an error message when it names nothing readable.
bool collectFiles(const std::filesystem::path& argument, std::vector<std::filesystem::path>& files) {
  std::error_code error;
  if (!std::filesystem::is_directory(argument, error)) {
    files.push_back(argument);
    return true;
  }
  std::vector<std::filesystem::path> found;
  for (auto entry = std::filesystem::recursive_directory_iterator(argument, error);
       !error && entry != std::filesystem::recursive_directory_iterator(); entry.increment(error)) {
    if (entry->is_regular_file(error) && isProjectFile(entry->path())) found.push_back(entry->path());
  }
  if (error) {
    std::fprintf(stderr, "xml_read_files: %s: %s\n", argument.c_str(), error.message().c_str());
    return false;
  }
  std::sort(found.begin(), found.end());
  files.insert(files.end(), found.begin(), found.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: xml_read_files PATH...\n");
    return 1;
  }
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    if (!collectFiles(argv[i], files)) return 1;
  }
  for (const std::filesystem::path& file : files) {
    // The parser's default, without character-data nodes: the speed of the bytes the
    // conversion's goals are stated against (keeping the texts takes about twice as long).
    XMLDocument document;
    if (!document.parseFile(file.c_str())) {
      std::fprintf(stderr, "xml_read_files: %s:%d: %s\n", file.c_str(), static_cast<int>(document.errorLine),
                   document.errorMessage.c_str());
      return 1;
    }
  }
  return 0;
}

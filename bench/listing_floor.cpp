// The least that looking a workspace's files up on the disk costs: every
// directory below the working directory is listed once, its names kept in a
// hash set, as the IAR peer does with PEER_LIST=1. A uVision conversion looks
// its files up so (to spell each name as the disk does, Windows ignoring case);
// the uVision peer does not, so bench/conversions.sh shows this beside it.

#include <dirent.h>

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

std::unordered_map<std::string, std::unordered_set<std::string>> listings;

void listBelow(const std::string& directory) {
  DIR* opened = opendir(directory.c_str());
  if (!opened) return;
  std::unordered_set<std::string>& names = listings[directory];
  std::unordered_set<std::string> subdirectories;
  while (const dirent* entry = readdir(opened)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    names.insert(name);
    if (entry->d_type == DT_DIR) subdirectories.insert(name);
  }
  closedir(opened);
  for (const std::string& name : subdirectories) listBelow(directory + "/" + name);
}

}  // namespace

int main() {
  listBelow(".");
  return listings.empty() ? 1 : 0;
}

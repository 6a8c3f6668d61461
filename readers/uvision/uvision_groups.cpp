#include "readers/uvision/uvision_groups.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "foreign/foreign_files.h"
#include "foreign/foreign_lookups.h"
#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "readers/uvision/uvision_compile_settings.h"
#include "readers/uvision/uvision_target_settings.h"

namespace {

bool isLibraryPath(const QString& path) {
  const std::u16string_view text(reinterpret_cast<const char16_t*>(path.constData()), size_t(path.size()));
  if (text.empty()) return false;
  // The last character first: nearly every path is a source file's.
  return (text.back() == u'b' && text.ends_with(u".lib")) || (text.back() == u'a' && text.ends_with(u".a"));
}

/// The tag names a target's groups are read by: each compared as text once, then
/// by identity (a project has thousands of files).
struct GroupTags {
  TagMatcher files{"Files"};
  TagMatcher file{"File"};
  TagMatcher fileName{"FileName"};
  TagMatcher filePath{"FilePath"};
  TagMatcher fileOption{"FileOption"};
};

// The "File" elements of a group: those of every "Files" child (generators such
// as RT-Thread's write one "Files" per file), and only of its own children, so
// that groups nested inside each other (which uVision never writes) do not count
// a file once for every enclosing group.
std::vector<ForeignElement> groupFiles(const ForeignElement& group, GroupTags& tags) {
  std::vector<ForeignElement> files;
  for (const ForeignElement list : group.children()) {
    if (!tags.files.matches(list)) continue;
    for (const ForeignElement entry : list.children())
      if (tags.file.matches(entry)) files.push_back(entry);
  }
  return files;
}

/// The children of a "File" element that the reader uses (the first of each
/// name), found in one pass; "FileOption" is rare, and null when absent.
struct FileEntry {
  ForeignElement name;
  ForeignElement path;
  ForeignElement options;
};

FileEntry fileEntry(const ForeignElement& file, GroupTags& tags) {
  FileEntry entry;
  for (const ForeignElement child : file.children()) {
    if (entry.name.isNull() && tags.fileName.matches(child))
      entry.name = child;
    else if (entry.path.isNull() && tags.filePath.matches(child))
      entry.path = child;
    else if (entry.options.isNull() && tags.fileOption.matches(child))
      entry.options = child;
  }
  return entry;
}

// toForwardSlashes(element.firstChildText()), made straight from the document's
// bytes where they are ASCII (nearly every path): one string made, one pass.
QString forwardSlashedText(const ForeignElement& element) {
  if (!element.firstChildIsAscii()) return toForwardSlashes(element.firstChildText());
  const std::string_view text = element.firstChildUtf8();
  return toForwardSlashes(QLatin1StringView(text.data(), qsizetype(text.size())));
}

// name is the last component of path (what follows its last "/"), compared
// from the end without a search for the "/".
bool isLastComponent(QLatin1StringView name, const QString& path) {
  const qsizetype start = path.size() - name.size();
  if (start < 0 || (start > 0 && path[start - 1] != QLatin1Char('/'))) return false;
  const QChar* component = path.constData() + start;
  for (qsizetype i = 0; i < name.size(); ++i)
    if (component[i] != name[i] || name[i] == QLatin1Char('/')) return false;
  return true;
}

// The name a file item keeps: FileName, or nothing where it is the last
// component of the item's path, as in nearly every file, so that no string is
// made for it (SourceItem::fileName).
QString nameUnlessInPath(const ForeignElement& name, const QString& path) {
  if (!name.firstChildIsAscii()) {
    QString text = name.firstChildText();
    return text == QStringView(path).mid(path.lastIndexOf(QLatin1Char('/')) + 1) ? QString() : text;
  }
  const std::string_view text = name.firstChildUtf8();
  const QLatin1StringView latin1(text.data(), qsizetype(text.size()));
  return isLastComponent(latin1, path) ? QString() : QString(latin1);
}

/// "IncludeInBuild" of a group's or file's options: 0 leaves it out of the
/// target's build, 1 puts it in, 2 (or nothing) takes its group's choice.
enum class BuildChoice { LeftOut, Built, AsGroup };

BuildChoice buildChoice(const ForeignElement& options) {
  if (options.isNull()) return BuildChoice::AsGroup;
  const QString choice = childText(childNamed(options, "CommonProperty"), "IncludeInBuild");
  if (choice == QLatin1String("0")) return BuildChoice::LeftOut;
  return choice == QLatin1String("1") ? BuildChoice::Built : BuildChoice::AsGroup;
}

/// The options of a group or file in one target.
class ItemOptions {
 public:
  // The compiler and assembler blocks of a group's or file's options are under
  // "GroupArmAds"/"FileArmAds", by analogy "GroupArm"/"FileArm" for the GNU tool set.
  ItemOptions(const UVisionTargetReading& reading, const ForeignElement& target, const ProjectRecord& record)
      : reading_(reading),
        tools_(toolOptionsOf(reading, target)),
        project_(record.configurations.front().compile),
        groupBlock_(reading.toolset == UVisionToolset::Gnu ? "GroupArm" : "GroupArmAds"),
        fileBlock_(reading.toolset == UVisionToolset::Gnu ? "FileArm" : "FileArmAds") {}

  void addGroupSettings(SourceItem& folder, const ForeignElement& options) const {
    addSettings(folder, childNamed(options, groupBlock_), QStringLiteral("group ") + folder.name);
  }
  void addFileSettings(SourceItem& file, const ForeignElement& options) const {
    addSettings(file, childNamed(options, fileBlock_), file.path);
  }
  void exclude(SourceItem& item) const { item.excludedFrom.append(reading_.targetName); }

 private:
  void addSettings(SourceItem& item, const ForeignElement& block, const QString& itemName) const {
    if (block.isNull()) return;
    const auto settings = readItemCompileSettings(reading_, block, tools_, project_, itemName);
    if (settings) item.settings.push_back({reading_.targetName, *settings});
  }

  const UVisionTargetReading& reading_;
  ForeignElement tools_;
  const CompileSettings& project_;
  const char* const groupBlock_;
  const char* const fileBlock_;
};

// A group the target leaves out leaves out its files. A file of it that says
// it is built ("IncludeInBuild" 1: its own choice, as with every three-state
// option) is; the group's exclusion then goes to each of its other files.
void readGroup(const UVisionTargetReading& reading, const ItemOptions& options, GroupTags& tags,
               const ForeignElement& group, SourceItem& folder, QStringList& linkedLibraries) {
  const ForeignElement groupOptions = childNamed(group, "GroupOption");
  const bool groupExcluded = buildChoice(groupOptions) == BuildChoice::LeftOut;
  options.addGroupSettings(folder, groupOptions);
  const std::vector<ForeignElement> entries = groupFiles(group, tags);
  // Every project's files are held until all are read: no room to spare.
  folder.items.reserve(size_t(entries.size()));
  std::vector<BuildChoice> choices;  // each file's own
  choices.reserve(size_t(entries.size()));
  ForeignPathResolver& paths = reading.context.paths();
  for (const ForeignElement& element : entries) {
    const FileEntry entry = fileEntry(element, tags);
    const BuildChoice choice = buildChoice(entry.options);
    const QString path = forwardSlashedText(entry.path);
    if (isLibraryPath(path)) {  // linked, not compiled: a dependency where it is built
      if (choice == BuildChoice::Built || (choice == BuildChoice::AsGroup && !groupExcluded))
        linkedLibraries.append(path);
      continue;
    }
    SourceItem& file = folder.items.emplace_back();  // a file, made in place
    file.path = paths.respell(path, reading.directory);
    file.name = nameUnlessInPath(entry.name, file.path);
    if (!entry.options.isNull()) options.addFileSettings(file, entry.options);
    choices.push_back(choice);
  }
  const bool someBuilt = std::find(choices.begin(), choices.end(), BuildChoice::Built) != choices.end();
  if (groupExcluded && !someBuilt) options.exclude(folder);
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i] == BuildChoice::LeftOut || (groupExcluded && someBuilt && choices[i] == BuildChoice::AsGroup))
      options.exclude(folder.items[i]);
  }
}

}  // namespace

void readGroups(const UVisionTargetReading& reading, const ForeignElement& target, ProjectRecord& record,
                QStringList& linkedLibraries) {
  const ItemOptions options(reading, target, record);
  GroupTags tags;
  for (const ForeignElement& group : descendantsNamed(target, "Group")) {
    SourceItem folder = SourceItem::folder(childText(group, "GroupName"));
    if (folder.name.isEmpty()) continue;
    readGroup(reading, options, tags, group, folder, linkedLibraries);
    record.sources.push_back(std::move(folder));
  }
}

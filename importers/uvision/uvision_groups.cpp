#include "importers/uvision/uvision_groups.h"

#include "importers/common/foreign_path.h"
#include "importers/common/workspace_paths.h"
#include "importers/common/xml_loading.h"
#include "importers/uvision/uvision_compile_settings.h"
#include "importers/uvision/uvision_target_settings.h"

namespace {

bool isLibraryPath(const QString& path) {
  return path.endsWith(QLatin1String(".lib")) || path.endsWith(QLatin1String(".a"));
}

// The "File" elements of a group: those of every "Files" child (generators such
// as RT-Thread's write one "Files" per file), and only of its own children, so
// that groups nested inside each other (which uVision never writes) do not count
// a file once for every enclosing group.
QList<DomElement> groupFiles(const DomElement& group) {
  QList<DomElement> files;
  for (const DomElement& list : childElements(group, QStringLiteral("Files")))
    files += childElements(list, QStringLiteral("File"));
  return files;
}

/// "IncludeInBuild" of a group's or file's options: "0" leaves it out of the
/// target's build, "1" puts it in, "2" (or nothing) takes its group's choice.
QString includeInBuild(const DomElement& options) {
  return childElementText(firstChildElement(options, QStringLiteral("CommonProperty")), QStringLiteral("IncludeInBuild"));
}

/// The options of a group or file in one target.
class ItemOptions {
 public:
  ItemOptions(const UvTargetReading& reading, const DomElement& target, const ProjectRecord& record)
      : reading_(reading), tools_(toolOptionsOf(reading, target)), project_(record.configurations.front().compile) {}

  // The compiler and assembler blocks of a group's or file's options: under
  // "GroupArmAds"/"FileArmAds", by analogy "GroupArm"/"FileArm" for the GNU tool set.
  void addSettings(SourceItem& item, const DomElement& options, const char* element, const QString& itemName) const {
    const QString name = QLatin1String(element) + QLatin1String(reading_.toolset == UvToolset::Gnu ? "Arm" : "ArmAds");
    const auto settings = readItemCompileSettings(reading_, firstChildElement(options, name), tools_, project_, itemName);
    if (settings) item.settings.push_back({reading_.targetName, *settings});
  }
  void exclude(SourceItem& item) const { item.excludedFrom.append(reading_.targetName); }

 private:
  const UvTargetReading& reading_;
  DomElement tools_;
  const CompileSettings& project_;
};

// A group the target leaves out leaves out its files. A file of it that says
// it is built ("IncludeInBuild" 1: its own choice, as with every three-state
// option) is; the group's exclusion then goes to each of its other files.
void readGroup(const UvTargetReading& reading, const ItemOptions& options, const DomElement& group, SourceItem& folder,
               QStringList& linkedLibraries) {
  const DomElement groupOptions = firstChildElement(group, QStringLiteral("GroupOption"));
  const bool groupExcluded = includeInBuild(groupOptions) == QLatin1String("0");
  options.addSettings(folder, groupOptions, "Group", QStringLiteral("group ") + folder.name);
  QStringList included;  // each file's own choice
  for (const DomElement& entry : groupFiles(group)) {
    const DomElement fileOptions = firstChildElement(entry, QStringLiteral("FileOption"));
    const QString include = includeInBuild(fileOptions);
    const QString path = toForwardSlashes(childElementText(entry, QStringLiteral("FilePath")));
    if (isLibraryPath(path)) {  // linked, not compiled: a dependency where it is built
      if (include == QLatin1String("1") || (include != QLatin1String("0") && !groupExcluded))
        linkedLibraries.append(nameWithoutLastSuffix(path));
      continue;
    }
    SourceItem file = SourceItem::file(childElementText(entry, QStringLiteral("FileName")), reading.filePath(path));
    options.addSettings(file, fileOptions, "File", file.path);
    folder.items.push_back(std::move(file));
    included.append(include);
  }
  const bool someIncluded = included.contains(QStringLiteral("1"));
  if (groupExcluded && !someIncluded) options.exclude(folder);
  for (qsizetype i = 0; i < included.size(); ++i) {
    if (included[i] == QLatin1String("0") || (groupExcluded && someIncluded && included[i] != QLatin1String("1")))
      options.exclude(folder.items[size_t(i)]);
  }
}

}  // namespace

void readGroups(const UvTargetReading& reading, const DomElement& target, ProjectRecord& record,
                QStringList& linkedLibraries) {
  const ItemOptions options(reading, target, record);
  for (const DomElement& group : descendantElements(target, QStringLiteral("Group"))) {
    SourceItem folder = SourceItem::folder(childElementText(group, QStringLiteral("GroupName")));
    if (folder.name.isEmpty()) continue;
    readGroup(reading, options, group, folder, linkedLibraries);
    record.sources.push_back(std::move(folder));
  }
}

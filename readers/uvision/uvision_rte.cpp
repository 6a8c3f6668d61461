#include "readers/uvision/uvision_rte.h"

#include <algorithm>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"

namespace {

QStringList targetNames(const ForeignElement& targetInfos) {
  QStringList names;
  for (const ForeignElement& info : childrenNamed(targetInfos, QStringLiteral("targetInfo")))
    names.append(info.attribute(QStringLiteral("name")));
  return names;
}

QString directoryOf(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QStringLiteral(".") : path.left(slash);
}

SourceItem& componentFolder(std::vector<SourceItem>& sources, const QString& name) {
  for (SourceItem& item : sources)
    if (item.kind == SourceItem::Kind::Folder && item.name == name) return item;
  sources.push_back(SourceItem::folder(name));
  return sources.back();
}

}  // namespace

UVisionRteSection::UVisionRteSection(const ForeignElement& element) {
  for (const ForeignElement& component :
       childrenNamed(childNamed(element, QStringLiteral("components")), QStringLiteral("component"))) {
    components_.append(readComponent(component, childNamed(component, QStringLiteral("package")),
                                     childNamed(component, QStringLiteral("targetInfos"))));
  }
  for (const ForeignElement& file :
       childrenNamed(childNamed(element, QStringLiteral("files")), QStringLiteral("file"))) {
    const Component component =
        readComponent(childNamed(file, QStringLiteral("component")), childNamed(file, QStringLiteral("package")),
                      childNamed(file, QStringLiteral("targetInfos")));
    // An instance "removed" belongs to a component no longer selected.
    for (const ForeignElement& instance : childrenNamed(file, QStringLiteral("instance")))
      if (instance.attribute(QStringLiteral("removed")) != QLatin1String("1"))
        instances_.append({component, toForwardSlashes(elementText(instance))});
  }
}

UVisionRteSection::Component UVisionRteSection::readComponent(const ForeignElement& component,
                                                              const ForeignElement& package,
                                                              const ForeignElement& targets) {
  return {component.attribute(QStringLiteral("Cclass")),
          component.attribute(QStringLiteral("Cgroup")),
          component.attribute(QStringLiteral("Csub")),
          component.attribute(QStringLiteral("Cversion")),
          package.attribute(QStringLiteral("vendor")) + QLatin1Char('.') + package.attribute(QStringLiteral("name")) +
              QLatin1Char(' ') + package.attribute(QStringLiteral("version")),
          targetNames(targets)};
}

QList<UVisionRteSection::Instance> UVisionRteSection::targetInstances(const UVisionTargetReading& reading,
                                                                      bool reportMissing) const {
  QList<Instance> existing;
  for (const Instance& instance : instances_) {
    if (!instance.component.targets.contains(reading.targetName)) continue;
    bool exists = false;
    const QString path = reading.context.paths().respell(instance.path, reading.directory, &exists);
    if (exists)
      existing.append({instance.component, path});
    else if (reportMissing)
      reading.report(QStringLiteral("missing RTE file"), path);
  }
  return existing;
}

// uVision compiles a target that uses components with _RTE_ defined (the CMSIS
// device headers include RTE_Components.h on it) and the component's
// configuration folders and the target's RTE folder on the include path.
void UVisionRteSection::addToConfiguration(const UVisionTargetReading& reading,
                                           SourceConfiguration& configuration) const {
  const QList<Instance> used = targetInstances(reading, false);
  ToolOptions& compiler = configuration.compile.compiler;
  bool usesComponents = false;
  for (const Component& component : components_) {
    if (!component.targets.contains(reading.targetName)) continue;
    usesComponents = true;
    if (std::none_of(used.begin(), used.end(),
                     [&](const Instance& instance) { return instance.component.same(component); })) {
      reading.report(
          QStringLiteral("component of an installed pack"),
          component.name() + QLatin1Char(' ') + component.version + QStringLiteral(" from ") + component.pack);
    }
  }
  if (usesComponents) compiler.definitions.append(QStringLiteral("_RTE_"));
  for (const Instance& instance : used) {
    const QString directory = QStringLiteral("$(ProjectDir)/") + directoryOf(instance.path);
    if (!compiler.includeDirectories.contains(directory)) compiler.includeDirectories.append(directory);
  }
  bool exists = false;
  const QString targetFolder = reading.context.paths().respell(
      QStringLiteral("RTE/_") + QString(reading.targetName).replace(QLatin1Char(' '), QLatin1Char('_')),
      reading.directory, &exists);
  if (exists) compiler.includeDirectories.append(QStringLiteral("$(ProjectDir)/") + targetFolder);
}

// Another target's instances are files of that target's project alone.
void UVisionRteSection::addFiles(const UVisionTargetReading& reading, std::vector<SourceItem>& sources) const {
  for (const Instance& instance : targetInstances(reading, true)) {
    SourceItem file =
        SourceItem::file(instance.path.mid(instance.path.lastIndexOf(QLatin1Char('/')) + 1), instance.path);
    componentFolder(sources, QStringLiteral("::") + instance.component.className).items.push_back(std::move(file));
  }
}

#include "readers/uvision/uvision_target_reading.h"

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "readers/common/conversion_context.h"

UVisionToolset toolsetOf(const ForeignElement& target) {
  const ForeignElement options = childNamed(target, QStringLiteral("TargetOption"));
  const bool gnu = childText(target, QStringLiteral("ToolsetName")) == QLatin1String("ARM-GNU") ||
                   (childNamed(options, QStringLiteral("TargetArmAds")).isNull() &&
                    !childNamed(options, QStringLiteral("TargetArm")).isNull());
  if (gnu) return UVisionToolset::Gnu;
  return childText(target, QStringLiteral("uAC6")) == QLatin1String("1") ? UVisionToolset::ArmCompiler6
                                                                         : UVisionToolset::ArmCompiler5;
}

ForeignElement childPath(ForeignElement element, std::initializer_list<const char*> tagNames) {
  for (const char* tagName : tagNames) element = childNamed(element, tagName);
  return element;
}

void UVisionTargetReading::report(const QString& kind, const QString& value) const {
  notCarried.append({kind, value, {targetName}});
}

QString UVisionTargetReading::filePath(const QString& written) const {
  return context.paths().respell(toForwardSlashes(written), directory);
}

QString UVisionTargetReading::directoryPath(const QString& written) const {
  return projectRelativeDirectory(context.paths(), written, directory);
}

QString projectRelativeDirectory(ForeignPathResolver& paths, const QString& written, const QString& projectDirectory) {
  const QString path = toForwardSlashes(written);
  return path == QLatin1String(".") ? QStringLiteral("$(ProjectDir)")
                                    : QStringLiteral("$(ProjectDir)/") + paths.respell(path, projectDirectory);
}

#include "readers/uvision/uvision_target_settings.h"

#include "foreign/foreign_files.h"
#include "readers/uvision/uvision_compile_settings.h"
#include "readers/uvision/uvision_device.h"
#include "readers/uvision/uvision_linker_settings.h"
#include "readers/uvision/uvision_user_commands.h"

namespace {

// "DebugInformation" only says whether there is any: "-g" is the compilers'
// level for it.
QString debugLevel(const QString& debugInformation) {
  if (debugInformation == QLatin1String("1")) return QStringLiteral("-g");
  if (debugInformation == QLatin1String("0")) return QStringLiteral("-g0");
  return QString();
}

// uVision gives the output its extension; some files name one in "OutputName"
// as well ("drivers.lib"), which the solution's output name must not repeat.
QString outputBaseName(const QString& outputName) {
  for (const char* extension : {".axf", ".elf", ".lib", ".a"}) {
    if (outputName.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
      return outputName.chopped(qsizetype(qstrlen(extension)));
  }
  return outputName;
}

}  // namespace

ForeignElement toolOptionsOf(const UVisionTargetReading& reading, const ForeignElement& target) {
  return childPath(target, {"TargetOption", reading.toolset == UVisionToolset::Gnu ? "TargetArm" : "TargetArmAds"});
}

SourceConfiguration readTargetSettings(const UVisionTargetReading& reading, const ForeignElement& target,
                                       ProjectKind kind) {
  const ForeignElement common = childPath(target, {"TargetOption", "TargetCommonOption"});
  const ForeignElement tools = toolOptionsOf(reading, target);
  SourceConfiguration configuration;
  configuration.name = reading.targetName;
  configuration.device = readDevice(reading, target);
  configuration.compile = readTargetCompileSettings(reading, tools, configuration.device);
  CodeGeneration& code = configuration.compile.codeGeneration;
  if (code.debugLevel.isEmpty()) code.debugLevel = debugLevel(childText(common, QStringLiteral("DebugInformation")));
  configuration.linker = readLinkerSettings(reading, tools);
  configuration.outputDirectory = childText(common, QStringLiteral("OutputDirectory"));
  configuration.outputDirectory.replace(QLatin1Char('\\'), QLatin1Char('/'));
  configuration.outputName = outputBaseName(childText(common, QStringLiteral("OutputName")));
  const bool library = kind == ProjectKind::StaticLibrary;
  configuration.steps = readUserCommands(
      reading, common,
      {configuration.outputName, QLatin1String(library ? "$(LIB)" : "$(EXE)"), configuration.device.name, false});
  if (childText(common, QStringLiteral("CreateHexFile")) == QLatin1String("1"))
    reading.report(QStringLiteral("output format"), QStringLiteral("hex"));
  return configuration;
}

#include "readers/eclipse/eclipse_configuration.h"

#include <algorithm>

#include "foreign/foreign_files.h"
#include "readers/common/conversion_context.h"
#include "readers/eclipse/cdt_build_steps.h"
#include "readers/eclipse/cdt_build_variables.h"
#include "readers/eclipse/cdt_option_table.h"
#include "readers/eclipse/cdt_options.h"
#include "readers/eclipse/cdt_settings.h"
#include "readers/eclipse/cdt_tool_settings.h"
#include "readers/eclipse/eclipse_option_paths.h"

namespace {

CdtReading cdtReading(ConversionContext& context, const ConfigurationSource& source) {
  return {source.cpp, [&context, &source](const QString& kind, const QString& value) -> std::optional<QString> {
            const PathOrProblem path = optionPath(value, *source.paths);
            if (path.usable()) return path.path;
            context.warn(source.shownFile,
                         kind + QLatin1Char(' ') + value + QStringLiteral(" left out: ") + path.problem);
            return std::nullopt;
          }};
}

bool isInsideFolder(const QString& path, const QString& folder) {
  return path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == QLatin1Char('/');
}

/// The folders and files of a configuration with options of their own.
class ItemSettingsReader {
 public:
  ItemSettingsReader(const CdtOptions& configurationOptions, const CdtToolSettings& configurationSettings,
                     const CdtBuildVariables& variables, const CdtReading& reading)
      : configurationOptions_(configurationOptions),
        configurationSettings_(configurationSettings),
        variables_(variables),
        reading_(reading) {}

  // Folders before the files and folders inside them, so that each takes the
  // options of the folder above it (CDT derives its tools from that folder's).
  QHash<QString, CompileSettings> read(const ForeignElement& configuration, QList<NotCarried>& notCarried) {
    QList<ForeignElement> infos;
    for (const char* tag : {"folderInfo", "fileInfo", "resourceConfiguration"})
      for (const ForeignElement& info : childrenNamed(configuration, QLatin1String(tag)))
        if (holdsResourceSettings(info)) infos.append(info);
    std::stable_sort(infos.begin(), infos.end(), [](const ForeignElement& a, const ForeignElement& b) {
      return projectResourcePath(a.attribute(QStringLiteral("resourcePath"))).count(QLatin1Char('/')) <
             projectResourcePath(b.attribute(QStringLiteral("resourcePath"))).count(QLatin1Char('/'));
    });
    QHash<QString, CompileSettings> settings;
    for (const ForeignElement& info : infos) {
      const QString path = projectResourcePath(info.attribute(QStringLiteral("resourcePath")));
      const CdtOptions own = CdtOptions::read(info, variables_);
      if (own.isEmpty()) continue;
      const CdtOptions whole = optionsAbove(path).overriddenBy(own);
      if (info.tagName() == QLatin1String("folderInfo")) folders_.append({path, whole});
      const CdtToolSettings itemSettings = readCdtToolSettings(whole, reading_);
      settings.insert(path, itemSettings.compile);
      if (itemSettings.device != configurationSettings_.device || itemSettings.linker != configurationSettings_.linker)
        notCarried.append({QStringLiteral("target or linker settings of"), path, {}});
      // What the item holds beyond its configuration's reports and cannot carry.
      for (const NotCarried& setting : itemSettings.notCarried)
        if (!configurationSettings_.notCarried.contains(setting))
          notCarried.append({setting.kind, setting.value + QStringLiteral(" of ") + path, {}});
    }
    return settings;
  }

 private:
  const CdtOptions& optionsAbove(const QString& path) const {
    const std::pair<QString, CdtOptions>* nearest = nullptr;
    for (const auto& folder : folders_)
      if (isInsideFolder(path, folder.first) && (!nearest || folder.first.size() > nearest->first.size()))
        nearest = &folder;
    return nearest ? nearest->second : configurationOptions_;
  }

  const CdtOptions& configurationOptions_;
  const CdtToolSettings& configurationSettings_;
  const CdtBuildVariables& variables_;
  const CdtReading& reading_;
  QList<std::pair<QString, CdtOptions>> folders_;
};

void setDevice(TargetDevice& device, const CdtOptions& options, const ConfigurationSource& source,
               QString& lastMicrocontroller) {
  if (options.microcontroller) lastMicrocontroller = *options.microcontroller;
  if (device.name.isEmpty()) device.name = lastMicrocontroller;
  if (device.otherArchitecture.isEmpty()) device.otherArchitecture = source.otherArchitecture;
}

}  // namespace

ConfigurationReading readConfiguration(ConversionContext& context, const ConfigurationSource& source,
                                       const CdtConfiguration& cdtConfiguration, QString& lastMicrocontroller) {
  const ForeignElement& element = cdtConfiguration.element;
  const CdtBuildVariables variables(cdtConfiguration.storage, context.addedCharacters());
  const CdtReading reading = cdtReading(context, source);
  const CdtOptions options =
      CdtOptions::read(element, variables).withDefaults(cdtToolChainDefaults(toolChainOf(element)));
  const CdtToolSettings settings = readCdtToolSettings(options, reading);

  ConfigurationReading result;
  SourceConfiguration& configuration = result.configuration;
  configuration.name = element.attribute(QStringLiteral("name"));
  configuration.device = settings.device;
  setDevice(configuration.device, options, source, lastMicrocontroller);
  configuration.compile = settings.compile;
  configuration.linker = settings.linker;
  result.notCarried = settings.notCarried;
  const BuildStepSource stepSource{&variables, source.paths, element.attribute(QStringLiteral("artifactName")),
                                   source.kind == ProjectKind::StaticLibrary};
  configuration.steps = readBuildSteps(element, stepSource, result.notCarried);

  ConfigurationResources& resources = result.resources;
  resources.configuration = configuration.name;
  resources.sourceEntries = readSourceEntries(element);
  resources.excluded = readExcludedResources(element);
  resources.itemSettings = ItemSettingsReader(options, settings, variables, reading).read(element, result.notCarried);
  for (NotCarried& setting : result.notCarried) setting.configurations = {configuration.name};
  for (const QString& problem : variables.problems()) context.warn(source.shownFile, problem);
  return result;
}

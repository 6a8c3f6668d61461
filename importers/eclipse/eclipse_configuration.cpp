#include "importers/eclipse/eclipse_configuration.h"

#include "importers/common/conversion_context.h"
#include "importers/eclipse/cdt_build_steps.h"
#include "importers/eclipse/cdt_build_variables.h"
#include "importers/eclipse/cdt_options.h"
#include "importers/eclipse/cdt_settings.h"
#include "importers/eclipse/cdt_tool_settings.h"
#include "importers/eclipse/eclipse_option_paths.h"

namespace {

CdtReading cdtReading(ConversionContext& context, const ConfigurationSource& source) {
  return {source.cpp, [&context, &source](const QString& kind, const QString& value) -> std::optional<QString> {
            const PathOrProblem path = optionPath(value, *source.paths);
            if (path.usable()) return path.path;
            context.warn(source.shownFile, kind + QLatin1Char(' ') + value + QStringLiteral(" left out: ") + path.problem);
            return std::nullopt;
          }};
}

void setDevice(TargetDevice& device, const CdtOptions& options, const ConfigurationSource& source,
               QString& lastMicrocontroller) {
  if (options.microcontroller) lastMicrocontroller = *options.microcontroller;
  if (device.name.isEmpty()) device.name = lastMicrocontroller;
  if (device.otherArchitecture.isEmpty()) device.otherArchitecture = source.otherArchitecture;
}

}  // namespace

ConfigurationReading readConfiguration(ConversionContext& context, const ConfigurationSource& source,
                                       const CdtConfiguration& cdtConfiguration, QString& lastMicrocontroller) {
  const DomElement& element = cdtConfiguration.element;
  const CdtBuildVariables variables(cdtConfiguration.storage);
  const CdtReading reading = cdtReading(context, source);
  const CdtOptions options = CdtOptions::read(element, variables);
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
  for (NotCarried& setting : result.notCarried) setting.configurations = {configuration.name};
  return result;
}

#include "readers/iar/iar_item_settings.h"

#include <algorithm>

#include "readers/iar/iar_compile.h"

namespace {

/// A list of a tool's options, as the mapper names its entries.
struct ToolList {
  QStringList ToolOptions::*list;
  const char* kind;
};

const ToolList toolLists[] = {{&ToolOptions::definitions, "definition"},
                              {&ToolOptions::undefinitions, "undefinition"},
                              {&ToolOptions::includeDirectories, "include directory"},
                              {&ToolOptions::additionalOptions, "option"}};

// An empty list of an item stands for its project's in the record; in
// Embedded Workbench it is empty.
void reportEmptiedLists(const ToolOptions& item, const ToolOptions& project, const QString& tool,
                        const QString& itemName, const QString& configuration, QList<NotCarried>& notCarried) {
  for (const ToolList& row : toolLists) {
    if (!(item.*row.list).isEmpty()) continue;
    for (const QString& entry : project.*row.list) {
      notCarried.append(
          {tool + QLatin1String(row.kind), entry + QStringLiteral(" left out by ") + itemName, {configuration}});
    }
  }
}

}  // namespace

IarItemSettingsReader::IarItemSettingsReader(const std::vector<IarConfiguration>& configurations,
                                             const std::vector<SourceConfiguration>& recorded,
                                             const std::vector<QList<NotCarried>>& configurationReports,
                                             IarPathConverter& paths)
    : configurations_(configurations),
      recorded_(recorded),
      configurationReports_(configurationReports),
      paths_(paths) {}

std::vector<ItemSettings> IarItemSettingsReader::read(const std::vector<IarOwnSettings>& own, const QString& itemName,
                                                      QList<NotCarried>& notCarried) {
  std::vector<ItemSettings> result;
  for (const IarOwnSettings& settings : own) {
    const auto configuration =
        std::find_if(configurations_.begin(), configurations_.end(),
                     [&](const IarConfiguration& candidate) { return candidate.name == settings.configuration; });
    if (configuration == configurations_.end()) continue;
    const size_t index = size_t(configuration - configurations_.begin());
    IarOptions options = configuration->options;
    options.overlay(settings.options);
    const IarCompiler& compiler = settings.compiler.name.isEmpty() ? configuration->compiler : settings.compiler;
    QList<NotCarried> reports;
    ItemSettings item{settings.configuration, readIarCompileSettings(options, compiler, paths_, reports)};
    for (const NotCarried& report : reports) {
      if (!configurationReports_[index].contains(report))
        notCarried.append({report.kind, report.value + QStringLiteral(" on ") + itemName, {settings.configuration}});
    }
    const CompileSettings& project = recorded_[index].compile;
    reportEmptiedLists(item.compile.compiler, project.compiler, QString(), itemName, settings.configuration,
                       notCarried);
    reportEmptiedLists(item.compile.assembler, project.assembler, QStringLiteral("assembler "), itemName,
                       settings.configuration, notCarried);
    result.push_back(std::move(item));
  }
  return result;
}

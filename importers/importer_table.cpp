#include "importers/importer_table.h"

#include "importers/eclipse/eclipse_importer.h"
#include "importers/iar/iar_importer.h"
#include "importers/uvision/uvision_importer.h"

const std::vector<ImporterCommand>& importerCommands() {
  static const std::vector<ImporterCommand> commands = {
      {"eclipse2hzp", importEclipseWorkspace, "  eclipse2hzp       Convert Eclipse workspace to hzp file\n", {},
       true, eclipseMappingRules},
      {"uvision2hzp", importUVisionWorkspace, "  uvision2hzp       Convert uVision workspace to hzp file\n",
       {"-c-vector-table"}, false, uvisionMappingRules},
      {"iar2hzp", importIarWorkspace, "  iar2hzp           Convert IAR workspace to hzp file\n", {}, false,
       iarMappingRules, true},
  };
  return commands;
}

const ImporterCommand* findImporterCommand(const QString& word) {
  for (const ImporterCommand& command : importerCommands())
    if (word == QLatin1String(command.word)) return &command;
  return nullptr;
}

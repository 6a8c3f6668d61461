#include "readers/reader_table.h"

#include "readers/eclipse/eclipse_importer.h"
#include "readers/iar/iar_importer.h"
#include "readers/uvision/uvision_importer.h"

const std::vector<ImporterCommand>& importerCommands() {
  static const std::vector<ImporterCommand> commands = {
      {"eclipse2hzp", importEclipseWorkspace, "  eclipse2hzp       Convert Eclipse workspace to hzp file\n",
       "[workspace-directory...]",
       "Converts each Eclipse workspace directory, the working directory when none is\n"
       "given, into a solution inside it, named after it: every project in it whose\n"
       ".project has a CDT .cproject beside it becomes a project of the solution.\n",
       "quenport eclipse2hzp -library-template STM32_LIB -filter-file '*_test.c' workspace", {}, true,
       eclipseMappingRules},
      {"uvision2hzp", importUVisionWorkspace, "  uvision2hzp       Convert uVision workspace to hzp file\n",
       "workspace.uvmpw...",
       "Converts each Keil uVision multi-project workspace (.uvmpw) and the project\n"
       "files it lists (.uvprojx, .uvproj) into a solution beside it, named after it:\n"
       "each target that builds an output becomes a project of the solution.\n",
       "quenport uvision2hzp -executable-template STM32_EXE -library-template STM32_LIB blinky.uvmpw",
       {{"-c-vector-table", "  -c-vector-table                 Accepted, without effect\n"}}, false,
       uvisionMappingRules},
      {"iar2hzp", importIarWorkspace, "  iar2hzp           Convert IAR workspace to hzp file\n", "workspace.eww...",
       "Converts each IAR Embedded Workbench workspace (.eww) and the project files it\n"
       "names (.ewp) into a solution beside it, named after it: each project file\n"
       "becomes a project of the solution with all its configurations.\n",
       "quenport iar2hzp -executable-template STM32_EXE -expand-templates firmware.eww", {}, false,
       iarMappingRules, true},
  };
  return commands;
}

const ImporterCommand* findImporterCommand(const QString& word) {
  for (const ImporterCommand& command : importerCommands())
    if (word == QLatin1String(command.word)) return &command;
  return nullptr;
}

#include "tool/reader_table.h"

#include "readers/eclipse/eclipse_reader.h"
#include "readers/iar/iar_reader.h"
#include "readers/uvision/uvision_reader.h"

const std::vector<ReaderCommand>& readerCommands() {
  static const std::vector<ReaderCommand> commands = {
      {"eclipse2hzp",
       readEclipseWorkspace,
       "  eclipse2hzp       Convert Eclipse workspace to hzp file\n",
       "[workspace-directory...]",
       "Converts each Eclipse workspace directory, the working directory when none is\n"
       "given, into a solution inside it, named after it: every project in it whose\n"
       ".project has a CDT .cproject beside it becomes a project of the solution.\n",
       "quenport eclipse2hzp -library-template STM32_LIB -filter-file '*_test.c' workspace",
       {},
       true,
       eclipseMappingRules},
      {"uvision2hzp",
       readUVisionWorkspace,
       "  uvision2hzp       Convert uVision workspace to hzp file\n",
       "workspace.uvmpw...",
       "Converts each Keil uVision multi-project workspace (.uvmpw) and the project\n"
       "files it lists (.uvprojx, .uvproj) into a solution beside it, named after it:\n"
       "each target that builds an output becomes a project of the solution.\n",
       "quenport uvision2hzp -executable-template STM32_EXE -library-template STM32_LIB blinky.uvmpw",
       {{"-c-vector-table", "  -c-vector-table                 Accepted, without effect\n"}},
       false,
       uvisionMappingRules},
      {"iar2hzp",
       readIarWorkspace,
       "  iar2hzp           Convert IAR workspace to hzp file\n",
       "workspace.eww...",
       "Converts each IAR Embedded Workbench workspace (.eww) and the project files it\n"
       "names (.ewp) into a solution beside it, named after it: each project file\n"
       "becomes a project of the solution with all its configurations.\n",
       "quenport iar2hzp -executable-template STM32_EXE -expand-templates firmware.eww",
       {},
       false,
       iarMappingRules,
       true},
  };
  return commands;
}

const ReaderCommand* findReaderCommand(const QString& word) {
  for (const ReaderCommand& command : readerCommands())
    if (word == QLatin1String(command.word)) return &command;
  return nullptr;
}

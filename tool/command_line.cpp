#include "tool/command_line.h"

#include <functional>
#include <iterator>

#include "importers/hexception.h"
#include "importers/import_settings.h"
#include "tool/environment_settings.h"

namespace {

struct CommandName {
  const char* name;
  Command command;
};

// In the order they are compared.
const CommandName commandNames[] = {
    {"uvision2hzp", Command::UVision},
    {"eclipse2hzp", Command::Eclipse},
    {"iar2hzp", Command::Iar},
};

using OptionAction = std::function<void(ImportSettings&, const QString& argument)>;

struct Option {
  const char* name;
  bool takesArgument;
  bool uvisionOnly;  // unknown to the other commands
  OptionAction apply;
};

const Option options[] = {
    {"-addtemplatesfile", true, false,
     [](ImportSettings& s, const QString& a) { s.templatesFiles += QLatin1Char(';') + a; }},
    {"-D", true, false, [](ImportSettings& s, const QString& a) { s.definitions.append(a); }},
    {"-I", true, false, [](ImportSettings& s, const QString& a) { s.includePaths.append(a); }},
    {"-executable-template", true, false, [](ImportSettings& s, const QString& a) { s.executableTemplate = a; }},
    {"-expand-templates", false, false, [](ImportSettings& s, const QString&) { s.expandTemplates = true; }},
    {"-filter-file", true, false,
     [](ImportSettings& s, const QString& a) { s.fileFilters.append(WildcardPattern(a)); }},
    {"-filter-definition", true, false,
     [](ImportSettings& s, const QString& a) { s.definitionFilters.append(WildcardPattern(a)); }},
    {"-library-template", true, false, [](ImportSettings& s, const QString& a) { s.libraryTemplate = a; }},
    {"-P", true, false, [](ImportSettings& s, const QString& a) { s.projectProperties.append(a); }},
    {"-rootuserdir", true, false, [](ImportSettings&, const QString& a) { setRootUserDirectory(a); }},
    {"-templatesfile", true, false, [](ImportSettings& s, const QString& a) { s.templatesFiles = a; }},
    {"-verbose", false, false, [](ImportSettings&, const QString&) {}},
    {"-c-vector-table", false, true, [](ImportSettings&, const QString&) {}},
};

const char* const usageLines[] = {
    "Usage:\n",
    "  quenport command [options] pdsc_file(s)\n",
    "\n",
    "Commands:\n",
    "  eclipse2hzp       Convert Eclipse workspace to hzp file\n",
    "  uvision2hzp       Convert uVision workspace to hzp file\n",
    "  iar2hzp           Convert IAR workspace to hzp file\n",
    "\n",
    "Common options:\n",
    "  -addtemplatesfile file          Specify additional templates files\n",
    "  -D name=value                   Specify additional preprocessor definition\n",
    "  -I path                         Specify additional include path\n",
    "  -executable-template name       Specify project template to use for executable projects\n",
    "  -expand-templates               Expand project templates\n",
    "  -filter-file wildcard           Specify files to exclude from project\n",
    "  -filter-definition definition   Specify preprocessor definitions to exclude from project\n",
    "  -help                           Display help page\n",
    "  -library-template name          Specify project template to use for library projects\n",
    "  -P property=value               Specify additional project properties\n",
    "  -rootuserdir directory          Set the root user data directory\n",
    "  -templatesfile path             Set the project template file path\n",
    "  -verbose                        Enable verbose output\n",
    "\n",
};

const Option* findOption(Command command, const QString& argument) {
  for (const Option& option : options) {
    if (argument == QLatin1String(option.name) && (!option.uvisionOnly || command == Command::UVision))
      return &option;
  }
  return nullptr;
}

// The argument after the cursor; the cursor moves onto it.
QString nextArgument(const QStringList& arguments, qsizetype& cursor) {
  if (cursor + 1 >= arguments.size()) throw HException(std::string("argument expected"));
  return arguments[++cursor];
}

}  // namespace

bool commandFromName(const QString& word, Command& command) {
  for (const CommandName& entry : commandNames) {
    if (word == QLatin1String(entry.name)) {
      command = entry.command;
      return true;
    }
  }
  return false;
}

QStringList readOptions(Command command, const QStringList& arguments) {
  QStringList inputs;
  for (qsizetype cursor = 0; cursor < arguments.size(); ++cursor) {
    const QString& argument = arguments[cursor];
    if (!argument.startsWith(QLatin1Char('-'))) {
      inputs.append(argument);
      continue;
    }
    const Option* option = findOption(command, argument);
    if (!option) throw HException(QStringLiteral("unknown option ") + argument);
    option->apply(importSettings(), option->takesArgument ? nextArgument(arguments, cursor) : QString());
  }
  return inputs;
}

void printUsage(std::FILE* stream) {
  for (const char* line : usageLines) std::fputs(line, stream);
}

QString argumentString(const char* argument) { return QString::fromLocal8Bit(argument); }

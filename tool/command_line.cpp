#include "tool/command_line.h"

#include <algorithm>
#include <functional>

#include "mapping/project_properties.h"
#include "readers/common/reader.h"
#include "support/diagnostics.h"
#include "tool/reader_table.h"
#include "xml/utf8_text.h"

namespace {

using OptionAction = std::function<void(RunConfiguration&, const QString& argument)>;

/// A common option: its name, its line in the usage text and what it does.
struct Option {
  const char* name;
  bool takesArgument;
  const char* usageLine;
  OptionAction apply;
  /// Its argument is written into every solution as it stands.
  bool writtenIntoSolutions = false;
};

const Option commonOptions[] = {
    {"-addtemplatesfile", true, "  -addtemplatesfile file          Specify additional templates files\n",
     [](RunConfiguration& o, const QString& a) { o.templatesFiles += QLatin1Char(';') + a; }},
    {"-argvar", true, "  -argvar name=value              Define an IAR argument variable ($name$)\n",
     [](RunConfiguration& o, const QString& a) { o.reading.argumentVariables.append(a); }, true},
    {"-custom-argvars", true,
     "  -custom-argvars file            Read IAR argument variables from a .custom_argvars file\n",
     [](RunConfiguration& o, const QString& a) { o.reading.argumentVariableFiles.append(a); }},
    {"-D", true, "  -D name=value                   Specify additional preprocessor definition\n",
     [](RunConfiguration& o, const QString& a) { o.mapping.definitions.append(a); }, true},
    {"-I", true, "  -I path                         Specify additional include path\n",
     [](RunConfiguration& o, const QString& a) { o.mapping.includePaths.append(a); }, true},
    {"-executable-template", true,
     "  -executable-template name       Specify project template to use for executable projects\n",
     [](RunConfiguration& o, const QString& a) { o.mapping.executableTemplate = a; }, true},
    {"-expand-templates", false, "  -expand-templates               Expand project templates\n",
     [](RunConfiguration& o, const QString&) { o.expandTemplates = true; }},
    {"-filter-file", true, "  -filter-file wildcard           Specify files to exclude from project\n",
     [](RunConfiguration& o, const QString& a) { o.mapping.fileFilters.append(WildcardPattern(a)); }},
    {"-filter-definition", true,
     "  -filter-definition definition   Specify preprocessor definitions to exclude from project\n",
     [](RunConfiguration& o, const QString& a) { o.mapping.definitionFilters.append(WildcardPattern(a)); }},
    {"-help", false, "  -help                           Display help page\n",
     [](RunConfiguration& o, const QString&) { o.helpRequested = true; }},
    {"-library-template", true,
     "  -library-template name          Specify project template to use for library projects\n",
     [](RunConfiguration& o, const QString& a) { o.mapping.libraryTemplate = a; }, true},
    {"-P", true, "  -P property=value               Specify additional project properties\n",
     [](RunConfiguration& o, const QString& a) { o.projectPropertyEntries.append(a); }, true},
    {"-report", true, "  -report file                    Write a JSON report of the run to file\n",
     [](RunConfiguration& o, const QString& a) { o.reportFile = a; }},
    {"-rootuserdir", true, "  -rootuserdir directory          Set the root user data directory\n",
     [](RunConfiguration& o, const QString& a) { o.rootUserDirectory = a; }},
    {"-templatesfile", true, "  -templatesfile path             Set the project template file path\n",
     [](RunConfiguration& o, const QString& a) { o.templatesFiles = a; }},
    {"-verbose", false, "  -verbose                        Enable verbose output\n",
     [](RunConfiguration& o, const QString&) { o.verbose = true; }},
};

const char* const usageHeader[] = {"Usage:\n", "  quenport command [options] pdsc_file(s)\n", "\n", "Commands:\n"};
const char* const optionsHeader[] = {"\n", "Common options:\n"};

// "--help" and "-h", as users type them by habit, are "-help".
const Option* findOption(const QString& argument) {
  const bool help = argument == QLatin1String("--help") || argument == QLatin1String("-h");
  const QString name = help ? QStringLiteral("-help") : argument;
  for (const Option& option : commonOptions)
    if (name == QLatin1String(option.name)) return &option;
  return nullptr;
}

bool isExtraOption(const ReaderCommand& command, const QString& argument) {
  return std::any_of(command.extraOptions.begin(), command.extraOptions.end(),
                     [&](const ExtraOption& option) { return argument == QLatin1String(option.name); });
}

bool appliesOption(const ReaderCommand& command, const Option& option) {
  return !ignoredOptions(command).contains(QLatin1String(option.name));
}

// The argument after the cursor; the cursor moves onto it.
QString nextArgument(const QStringList& arguments, qsizetype& cursor) {
  if (cursor + 1 >= arguments.size()) throw ConversionError(QStringLiteral("argument expected"));
  return arguments[++cursor];
}

}  // namespace

RunConfiguration readRunConfiguration(const ReaderCommand& command, const QStringList& arguments) {
  RunConfiguration options;
  options.command = &command;
  for (qsizetype cursor = 0; cursor < arguments.size(); ++cursor) {
    const QString& argument = arguments[cursor];
    if (!argument.startsWith(QLatin1Char('-'))) {
      options.inputs.append(argument);
      continue;
    }
    if (isExtraOption(command, argument)) continue;  // accepted, without effect
    const Option* option = findOption(argument);
    if (!option) throw ConversionError(QStringLiteral("unknown option ") + argument);
    const QString value = option->takesArgument ? nextArgument(arguments, cursor) : QString();
    if (option->writtenIntoSolutions && !isXmlText(value)) {
      throw ConversionError(argument + QLatin1Char(' ') + value +
                            QStringLiteral(": holds a control character, which a solution file cannot hold"));
    }
    option->apply(options, value);
    if (!options.given.contains(QLatin1String(option->name))) options.given.append(QLatin1String(option->name));
    if (options.helpRequested) break;
  }
  return options;
}

// Checked before anything is converted: each name becomes an attribute name.
void checkProjectProperties(RunConfiguration& configuration, const PropertySchema& schema, Diagnostics& diagnostics) {
  if (!configuration.command->rules.appliesCommandLineSettings) return;
  configuration.mapping.projectProperties =
      readProjectProperties(configuration.projectPropertyEntries, schema, diagnostics);
}

QStringList ignoredOptions(const ReaderCommand& command) {
  QStringList ignored;
  if (!command.rules.appliesCommandLineSettings)
    ignored << QStringLiteral("-D") << QStringLiteral("-I") << QStringLiteral("-P")
            << QStringLiteral("-filter-definition");
  if (!command.readsArgumentVariables) ignored << QStringLiteral("-argvar") << QStringLiteral("-custom-argvars");
  return ignored;
}

void printUsage(std::FILE* stream) {
  for (const char* line : usageHeader) std::fputs(line, stream);
  for (const ReaderCommand& command : readerCommands()) std::fputs(command.usageLine, stream);
  for (const char* line : optionsHeader) std::fputs(line, stream);
  for (const Option& option : commonOptions) std::fputs(option.usageLine, stream);
  std::fputs("\n", stream);
}

void printCommandUsage(const ReaderCommand& command, std::FILE* stream) {
  std::fprintf(stream, "Usage:\n  quenport %s [options] %s\n\n%s\nOptions:\n", command.word, command.inputs,
               command.description);
  for (const Option& option : commonOptions)
    if (appliesOption(command, option)) std::fputs(option.usageLine, stream);
  for (const ExtraOption& option : command.extraOptions) std::fputs(option.usageLine, stream);
  const QStringList ignored = ignoredOptions(command);
  if (!ignored.isEmpty())
    std::fprintf(stream, "\nIgnored, with a warning: %s\n",
                 ignored.join(QStringLiteral(", ")).toLocal8Bit().constData());
  std::fprintf(stream, "\nExample:\n  %s\n", command.example);
}

bool isHelpRequest(const QString& word) {
  return word == QLatin1String("help") || word == QLatin1String("-h") || word == QLatin1String("--help");
}

void printVersion(std::FILE* stream) { std::fprintf(stream, "quenport %s\n", QUENPORT_VERSION); }

QString argumentString(const char* argument) { return QString::fromLocal8Bit(argument); }

#include "readers/iar/iar_linker.h"

#include <QDir>

#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/iar/iar_build_steps.h"
#include "readers/iar/iar_paths.h"

namespace {

using Id = IarOptionId;

const QString linkerOption = QStringLiteral("IAR linker option");

/// A list option of the linker and the command-line option each of its entries is.
struct LinkerList {
  Id id;
  const char* option;
};

// Symbols for the ICF ("--config_def") parameterise a file that is not carried.
const LinkerList reportedLists[] = {
    {Id::KeepSymbols, "--keep "},
    {Id::LinkerSymbols, "--define_symbol "},
    {Id::IcfSymbols, "--config_def "},
};

void reportLinkerOptions(const IarConfiguration& configuration, const SourceConfiguration& result,
                         QList<NotCarried>& notCarried) {
  const IarOptions& options = configuration.options;
  if (options.text(Id::LinkerExtraOptionsUsed) == QLatin1String("1")) {
    for (const QString& entry : options.list(Id::LinkerExtraOptions)) notCarried.append({linkerOption, entry, {}});
  }
  for (const LinkerList& list : reportedLists) {
    for (const QString& entry : options.list(list.id))
      notCarried.append({linkerOption, QLatin1String(list.option) + entry, {}});
  }
  const QString importLibrary = options.text(Id::CmseImportLibrary);
  if (result.device.secureCode.value_or(false) && !importLibrary.isEmpty())
    notCarried.append({linkerOption, QStringLiteral("--import_cmse_lib_out ") + importLibrary, {}});
  if (options.text(Id::ConverterEnabled) == QLatin1String("1"))
    notCarried.append({QStringLiteral("converted output"), options.text(Id::ConverterOutput), {}});
}

QString fileNameOf(const QString& path) {
  const QString forward = toForwardSlashes(path);
  return forward.mid(forward.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

IarLinkerReader::IarLinkerReader(IarPathConverter& paths, InputFiles& inputFiles, QString projectDirectory,
                                 QString projectName)
    : paths_(paths),
      inputFiles_(inputFiles),
      projectDirectory_(std::move(projectDirectory)),
      projectName_(std::move(projectName)) {}

void IarLinkerReader::readExecutable(const IarConfiguration& configuration, SourceConfiguration& result,
                                     QList<NotCarried>& notCarried) {
  const IarOptions& options = configuration.options;
  readIcf(configuration, result, notCarried);
  if (options.text(Id::EntryLabelOverride) == QLatin1String("1"))
    result.linker.entryPoint = options.text(Id::EntryLabel);
  result.outputName = outputName(options.text(Id::OutputFile), notCarried);
  reportLinkerOptions(configuration, result, notCarried);
}

// The archiver writes into the output directory unless its output names a directory of its own.
void IarLinkerReader::readLibrary(const IarConfiguration& configuration, SourceConfiguration& result,
                                  QList<NotCarried>& notCarried) {
  const QString output = configuration.archiveOutput();
  if (output.isEmpty()) return;
  const qsizetype separator = toForwardSlashes(output).lastIndexOf(QLatin1Char('/'));
  if (separator >= 0) {
    if (const std::optional<QString> directory = paths_.projectRelative(output.left(separator)))
      result.outputDirectory = *directory;
  }
  result.outputName = outputName(output.mid(separator + 1), notCarried);
}

// Without "IlinkIcfOverride" the linker takes the device's file from the
// Embedded Workbench installation. A file that cannot be written as a path
// (into the installation) is named as written. The memory of another
// architecture is not the ARM memory map's.
void IarLinkerReader::readIcf(const IarConfiguration& configuration, SourceConfiguration& result,
                              QList<NotCarried>& notCarried) {
  const IarOptions& options = configuration.options;
  const QString file = options.text(Id::IcfFile);
  if (options.text(Id::IcfOverride) == QLatin1String("0") || file.isEmpty()) {
    if (options.has(Id::IcfOverride))
      notCarried.append({QStringLiteral("ICF file"), QStringLiteral("default of ") + configuration.device(), {}});
    return;
  }
  const std::optional<QString> path = paths_.projectRelative(file);
  result.linker.script = {LinkerScript::Kind::Icf, path.value_or(file)};
  if (!path || !result.device.otherArchitecture.isEmpty()) return;
  const IcfLayout* layout = layoutOf(*path);
  if (!layout || !layout->hasEditorSymbols) {
    notCarried.append({QStringLiteral("memory layout"),
                       *path + QLatin1String(layout ? " (no ICF editor symbols)" : " (file not found)"),
                       {}});
    return;
  }
  result.device.memory = layout->memory;
  result.linker.stackSize = layout->stackSize;
  result.linker.heapSize = layout->heapSize;
  notCarried += layout->notCarried;
}

const IcfLayout* IarLinkerReader::layoutOf(const QString& path) {
  auto known = layouts_.constFind(path);
  if (known == layouts_.constEnd()) {
    const std::optional<QByteArray> text = readInputFile(QDir(projectDirectory_).filePath(path), &inputFiles_);
    std::optional<IcfLayout> layout;
    if (text) layout = readIcfLayout(QString::fromLatin1(*text));
    known = layouts_.insert(path, layout);
  }
  return known->has_value() ? &**known : nullptr;
}

// Without directory and suffix; empty for the project's own name, which the
// solution gives its output anyway.
QString IarLinkerReader::outputName(const QString& file, QList<NotCarried>& notCarried) const {
  if (file.isEmpty()) return QString();
  const std::optional<QString> name = iarTextWithMacros(nameWithoutLastSuffix(fileNameOf(file)));
  if (!name) {
    notCarried.append({QStringLiteral("output file name"), file, {}});
    return QString();
  }
  return *name == projectName_ ? QString() : *name;
}

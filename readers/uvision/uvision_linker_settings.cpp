#include "readers/uvision/uvision_linker_settings.h"

#include <QRegularExpression>

#include "foreign/foreign_files.h"
#include "readers/uvision/uvision_command_line.h"

namespace {

/// The GNU linker dialog's check boxes and the options they pass when ticked.
const struct {
  const char* element;
  const char* option;
} gnuLinkerFlags[] = {
    {"enaGarb", "-Wl,--gc-sections"},
    {"noStart", "-nostartfiles"},
    {"noStLib", "-nostdlib"},
    {"uMathLib", "-lm"},
};

// The entries of a library or directory list; how uVision separates them is
// not known from published files, so each of ";", "," and blanks does.
QStringList listEntries(const QString& text) {
  static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
  return text.split(separators, Qt::SkipEmptyParts);
}

// armlink's own settings: the scatter file when uVision does not make one from
// the Target dialog ("umfTarg" 0), options and libraries in its syntax.
LinkerOptions readArmLinker(const UVisionTargetReading& reading, const ForeignElement& linker) {
  LinkerOptions options;
  const QString scatterFile = childText(linker, QStringLiteral("ScatterFile"));
  if (childText(linker, QStringLiteral("umfTarg")) == QLatin1String("0") && !scatterFile.isEmpty())
    options.script = {LinkerScript::Kind::Scatter, reading.filePath(scatterFile)};
  const struct {
    const char* element;
    const char* kind;
  } reported[] = {
      {"Misc", "linker option"}, {"IncludeLibs", "linker library"}, {"IncludeLibsPath", "linker library directory"}};
  for (const auto& row : reported) {
    const QString value = childText(linker, QLatin1String(row.element)).trimmed();
    if (!value.isEmpty()) reading.report(QLatin1String(row.kind), value);
  }
  if (childText(linker, QStringLiteral("noStLib")) == QLatin1String("1"))
    reading.report(QStringLiteral("linker option"), QStringLiteral("--noscanlib"));
  return options;
}

// The GNU tool set names its GNU ld script "ScatterFile" and uses it whatever
// "umfTarg" says; its options are the GNU compiler driver's.
LinkerOptions readGnuLinker(const UVisionTargetReading& reading, const ForeignElement& linker) {
  LinkerOptions options;
  const QString script = childText(linker, QStringLiteral("ScatterFile"));
  if (!script.isEmpty()) options.script = {LinkerScript::Kind::GnuLd, reading.filePath(script)};
  for (const auto& flag : gnuLinkerFlags)
    if (childText(linker, QLatin1String(flag.element)) == QLatin1String("1"))
      options.additionalOptions.append(QLatin1String(flag.option));
  options.additionalOptions += commandLineWords(childText(linker, QStringLiteral("Misc")));
  for (const QString& directory : listEntries(childText(linker, QStringLiteral("IncludeDir"))))
    options.additionalOptions.append(QStringLiteral("-L") + reading.directoryPath(directory));
  for (const QString& library : listEntries(childText(linker, QStringLiteral("IncludeLibs"))))
    options.additionalOptions.append(library.startsWith(QLatin1String("-l")) ? library
                                                                             : QStringLiteral("-l") + library);
  return options;
}

}  // namespace

LinkerOptions readLinkerSettings(const UVisionTargetReading& reading, const ForeignElement& toolOptions) {
  if (reading.toolset == UVisionToolset::Gnu)
    return readGnuLinker(reading, childNamed(toolOptions, QStringLiteral("LDarm")));
  return readArmLinker(reading, childNamed(toolOptions, QStringLiteral("LDads")));
}

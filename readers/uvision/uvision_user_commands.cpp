#include "readers/uvision/uvision_user_commands.h"

#include "foreign/foreign_files.h"

namespace {

const QString prefixes = QStringLiteral("#%@$!~^");
// The file codes of uVision's key sequences (D device, E editor file, F file
// compiled, H hex file, J compiler include folder, K tool chain folder, L linker
// output, M mask revision, P project file, S pack folder, X uVision or crystal,
// Y symbol file).
const QString fileCodes = QStringLiteral("DEFHJKLMPSXY");

/// The solution's text for a key code; empty when it has none.
QString keyCodeValue(QChar prefix, QChar code, const KeyCodeValues& values) {
  const char p = prefix.toLatin1();
  switch (code.toLatin1()) {
    case 'L':  // the linker output: $(TargetPath) is the solution's output file
      if (p == '#') return QStringLiteral("$(TargetPath)");
      if (p == '!') return QStringLiteral("$(RelTargetPath)");
      if (p == '$') return QStringLiteral("$(OutDir)/");
      if (p == '@') return values.outputName;
      if (p == '%') return values.outputName + values.outputExtension;
      break;
    case 'F':  // the file being compiled, in a command run per file
      if (!values.perFile) break;
      if (p == '#') return QStringLiteral("$(InputPath)");
      if (p == '!') return QStringLiteral("$(RelInputPath)");
      if (p == '$') return QStringLiteral("$(InputDir)/");
      if (p == '@') return QStringLiteral("$(InputName)");
      if (p == '%') return QStringLiteral("$(InputFileName)");
      break;
    case 'P':
      if (p == '$') return QStringLiteral("$(ProjectDir)/");
      break;
    case 'D':
      if (p == '$') return values.device;
      break;
  }
  return QString();
}

// Runs #1 and #2 of one section, as the solution's commands.
void readSection(const UVisionTargetReading& reading, const ForeignElement& section, const KeyCodeValues& values,
                 QList<BuildCommand>& commands) {
  for (const char* number : {"1", "2"}) {
    const QString run = childText(section, QStringLiteral("RunUserProg") + QLatin1String(number));
    const QString command = childText(section, QStringLiteral("UserProg%1Name").arg(QLatin1String(number))).trimmed();
    if (run != QLatin1String("1") || command.isEmpty()) continue;
    if (childText(section, QStringLiteral("UserProg%1Dos16Mode").arg(QLatin1String(number))) == QLatin1String("1")) {
      reading.report(QStringLiteral("user command"), command + QStringLiteral(" (as a 16-bit DOS program)"));
      continue;
    }
    const TranslatedCommand translated = translateKeyCodes(command, values);
    if (translated.untranslated.isEmpty())
      commands.append({translated.command, QString()});
    else
      reading.report(QStringLiteral("user command"), command + QStringLiteral(" (") +
                                                         translated.untranslated.join(QStringLiteral(", ")) +
                                                         QStringLiteral(" without equivalent)"));
  }
}

}  // namespace

TranslatedCommand translateKeyCodes(const QString& command, const KeyCodeValues& values) {
  TranslatedCommand translated;
  for (qsizetype i = 0; i < command.size(); ++i) {
    const QChar character = command[i];
    const QChar next = i + 1 < command.size() ? command[i + 1] : QChar();
    if (!prefixes.contains(character) || next.isNull()) {
      translated.command += character;
    } else if (next == character) {
      translated.command += character;
      ++i;
    } else if (fileCodes.contains(next)) {
      const QString value = keyCodeValue(character, next, values);
      if (value.isEmpty()) translated.untranslated.append(QString(character) + next);
      translated.command += value;
      ++i;
    } else {
      translated.command += character;
    }
  }
  return translated;
}

BuildSteps readUserCommands(const UVisionTargetReading& reading, const ForeignElement& common, KeyCodeValues values) {
  BuildSteps steps;
  values.perFile = true;
  readSection(reading, childNamed(common, QStringLiteral("BeforeCompile")), values, steps.beforeCompile);
  values.perFile = false;
  readSection(reading, childNamed(common, QStringLiteral("BeforeMake")), values, steps.beforeBuild);
  readSection(reading, childNamed(common, QStringLiteral("AfterMake")), values, steps.afterLink);
  return steps;
}

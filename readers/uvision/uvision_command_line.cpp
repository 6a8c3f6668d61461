#include "readers/uvision/uvision_command_line.h"

#include <QRegularExpression>

#include "readers/common/gnu_target_options.h"

namespace {

// Optimisation levels, as opposed to armcc's -Otime and -Ospace, which only
// steer a level and are left as options.
bool isOptimizationLevel(const QString& word) {
  static const QRegularExpression level(QStringLiteral("^-O([0-3sgz]|fast|max)?$"));
  return level.match(word).hasMatch();
}

bool isDebugLevel(const QString& word) {
  return word == QLatin1String("-g") || (word.size() == 3 && word.startsWith(QLatin1String("-g")) && word[2].isDigit());
}

// The list that a -D, -U or -I option adds to.
QStringList* listOf(const QString& word, ToolOptions& tool) {
  if (word.startsWith(QLatin1String("-D"))) return &tool.definitions;
  if (word.startsWith(QLatin1String("-U"))) return &tool.undefinitions;
  if (word.startsWith(QLatin1String("-I"))) return &tool.includeDirectories;
  return nullptr;
}

bool isCppStandard(const QString& standard) { return standard.contains(QLatin1String("++")); }

/// The value of an option written "-Xvalue" or "-X value"; advances index past it.
QString optionValue(const QStringList& words, qsizetype& index, qsizetype prefixLength) {
  if (words[index].size() > prefixLength) return words[index].mid(prefixLength);
  return index + 1 < words.size() ? words[++index] : QString();
}

}  // namespace

CompilerCommandLine sortCompilerOptions(const QStringList& words) {
  CompilerCommandLine sorted;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    if (QStringList* list = listOf(word, sorted.tool)) {
      const QString value = optionValue(words, i, 2);
      if (!value.isEmpty()) list->append(value);
    } else if (isOptimizationLevel(word)) {
      sorted.codeGeneration.optimization = word;
    } else if (isDebugLevel(word)) {
      sorted.codeGeneration.debugLevel = word;
    } else if (word.startsWith(QLatin1String("-std="))) {
      const QString standard = word.mid(5);
      (isCppStandard(standard) ? sorted.codeGeneration.cppStandard : sorted.codeGeneration.cStandard) = standard;
    } else if (!takeTargetOption(word, sorted.device)) {
      sorted.tool.additionalOptions.append(word);
    }
  }
  return sorted;
}

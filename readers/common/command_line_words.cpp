#include "readers/common/command_line_words.h"

QStringList commandLineWords(const QString& text) {
  QStringList words;
  QString word;
  bool quoted = false;
  bool inWord = false;
  for (const QChar character : text) {
    if (character == QLatin1Char('"')) {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && character.isSpace()) {
      if (inWord) words.append(word);
      word.clear();
      inWord = false;
    } else {
      word += character;
      inWord = true;
    }
  }
  if (inWord) words.append(word);
  return words;
}

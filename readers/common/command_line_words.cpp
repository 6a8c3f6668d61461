#include "readers/common/command_line_words.h"

// Each word is the run of text between blanks outside quotes, its quotes taken
// out: a word without any is shared with the text rather than copied, so one
// huge option costs no second copy of itself.
QStringList commandLineWords(const QString& text) {
  QStringList words;
  qsizetype start = -1;  // where the current word began; -1 between words
  bool quoted = false;
  bool hasQuotes = false;
  const auto endWord = [&](qsizetype end) {
    QString word = text.mid(start, end - start);
    if (hasQuotes) word.remove(QLatin1Char('"'));
    words.append(std::move(word));
    start = -1;
    hasQuotes = false;
  };
  for (qsizetype at = 0; at < text.size(); ++at) {
    const QChar character = text[at];
    if (!quoted && character.isSpace()) {
      if (start >= 0) endWord(at);
      continue;
    }
    if (start < 0) start = at;
    if (character == QLatin1Char('"')) {
      quoted = !quoted;
      hasQuotes = true;
    }
  }
  if (start >= 0) endWord(text.size());
  return words;
}

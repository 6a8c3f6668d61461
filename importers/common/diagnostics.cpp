#include "importers/common/diagnostics.h"

#include <QHash>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// A message names files and values read from foreign files, which may be of
// any length; one line is kept readable.
constexpr size_t maximumMessageBytes = 4096;

// The UTF-8 bytes of text, counted without converting it.
qsizetype utf8Size(QStringView text) {
  qsizetype size = 0;
  for (qsizetype at = 0; at < text.size(); ++at) {
    const char16_t unit = text[at].unicode();
    const bool pair = QChar::isHighSurrogate(unit) && at + 1 < text.size() && QChar::isLowSurrogate(text[at + 1].unicode());
    size += unit < 0x80 ? 1 : unit < 0x800 ? 2 : pair ? 4 : 3;
    at += pair ? 1 : 0;
  }
  return size;
}

// Only the head of a message is converted; the rest is counted, with the bytes
// already dropped from it (local 8-bit is UTF-8 for Qt on Linux).
std::string boundedLine(QStringView message, qsizetype droppedBytes = 0) {
  const std::string bytes = message.first(std::min<qsizetype>(message.size(), maximumMessageBytes + 1)).toUtf8().toStdString();
  if (bytes.size() <= maximumMessageBytes && droppedBytes == 0) return escapeControlCharacters(bytes);
  size_t cut = std::min(bytes.size(), maximumMessageBytes);
  while (cut > 0 && cut < bytes.size() && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  return escapeControlCharacters(std::string_view(bytes).substr(0, cut)) + "... (" +
         std::to_string(utf8Size(message) - qsizetype(cut) + droppedBytes) + " more bytes)";
}

// False, with errno set, when the stream could not take the line.
bool printLine(std::FILE* stream, const char* prefix, const std::string& line) {
  const bool printed = std::fprintf(stream, "%s%s\n", prefix, line.c_str()) >= 0;
  return std::fflush(stream) == 0 && printed;
}

bool printLine(std::FILE* stream, const char* prefix, const QString& message) {
  return printLine(stream, prefix, boundedLine(message));
}

QString plural(const QString& word, qsizetype count) { return count == 1 ? word : word + QLatin1Char('s'); }

}  // namespace

std::string escapeControlCharacters(std::string_view message) {
  std::string escaped;
  escaped.reserve(message.size());
  for (size_t i = 0; i < message.size(); ++i) {
    const char character = message[i];
    const auto byte = static_cast<unsigned char>(character);
    // U+0080 to U+009F (C1 controls, some terminals obey them): both bytes escaped.
    const bool startsC1 = byte == 0xC2 && i + 1 < message.size() &&
                          static_cast<unsigned char>(message[i + 1]) >= 0x80 &&
                          static_cast<unsigned char>(message[i + 1]) <= 0x9F;
    if (startsC1) {
      char code[9];
      std::snprintf(code, sizeof code, "\\xc2\\x%02x", static_cast<unsigned char>(message[++i]));
      escaped += code;
    } else if (byte >= 0x20 && byte != 0x7F) {
      escaped += character;
    } else if (byte == '\n') {
      escaped += "\\n";
    } else if (byte == '\r') {
      escaped += "\\r";
    } else if (byte == '\t') {
      escaped += "\\t";
    } else {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02x", byte);
      escaped += code;
    }
  }
  return escaped;
}

QString aboutFile(const QString& file, const QString& message) {
  return file.isEmpty() ? message : file + QStringLiteral(": ") + message;
}

Diagnostics::Diagnostics(bool verbose, std::FILE* output, std::FILE* errors)
    : verbose_(verbose), output_(output), errors_(errors) {}

void Diagnostics::warn(const QString& file, const QString& message) {
  const QString line = aboutFile(file, message);
  if (shown_.contains(line)) return;
  shown_.insert(line);
  warnings_.append(line);
}

void Diagnostics::notCarried(const QString& file, const NotCarried& setting) { notCarried_.append({file, setting}); }

void Diagnostics::progress(const QString& line) {
  if (!printLine(output_, "", line) && outputError_ == 0) outputError_ = errno ? errno : EIO;
}

void Diagnostics::checkOutput() const {
  if (outputError_ != 0)
    throw ConversionError(QStringLiteral("cannot write standard output: ") + QString::fromLocal8Bit(std::strerror(outputError_)));
}

void Diagnostics::verbose(const QString& line) {
  if (verbose_) progress(line);
}

// The reports of each file and kind, the groups in the order of their first report.
QList<QList<qsizetype>> Diagnostics::notCarriedGroups() const {
  QList<QList<qsizetype>> groups;
  QHash<QPair<QString, QString>, qsizetype> groupIndex;
  for (qsizetype i = 0; i < notCarried_.size(); ++i) {
    const QPair<QString, QString> key{notCarried_[i].file, notCarried_[i].setting.kind};
    auto group = groupIndex.constFind(key);
    if (group == groupIndex.constEnd()) {
      group = groupIndex.insert(key, groups.size());
      groups.append(QList<qsizetype>());
    }
    groups[*group].append(i);
  }
  return groups;
}

QStringList Diagnostics::pendingWarnings() const {
  QStringList lines = warnings_;
  for (const QList<qsizetype>& group : notCarriedGroups()) lines.append(groupedLine(group).head);
  return lines;
}

void Diagnostics::BoundedLine::append(QStringView piece) {
  qsizetype kept = droppedBytes > 0 ? 0 : std::min(piece.size(), qsizetype(maximumMessageBytes) + 1 - head.size());
  if (kept > 0 && kept < piece.size() && QChar::isHighSurrogate(piece[kept - 1].unicode())) --kept;  // a pair stays whole
  head += piece.first(kept);
  droppedBytes += utf8Size(piece.sliced(kept));
}

// "not carried: scatter file app.sct (targets Debug, Release); lib.sct (target X)":
// every value of one kind in one file; values that the same configurations
// hold share one mention of them. A value may be as long as its file: only what
// a printed line shows of them is copied.
Diagnostics::BoundedLine Diagnostics::groupedLine(const QList<qsizetype>& reports) const {
  const Report& head = notCarried_[reports.front()];
  QStringList values;
  QStringList holders;  // per value, the configurations that hold it
  QHash<QString, qsizetype> firstOfValue;
  for (const qsizetype i : reports) {
    const NotCarried& setting = notCarried_[i].setting;
    const QString held = setting.configurations.isEmpty()
                             ? QString()
                             : QStringLiteral(" (") + plural(setting.configurationWord, setting.configurations.size()) +
                                   QLatin1Char(' ') + setting.configurations.join(QStringLiteral(", ")) + QLatin1Char(')');
    const auto first = firstOfValue.constFind(setting.value);
    if (first != firstOfValue.constEnd() && holders[*first] == held) continue;
    if (first == firstOfValue.constEnd()) firstOfValue.insert(setting.value, values.size());
    values.append(setting.value);
    holders.append(held);
  }
  BoundedLine line;
  line.append(aboutFile(head.file, QStringLiteral("not carried: ") + head.setting.kind + QLatin1Char(' ')));
  for (qsizetype i = 0; i < values.size(); ++i) {
    if (i > 0) line.append(u"; ");
    line.append(values[i]);
    if (i + 1 == values.size() || holders[i + 1] != holders[i]) line.append(holders[i]);
  }
  return line;
}

void Diagnostics::flush() {
  for (const QString& line : warnings_) printLine(errors_, "warning: ", line);
  for (const QList<qsizetype>& group : notCarriedGroups()) {
    const BoundedLine line = groupedLine(group);
    printLine(errors_, "warning: ", boundedLine(line.head, line.droppedBytes));
  }
  warnings_.clear();
  shown_.clear();
  notCarried_.clear();
}

void Diagnostics::error(const ConversionError& error) {
  flush();
  printLine(errors_, "error: ", aboutFile(error.file(), error.message()));
}

#include "importers/common/diagnostics.h"

#include <QHash>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// A message names files and values read from foreign files, which may be of
// any length; one line is kept readable.
constexpr size_t maximumMessageBytes = 4096;

std::string boundedLine(const QString& message) {
  std::string bytes = message.toLocal8Bit().toStdString();
  if (bytes.size() <= maximumMessageBytes) return escapeControlCharacters(bytes);
  size_t cut = maximumMessageBytes;
  while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  return escapeControlCharacters(std::string_view(bytes).substr(0, cut)) + "... (" +
         std::to_string(bytes.size() - cut) + " more bytes)";
}

// False, with errno set, when the stream could not take the line.
bool printLine(std::FILE* stream, const char* prefix, const QString& message) {
  const bool printed = std::fprintf(stream, "%s%s\n", prefix, boundedLine(message).c_str()) >= 0;
  return std::fflush(stream) == 0 && printed;
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

QStringList Diagnostics::pendingWarnings() const {
  QStringList lines = warnings_;
  // The reports of each file and kind, the groups in the order of their first report.
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
  for (const QList<qsizetype>& group : groups) lines.append(groupedLine(group));
  return lines;
}

// "not carried: scatter file app.sct (targets Debug, Release); lib.sct (target X)":
// every value of one kind in one file; values that the same configurations
// hold share one mention of them.
QString Diagnostics::groupedLine(const QList<qsizetype>& reports) const {
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
  QString text;
  for (qsizetype i = 0; i < values.size(); ++i) {
    text += (i > 0 ? QStringLiteral("; ") : QString()) + values[i];
    if (i + 1 == values.size() || holders[i + 1] != holders[i]) text += holders[i];
  }
  return aboutFile(head.file, QStringLiteral("not carried: ") + head.setting.kind + QLatin1Char(' ') + text);
}

void Diagnostics::flush() {
  for (const QString& line : pendingWarnings()) printLine(errors_, "warning: ", line);
  warnings_.clear();
  shown_.clear();
  notCarried_.clear();
}

void Diagnostics::error(const ConversionError& error) {
  flush();
  printLine(errors_, "error: ", aboutFile(error.file(), error.message()));
}

#include "importers/common/diagnostics.h"

#include <utility>

namespace {

void printLine(std::FILE* stream, const char* prefix, const QString& message) {
  const std::string escaped = escapeControlCharacters(message.toLocal8Bit().toStdString());
  std::fprintf(stream, "%s%s\n", prefix, escaped.c_str());
  std::fflush(stream);
}

QString plural(const QString& word, qsizetype count) { return count == 1 ? word : word + QLatin1Char('s'); }

}  // namespace

std::string escapeControlCharacters(std::string_view message) {
  std::string escaped;
  escaped.reserve(message.size());
  for (const char character : message) {
    const auto byte = static_cast<unsigned char>(character);
    if (byte >= 0x20 && byte != 0x7F) {
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
  std::fprintf(output_, "%s\n", escapeControlCharacters(line.toUtf8().toStdString()).c_str());
  std::fflush(output_);
}

void Diagnostics::verbose(const QString& line) {
  if (verbose_) progress(line);
}

QStringList Diagnostics::pendingWarnings() const {
  QStringList lines = warnings_;
  QSet<qsizetype> grouped;
  for (qsizetype i = 0; i < notCarried_.size(); ++i) {
    bool seen = false;
    for (qsizetype j = 0; j < i && !seen; ++j)
      seen = notCarried_[j].file == notCarried_[i].file && notCarried_[j].setting.kind == notCarried_[i].setting.kind;
    if (!seen) lines.append(groupedLine(i));
  }
  return lines;
}

// "not carried: scatter file app.sct (targets Debug, Release); lib.sct (target X)":
// every value of one kind in one file, each with the configurations that hold it.
QString Diagnostics::groupedLine(qsizetype first) const {
  const Report& head = notCarried_[first];
  QStringList values;
  for (qsizetype i = first; i < notCarried_.size(); ++i) {
    const Report& report = notCarried_[i];
    if (report.file != head.file || report.setting.kind != head.setting.kind) continue;
    const NotCarried& setting = report.setting;
    QString value = setting.value;
    if (!setting.configurations.isEmpty()) {
      value += QStringLiteral(" (") + plural(setting.configurationWord, setting.configurations.size()) +
               QLatin1Char(' ') + setting.configurations.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    if (!values.contains(value)) values.append(value);
  }
  return aboutFile(head.file, QStringLiteral("not carried: ") + head.setting.kind + QLatin1Char(' ') +
                                  values.join(QStringLiteral("; ")));
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

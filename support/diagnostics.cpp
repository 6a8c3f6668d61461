#include "support/diagnostics.h"

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
    const bool pair =
        QChar::isHighSurrogate(unit) && at + 1 < text.size() && QChar::isLowSurrogate(text[at + 1].unicode());
    size += unit < 0x80 ? 1 : unit < 0x800 ? 2 : pair ? 4 : 3;
    at += pair ? 1 : 0;
  }
  return size;
}

// Only the head of a message is converted; the rest is counted, with the bytes
// already dropped from it (local 8-bit is UTF-8 for Qt on Linux).
std::string boundedLine(QStringView message, qsizetype droppedBytes = 0) {
  const std::string bytes =
      message.first(std::min<qsizetype>(message.size(), maximumMessageBytes + 1)).toUtf8().toStdString();
  if (bytes.size() <= maximumMessageBytes && droppedBytes == 0) return escapeControlCharacters(bytes);
  size_t cut = std::min(bytes.size(), maximumMessageBytes);
  while (cut > 0 && cut < bytes.size() && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
    --cut;  // not inside a character
  return escapeControlCharacters(std::string_view(bytes).substr(0, cut)) + "... (" +
         std::to_string(utf8Size(message) - qsizetype(cut) + droppedBytes) + " more bytes)";
}

// False, with errno set, when the stream could not take the line.
bool printLine(std::FILE* stream, const char* prefix, const QString& message, qsizetype droppedBytes = 0) {
  const bool printed = std::fprintf(stream, "%s%s\n", prefix, boundedLine(message, droppedBytes).c_str()) >= 0;
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

void Diagnostics::beginInput(const QString& input) {
  input_ = InputOutcome{};
  input_.input = input;
  inputOpen_ = true;
  notCarriedShown_ = 0;
}

void Diagnostics::warn(const QString& file, const QString& message) {
  const QString line = aboutFile(file, message);
  if (shown_.contains(line)) return;
  shown_.insert(line);
  warnings_.append({file, message});
}

qsizetype Diagnostics::addProject(ProjectOutcome project) {
  input_.projects.push_back(std::move(project));
  return qsizetype(input_.projects.size()) - 1;
}

void Diagnostics::notCarried(qsizetype project, const NotCarried& setting) {
  input_.notCarried.append({project, setting});
}

void Diagnostics::progress(const QString& line) {
  if (!printLine(output_, "", line) && outputError_ == 0) outputError_ = errno ? errno : EIO;
}

void Diagnostics::checkOutput() const {
  if (outputError_ != 0)
    throw ConversionError(QStringLiteral("cannot write standard output: ") +
                          QString::fromLocal8Bit(std::strerror(outputError_)));
}

QStringList Diagnostics::pendingWarnings() const {
  QStringList lines;
  for (const Warning& warning : pendingLines()) lines.append(aboutFile(warning.file, warning.message));
  return lines;
}

QList<Warning> Diagnostics::takeWarnings() {
  QList<Warning> taken = std::move(warnings_);
  warnings_.clear();
  shown_.clear();
  return taken;
}

QList<Warning> Diagnostics::pendingLines() const {
  QList<Warning> lines = warnings_;
  for (const QList<qsizetype>& group : notCarriedGroups()) lines.append(groupedLine(group));
  return lines;
}

// The reports of each file and kind not shown yet, the groups in the order of
// their first report.
QList<QList<qsizetype>> Diagnostics::notCarriedGroups() const {
  const auto& reports = input_.notCarried;
  QList<QList<qsizetype>> groups;
  QHash<QPair<QString, QString>, qsizetype> groupIndex;
  for (qsizetype i = notCarriedShown_; i < reports.size(); ++i) {
    const QPair<QString, QString> key{input_.projects[size_t(reports[i].project)].sourceFile, reports[i].setting.kind};
    auto group = groupIndex.constFind(key);
    if (group == groupIndex.constEnd()) {
      group = groupIndex.insert(key, groups.size());
      groups.append(QList<qsizetype>());
    }
    groups[*group].append(i);
  }
  return groups;
}

void Diagnostics::BoundedLine::append(QStringView piece) {
  qsizetype kept = droppedBytes > 0 ? 0 : std::min(piece.size(), qsizetype(maximumMessageBytes) + 1 - head.size());
  if (kept > 0 && kept < piece.size() && QChar::isHighSurrogate(piece[kept - 1].unicode()))
    --kept;  // a pair stays whole
  head += piece.first(kept);
  droppedBytes += utf8Size(piece.sliced(kept));
}

// "not carried: scatter file app.sct (targets Debug, Release); lib.sct (target X)":
// every value of one kind in one file; values that the same configurations
// hold share one mention of them. A value may be as long as its file: only what
// a printed line shows of them is copied.
Warning Diagnostics::groupedLine(const QList<qsizetype>& group) const {
  const auto& reports = input_.notCarried;
  const QString& file = input_.projects[size_t(reports[group.front()].project)].sourceFile;
  QStringList values;
  QStringList holders;  // per value, the configurations that hold it
  QHash<QString, qsizetype> firstOfValue;
  for (const qsizetype i : group) {
    const NotCarried& setting = reports[i].setting;
    const QString held = setting.configurations.isEmpty()
                             ? QString()
                             : QStringLiteral(" (") + plural(setting.configurationWord, setting.configurations.size()) +
                                   QLatin1Char(' ') + setting.configurations.join(QStringLiteral(", ")) +
                                   QLatin1Char(')');
    const auto first = firstOfValue.constFind(setting.value);
    if (first != firstOfValue.constEnd() && holders[*first] == held) continue;
    if (first == firstOfValue.constEnd()) firstOfValue.insert(setting.value, values.size());
    values.append(setting.value);
    holders.append(held);
  }
  BoundedLine line;
  line.append(QStringLiteral("not carried: ") + reports[group.front()].setting.kind + QLatin1Char(' '));
  for (qsizetype i = 0; i < values.size(); ++i) {
    if (i > 0) line.append(u"; ");
    line.append(values[i]);
    if (i + 1 == values.size() || holders[i + 1] != holders[i]) line.append(holders[i]);
  }
  return {file, line.head, line.droppedBytes};
}

void Diagnostics::flush() {
  const QList<Warning> lines = pendingLines();
  for (const Warning& line : lines)
    printLine(errors_, "warning: ", aboutFile(line.file, line.message), line.droppedBytes);
  (inputOpen_ ? input_.warnings : run_.warnings) += lines;
  warnings_.clear();
  shown_.clear();
  notCarriedShown_ = input_.notCarried.size();
}

// "/w/ws.hzp: 3 projects, 412 files, 2 configurations; 5 settings not carried"
QString Diagnostics::summaryLine() const {
  int files = 0;
  QSet<QString> configurations;
  for (const ProjectOutcome& project : input_.projects) {
    files += project.files;
    for (const ConfigurationOutcome& configuration : project.configurations) configurations.insert(configuration.name);
  }
  const auto counted = [](qsizetype count, const QString& word) {
    return QString::number(count) + QLatin1Char(' ') + plural(word, count);
  };
  return input_.solution + QStringLiteral(": ") +
         counted(qsizetype(input_.projects.size()), QStringLiteral("project")) + QStringLiteral(", ") +
         counted(files, QStringLiteral("file")) + QStringLiteral(", ") +
         counted(configurations.size(), QStringLiteral("configuration")) + QStringLiteral("; ") +
         counted(input_.notCarried.size(), QStringLiteral("setting")) + QStringLiteral(" not carried");
}

void Diagnostics::finishInput(const QString& solution) {
  flush();
  input_.solution = solution;
  if (verbose_) printLine(errors_, "", summaryLine());
  run_.inputs.push_back(std::move(input_));
  input_ = InputOutcome{};
  inputOpen_ = false;
}

void Diagnostics::error(const ConversionError& error) {
  flush();
  printLine(errors_, "error: ", aboutFile(error.file(), error.message()));
  if (!inputOpen_) {
    run_.error = error;
    return;
  }
  input_.error = error;
  run_.inputs.push_back(std::move(input_));
  input_ = InputOutcome{};
  inputOpen_ = false;
}

#include "support/diagnostics.h"

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

void Diagnostics::notCarried(qsizetype project, const NotCarried& setting) { input_.notCarried.append({project, setting}); }

void Diagnostics::progress(const QString& line) {
  if (!printLine(output_, "", line) && outputError_ == 0) outputError_ = errno ? errno : EIO;
}

void Diagnostics::checkOutput() const {
  if (outputError_ != 0)
    throw ConversionError(QStringLiteral("cannot write standard output: ") + QString::fromLocal8Bit(std::strerror(outputError_)));
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
  const auto& reports = input_.notCarried;
  for (qsizetype i = notCarriedShown_; i < reports.size(); ++i) {
    const QString& file = input_.projects[size_t(reports[i].project)].sourceFile;
    bool seen = false;
    for (qsizetype j = notCarriedShown_; j < i && !seen; ++j)
      seen = input_.projects[size_t(reports[j].project)].sourceFile == file && reports[j].setting.kind == reports[i].setting.kind;
    if (!seen) lines.append(groupedLine(i));
  }
  return lines;
}

// "not carried: scatter file app.sct (targets Debug, Release); lib.sct (target X)":
// every value of one kind in one file; values that the same configurations
// hold share one mention of them.
Warning Diagnostics::groupedLine(qsizetype first) const {
  const auto& reports = input_.notCarried;
  const QString& file = input_.projects[size_t(reports[first].project)].sourceFile;
  const QString& kind = reports[first].setting.kind;
  QStringList values;
  QStringList holders;  // per value, the configurations that hold it
  for (qsizetype i = first; i < reports.size(); ++i) {
    const NotCarried& setting = reports[i].setting;
    if (input_.projects[size_t(reports[i].project)].sourceFile != file || setting.kind != kind) continue;
    const QString held = setting.configurations.isEmpty()
                             ? QString()
                             : QStringLiteral(" (") + plural(setting.configurationWord, setting.configurations.size()) +
                                   QLatin1Char(' ') + setting.configurations.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (values.contains(setting.value) && holders[values.indexOf(setting.value)] == held) continue;
    values.append(setting.value);
    holders.append(held);
  }
  QString text;
  for (qsizetype i = 0; i < values.size(); ++i) {
    text += (i > 0 ? QStringLiteral("; ") : QString()) + values[i];
    if (i + 1 == values.size() || holders[i + 1] != holders[i]) text += holders[i];
  }
  return {file, QStringLiteral("not carried: ") + kind + QLatin1Char(' ') + text};
}

void Diagnostics::flush() {
  const QList<Warning> lines = pendingLines();
  for (const Warning& line : lines) printLine(errors_, "warning: ", aboutFile(line.file, line.message));
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
  return input_.solution + QStringLiteral(": ") + counted(qsizetype(input_.projects.size()), QStringLiteral("project")) +
         QStringLiteral(", ") + counted(files, QStringLiteral("file")) + QStringLiteral(", ") +
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

#include "tool/run_report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>

#include "support/atomic_write.h"
#include "support/conversion_outcome.h"
#include "tool/json_writer.h"

namespace {

// A warning's text as the report keeps it: a line shortened for its length
// says how much was left out, as the printed line does.
QString shownText(const Warning& warning) {
  if (warning.droppedBytes == 0) return warning.message;
  return warning.message + QStringLiteral("... (") + QString::number(warning.droppedBytes) +
         QStringLiteral(" more bytes)");
}

constexpr qint64 reportFormat = 1;

/// Writes the parts of a report, in the order a reader meets them.
class ReportWriter {
 public:
  explicit ReportWriter(const RunReport& report) : report_(report) {}

  QByteArray text() {
    json_.beginObject();
    json_.key("format").value(reportFormat);
    json_.key("command").value(report_.command);
    json_.key("status").value(report_.status);
    error(report_.outcome.error);
    warnings(report_.outcome.warnings);
    json_.key("inputs").beginArray();
    for (const InputOutcome& input : report_.outcome.inputs) this->input(input);
    for (qsizetype i = qsizetype(report_.outcome.inputs.size()); i < report_.inputs.size(); ++i)
      inputNotReached(report_.inputs[i]);
    json_.endArray();
    json_.endObject();
    return json_.text();
  }

 private:
  void message(const QString& file, const QString& message) {
    json_.beginObject();
    json_.key("file").textOrNull(file);
    json_.key("message").value(message);
    json_.endObject();
  }

  void error(const std::optional<ConversionError>& error) {
    json_.key("error");
    if (error)
      message(error->file(), error->message());
    else
      json_.null();
  }

  // onlyAbout: the warnings about that file alone (a project's).
  void warnings(const QList<Warning>& warnings, const QString& onlyAbout = QString()) {
    json_.key("warnings").beginArray();
    for (const Warning& warning : warnings)
      if (onlyAbout.isEmpty() || warning.file == onlyAbout) message(warning.file, shownText(warning));
    json_.endArray();
  }

  void strings(const QString& key, const QStringList& strings) {
    json_.key(key).beginArray();
    for (const QString& string : strings) json_.value(string);
    json_.endArray();
  }

  void input(const InputOutcome& input) {
    json_.beginObject();
    json_.key("command").value(report_.command);
    json_.key("input").value(input.input);
    json_.key("outcome").value(input.error ? QStringLiteral("failed") : QStringLiteral("converted"));
    json_.key("status").value(input.error ? 1 : 0);
    json_.key("solution").textOrNull(input.solution);
    error(input.error);
    warnings(input.warnings);
    json_.key("projects").beginArray();
    for (qsizetype i = 0; i < qsizetype(input.projects.size()); ++i) project(input, i);
    json_.endArray();
    json_.endObject();
  }

  // An input after one that failed is not converted: the run stops there.
  void inputNotReached(const QString& input) {
    json_.beginObject();
    json_.key("command").value(report_.command);
    json_.key("input").value(input);
    json_.key("outcome").value(QStringLiteral("not reached"));
    for (const char* key : {"status", "solution", "error"}) json_.key(key).null();
    warnings({});
    strings("projects", {});
    json_.endObject();
  }

  // A project's warnings are those about its file; the input's error is its
  // own when it names that file.
  void project(const InputOutcome& input, qsizetype index) {
    const ProjectOutcome& project = input.projects[size_t(index)];
    json_.beginObject();
    json_.key("name").value(project.name);
    json_.key("kind").value(project.kind);
    json_.key("source").value(project.sourceFile);
    json_.key("files").value(project.files);
    json_.key("folders").value(project.folders);
    json_.key("configurations").beginArray();
    for (const ConfigurationOutcome& configuration : project.configurations) this->configuration(configuration);
    json_.endArray();
    json_.key("notCarried").beginArray();
    for (const NotCarriedInProject& report : input.notCarried)
      if (report.project == index) notCarried(report.setting);
    json_.endArray();
    warnings(input.warnings, project.sourceFile);
    json_.key("errors").beginArray();
    if (input.error && input.error->file() == project.sourceFile) message(input.error->file(), input.error->message());
    json_.endArray();
    json_.endObject();
  }

  void configuration(const ConfigurationOutcome& configuration) {
    json_.beginObject();
    json_.key("name").value(configuration.name);
    json_.key("source").value(configuration.source);
    json_.key("reason").value(configuration.reason);
    json_.key("settings").beginObject();
    for (const auto& [property, value] : configuration.settings) json_.key(property).value(value);
    json_.endObject();
    strings("excluded", configuration.excluded);
    json_.endObject();
  }

  void notCarried(const NotCarried& setting) {
    json_.beginObject();
    json_.key("kind").value(setting.kind);
    json_.key("value").value(setting.value);
    strings("configurations", setting.configurations);
    json_.key("reason").value(setting.reason);
    json_.endObject();
  }

  const RunReport& report_;
  JsonWriter json_;
};

}  // namespace

QByteArray reportText(const RunReport& report) { return ReportWriter(report).text(); }

void writeReport(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  writeFileAtomically(path,
                      [&text](const ByteSink& sink) { sink(std::string_view(text.constData(), size_t(text.size()))); });
}

#include "importers/common/project_record.h"

namespace {

const char* kindName(ProjectKind kind) {
  switch (kind) {
    case ProjectKind::Executable:
      return "executable";
    case ProjectKind::StaticLibrary:
      return "static library";
    case ProjectKind::SharedLibrary:
      return "shared library";
    case ProjectKind::Unknown:
      break;
  }
  return "unknown";
}

/// Appends "<indent>label: value" lines, one per fact that is set.
class RecordText {
 public:
  void line(int depth, const QString& label, const QString& value) {
    if (value.isEmpty()) return;
    text_ += QString(depth * 2, QLatin1Char(' ')) + label + QStringLiteral(": ") + value + QLatin1Char('\n');
  }
  void list(int depth, const QString& label, const QStringList& values) {
    line(depth, label, values.join(QStringLiteral(" | ")));
  }
  void items(int depth, const std::vector<SourceItem>& items) {
    for (const SourceItem& item : items) {
      if (item.kind == SourceItem::Kind::Folder) {
        line(depth, QStringLiteral("folder"), item.name.isEmpty() ? QStringLiteral("(no name)") : item.name);
      } else {
        const bool namedByPath = item.path.endsWith(item.name) &&
                                 item.path.size() - item.name.size() - 1 == item.path.lastIndexOf(QLatin1Char('/'));
        line(depth, QStringLiteral("file"), namedByPath ? item.path : item.path + QStringLiteral(" as ") + item.name);
      }
      list(depth + 1, QStringLiteral("excluded from"), item.excludedFrom);
      this->items(depth + 1, item.items);
    }
  }
  const QString& text() const { return text_; }

 private:
  QString text_;
};

}  // namespace

QString describeRecord(const ProjectRecord& record) {
  RecordText text;
  text.line(0, QStringLiteral("project"), record.name);
  text.line(1, QStringLiteral("kind"), QLatin1String(kindName(record.kind)));
  text.line(1, QStringLiteral("directory"), record.directory);
  text.line(1, QStringLiteral("from"), record.sourceFile);
  text.list(1, QStringLiteral("dependencies"), record.dependencies);
  for (const SourceConfiguration& configuration : record.configurations) {
    text.line(1, QStringLiteral("configuration"), configuration.name);
    text.line(2, QStringLiteral("device"), configuration.device.name);
    text.list(2, QStringLiteral("definitions"), configuration.compiler.definitions);
    text.list(2, QStringLiteral("undefinitions"), configuration.compiler.undefinitions);
    text.list(2, QStringLiteral("include directories"), configuration.compiler.includeDirectories);
    text.list(2, QStringLiteral("linker files"), configuration.linker.additionalFiles);
    text.line(2, QStringLiteral("output directory"), configuration.outputDirectory);
    text.line(2, QStringLiteral("intermediate directory"), configuration.intermediateDirectory);
  }
  text.line(1, QStringLiteral("sources"), record.sources.empty() ? QString() : QStringLiteral("Source Files"));
  text.items(2, record.sources);
  for (const NotCarried& setting : record.notCarried) {
    text.line(1, QStringLiteral("not carried"),
              setting.kind + QLatin1Char(' ') + setting.value + QStringLiteral(" (") +
                  setting.configurations.join(QStringLiteral(", ")) + QLatin1Char(')'));
  }
  return text.text();
}

#include "readers/common/project_record.h"

const char* projectKindName(ProjectKind kind) {
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

namespace {

const char* scriptKindName(LinkerScript::Kind kind) {
  switch (kind) {
    case LinkerScript::Kind::Scatter:
      return "scatter file";
    case LinkerScript::Kind::Icf:
      return "ICF file";
    case LinkerScript::Kind::GnuLd:
      break;
  }
  return "GNU ld script";
}

QString hex(quint64 value) { return QStringLiteral("0x") + QString::number(value, 16); }

QString yesNo(const std::optional<bool>& value) {
  if (!value) return QString();
  return *value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString number(const std::optional<quint64>& value) { return value ? QString::number(*value) : QString(); }

/// Appends "<indent>label: value" lines, one per fact that is set.
class RecordText {
 public:
  void line(int depth, QAnyStringView label, const QString& value) {
    if (value.isEmpty()) return;
    text_ += QString(depth * 2, QLatin1Char(' ')) + label.toString() + QStringLiteral(": ") + value + QLatin1Char('\n');
  }
  void list(int depth, QAnyStringView label, const QStringList& values) {
    line(depth, label, values.join(QStringLiteral(" | ")));
  }

  void device(int depth, const TargetDevice& device) {
    line(depth, "device", device.name);
    line(depth, "other architecture", device.otherArchitecture);
    line(depth, "core", device.core);
    if (device.coreFromDevice) line(depth, "core from device", QStringLiteral("yes"));
    line(depth, "fpu", device.fpu);
    line(depth, "float abi", device.floatAbi);
    line(depth, "byte order", device.byteOrder);
    line(depth, "dsp", yesNo(device.dsp));
    line(depth, "secure code", yesNo(device.secureCode));
    for (const MemoryRegion& region : device.memory) {
      line(depth, region.kind == MemoryRegion::Kind::Rom ? "rom" : "ram",
           region.name + QLatin1Char(' ') + hex(region.start) + QStringLiteral(" size ") + hex(region.size));
    }
  }

  void tool(int depth, const QString& prefix, const ToolOptions& tool) {
    list(depth, prefix + QStringLiteral("definitions"), tool.definitions);
    list(depth, prefix + QStringLiteral("undefinitions"), tool.undefinitions);
    list(depth, prefix + QStringLiteral("include directories"), tool.includeDirectories);
    list(depth, prefix + QStringLiteral("options"), tool.additionalOptions);
  }

  void compile(int depth, const CompileSettings& settings) {
    tool(depth, QString(), settings.compiler);
    tool(depth, QStringLiteral("assembler "), settings.assembler);
    const CodeGeneration& code = settings.codeGeneration;
    line(depth, "optimization", code.optimization);
    line(depth, "debug level", code.debugLevel);
    line(depth, "c standard", code.cStandard);
    line(depth, "c++ standard", code.cppStandard);
    line(depth, "all warnings", yesNo(code.allWarnings));
  }

  void linker(int depth, const LinkerOptions& linker) {
    if (!linker.script.path.isEmpty())
      line(depth, "linker script",
           linker.script.path + QStringLiteral(" (") + scriptKindName(linker.script.kind) + ')');
    list(depth, "linker files", linker.additionalFiles);
    list(depth, "linker options", linker.additionalOptions);
    line(depth, "entry point", linker.entryPoint);
    line(depth, "stack size", number(linker.stackSize));
    line(depth, "heap size", number(linker.heapSize));
  }

  void steps(int depth, const char* label, const QList<BuildCommand>& commands) {
    for (const BuildCommand& command : commands) {
      line(depth, label,
           command.command + (command.workingDirectory.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" (in ") + command.workingDirectory + ')'));
    }
  }

  void configuration(int depth, const SourceConfiguration& configuration) {
    line(depth, "configuration", configuration.name);
    device(depth + 1, configuration.device);
    compile(depth + 1, configuration.compile);
    linker(depth + 1, configuration.linker);
    line(depth + 1, "output directory", configuration.outputDirectory);
    line(depth + 1, "intermediate directory", configuration.intermediateDirectory);
    line(depth + 1, "output name", configuration.outputName);
    steps(depth + 1, "before build", configuration.steps.beforeBuild);
    steps(depth + 1, "before compile", configuration.steps.beforeCompile);
    steps(depth + 1, "after link", configuration.steps.afterLink);
    steps(depth + 1, "after build", configuration.steps.afterBuild);
  }

  void items(int depth, const std::vector<SourceItem>& items) {
    for (const SourceItem& item : items) {
      if (item.kind == SourceItem::Kind::Folder) {
        line(depth, "folder", item.name.isEmpty() ? QStringLiteral("(no name)") : item.name);
      } else {
        const QStringView name = item.fileName();
        const bool namedByPath =
            item.path.endsWith(name) && item.path.size() - name.size() - 1 == item.path.lastIndexOf(QLatin1Char('/'));
        line(depth, "file", namedByPath ? item.path : item.path + QStringLiteral(" as ") + name.toString());
      }
      list(depth + 1, "excluded from", item.excludedFrom);
      for (const ItemSettings& settings : item.settings) {
        line(depth + 1, "settings of", settings.configuration);
        compile(depth + 2, settings.compile);
      }
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
  text.line(0, "project", record.name);
  text.line(1, "kind", QLatin1String(projectKindName(record.kind)));
  text.line(1, "directory", record.directory);
  text.line(1, "from", record.sourceFile);
  if (record.dependencies) text.list(1, "dependencies", *record.dependencies);
  text.list(1, "linked library files", record.linkedLibraryFiles);
  for (const SourceConfiguration& configuration : record.configurations) text.configuration(1, configuration);
  text.line(1, "sources", record.sources.empty() ? QString() : QStringLiteral("Source Files"));
  text.items(2, record.sources);
  for (const NotCarried& setting : record.notCarried + record.librariesNotLinked) {
    text.line(1, "not carried",
              setting.kind + QLatin1Char(' ') + setting.value + QStringLiteral(" (") +
                  setting.configurations.join(QStringLiteral(", ")) + QLatin1Char(')'));
  }
  return text.text();
}

void mergeNotCarried(QList<NotCarried>& reports, const NotCarried& report) {
  for (NotCarried& known : reports) {
    if (known.kind != report.kind || known.value != report.value) continue;
    for (const QString& configuration : report.configurations)
      if (!known.configurations.contains(configuration)) known.configurations.append(configuration);
    return;
  }
  reports.append(report);
}

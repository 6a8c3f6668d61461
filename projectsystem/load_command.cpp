#include "projectsystem/load_command.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <memory>


namespace {

struct RedirectionOperator {
  const char* word;
  bool output;
  bool error;
  bool append;
};

// "&>" and "&>>" name both streams; they act only while standard output has no file.
constexpr RedirectionOperator redirectionOperators[] = {
    {">", true, false, false},  {"1>", true, false, false},  {">>", true, false, true}, {"1>>", true, false, true},
    {"2>", false, true, false}, {"2>>", false, true, true},  {"&>", true, true, false}, {"&>>", true, true, true},
};

const RedirectionOperator* findOperator(const QString& word) {
  for (const RedirectionOperator& entry : redirectionOperators)
    if (word == QLatin1String(entry.word)) return &entry;
  return nullptr;
}

void applyRedirection(const RedirectionOperator& entry, const QString& file, OutputRedirections& redirections) {
  const bool both = entry.output && entry.error;
  if (both && !redirections.outputFile.isEmpty()) return;
  if (entry.output && redirections.outputFile.isEmpty()) {
    redirections.outputFile = file;
    redirections.appendOutput = entry.append;
  }
  if (entry.error && redirections.errorFile.isEmpty()) {
    redirections.errorFile = file;
    redirections.appendError = entry.append;
  }
}

// Windows, where load commands are written, runs a program named without a
// directory from the working directory before it searches PATH.
QString resolveProgram(const QString& program, const QString& workingDirectory) {
  if (program.contains(QLatin1Char('/'))) return program;
  const QFileInfo local(QDir(workingDirectory).filePath(program));
  if (local.isFile() && local.isExecutable()) return local.absoluteFilePath();
  const QString onPath = QStandardPaths::findExecutable(program);
  return onPath.isEmpty() ? program : onPath;
}

// The files of the redirected streams; a file named for both streams is opened once.
class RedirectedFiles {
 public:
  bool open(const OutputRedirections& redirections, const QString& workingDirectory, QString& detail) {
    return openFile(output_, redirections.outputFile, redirections.appendOutput, workingDirectory, detail) &&
           openError(redirections, workingDirectory, detail);
  }
  QFile* output() const { return output_.get(); }
  QFile* error() const { return error_ ? error_.get() : sharedError_; }

 private:
  bool openError(const OutputRedirections& redirections, const QString& workingDirectory, QString& detail) {
    if (output_ && !redirections.errorFile.isEmpty() &&
        QFileInfo(QDir(workingDirectory).filePath(redirections.errorFile)).absoluteFilePath() ==
            QFileInfo(output_->fileName()).absoluteFilePath()) {
      sharedError_ = output_.get();
      return true;
    }
    return openFile(error_, redirections.errorFile, redirections.appendError, workingDirectory, detail);
  }
  static bool openFile(std::unique_ptr<QFile>& file, const QString& name, bool append,
                       const QString& workingDirectory, QString& detail) {
    if (name.isEmpty()) return true;
    file = std::make_unique<QFile>(QDir(workingDirectory).filePath(name));
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (file->open(mode)) return true;
    detail = QStringLiteral("cannot write ") + file->fileName() + QStringLiteral(": ") + file->errorString();
    return false;
  }

  std::unique_ptr<QFile> output_;
  std::unique_ptr<QFile> error_;
  QFile* sharedError_ = nullptr;
};

// Lines of a stream without a file are dropped: the converter shows no command output.
OutputLineSplitter::LineHandler lineHandler(QFile* file) {
  if (file)
    return [file](const QByteArray& line) {
      file->write(line);
      file->write("\n", 1);
    };
  return [](const QByteArray&) {};
}

}  // namespace

QStringList splitCommandWords(const QString& command) {
  QStringList words;
  QString word;
  bool quoted = false;
  for (qsizetype index = 0; index < command.size(); ++index) {
    const QChar character = command[index];
    if (character == QLatin1Char('\\') && index + 1 < command.size() && command[index + 1] == QLatin1Char('"')) {
      word += QLatin1Char('"');
      ++index;
    } else if (character == QLatin1Char('"')) {
      quoted = !quoted;
    } else if ((character == QLatin1Char(' ') || character == QLatin1Char('\t')) && !quoted) {
      if (!word.isEmpty()) words.append(word);
      word.clear();
    } else {
      word += character;
    }
  }
  if (!word.isEmpty()) words.append(word);
  return words;
}

OutputRedirections takeRedirections(QStringList& words) {
  OutputRedirections redirections;
  qsizetype first = 0;
  while (first < words.size() && !findOperator(words[first])) ++first;
  for (qsizetype index = first; index + 1 < words.size(); index += 2)
    if (const RedirectionOperator* entry = findOperator(words[index]))
      applyRedirection(*entry, words[index + 1], redirections);
  words.resize(first);
  return redirections;
}

void OutputLineSplitter::append(const QByteArray& chunk) {
  for (const char byte : chunk) {
    if (skipNext_) {
      skipNext_ = false;
      continue;
    }
    if (byte != '\n' && byte != '\r') {
      pending_ += byte;
      continue;
    }
    skipNext_ = byte == '\r';
    hadLine_ = true;
    handler_(pending_);
    pending_.clear();
  }
}

void OutputLineSplitter::finish() {
  if (hadLine_ && !pending_.isEmpty()) handler_(pending_);
  pending_.clear();
}

LoadCommandResult runLoadCommand(const QString& command, const QString& workingDirectory) {
  LoadCommandResult result;
  QStringList words = splitCommandWords(command);
  const OutputRedirections redirections = takeRedirections(words);
  if (words.isEmpty()) return result;  // only redirections: nothing to run
  RedirectedFiles files;
  if (!files.open(redirections, workingDirectory, result.detail)) {
    result.outcome = LoadCommandResult::RedirectionFailed;
    return result;
  }
  QProcess process;
  process.setWorkingDirectory(workingDirectory);
  OutputLineSplitter output(lineHandler(files.output()));
  OutputLineSplitter error(lineHandler(files.error()));
  // The streams are read as they arrive, so lines of both streams sent to one file
  // keep the order in which the program wrote them.
  QObject::connect(&process, &QProcess::readyReadStandardOutput,
                   [&] { output.append(process.readAllStandardOutput()); });
  QObject::connect(&process, &QProcess::readyReadStandardError, [&] { error.append(process.readAllStandardError()); });
  const QString program = words.takeFirst();
  const QString resolved = resolveProgram(program, workingDirectory);
  if (!QFileInfo(QDir(workingDirectory).filePath(resolved)).isFile()) {
    result.outcome = LoadCommandResult::FailedToStart;
    result.detail = program + QStringLiteral(": no such program");
    return result;
  }
  process.start(resolved, words);
  if (!process.waitForStarted(-1)) {
    result.outcome = LoadCommandResult::FailedToStart;
    result.detail = program + QStringLiteral(": ") + process.errorString();
    return result;
  }
  // A load command may take as long as it needs (code generators can be slow): no timeout.
  process.waitForFinished(-1);
  output.append(process.readAllStandardOutput());
  error.append(process.readAllStandardError());
  output.finish();
  error.finish();
  if (process.exitStatus() == QProcess::CrashExit) {
    result.outcome = LoadCommandResult::Crashed;
    result.detail = program;
    return result;
  }
  result.exitStatus = process.exitCode();
  return result;
}

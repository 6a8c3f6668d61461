#include "solution/load_command.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <memory>
#include <string_view>

#include "solution/solution_load_error.h"
#include "support/child_process.h"

namespace {

struct RedirectionOperator {
  const char* word;
  bool output;
  bool error;
  bool append;
};

// "&>" and "&>>" name both streams; they act only while standard output has no file.
constexpr RedirectionOperator redirectionOperators[] = {
    {">", true, false, false},  {"1>", true, false, false}, {">>", true, false, true}, {"1>>", true, false, true},
    {"2>", false, true, false}, {"2>>", false, true, true}, {"&>", true, true, false}, {"&>>", true, true, true},
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

// Where PATH is unset, the C library's default path is what execvp searches.
QString searchPath() {
  if (qEnvironmentVariableIsSet("PATH")) return QString::fromLocal8Bit(qgetenv("PATH"));
  const size_t size = confstr(_CS_PATH, nullptr, 0);
  QByteArray path(qsizetype(size), '\0');
  if (size > 0) confstr(_CS_PATH, path.data(), size);
  return QString::fromLocal8Bit(path.constData());
}

// The files of the redirected streams; a file named for both streams is opened once.
// Throws the load error "solution load command output: cannot write <file>: <reason>".
class RedirectedFiles {
 public:
  RedirectedFiles(const OutputRedirections& redirections, const QString& workingDirectory,
                  const QString& solutionFile) {
    openFile(output_, redirections.outputFile, redirections.appendOutput, workingDirectory, solutionFile);
    openError(redirections, workingDirectory, solutionFile);
  }
  QFile* output() const { return output_.get(); }
  QFile* error() const { return error_ ? error_.get() : sharedError_; }

 private:
  void openError(const OutputRedirections& redirections, const QString& workingDirectory, const QString& solutionFile) {
    if (output_ && !redirections.errorFile.isEmpty() &&
        QFileInfo(QDir(workingDirectory).filePath(redirections.errorFile)).absoluteFilePath() ==
            QFileInfo(output_->fileName()).absoluteFilePath()) {
      sharedError_ = output_.get();
      return;
    }
    openFile(error_, redirections.errorFile, redirections.appendError, workingDirectory, solutionFile);
  }
  static void openFile(std::unique_ptr<QFile>& file, const QString& name, bool append, const QString& workingDirectory,
                       const QString& solutionFile) {
    if (name.isEmpty()) return;
    file = std::make_unique<QFile>(QDir(workingDirectory).filePath(name));
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (file->open(mode)) return;
    throw loadError(solutionFile, QStringLiteral("solution load command output: cannot write ") + file->fileName() +
                                      QStringLiteral(": ") + file->errorString());
  }

  std::unique_ptr<QFile> output_;
  std::unique_ptr<QFile> error_;
  QFile* sharedError_ = nullptr;
};

// Lines of a stream without a file are dropped: the converter shows no command output.
OutputLineSplitter::PieceHandler lineHandler(QFile* file) {
  if (file)
    return [file](const QByteArray& bytes, bool lineEnds) {
      file->write(bytes);
      if (lineEnds) file->write("\n", 1);
    };
  return [](const QByteArray&, bool) {};
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

void OutputLineSplitter::append(const char* bytes, size_t size) {
  for (const char byte : std::string_view(bytes, size)) {
    if (skipNext_) {
      skipNext_ = false;
      continue;
    }
    if (byte != '\n' && byte != '\r') {
      pending_ += byte;
      if (pending_.size() >= maximumLineBytes) handOn(false);
      continue;
    }
    skipNext_ = byte == '\r';
    hadLine_ = true;
    handOn(true);
  }
}

void OutputLineSplitter::finish() {
  if ((hadLine_ && !pending_.isEmpty()) || lineStarted_) handOn(true);
  pending_.clear();
}

void OutputLineSplitter::handOn(bool lineEnds) {
  handler_(pending_, lineEnds);
  pending_.clear();
  lineStarted_ = !lineEnds;
}

QString findProgram(const QString& name, const QString& searchPath, const QString& workingDirectory) {
  const QDir base(workingDirectory);
  if (name.contains(QLatin1Char('/'))) return base.filePath(name);
  for (const QString& entry : searchPath.split(QLatin1Char(':'))) {
    if (!entry.startsWith(QLatin1Char('/'))) continue;
    const QFileInfo candidate(entry + QLatin1Char('/') + name);
    if (candidate.isFile() && candidate.isExecutable()) return candidate.absoluteFilePath();
  }
  return QString();
}

void runLoadCommand(const QString& command, const QString& solutionFile) {
  QStringList words = splitCommandWords(command);
  const OutputRedirections redirections = takeRedirections(words);
  if (words.isEmpty()) return;  // only redirections: nothing to run
  const QString workingDirectory = QFileInfo(solutionFile).absolutePath();
  RedirectedFiles files(redirections, workingDirectory, solutionFile);
  const QString name = words.takeFirst();
  const QString program = findProgram(name, searchPath(), workingDirectory);
  if (!QFileInfo(program).isFile())
    throw loadError(solutionFile,
                    QStringLiteral("cannot start solution load command ") + name + QStringLiteral(": no such program"));
  OutputLineSplitter output(lineHandler(files.output()));
  OutputLineSplitter error(lineHandler(files.error()));
  // A load command may take as long as it needs (code generators can be slow): no timeout.
  const ChildExit exit = runChildProcess(
      program, name, words, workingDirectory, [&](const char* bytes, size_t size) { output.append(bytes, size); },
      [&](const char* bytes, size_t size) { error.append(bytes, size); });
  output.finish();
  error.finish();
  if (exit.outcome == ChildExit::FailedToStart)
    throw loadError(solutionFile, QStringLiteral("cannot start solution load command ") + name + QStringLiteral(": ") +
                                      QString::fromLocal8Bit(std::strerror(exit.code)));
  if (exit.outcome == ChildExit::Crashed)
    throw loadError(solutionFile, QStringLiteral("solution load command crashed (") + name + QLatin1Char(')'));
  if (exit.code != 0)
    throw loadError(solutionFile,
                    QStringLiteral("solution load command failed (") + QString::number(exit.code) + QLatin1Char(')'));
}

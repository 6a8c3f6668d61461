#pragma once
// The solution file writer: the bytes of a solution of the model, made in one walk
// without touching the model, and the solution written to its file, whole or
// project by project while it is built.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "support/atomic_write.h"
#include "support/conversion_outcome.h"

class ModelNode;

/// The layout of solution files: the DOCTYPE name, indent and line width.
inline constexpr char solutionDoctype[] = "Orbelin_Project_File";
inline constexpr uint32_t solutionIndent = 2;
inline constexpr uint32_t solutionLineWidth = 75;

/// The solution file text of solution: the DOCTYPE line, "target" "8" when the
/// solution has none, empty names and folder file names left out, dynamic folders
/// without their contents and imported solutions as "import" references. The root is
/// written as a solution even when it was imported somewhere.
std::string solutionText(const ModelNode& solution);
/// The same bytes handed to sink in pieces of some kilobytes, so that writing a large
/// solution never holds its whole text.
void writeSolutionText(const ModelNode& solution, const ByteSink& sink);

/// Writes solution to its file, creating the file's directory first, and replaces the
/// previous file only once the new one is complete (see writeFileAtomically). Throws
/// ConversionError "cannot write <path>: <reason>" when it cannot.
void saveSolution(const ModelNode& solution);

/// Writes a solution to its file while the model is built, so that the model need
/// not hold it whole: each project as soon as it is complete, the rest when it is
/// saved; the bytes are those saveSolution writes. The solution's own properties
/// must not change once its first project is written. A stream dropped before it
/// is saved leaves no file: an input that fails leaves the previous solution.
class SolutionStream {
 public:
  SolutionStream();
  SolutionStream(const SolutionStream&) = delete;
  SolutionStream& operator=(const SolutionStream&) = delete;
  ~SolutionStream();

  /// Writes project, a child of the root solution, when it is the solution's first
  /// child (everything before it is written). True when it was: the project may
  /// leave the model. Once a write has failed, writes nothing more.
  bool writeProject(const ModelNode& project);
  /// Writes the folders and files of project, a child of the root solution, to text
  /// kept on the disk until the project is written (AtomicFile::keep): a project
  /// that waits for those after it (its links change its configurations) then
  /// holds only its configurations in the model. True when it did: the project's children other than configurations
  /// may leave the model. Declined where the project's configurations do not all
  /// come first, or where the solution is not written while it is built.
  bool setAsideItems(const ModelNode& project);
  /// Writes what solution still holds after the projects written and replaces its
  /// file; where no project was written, the whole solution (saveSolution). Throws
  /// the ConversionError of a write that failed, as saveSolution would.
  void save(const ModelNode& solution);

 private:
  struct Writing;
  enum class State { NotStarted, Streaming, Declined, Failed };
  void start(const ModelNode& solution);
  void fail(const ConversionError& error);

  State state_ = State::NotStarted;
  std::unique_ptr<Writing> writing_;
  std::optional<ConversionError> error_;
};

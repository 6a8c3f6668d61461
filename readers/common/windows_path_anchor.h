#pragma once
// Absolute Windows paths that a workspace carries from the machine it was made
// on ("file:/F:/GD_Boards_Demo/GD32F4xx_Demo_Suites/...", an SDK installed in
// "c:/ti/mspm0_sdk_2_09_00_01"): they name a tree that exists on no other
// machine, but usually the tree being converted is that tree, checked out
// somewhere else. Such a path is found again below the project where a
// trailing part of it exists.

#include <QString>
#include <optional>

class ForeignPathResolver;

/// Where a Windows path was found.
struct AnchoredPath {
  /// The absolute path on disk, spelled as found, "." and ".." folded.
  QString path;
  /// How many trailing components of the Windows path were found there.
  qsizetype components = 0;
};

/// True for a path that begins at a Windows drive ("C:/x", "c:\x") or share ("//server/x", "\\server\x").
bool isWindowsAbsolutePath(const QString& path);

/// The longest trailing part of windowsPath, of at least leastComponents
/// components, that exists in startDirectory or a directory above it, the
/// nearest first (components compared ignoring case where that finds one entry
/// only, as on Windows); nothing when no part does. Only the last 64 components
/// are tried: no real path has more, and a hostile one costs no more.
std::optional<AnchoredPath> anchorWindowsPath(ForeignPathResolver& paths, const QString& windowsPath,
                                              const QString& startDirectory, qsizetype leastComponents = 1);

#pragma once
// The line "-verbose" prints for each solution written.

#include <QString>

class ProjectElement;

/// How many projects, folders and files a solution holds (nested solutions included).
struct SolutionCounts {
  int projects = 0;
  int folders = 0;
  int files = 0;
};

SolutionCounts countSolutionItems(const ProjectElement* solution);

/// "<path>: 2 projects, 5 folders, 14 files" (singular for one).
QString solutionSummary(const QString& path, const SolutionCounts& counts);

#pragma once
// The layers of the project system. Each constructor runs its base's and then
// registers its own property set, so the sets are registered general set first.

#include <QString>
#include <QStringList>

#include "projectsystem/project_system.h"

/// Adds the common build and debug property set.
class StandardProjectSystem : public ProjectSystem {
  Q_OBJECT
 public:
  StandardProjectSystem(const QString& templatesFiles, const QStringList& packages);
};

/// Adds the GCC compiler set and the GCC file extensions: ".o", ".a" and the
/// executable extension it is constructed with.
class GCCProjectSystem : public StandardProjectSystem {
  Q_OBJECT
 public:
  GCCProjectSystem(const QString& templatesFiles, const QStringList& packages, const QString& executableExtension);

  QString objectFileExtension() const override { return QStringLiteral(".o"); }
  QString executableFileExtension() const override { return executableExtension_; }
  QString libraryFileExtension() const override { return QStringLiteral(".a"); }

 private:
  QString executableExtension_;
};

/// Adds the GCC/clang toolchain set.
class HalbrookGCCProjectSystem : public GCCProjectSystem {
  Q_OBJECT
 public:
  HalbrookGCCProjectSystem(const QString& templatesFiles, const QStringList& packages,
                           const QString& executableExtension);
};

/// Adds the ARM target set (Cortex-M variant); executables end in ".elf".
class ARMProjectSystem : public HalbrookGCCProjectSystem {
  Q_OBJECT
 public:
  ARMProjectSystem(const QString& templatesFiles, const QStringList& packages);
};

/// The converter's own project system: everything is inherited.
class MyProjectSystem : public ARMProjectSystem {
  Q_OBJECT
 public:
  using ARMProjectSystem::ARMProjectSystem;
  ~MyProjectSystem() override;
};

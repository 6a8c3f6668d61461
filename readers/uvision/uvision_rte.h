#pragma once
// The Run-Time Environment of a uVision project file ("RTE"): the software
// components its targets use and the configuration files uVision copied into
// the project's RTE folder for them.

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// The "RTE" section of a project file, read once for all its targets.
class UVisionRteSection {
 public:
  /// Reads element (null when the file has none).
  explicit UVisionRteSection(const ForeignElement& element);

  /// What the target's build gets from its components, as uVision's does: the
  /// directories of their configuration files and "RTE/_<target>" (spaces
  /// written "_") where they exist, as include directories, and "_RTE_"
  /// defined. Components whose files are only in an installed pack are reported.
  void addToConfiguration(const UVisionTargetReading& reading, SourceConfiguration& configuration) const;
  /// Puts each configuration file of the target's components that exists on
  /// disk into the folder of its component's class ("::Device"). Files that
  /// the target uses and that are missing are reported.
  void addFiles(const UVisionTargetReading& reading, std::vector<SourceItem>& sources) const;

 private:
  /// A component as Cclass, Cgroup and Csub name it; versions and variants vary
  /// between the section's lists.
  struct Component {
    QString className;
    QString group;
    QString sub;
    QString version;
    /// "vendor.name version" of the pack it comes from.
    QString pack;
    QStringList targets;

    /// "CMSIS:CORE", "CMSIS:RTOS2:Keil RTX5".
    QString name() const {
      return className + QLatin1Char(':') + group + (sub.isEmpty() ? QString() : QLatin1Char(':') + sub);
    }
    bool same(const Component& other) const {
      return className == other.className && group == other.group && sub == other.sub;
    }
  };
  /// A configuration file instance in the project's RTE folder.
  struct Instance {
    Component component;
    QString path;
  };

  static Component readComponent(const ForeignElement& component, const ForeignElement& package,
                                 const ForeignElement& targets);
  /// The instances of the target's components that exist on disk, as the
  /// solution writes their paths; those that do not may be reported.
  QList<Instance> targetInstances(const UVisionTargetReading& reading, bool reportMissing) const;

  QList<Component> components_;
  QList<Instance> instances_;
};

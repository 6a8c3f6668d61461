#pragma once
// The user data directories and the IDE's settings object, of which the
// converter reads only registered defaults.

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

/// The product's major version, which names the user data directory.
inline constexpr int studioMajorVersion = 4;

/// The setting naming the packages directory (may hold macro references).
inline constexpr char packagesDirectorySetting[] = "Environment/Package/Destination Directory";
/// The setting listing the user's global macros as "name=value" entries.
inline constexpr char globalMacrosSetting[] = "Environment/Macros/Global Macros";

/// The directory above every product's user data: MARROWFEN_ROOT_USER_DIR when
/// set, else a directory under HOME. Computed whenever asked for while empty.
QString rootUserDirectory();
/// Replaces the root user directory (option "-rootuserdir"); empty computes it again.
void setRootUserDirectory(const QString& directory);
/// rootUserDirectory() + "/Marrowfen for ARM/v4".
QString userDataDirectory();

/// Settings of the IDE: named settings files and the defaults registered by each layer.
class EnvironmentSettings : public QObject {
  Q_OBJECT

 public:
  EnvironmentSettings(const QStringList& settingsFiles, bool autosave);

  /// Lets the settings object register every setting with its default.
  virtual void registerSettings() {}

  /// The setting's value: its registered default (no settings file is read); invalid when unknown.
  QVariant value(const QString& key) const { return values_.value(key); }
  /// The files the IDE would load and save; the converter reads neither.
  const QStringList& settingsFiles() const { return settingsFiles_; }
  bool autosave() const { return autosave_; }

 protected:
  void registerSetting(const QString& key, const QVariant& defaultValue) { values_.insert(key, defaultValue); }

 private:
  QStringList settingsFiles_;
  bool autosave_;
  QMap<QString, QVariant> values_;
};

/// The settings layer shared by the IDE's products.
class OrbelinEnvironmentSettings : public EnvironmentSettings {
  Q_OBJECT

 public:
  using EnvironmentSettings::EnvironmentSettings;
};

/// The settings layer of products that load ELF/DWARF executables.
class ElfDwarfOrbelinEnvironmentSettings : public OrbelinEnvironmentSettings {
  Q_OBJECT

 public:
  using OrbelinEnvironmentSettings::OrbelinEnvironmentSettings;
};

/// The ARM product's settings: the root and user settings files, no autosave.
class ARMOrbelinEnvironmentSettings : public ElfDwarfOrbelinEnvironmentSettings {
  Q_OBJECT

 public:
  ARMOrbelinEnvironmentSettings();
  void registerSettings() override;
};

/// The process-wide settings object; null until start-up installs one.
EnvironmentSettings* environmentSettings();
/// Makes settings the process-wide settings object for the rest of the process.
void setEnvironmentSettings(std::unique_ptr<EnvironmentSettings> settings);

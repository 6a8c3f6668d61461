#include "tool/environment_settings.h"

namespace {

QString& storedRootUserDirectory() {
  static QString directory;
  return directory;
}

// An empty MARROWFEN_ROOT_USER_DIR counts as unset: it would put the user data
// at the file-system root.
QString defaultRootUserDirectory() {
  const QByteArray override = qgetenv("MARROWFEN_ROOT_USER_DIR");
  if (!override.isEmpty()) return QString::fromLocal8Bit(override);
  const QString company = QStringLiteral("Halbrook Tessaly Limited");
  QString directory = QString::fromLocal8Bit(qgetenv("HOME")) + "/." + company.toLower();
  return directory.replace(QLatin1Char(' '), QLatin1Char('_'));  // the home part's spaces too
}

/// One registered setting: its key and its default.
struct SettingDefault {
  const char* key;
  QVariant value;
};

std::unique_ptr<EnvironmentSettings>& installedSettings() {
  static std::unique_ptr<EnvironmentSettings> settings;
  return settings;
}

}  // namespace

QString rootUserDirectory() {
  QString& directory = storedRootUserDirectory();
  if (directory.isEmpty()) directory = defaultRootUserDirectory();
  return directory;
}

void setRootUserDirectory(const QString& directory) { storedRootUserDirectory() = directory; }

QString userDataDirectory() {
  return rootUserDirectory() + "/Marrowfen for ARM/v" + QString::number(studioMajorVersion);
}

EnvironmentSettings::EnvironmentSettings(const QStringList& settingsFiles, bool autosave)
    : settingsFiles_(settingsFiles), autosave_(autosave) {}

ARMOrbelinEnvironmentSettings::ARMOrbelinEnvironmentSettings()
    : ElfDwarfOrbelinEnvironmentSettings({rootUserDirectory() + "/settings.xml", userDataDirectory() + "/settings.xml"},
                                         false) {}

// The converter reads the first two; the last two stand for the IDE's own
// preferences, which nothing here consults.
void ARMOrbelinEnvironmentSettings::registerSettings() {
  const SettingDefault defaults[] = {
      {packagesDirectorySetting, QStringLiteral("$(StudioUserDir)/packages")},
      {globalMacrosSetting, QStringList()},
      {"Environment/Startup/Load Last Solution", true},
      {"Debugging/ELF/Load Symbols Only", false},
  };
  for (const SettingDefault& setting : defaults) registerSetting(QString::fromLatin1(setting.key), setting.value);
}

EnvironmentSettings* environmentSettings() { return installedSettings().get(); }

void setEnvironmentSettings(std::unique_ptr<EnvironmentSettings> settings) {
  installedSettings() = std::move(settings);
}

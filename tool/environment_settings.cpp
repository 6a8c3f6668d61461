#include "tool/environment_settings.h"

namespace {

QString& storedRootUserDirectory() {
  static QString directory;
  return directory;
}

// A set variable wins even when empty: the user data directory then lies
// directly below the file-system root.
QString defaultRootUserDirectory() {
  if (qEnvironmentVariableIsSet("MARROWFEN_ROOT_USER_DIR"))
    return QString::fromLocal8Bit(qgetenv("MARROWFEN_ROOT_USER_DIR"));
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

// Only the settings the converter reads; the IDE's own preferences are left out.
void ARMOrbelinEnvironmentSettings::registerSettings() {
  const SettingDefault defaults[] = {
      {packagesDirectorySetting, QStringLiteral("$(StudioUserDir)/packages")},
      {globalMacrosSetting, QStringList()},
  };
  for (const SettingDefault& setting : defaults) registerSetting(QString::fromLatin1(setting.key), setting.value);
}

EnvironmentSettings* environmentSettings() { return installedSettings().get(); }

void setEnvironmentSettings(std::unique_ptr<EnvironmentSettings> settings) {
  installedSettings() = std::move(settings);
}

#pragma once
// The property and configuration names that the model code addresses by role.
// Kept as QString constants so map lookups need no conversion.

#include <QString>

namespace model_names {

inline const QString commonConfiguration = QStringLiteral("Common");

inline const QString nameProperty = QStringLiteral("Name");
inline const QString fileNameProperty = QStringLiteral("file_name");
/// A folder's extension filter and a dynamic folder's wildcard filter share this name.
inline const QString filterProperty = QStringLiteral("filter");
/// Makes a folder dynamic.
inline const QString pathProperty = QStringLiteral("path");
inline const QString recurseProperty = QStringLiteral("recurse");
inline const QString excludeProperty = QStringLiteral("exclude");
inline const QString projectDirectoryProperty = QStringLiteral("project_directory");
inline const QString projectTypeProperty = QStringLiteral("project_type");
/// A project naming its template, and the configurations it is expanded for.
inline const QString templateNameProperty = QStringLiteral("template_name");
inline const QString templateConfigurationsProperty = QStringLiteral("template_configurations");
inline const QString macrosProperty = QStringLiteral("macros");
inline const QString inheritedConfigurationsProperty = QStringLiteral("inherited_configurations");
inline const QString versionProperty = QStringLiteral("version");
inline const QString targetProperty = QStringLiteral("target");

}  // namespace model_names

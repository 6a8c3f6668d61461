#pragma once
// Reading the "Debug" and "Release" configurations of a CDT settings file into
// configuration properties, and moving what both share into "Common".

#include "importers/dom_document.h"
#include <QString>

class ProjectElement;
class ProjectSystem;

/// The target device named by the last "Microcontroller" option read in this run.
/// Empty at start and never reset: it carries over from configuration to
/// configuration and from project to project.
QString& microcontrollerName();

/// An "includePath" entry of a CDT file as a solution include directory, with
/// projectName standing for "${ProjName}"; empty when nothing is left of it.
QString rewriteIncludePath(QString value, const QString& projectName);

/// Sets configurationName's "c_preprocessor_definitions" and
/// "c_user_include_directories" of project from the options below
/// configurationElement, followed by the "-D" and "-I" values.
void importConfigurationOptions(ProjectSystem& projectSystem, ProjectElement* project,
                                const QString& configurationName, const QString& projectName,
                                const DomElement& configurationElement);

/// Moves propertyName to "Common" when "Debug" and "Release" hold the same value.
void mergeCommonProperty(ProjectSystem& projectSystem, ProjectElement* project, const QString& propertyName);

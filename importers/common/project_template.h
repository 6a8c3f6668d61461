#pragma once
// The project template each converted project names, chosen by what it builds.

#include <QString>

class ProjectElement;
class ProjectSystem;
struct ImportSettings;

/// What a project builds.
enum class ProjectKind { Executable, StaticLibrary, SharedLibrary, Unknown };

/// Sets the "template_name" of a project that builds kind (an executable or a
/// static library): the library or the executable template of the settings.
/// Without an executable template, a known device still makes an executable
/// buildable: it becomes "Target" in "Common", and an STM32 part gets the
/// "STM32_EXE" template as well. Throws HException "<shownFile>: library template
/// not specified", or "...: executable template not specified" when there is no
/// device either.
void applyProjectTemplate(ProjectSystem& projectSystem, const ImportSettings& settings, ProjectElement* project,
                          ProjectKind kind, const QString& device, const QString& shownFile);

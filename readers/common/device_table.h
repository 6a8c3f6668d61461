#pragma once
// The processors of microcontroller parts, by part-number family, as their
// vendors' data sheets give them: what an IDE derives the compiler's core and
// FPU from when a project names its device rather than its core (STM32CubeIDE's
// MCU, DAVE's target, Embedded Workbench's "Device" choice). Nothing is guessed
// for a part of no family in the table: the project's own core stands, or the
// part is reported.

#include <QList>
#include <QString>
#include <optional>

#include "readers/common/project_record.h"
#include "support/diagnostics.h"

/// What the processor of a part has.
struct PartProcessor {
  /// As -mcpu names it ("cortex-m4").
  QString core;
  /// As -mfpu names it; "none" for no FPU.
  QString fpu;
  /// The ARMv8-M DSP extension (the DSP instructions of Cortex-M4 and M7 come
  /// with the core and are not an option).
  bool dsp = false;

  friend bool operator==(const PartProcessor&, const PartProcessor&) = default;
};

/// The processor of the part named as IDEs name parts: "STM32F446RETx",
/// "STM32F411RE", "M481AE series", "-AT32F403AVGT7" (uVision's Artery names),
/// "STM32H745XIHx:CM4" (one core of a part with two). Nullopt for a part of no
/// family the table holds, and for a part with two cores whose name does not
/// say which.
std::optional<PartProcessor> partProcessor(const QString& part);

/// device as its IDE builds it. Where the source builds for its named device
/// (coreFromDevice), the part's core replaces the source's, and its FPU and
/// DSP extension fill those the source leaves unset or sets beyond what the
/// part has; a core or FPU so replaced, and a part the table does not know
/// where the source names no core, are appended to notCarried (without
/// configurations). Otherwise device is returned as it is.
TargetDevice deviceAsBuilt(const TargetDevice& device, QList<NotCarried>& notCarried);

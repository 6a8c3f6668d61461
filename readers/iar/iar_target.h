#pragma once
// The device an IAR configuration builds for, from its tool chain and its
// "General" options, in the record's words (the GNU tools' names where they
// have one). The codes of the core and FPU options changed meaning across
// Embedded Workbench versions; each option's own "version" tells which apply.

#include "readers/common/project_record.h"
#include "readers/iar/iar_project.h"

/// The device of configuration: its name, and for an ARM tool chain its core,
/// FPU, floating-point calling convention, byte order, DSP extension and
/// secure state. Another tool chain ("RISCV", "MSP430", ...) sets
/// otherArchitecture and nothing of ARM's. A code without a known meaning is
/// kept as "IAR core code 57 (version 30)", for the mapper to report. The
/// memory comes from the linker configuration file (iar_icf.h).
TargetDevice readIarTargetDevice(const IarConfiguration& configuration);

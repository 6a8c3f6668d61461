#pragma once
// The memory layout of an IAR linker configuration file (".icf"), as far as
// Embedded Workbench's ICF editor keeps it: "define symbol __ICFEDIT_...__ = value;"
// lines between its markers. The rest of the file is ILINK's own language,
// which the GNU linker cannot use; the file itself is reported by the mapper.

#include <QList>
#include <QString>
#include <optional>

#include "readers/common/project_record.h"

/// What the editor symbols of an ICF file say.
struct IcfLayout {
  /// Whether the file has editor symbols at all.
  bool hasEditorSymbols = false;
  /// The internal ROM and RAM regions in use, in the order written.
  QList<MemoryRegion> memory;
  std::optional<quint64> stackSize;
  std::optional<quint64> heapSize;
  /// Symbols that hold something else (external memory, the stacks of the
  /// other processor modes, a vector table away from the start of ROM), as
  /// "memory region" or "ICF symbol".
  QList<NotCarried> notCarried;
};

/// Reads the editor symbols of the text of an ICF file. Both editor layouts
/// are read: "ROM" and "RAM" (ARM7/9, a_v1_0) and "IROM1", "IROM2", "IRAM1",
/// "IRAM2" with external "EROMn" and "ERAMn" (Cortex, cortex_v2_1). A region's
/// "_end__" is its last address; start and end 0 mark an unused region.
IcfLayout readIcfLayout(const QString& text);

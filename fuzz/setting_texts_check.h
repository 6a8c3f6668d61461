#pragma once
// What the setting_texts fuzz target checks, shared with the test that replays
// its corpus: the small text parsers of the readers (an ICF file's editor
// symbols, a uVision "Cpu" string, option and definition texts) read any text
// without failing, and what they give holds together.

#include <QString>
#include <string>
#include <string_view>

#include "readers/common/command_line_words.h"
#include "readers/iar/iar_icf.h"
#include "readers/uvision/uvision_device.h"
#include "readers/uvision/uvision_model.h"

namespace setting_texts_check {

/// Empty when every parser read text consistently; else what went wrong.
inline std::string check(std::string_view bytes) {
  const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
  for (const QString& word : commandLineWords(text))
    if (word.contains(QLatin1Char('"'))) return "a command-line word keeps a quote: " + word.toStdString();
  for (const QString& item : definitionItems(text))
    if (item.isEmpty()) return "an empty definition item";
  const IcfLayout layout = readIcfLayout(text);
  for (const MemoryRegion& region : layout.memory)
    if (region.size == 0) return "an ICF region of size 0: " + region.name.toStdString();
  for (const CpuToken& token : cpuTokens(text)) {
    if (token.name.isEmpty()) return "a Cpu token without a name";
    if (const std::optional<MemoryRegion> region = cpuMemoryRegion(token);
        region && region->size == 0 && region->start != 0)
      return "a Cpu memory region of size 0 at a start: " + token.argument.toStdString();
  }
  return {};
}

}  // namespace setting_texts_check

#include "readers/iar/iar_icf.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

/// One "define symbol __ICFEDIT_<name>__ = <value>;".
struct EditorSymbol {
  QString name;
  QString value;
};

QList<EditorSymbol> editorSymbols(const QString& text) {
  static const QRegularExpression definition(
      QStringLiteral("define\\s+symbol\\s+__ICFEDIT_(\\w+?)__\\s*=\\s*([^;]*);"));
  QList<EditorSymbol> symbols;
  for (const QRegularExpressionMatch& match : definition.globalMatch(text))
    symbols.append({match.captured(1), match.captured(2).trimmed()});
  return symbols;
}

std::optional<quint64> number(const QString& value) {
  bool valid = false;
  const quint64 result = value.toULongLong(&valid, 0);
  return valid ? std::optional<quint64>(result) : std::nullopt;
}

QString symbolText(const EditorSymbol& symbol) {
  return QStringLiteral("__ICFEDIT_") + symbol.name + QStringLiteral("__ = ") + symbol.value;
}

/// A region as its two symbols give it.
struct RegionSymbols {
  QString name;
  QString start;
  QString end;
};

// Regions in the order their first symbol is written.
QList<RegionSymbols> regionSymbols(const QList<EditorSymbol>& symbols) {
  static const QRegularExpression bound(QStringLiteral("^region_(\\w+)_(start|end)$"));
  QList<RegionSymbols> regions;
  for (const EditorSymbol& symbol : symbols) {
    const QRegularExpressionMatch match = bound.match(symbol.name);
    if (!match.hasMatch()) continue;
    auto region = std::find_if(regions.begin(), regions.end(),
                               [&](const RegionSymbols& known) { return known.name == match.captured(1); });
    if (region == regions.end()) region = regions.insert(regions.end(), {match.captured(1), {}, {}});
    (match.captured(2) == QLatin1String("start") ? region->start : region->end) = symbol.value;
  }
  return regions;
}

// External memory (EROMn, ERAMn) and regions of other names are not the
// device's own ROM and RAM that the memory map describes.
void addRegion(IcfLayout& layout, const RegionSymbols& region) {
  const std::optional<quint64> start = number(region.start);
  const std::optional<quint64> end = number(region.end);
  if (start == quint64(0) && end == quint64(0)) return;
  const bool external = region.name.startsWith(QLatin1Char('E'));
  const bool rom = region.name.contains(QLatin1String("ROM"));
  if (!start || !end || *end < *start || external || (!rom && !region.name.contains(QLatin1String("RAM")))) {
    layout.notCarried.append({QStringLiteral("memory region"), region.name + QLatin1Char(' ') + region.start +
                                                                   QStringLiteral(" to ") + region.end, {}});
    return;
  }
  layout.memory.append(
      {rom ? MemoryRegion::Kind::Rom : MemoryRegion::Kind::Ram, region.name, *start, *end - *start + 1});
}

std::optional<quint64> firstRomStart(const IcfLayout& layout) {
  for (const MemoryRegion& region : layout.memory)
    if (region.kind == MemoryRegion::Kind::Rom) return region.start;
  return std::nullopt;
}

// The main stack and the heap have properties; the stacks of the other ARM
// modes and of the TrustZone states in use do not. The vector table is where
// the program starts unless it says otherwise.
void addOtherSymbol(IcfLayout& layout, const EditorSymbol& symbol) {
  const std::optional<quint64> value = number(symbol.value);
  if (symbol.name == QLatin1String("size_cstack") && value) {
    layout.stackSize = value;
  } else if (symbol.name == QLatin1String("size_heap") && value) {
    layout.heapSize = value;
  } else if (symbol.name.startsWith(QLatin1String("size_")) && value == quint64(0)) {
    return;
  } else if (symbol.name == QLatin1String("intvec_start") && value && *value == firstRomStart(layout)) {
    return;
  } else if (!symbol.name.startsWith(QLatin1String("region_"))) {
    layout.notCarried.append({QStringLiteral("ICF symbol"), symbolText(symbol), {}});
  }
}

}  // namespace

IcfLayout readIcfLayout(const QString& text) {
  IcfLayout layout;
  const QList<EditorSymbol> symbols = editorSymbols(text);
  layout.hasEditorSymbols = !symbols.isEmpty();
  for (const RegionSymbols& region : regionSymbols(symbols)) addRegion(layout, region);
  for (const EditorSymbol& symbol : symbols) addOtherSymbol(layout, symbol);
  return layout;
}

#include "readers/iar/iar_icf.h"

#include <QHash>
#include <QRegularExpression>

namespace {

/// One "define symbol __ICFEDIT_<name>__ = <value>;".
struct EditorSymbol {
  QString name;
  QString value;
};

// Blanks and the characters of a name, ASCII only.
bool isBlank(QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool isWordCharacter(QChar c) { return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_'); }

qsizetype skipBlanks(const QString& text, qsizetype at) {
  while (at < text.size() && isBlank(text[at])) ++at;
  return at;
}

/// Where a definition's name lies and where its "=" stands.
struct DefinitionHead {
  qsizetype nameStart;
  qsizetype nameEnd;
  qsizetype equals;
};

// "define", blanks, "symbol", blanks, "__ICFEDIT_", a name of word characters
// followed by "__", blanks and "=", starting at at.
std::optional<DefinitionHead> definitionHead(const QString& text, qsizetype at) {
  const QStringView view(text);
  for (const QStringView word : {u"define", u"symbol"}) {
    if (!view.sliced(at).startsWith(word)) return std::nullopt;
    const qsizetype after = at + word.size();
    at = skipBlanks(text, after);
    if (at == after) return std::nullopt;
  }
  if (!view.sliced(at).startsWith(u"__ICFEDIT_")) return std::nullopt;
  const qsizetype start = at + 10;
  qsizetype end = start;
  while (end < text.size() && isWordCharacter(text[end])) ++end;
  const qsizetype equals = skipBlanks(text, end);
  if (end - start < 3 || !view.sliced(start, end - start).endsWith(u"__") || equals == text.size() ||
      text[equals] != u'=')
    return std::nullopt;
  return DefinitionHead{start, end - 2, equals};
}

// Every "define symbol __ICFEDIT_<name>__ = <value>;", read in one pass. The
// value runs to the next ";", whose place is looked up once and kept, so many
// definitions that never end cost no more than the text's length.
QList<EditorSymbol> editorSymbols(const QString& text) {
  QList<EditorSymbol> symbols;
  qsizetype nextSemicolon = 0;  // after where it was last looked for; text.size() when there is none
  for (qsizetype at = text.indexOf(u"define"); at >= 0; at = text.indexOf(u"define", at)) {
    const std::optional<DefinitionHead> head = definitionHead(text, at);
    if (!head) {
      ++at;
      continue;
    }
    if (nextSemicolon <= head->equals) {
      nextSemicolon = text.indexOf(u';', head->equals);
      if (nextSemicolon < 0) nextSemicolon = text.size();
    }
    if (nextSemicolon == text.size()) break;  // no later definition can end either
    symbols.append({text.mid(head->nameStart, head->nameEnd - head->nameStart),
                    text.mid(head->equals + 1, nextSemicolon - head->equals - 1).trimmed()});
    at = nextSemicolon + 1;
  }
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
  QHash<QString, qsizetype> regionIndex;
  for (const EditorSymbol& symbol : symbols) {
    const QRegularExpressionMatch match = bound.match(symbol.name);
    if (!match.hasMatch()) continue;
    const QString name = match.captured(1);
    auto index = regionIndex.constFind(name);
    if (index == regionIndex.constEnd()) {
      index = regionIndex.insert(name, regions.size());
      regions.append({name, {}, {}});
    }
    RegionSymbols& region = regions[*index];
    (match.captured(2) == QLatin1String("start") ? region.start : region.end) = symbol.value;
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
    layout.notCarried.append({QStringLiteral("memory region"),
                              region.name + QLatin1Char(' ') + region.start + QStringLiteral(" to ") + region.end,
                              {}});
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

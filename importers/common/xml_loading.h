#pragma once
// Reading the foreign workspace and project files into element trees, and the
// lookups the importers make in them.

#include <QList>
#include <QString>

#include "importers/common/dom_document.h"

/// No real workspace or project file is larger than a few MiB: a larger one is
/// refused before it is read, so that a hostile file cannot exhaust memory.
inline constexpr qint64 maximumForeignFileBytes = qint64(256) << 20;

/// Parses the whole file at path. Throws ConversionError "Cannot open <path> for
/// reading", about referencedBy when another file named this one, or "<parser
/// message> line: L column: C" about path, or the size limit about path (paths
/// as displayPath shows them).
DomDocument loadXmlDocument(const QString& path, const QString& referencedBy = QString());

/// The first direct child of node that is an element named tagName (exact), or a null element.
DomElement firstChildElement(DomElement node, const QString& tagName);

/// The direct children of node that are elements named tagName, in document order.
QList<DomElement> childElements(DomElement node, const QString& tagName);

/// The character data of the first child node of firstChildElement(node, tagName);
/// empty when that element is missing, has no children, or its first child is not text.
QString childElementText(DomElement node, const QString& tagName);

/// The character data of element's first child node, empty when it is not text.
inline QString elementText(DomElement element) { return element.firstChildText(); }

/// Every element named tagName below node (all descendants), in document order.
/// Each element is visited once, so the cost stays proportional to the file.
QList<DomElement> descendantElements(DomElement node, const QString& tagName);

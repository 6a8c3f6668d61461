#pragma once
// Reading the foreign workspace and project files into element trees, and the
// lookups the importers make in them.

#include <QList>
#include <QString>

#include "importers/dom_document.h"

/// Parses the whole file. Throws HException "Cannot open <path> for reading" or
/// "<parser message> line: L column: C".
DomDocument loadXmlDocument(const QString& path);

/// The first direct child of node that is an element named tagName (exact), or a null element.
DomElement firstChildElement(DomElement node, const QString& tagName);

/// The character data of the first child node of firstChildElement(node, tagName);
/// empty when that element is missing, has no children, or its first child is not text.
QString childElementText(DomElement node, const QString& tagName);

/// The character data of element's first child node, empty when it is not text.
inline QString elementText(DomElement element) { return element.firstChildText(); }

/// Every element named tagName below node (all descendants), in document order.
QList<DomElement> descendantElements(DomElement node, const QString& tagName);

#pragma once
// Reading the foreign workspace and project files into element trees, and the
// lookups the importers make in them.

#include <QList>
#include <QString>

#include "importers/common/dom_document.h"
#include "importers/common/input_files.h"

/// Parses the whole file at path, recorded in inputs when given. Throws
/// ConversionError "Cannot open <path> for reading", about referencedBy when
/// another file named this one, or "<parser message> line: L column: C" about
/// path, or the size limit about path (paths as displayPath shows them).
DomDocument loadXmlDocument(const QString& path, const QString& referencedBy = QString(), InputFiles* inputs = nullptr);

/// What a workspace or project file is, known by its document element.
struct DocumentKind {
  /// The name of the document element: "ProjectWorkspace".
  const char* element;
  /// The kind as messages say it: "a uVision workspace".
  const char* description;
};

/// Loads the file at path as loadXmlDocument does and records it in inputs;
/// throws ConversionError "<path>: not <kind's description>" when its document
/// element is not kind's (a file of another IDE, a page saved under the name).
DomDocument loadForeignFile(InputFiles& inputs, const QString& path, const DocumentKind& kind,
                            const QString& referencedBy = QString());

/// The document element of document (null for an empty document).
DomElement documentElement(const DomDocument& document);

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

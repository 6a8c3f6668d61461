#pragma once
// What an "include" directive reads: the file its name resolves to, parsed into a
// document whose elements the including document makes.

#include <QString>
#include <memory>
#include <string>

#include "xml/xml_document.h"

/// A separate document for an included file; its elements are made by the including
/// document, so they can be spliced into that document's tree.
class IncludedDocument : public XMLDocument {
 public:
  explicit IncludedDocument(XMLDocument& owner) : XMLDocument(owner.keepData()), owner_(owner) {}
  std::unique_ptr<XMLElement> createElement(std::string name) override { return owner_.createElement(std::move(name)); }

 private:
  XMLDocument& owner_;
};

/// The file an include names: name as written, relative names taken from baseDirectory
/// (the working directory when empty). When no such file exists, the forms a file written
/// on Windows uses are tried: "\" separators, then components differing in case. Returns
/// the path as written (joined to baseDirectory) when nothing is found.
QString resolveIncludedPath(const QString& name, const QString& baseDirectory);

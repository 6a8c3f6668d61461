#pragma once
// A document of the project system's XML layer: a byte-oriented one-pass parser
// and a pretty-printing writer.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "xml/whole_file.h"
#include "xml/xml_node.h"

/// An XML document: the document element, the declaration values, the DOCTYPE name
/// and the last error. Parse and write errors are reported through its fields.
class XMLDocument {
 public:
  /// Without keepData the parser makes no character-data and no comment nodes.
  explicit XMLDocument(bool keepData = false) : keepData_(keepData) {}
  XMLDocument(const XMLDocument&) = delete;
  XMLDocument& operator=(const XMLDocument&) = delete;
  virtual ~XMLDocument();

  /// Makes a new element; the parser and importNode create every element through it.
  virtual std::unique_ptr<XMLElement> createElement(std::string name);

  /// Parses text into root, version, encoding and doctype. False on an error, with
  /// errorMessage and errorLine set. Success does not imply a document element.
  /// The text ends at its first NUL byte, if any. Fields a previous parse set are kept.
  bool parse(std::string_view text);
  /// Reads a whole open stream, skips a UTF-8 byte-order mark, and parses the rest;
  /// a stream longer than maximumFileBytes is refused.
  bool parseFile(std::FILE* stream);
  /// Reads the file at path (bytes) whole and parses it; "couldn't read %s" when it
  /// cannot or names no regular file (a directory, a device, a pipe), and the refusal
  /// of WholeFile when it is too large or the system gives no size for it.
  bool parseFile(const char* path);
  /// parseFile(path) for a file whose text must be UTF-8 unless its declaration names
  /// another encoding: the first bytes that are not is the error "invalid UTF-8" at
  /// their line and column, and no document element is kept.
  bool parseUtf8File(const char* path);
  /// Writes the document (declaration, DOCTYPE, root) to an open stream. Always true.
  bool write(std::FILE* stream, uint32_t indent, uint32_t lineWidth) const;
  /// The same bytes as write, returned as a string.
  std::string toString(uint32_t indent, uint32_t lineWidth) const;

  bool keepData() const { return keepData_; }

  uint32_t indent = 0;
  uint32_t lineWidth = 0;
  std::optional<std::string> doctype;
  std::optional<std::string> version;
  std::optional<std::string> encoding;
  std::unique_ptr<XMLElement> root;
  std::string errorMessage;
  int32_t errorLine = 0;
  /// The error's column in characters, counted from 1; 0 when the error names none.
  int32_t errorColumn = 0;
  /// The outermost element still open where the last parsed text ended (a file cut
  /// short), with the line of its start tag. The parse does not fail on it; the
  /// element is discarded.
  struct OpenElement {
    std::string name;
    uint32_t line;
  };
  std::optional<OpenElement> unclosedAtEnd;
  /// Why the file of the last failed parse was not read; None when the failure was
  /// in the text (then errorLine says where).
  WholeFile::Failure readFailure = WholeFile::Failure::None;

 private:
  bool readAndParse(const char* path, bool utf8);
  bool refuseFile(const WholeFile& file, const char* path);
  bool parseText(std::string_view text, bool utf8);

  bool keepData_;
};

/// A document loaded from and saved to a Qt path (converted with the local 8-bit encoding).
class QXMLDocument : public XMLDocument {
 public:
  using XMLDocument::XMLDocument;

  /// Parses the file at path, whose text must be UTF-8 (see parseUtf8File); "couldn't
  /// read %s" when it cannot be opened.
  bool load(const QString& path);
  /// Sets indent and lineWidth and replaces the file at path with the document, all
  /// at once (see writeFileAtomically): a failed save leaves the previous file as it
  /// was. On failure errorMessage is "couldn't write %s" and saveErrorReason says why.
  bool save(const QString& path, uint32_t indent, uint32_t lineWidth);

  /// The system's reason for the last failed save, such as "Permission denied".
  std::string saveErrorReason;
};

/// Deep copy of node and its descendants with fresh strings; elements are made by
/// document.createElement, so a subclass's element class is used.
std::unique_ptr<XMLNode> importNode(XMLDocument& document, const XMLNode& node);
/// The same copy, appended to parent; returns it (owned by parent).
XMLNode* importNode(XMLDocument& document, const XMLNode& node, XMLNode& parent);

/// The value of an attribute decoded as UTF-8 (templates and solution files are UTF-8
/// files), or a null string when the element has none.
QString attributeValue(const XMLElement& element, const char* name);

#pragma once
// JSON text as people read it: members in the order they are written, two
// spaces per level, one member or element a line, empty containers as "{}"
// and "[]".

#include <QByteArray>
#include <QString>
#include <vector>

/// Writes one JSON document, value by value.
class JsonWriter {
 public:
  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }
  /// Names the member whose value is written next.
  JsonWriter& key(const QString& name);
  void value(const QString& text);
  void value(qint64 number);
  void null();
  /// text, or null when it is empty.
  void textOrNull(const QString& text);
  /// The document, ending with a line end once the outermost value is closed.
  const QByteArray& text() const { return text_; }

 private:
  void beginValue();
  void open(char bracket);
  void close(char bracket);
  void newLine();

  QByteArray text_;
  /// Per open container: whether it holds a value yet.
  std::vector<bool> filled_;
  bool afterKey_ = false;
};

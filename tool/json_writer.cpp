#include "tool/json_writer.h"

namespace {

void appendString(QByteArray& text, const QString& string) {
  text += '"';
  for (const char byte : string.toUtf8()) {
    const auto code = static_cast<unsigned char>(byte);
    if (byte == '"' || byte == '\\') {
      text += '\\';
      text += byte;
    } else if (byte == '\n') {
      text += "\\n";
    } else if (byte == '\t') {
      text += "\\t";
    } else if (code < 0x20 || code == 0x7F) {
      text += QByteArray("\\u00") + QByteArray::number(code, 16).rightJustified(2, '0');
    } else {
      text += byte;
    }
  }
  text += '"';
}

}  // namespace

JsonWriter& JsonWriter::key(const QString& name) {
  beginValue();
  appendString(text_, name);
  text_ += ": ";
  afterKey_ = true;
  return *this;
}

void JsonWriter::value(const QString& text) {
  beginValue();
  appendString(text_, text);
}

void JsonWriter::value(qint64 number) {
  beginValue();
  text_ += QByteArray::number(number);
}

void JsonWriter::null() {
  beginValue();
  text_ += "null";
}

void JsonWriter::textOrNull(const QString& text) {
  if (text.isEmpty())
    null();
  else
    value(text);
}

// A member's value follows its key on the same line; any other value starts a
// line of its own inside its container.
void JsonWriter::beginValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (filled_.empty()) return;
  if (filled_.back()) text_ += ',';
  filled_.back() = true;
  newLine();
}

void JsonWriter::open(char bracket) {
  beginValue();
  text_ += bracket;
  filled_.push_back(false);
}

void JsonWriter::close(char bracket) {
  const bool filled = filled_.back();
  filled_.pop_back();
  if (filled) newLine();
  text_ += bracket;
  if (filled_.empty()) text_ += '\n';
}

void JsonWriter::newLine() {
  text_ += '\n';
  text_ += QByteArray(qsizetype(filled_.size()) * 2, ' ');
}

#include "xml/utf8_text.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

// Texts are tested eight units at a time, the last ones in an overlapping block:
// a control character is found at every place of texts shorter and longer than a
// block, and the three an XML file can hold (tab, line feed, carriage return) pass
// wherever they stand.
TEST(Utf8Text, XmlTextRefusesEveryControlCharacterButTabAndLineEnds) {
  for (char16_t code = 0; code < 0x21; ++code) {
    const bool allowed = code >= 0x20 || code == u'\t' || code == u'\n' || code == u'\r';
    for (const qsizetype size : {5, 19}) {
      for (qsizetype place = 0; place < size; ++place) {
        QString text(size, QLatin1Char('x'));
        text[place] = QChar(code);
        EXPECT_EQ(isXmlText(text), allowed) << int(code) << " at " << place << " of " << size;
      }
    }
  }
  EXPECT_TRUE(isXmlText(QString()));
  EXPECT_TRUE(isXmlText(QStringLiteral("src/\u00e9t\u00e9/\U0001F600.c")));
}

}  // namespace

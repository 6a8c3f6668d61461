#include <gtest/gtest.h>

#include "foreign/foreign_document.h"

namespace {

// The child at index.
ForeignElement childAt(ForeignElement element, size_t index) {
  ForeignChildren::iterator child = element.children().begin();
  for (size_t i = 0; i < index; ++i) ++child;
  return *child;
}

// The element tree as one line: name[attribute=value,...](children...) "text".
std::string describe(ForeignElement element) {
  std::string description = element.tagName().toStdString();
  if (element.attributeCount()) {
    description += '[';
    for (size_t i = 0; i < element.attributeCount(); ++i)
      description +=
          (i ? "," : "") + element.attributeName(i).toStdString() + "=" + element.attributeValue(i).toStdString();
    description += ']';
  }
  if (element.childCount()) {
    description += '(';
    for (const ForeignElement child : element.children()) description += describe(child) + ",";
    description.pop_back();
    description += ')';
  }
  if (!element.firstChildText().isEmpty()) description += " \"" + element.firstChildText().toStdString() + '"';
  return description;
}

}  // namespace

// Both readers share the storage, so the fuzz target's comparison of their trees
// cannot see a name the storage got wrong: each path is checked against the
// names as written. Elements of a kind whose children and attributes change
// order, number and prefix from one to the next are what defeats a name
// predicted from the element before.
TEST(ForeignStorage, NamesEveryElementAndAttributeAsWritten) {
  const QByteArray bytes =
      "<r><f n=\"1\" t=\"c\"><n>a</n><t>1</t></f><f t=\"h\" n=\"2\"><t>2</t><n>b</n></f><f/>"
      "<ns:f ns:n=\"3\"><n>c</n></ns:f><f.x/><f><n/><t>3</t><t/></f><n t=\"4\"/></r>";
  const std::string expected =
      "r(f[n=1,t=c](n \"a\",t \"1\"),f[t=h,n=2](t \"2\",n \"b\"),f,ns:f[ns:n=3](n \"c\"),f.x,f(n,t \"3\",t),"
      "n[t=4])";
  const std::optional<ForeignDocument> fast = ForeignDocument::parseFast(bytes);
  ASSERT_TRUE(fast);
  EXPECT_EQ(describe(childAt(ForeignElement(*fast), 0)), expected);
  EXPECT_EQ(describe(childAt(ForeignElement(ForeignDocument::parseWithStreamReader(bytes)), 0)), expected);
}

// Blank runs between tags are skipped without decoding; text that only starts
// with one keeps it, with CR LF read as LF.
TEST(ForeignStorage, KeepsTheLeadingWhiteSpaceOfTextAndDropsBlankRuns) {
  const std::optional<ForeignDocument> document =
      ForeignDocument::parseFast("<r>\r\n\t  <a>\r\n    x\r\n</a>\r\n          <b>        \r\n  </b> <c> </c></r>");
  ASSERT_TRUE(document);
  EXPECT_EQ(describe(childAt(ForeignElement(*document), 0)), "r(a \"\n    x\n\",b,c)");
}

// Lines are counted only when asked for, from where each start tag ends; both
// paths count "\n", "\r\n" and a lone "\r" as one line end each.
TEST(ForeignStorage, CountsLinesWhereStartTagsEnd) {
  const QByteArray bytes = "<r>\r\n<a\r\nx=\"1\"/>\r<b>\n\n<c/></b></r>";
  const std::optional<ForeignDocument> fast = ForeignDocument::parseFast(bytes);
  ASSERT_TRUE(fast);
  const ForeignDocument read = ForeignDocument::parseWithStreamReader(bytes);
  for (const ForeignElement document : {ForeignElement(*fast), ForeignElement(read)}) {
    const ForeignElement root = childAt(document, 0);
    EXPECT_EQ(document.line(), 0);
    EXPECT_EQ(root.line(), 1);
    EXPECT_EQ(childAt(root, 0).line(), 3);
    EXPECT_EQ(childAt(root, 1).line(), 4);
    EXPECT_EQ(childAt(childAt(root, 1), 0).line(), 6);
  }
}

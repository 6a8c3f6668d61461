#include <gtest/gtest.h>

#include "xml/xml_document.h"
#include "xml_tree_description.h"

using xml_testing::describe;

namespace {

std::unique_ptr<XMLElement> element(const char* name) { return std::make_unique<XMLElement>(name); }

// A detached chain a -> b -> ..., made the way callers make one: in a scratch container.
std::unique_ptr<XMLNode> chain(std::initializer_list<const char*> names) {
  XMLNode container;
  for (const char* name : names) container.appendChild(element(name));
  return container.takeChildren();
}

TEST(XMLNode, LinkingOperations) {
  XMLElement parent("p");
  parent.appendChild(element("b"));
  XMLNode* b = parent.firstChild();
  EXPECT_EQ(parent.prependChild(element("a")), b);
  parent.appendChild(chain({"c", "d"}));
  std::unique_ptr<XMLNode> removed = parent.removeChild(parent.lastChild());
  EXPECT_EQ(removed->parent(), &parent);  // kept on purpose
  EXPECT_EQ(removed->nextSibling(), nullptr);
  parent.appendChild(element("e"));                       // the last-child link followed the removal
  EXPECT_EQ(parent.removeChild(removed.get()), nullptr);  // not a child

  std::unique_ptr<XMLNode> old = parent.replaceChild(b, element("B"));
  EXPECT_EQ(old.get(), b);
  EXPECT_EQ(parent.replaceChild(removed.get(), element("x")), nullptr);
  parent.insertAfter(parent.firstChild(), chain({"a1", "a2"}));
  parent.insertAfter(removed.get(), chain({"z"}));  // reference not a child: appended
  parent.replaceChild(parent.lastChild(), chain({"y1", "y2"}));
  parent.appendChild(element("end"));
  EXPECT_EQ(describe(parent), "p[a,a1,a2,B,c,e,y1,y2,end]");
  EXPECT_EQ(parent.lastChild()->parent(), &parent);

  XMLElement empty("q");
  empty.insertAfter(nullptr, chain({"only", "two"}));
  EXPECT_EQ(describe(empty), "q[only,two]");
}

}  // namespace

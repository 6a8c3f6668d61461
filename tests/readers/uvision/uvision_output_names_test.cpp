#include <gtest/gtest.h>

#include <vector>

#include "readers/uvision/uvision_model.h"
#include "readers/uvision/uvision_output_names.h"

namespace {

// The plain scan the index stands for.
const UvTarget* scanFor(const std::vector<UvTarget>& targets, const QString& text) {
  for (const UvTarget& target : targets)
    if (target.outputName.contains(text)) return &target;
  return nullptr;
}

}  // namespace

// Every substring of every name, and texts that occur nowhere, find the same target
// as a scan in workspace order: the earliest one, also when a later target's name
// equals the text exactly.
TEST(UvOutputNames, FindsTheFirstTargetWhoseOutputNameContainsTheText) {
  std::vector<UvTarget> targets(9);
  const char* names[] = {"app_full", "", "lib", "libcore", "core", "LIB", "app", "libcore", "\u00e9t\u00e9_lib"};
  for (size_t i = 0; i < targets.size(); ++i) targets[i].outputName = QString::fromUtf8(names[i]);
  std::vector<const UvTarget*> pointers;
  for (const UvTarget& target : targets) pointers.push_back(&target);
  const UvOutputNames index(pointers);

  QStringList texts{"", "x", "corex", "app_fulll", "Lib", "\u00e9", "_"};
  for (const UvTarget& target : targets) {
    const QString& name = target.outputName;
    for (qsizetype from = 0; from < name.size(); ++from)
      for (qsizetype length = 1; from + length <= name.size(); ++length) texts.append(name.mid(from, length));
  }
  for (const QString& text : texts) EXPECT_EQ(index.firstContaining(text), scanFor(targets, text)) << text.toStdString();
  EXPECT_EQ(index.firstContaining("core"), &targets[3]);
  EXPECT_EQ(index.firstContaining("app"), &targets[0]);
  EXPECT_EQ(index.firstContaining(""), &targets[0]);

  const UvOutputNames empty({});
  EXPECT_EQ(empty.firstContaining("lib"), nullptr);
  EXPECT_EQ(empty.firstContaining(""), nullptr);
}

#pragma once
// A scanner that finds, in C++ source text, the variables that hold state for as
// long as the program runs: namespace-scope variables, static data members and
// function-local statics that are not constant.
//
// How a constant table is told from state: a declaration counts as constant when
// it says constexpr, or says const with no "*" after its last const (a
// "const char*" variable can still be pointed elsewhere). Everything else declared
// at namespace scope, or with static (or thread_local) in a class or a function
// body, is state. The scanner reads declarations, not expressions: comments,
// literals and preprocessor lines are blanked first; a namespace-scope or class
// declaration whose name is followed by "(" reads as a function declaration (in a
// function body, "static T x(...)" is a variable).

#include <string>
#include <string_view>
#include <vector>

namespace layout_testing {

/// A declaration that holds run state: its first line (counted from 1) and its text.
struct StateDeclaration {
  int line = 0;
  std::string text;
};

/// Every declaration of source that holds run state, in source order.
std::vector<StateDeclaration> findStateDeclarations(std::string_view source);

}  // namespace layout_testing

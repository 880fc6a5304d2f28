#pragma once
// One step of the program's code on a window or control: a property read or write, or a method
// call. Every step passes through the platform, which may make it fail.

#include <cstdint>
#include <string>
#include <variant>

namespace forms {

using Value = std::variant<std::monostate, bool, std::int32_t, float, double, std::string>;

// "True", "4410", "\"http://...\"": how a value reads in a step's text.
std::string to_text(const Value& value);

struct Step {
  enum class Kind { Get, Put, Call };
  Kind kind = Kind::Get;
  std::string object;  // a window, "Main", or a control of it, "Main.Picture2"
  std::string member;  // "AutoRedraw", "hWnd", "Navigate", "Show"
  Value value;         // the value put, or the argument of a call

  // "Main.Picture2.AutoRedraw = True", "Main.hWnd", "Main.Web.Navigate(\"http://...\")".
  std::string text() const;
};

}  // namespace forms

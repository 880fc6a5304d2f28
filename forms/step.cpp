#include "forms/step.h"

#include <cstdio>

namespace forms {
namespace {

std::string number_text(double number) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", number);
  return buffer;
}

}  // namespace

std::string to_text(const Value& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(std::int32_t i) const { return std::to_string(i); }
    std::string operator()(float f) const { return number_text(f); }
    std::string operator()(double d) const { return number_text(d); }
    std::string operator()(const std::string& s) const { return '"' + s + '"'; }
  };
  return std::visit(Visitor{}, value);
}

std::string Step::text() const {
  const std::string target = object + "." + member;
  switch (kind) {
    case Kind::Get:
      return target;
    case Kind::Put:
      return target + " = " + to_text(value);
    case Kind::Call:
      return target + "(" + to_text(value) + ")";
  }
  return target;
}

}  // namespace forms

#include "platform/automation/variant.h"

#include "base/c_text.h"

namespace tarnix::automation {

bool ToInt(const Variant& v, std::int32_t& out) {
  if (auto i = std::get_if<std::int32_t>(&v)) {
    out = *i;
  } else if (auto b = std::get_if<bool>(&v)) {
    out = *b ? -1 : 0;  // a true flag is all bits set in late binding
  } else if (auto d = std::get_if<double>(&v)) {
    out = static_cast<std::int32_t>(*d);
  } else {
    return false;
  }
  return true;
}

bool ToDouble(const Variant& v, double& out) {
  if (auto d = std::get_if<double>(&v)) {
    out = *d;
    return true;
  }
  std::int32_t i = 0;
  if (!ToInt(v, i)) return false;
  out = i;
  return true;
}

bool ToBool(const Variant& v, bool& out) {
  if (auto b = std::get_if<bool>(&v)) {
    out = *b;
    return true;
  }
  std::int32_t i = 0;
  if (!ToInt(v, i)) return false;
  out = i != 0;
  return true;
}

bool ToText(const Variant& v, std::string& out) {
  if (auto s = std::get_if<std::string>(&v)) {
    out = *s;
    return true;
  }
  return false;
}

std::string Describe(const Variant& v) {
  struct {
    std::string operator()(std::monostate) const { return "<empty>"; }
    std::string operator()(Missing) const { return "<missing>"; }
    std::string operator()(bool b) const { return b ? "true" : "false"; }
    std::string operator()(std::int32_t i) const { return CFormat("%d", i); }
    std::string operator()(double d) const { return CFormat(d == static_cast<std::int64_t>(d) ? "%.1f" : "%g", d); }
    std::string operator()(const std::string& s) const { return "\"" + s + "\""; }
    std::string operator()(const DispatchPtr&) const { return "<object>"; }
  } describe;
  return std::visit(describe, v);
}

}  // namespace tarnix::automation

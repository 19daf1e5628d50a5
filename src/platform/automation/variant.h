#pragma once
// The values that pass through late-bound calls: what an office server's
// members take and return.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace tarnix::automation {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

// An optional argument left out by the caller.
struct Missing {
  bool operator==(const Missing&) const = default;
};

// Empty (std::monostate) is what a failed or void call returns. Texts are UTF-8.
using Variant = std::variant<std::monostate, Missing, bool, std::int32_t, double, std::string, DispatchPtr>;
using Args = std::vector<Variant>;

inline bool IsEmpty(const Variant& v) { return std::holds_alternative<std::monostate>(v); }
inline bool IsMissing(const Variant& v) { return std::holds_alternative<Missing>(v); }

// The object a call returned, or null when it returned something else.
inline DispatchPtr AsObject(const Variant& v) {
  const DispatchPtr* p = std::get_if<DispatchPtr>(&v);
  return p ? *p : nullptr;
}

// Texts, integers, reals and flags as the servers accept them: an integer
// where a real is asked for and the reverse convert, as late binding does.
bool ToInt(const Variant& v, std::int32_t& out);
bool ToDouble(const Variant& v, double& out);
bool ToBool(const Variant& v, bool& out);
bool ToText(const Variant& v, std::string& out);

// How a value reads in a call log: 9, 11.0, true, "宋体", <missing>, <object>.
std::string Describe(const Variant& v);

}  // namespace tarnix::automation

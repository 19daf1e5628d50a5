#pragma once
// A late-bound automation object: members are addressed by their published
// numeric ids, as the office servers' clients call them. A call on a member
// the object does not have returns empty (or false for a put) and changes
// nothing, so a client that does not check every call stays safe.
#include <string>

#include "platform/automation/variant.h"

namespace tarnix::automation {

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // Property get, with the property's arguments (an indexed Item, say).
  virtual Variant Get(int member, const Args& args = {}) = 0;
  // Property put: args index the property, value is what is assigned.
  virtual bool Put(int member, const Args& args, const Variant& value) = 0;
  // Method call.
  virtual Variant Call(int member, const Args& args = {}) = 0;
};

// A server object's base: every member it does not override answers empty.
class EmptyDispatch : public Dispatch {
 public:
  Variant Get(int, const Args&) override { return {}; }
  bool Put(int, const Args&, const Variant&) override { return false; }
  Variant Call(int, const Args&) override { return {}; }
};

// Calls on a reference that may be null, as a client does after a failed get:
// a missing object answers empty.
inline Variant Get(const DispatchPtr& o, int member, const Args& args = {}) {
  return o ? o->Get(member, args) : Variant{};
}
inline bool Put(const DispatchPtr& o, int member, const Args& args, const Variant& value) {
  return o && o->Put(member, args, value);
}
inline bool Put(const DispatchPtr& o, int member, const Variant& value) { return Put(o, member, {}, value); }
inline Variant Call(const DispatchPtr& o, int member, const Args& args = {}) {
  return o ? o->Call(member, args) : Variant{};
}

// Creates server objects by automation identifier ("Excel.Application").
class ServerFactory {
 public:
  virtual ~ServerFactory() = default;
  // Null when no server of that identifier can be started.
  virtual DispatchPtr Create(const std::string& prog_id) = 0;
};

}  // namespace tarnix::automation

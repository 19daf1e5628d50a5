#pragma once
// Automation objects that only write down what they are asked, for tests of
// clients: the order of the calls is the contract with the real servers.
// Every get or call answers a new recording object named after the member,
// unless a member was told to fail.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"

namespace tarnix::automation {

struct RecordingLog {
  // One line per call: "<object>.get 572()", "<object>.put 170(1, 2) = \"x\"",
  // "<object>.call 181(<missing>)". Objects are named by the path of member
  // ids that produced them ("app.572.181").
  std::vector<std::string> lines;
  // Gets and calls of these member ids answer empty, as a failing server does.
  std::set<int> failing;
};

class RecordingDispatch : public Dispatch {
 public:
  RecordingDispatch(std::shared_ptr<RecordingLog> log, std::string name);
  Variant Get(int member, const Args& args) override;
  bool Put(int member, const Args& args, const Variant& value) override;
  Variant Call(int member, const Args& args) override;

 private:
  Variant Answer(const char* kind, int member, const Args& args);

  std::shared_ptr<RecordingLog> log_;
  std::string name_;
};

// A factory whose servers record into one log; identifiers in `missing`
// cannot be started.
class RecordingFactory : public ServerFactory {
 public:
  std::shared_ptr<RecordingLog> log = std::make_shared<RecordingLog>();
  std::set<std::string> missing;
  DispatchPtr Create(const std::string& prog_id) override;
};

}  // namespace tarnix::automation

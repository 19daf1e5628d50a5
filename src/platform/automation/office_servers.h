#pragma once
// The in-process office servers: "Excel.Application" (and its siblings, one
// entry each in the table of office_servers.cpp) answer the clients' calls by
// member id like the real applications, and write a real file when the client
// lets go of them, where the caller said files go.
#include <functional>
#include <memory>
#include <string>

#include "platform/automation/dispatch.h"

namespace tarnix::automation {

// Where a finished file goes: a fixed path (the CLI's --xlsx OUT), or, when
// `path` is empty, a folder and a base name made unique there ("ZK01.xlsx",
// "ZK01 (2).xlsx", ...), as the desktop writes into the documents folder.
struct OfficeOutput {
  std::string path;
  std::string folder;
  std::string baseName;
};

struct FinishedFile {
  std::string path;      // the file written, or the one that could not be
  bool visible = false;  // the client made the application visible: open the file
  std::string error;     // empty when written; else the user-facing message
};
using FinishedFn = std::function<void(const FinishedFile&)>;

// Names, stages and reports the files of one factory's servers. A file is
// written beside its target and renamed over it only when complete.
class FileDelivery {
 public:
  FileDelivery(OfficeOutput output, FinishedFn finished);

  // Names the next file with the extension (".xlsx"), lets write() fill the
  // staged path (it returns empty or an error text), renames, and reports the
  // outcome to the callback. False when nothing was delivered. Never throws,
  // since servers deliver when they are released: a writer that throws has
  // failed.
  bool Deliver(const std::string& extension, bool visible,
               const std::function<std::string(const std::string& stagedPath)>& write);

  // The name the next file with the extension gets.
  std::string NextPath(const std::string& extension) const;

 private:
  OfficeOutput output_;
  FinishedFn finished_;
  int delivered_ = 0;
};

// A server's application object is built from the delivery it hands its files to.
using ServerCreator = DispatchPtr (*)(std::shared_ptr<FileDelivery> delivery);

// The factory the exports use outside tests.
class OfficeServers : public ServerFactory {
 public:
  OfficeServers(OfficeOutput output, FinishedFn finished);
  // Null for an identifier no server answers to (compared case-insensitively).
  DispatchPtr Create(const std::string& prog_id) override;

 private:
  std::shared_ptr<FileDelivery> delivery_;
};

// The identifier's server, or null; the one registration point.
ServerCreator FindServer(const std::string& prog_id);

// "ZK/01*" → "ZK_01_": a hole name as a file name on every desktop.
std::string FileNamePart(const std::string& text);

// True for ASCII texts equal but for case, as automation names are compared.
bool SameName(const std::string& a, const std::string& b);

}  // namespace tarnix::automation

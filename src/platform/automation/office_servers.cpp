#include "platform/automation/office_servers.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "base/c_text.h"
#include "platform/automation/excel_server.h"
#include "platform/automation/word_server.h"

namespace tarnix::automation {
namespace {

namespace fs = std::filesystem;

struct ServerEntry {
  const char* progId;
  ServerCreator create;
};

// Every server the factory starts. A new office application is one line here.
const ServerEntry kServers[] = {
    {"Excel.Application", &CreateExcelApplication},
    {"Word.Application", &CreateWordApplication},
};

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::path(path), ec);
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

ServerCreator FindServer(const std::string& prog_id) {
  for (const ServerEntry& e : kServers) {
    if (SameName(prog_id, e.progId)) return e.create;
  }
  return nullptr;
}

std::string FileNamePart(const std::string& text) {
  std::string name;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool refused = u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    name += refused ? '_' : c;
  }
  // Windows refuses names ending in a blank or a dot.
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  return name;
}

FileDelivery::FileDelivery(OfficeOutput output, FinishedFn finished)
    : output_(std::move(output)), finished_(std::move(finished)) {}

std::string FileDelivery::NextPath(const std::string& extension) const {
  // A fixed path takes the first file; a second workbook of the same run goes beside it.
  if (!output_.path.empty() && delivered_ == 0) return output_.path;
  fs::path folder;
  std::string base;
  if (!output_.path.empty()) {
    const fs::path fixed = fs::path(output_.path);
    folder = fixed.parent_path();
    base = fixed.stem().string();
  } else {
    folder = fs::path(output_.folder);
    base = FileNamePart(output_.baseName);
  }
  if (base.empty()) base = "Tarnix";
  for (int n = 1;; ++n) {
    const std::string name = n == 1 ? base + extension : base + CFormat(" (%d)", n) + extension;
    const std::string path = (folder / fs::path(name)).string();
    if (!Exists(path)) return path;
  }
}

bool FileDelivery::Deliver(const std::string& extension, bool visible,
                           const std::function<std::string(const std::string&)>& write) try {
  FinishedFile done;
  done.path = NextPath(extension);
  done.visible = visible;
  const fs::path target = fs::path(done.path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const std::string staged = done.path + ".tarnix-new";
  std::string error;
  try {
    error = write(staged);
  } catch (...) {
    error = "exception";
  }
  if (error.empty()) {
    fs::rename(fs::path(staged), target, ec);
    if (ec) error = ec.message();
  }
  if (!error.empty()) {
    fs::remove(fs::path(staged), ec);
    done.error = "写入文件失败：" + done.path;
  } else {
    ++delivered_;
  }
  if (finished_) finished_(done);
  return done.error.empty();
} catch (...) {
  return false;
}

OfficeServers::OfficeServers(OfficeOutput output, FinishedFn finished)
    : delivery_(std::make_shared<FileDelivery>(std::move(output), std::move(finished))) {}

DispatchPtr OfficeServers::Create(const std::string& prog_id) {
  const ServerCreator create = FindServer(prog_id);
  return create != nullptr ? create(delivery_) : nullptr;
}

}  // namespace tarnix::automation

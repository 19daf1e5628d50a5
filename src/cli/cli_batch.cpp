// tarnix-cli batch: every test under the given files and folders, each on its
// own (a damaged file is reported and the rest go on), spread over workers.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/parallel_for.h"
#include "cli/batch_summary.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/gui_application.h"
#include "cli/pick_options.h"
#include "cli/report_files.h"
#include "document/log_exports.h"
#include "formats/file_paths.h"
#include "formats/staged_file.h"
#include "report/office_excel.h"
#include "report/word_report.h"

namespace tarnix::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Options {
  int jobs = 0;
  bool pick = false;
  bool timing = false;
  FilterOverride filters;
  std::string resultDir;
  std::string xlsxDir;
  std::string docxDir;
  std::string pdfDir;
  std::string bmpDir;
  std::string lasDir;
  std::string summary;
  std::vector<std::string> paths;
};

struct Job {
  std::string path;
  std::string result;  // the result file to write, or empty
  std::string xlsx;    // the workbook to write, or empty
  std::string docx;    // the word-processor report to write, or empty
  std::string pdf;     // the report's pages as a PDF, or empty
  std::string bmp;     // the folder for the report's pages as bitmaps, or empty
  std::string las;     // the per-depth log, or empty

  std::vector<std::string> Outputs() const { return {result, xlsx, docx, pdf, bmp, las}; }
};

struct Outcome {
  bool ok = false;
  std::string message;
  std::string rows;
  double readMs = 0, pickMs = 0, writeMs = 0;
};

bool IsTestFile(const fs::path& p) {
  const std::string name = p.filename().string();
  return IsRawTestPath(name) || IsResultPath(name);
}

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The tests under the paths, in a stable order; a folder's tests keep their
// place below it in the result folder.
std::vector<Job> CollectJobs(const Options& o, std::vector<std::pair<std::string, std::string>>& refused) {
  std::vector<Job> jobs;
  auto add = [&](const fs::path& file, const fs::path& relative) {
    Job job;
    job.path = file.string();
    auto output = [&](const std::string& dir, const char* extension) {
      if (dir.empty()) return std::string();
      fs::path out = fs::path(dir) / relative;
      out.replace_extension(extension);
      return out.lexically_normal().string();
    };
    job.result = output(o.resultDir, ".CHA");
    job.xlsx = output(o.xlsxDir, ".xlsx");
    job.docx = output(o.docxDir, ".docx");
    job.pdf = output(o.pdfDir, ".pdf");
    job.bmp = output(o.bmpDir, "");  // a folder per test: its pages are named by the hole
    job.las = output(o.lasDir, ".las");
    jobs.push_back(std::move(job));
  };
  for (const std::string& p : o.paths) {
    std::error_code ec;
    if (fs::is_directory(p, ec)) {
      std::vector<fs::path> found;
      for (fs::recursive_directory_iterator it(p, fs::directory_options::skip_permission_denied, ec), end;
           !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && IsTestFile(it->path())) found.push_back(it->path());
      }
      std::sort(found.begin(), found.end());
      for (const fs::path& f : found) add(f, f.lexically_relative(p));
    } else if (fs::is_regular_file(p, ec) && IsTestFile(p)) {
      add(p, fs::path(p).filename());
    } else {
      refused.emplace_back(p, fs::exists(p, ec) ? "无法识别的文件类型" : "打开文件失败！");
    }
  }
  return jobs;
}

std::string Joined(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& m : messages) text += (text.empty() ? "" : " ") + m;
  return text;
}

Outcome Process(const Options& o, const Job& job) {
  Outcome r;
  CliDocument opened(false, true);
  CTarnixDoc& doc = opened.doc;
  o.filters.ApplyTo(doc);
  const auto start = Clock::now();
  const bool read = doc.OnOpenDocument(job.path);
  const auto afterRead = Clock::now();
  r.readMs = Ms(start, afterRead);
  if (!read) {
    r.message = Joined(opened.ui.Messages());
    return r;
  }
  if (o.pick) PickEverySection(doc);
  const auto afterPick = Clock::now();
  r.pickMs = Ms(afterRead, afterPick);
  if (!job.result.empty()) {
    std::error_code ec;
    fs::create_directories(fs::path(job.result).parent_path(), ec);
    // The rule of the desktop holds: a data file another test uses is never rewritten.
    const bool written = doc.OnSaveDocument(job.result);
    r.writeMs = Ms(afterPick, Clock::now());
    if (!written) {
      r.message = Joined(opened.ui.Messages());
      return r;
    }
    // The overview describes the result file as it reads back, which is also
    // the proof that it does.
    CliDocument stored(false, true);
    if (!stored.doc.OnOpenDocument(job.result)) {
      r.message = Joined(stored.ui.Messages());
      return r;
    }
    r.rows = SummaryRows(job.result, stored.doc, doc);
  } else {
    r.rows = SummaryRows(job.path, doc, doc);
  }
  // Each further output in turn; the first that fails ends the test's work with its message.
  auto produce = [&](const std::string& out, const std::function<bool(std::string& failure)>& write) {
    if (out.empty() || !r.message.empty()) return;
    std::error_code ec;
    fs::create_directories(fs::path(out).parent_path(), ec);
    const auto before = Clock::now();
    std::string failure;
    const bool ok = write(failure);
    r.writeMs += Ms(before, Clock::now());
    if (!ok) {
      r.message = failure.empty() ? Joined(opened.ui.Messages()) : failure;
      r.rows.clear();
    }
  };
  const int pair = doc.CurrentSection();
  // "导出到EXCEL" and "导出LAS" of the pair the desktop would show.
  produce(job.xlsx, [&](std::string&) { return ExportExcelFile(doc, pair, automation::OfficeOutput{job.xlsx, "", ""}, nullptr); });
  produce(job.las, [&](std::string&) { return ExportLog(doc, pair, job.las, LogFormat::Las); });
  if ((!job.docx.empty() || !job.pdf.empty() || !job.bmp.empty()) && pair < 0) {
    r.message = kNothingToReport;
    return r;
  }
  // The report's pages with the page settings in use.
  produce(job.docx, [&](std::string&) { return ReportToWordFile(doc, automation::OfficeOutput{job.docx, "", ""}, nullptr); });
  const PageKinds kinds = DefaultPageKinds(doc);
  // One source for both page outputs: its curve and legends are made once.
  std::optional<ReportSource> source;
  if (!job.pdf.empty() || !job.bmp.empty()) source.emplace(doc);
  produce(job.pdf, [&](std::string& failure) {
    QString error;
    const bool ok = WriteReportPdf(QString::fromStdString(job.pdf), *source, kinds, error);
    failure = error.toStdString();
    return ok;
  });
  produce(job.bmp, [&](std::string& failure) {
    std::error_code ec;
    fs::create_directories(job.bmp, ec);
    std::vector<std::string> written;
    std::string path;
    if (WriteReportBitmaps(job.bmp, *source, kinds, written, path)) return true;
    failure = "写入文件失败：" + path;
    return false;
  });
  if (!r.message.empty()) return r;
  r.ok = true;
  return r;
}

// One updating line on a terminal; nothing when stderr goes elsewhere.
class Progress {
 public:
  explicit Progress(size_t total) : total_(total), shown_(::isatty(STDERR_FILENO) != 0), start_(Clock::now()) {}
  void Done() {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (!shown_) return;
    const double seconds = Ms(start_, Clock::now()) / 1000.0;
    const double rate = seconds > 0 ? done_ / seconds : 0;
    const double eta = rate > 0 ? (total_ - done_) / rate : 0;
    std::fprintf(stderr, "\r%zu/%zu files  %.1f/s  ETA %.0fs   ", done_, total_, rate, eta);
    if (done_ == total_) std::fprintf(stderr, "\n");
  }

 private:
  std::mutex mutex_;
  size_t total_;
  size_t done_ = 0;
  bool shown_;
  Clock::time_point start_;
};

// The options that name a folder or a file, and where each is kept.
const std::pair<const char*, std::string Options::*> kPathOptions[] = {
    {"--result-dir", &Options::resultDir}, {"--xlsx-dir", &Options::xlsxDir}, {"--docx-dir", &Options::docxDir},
    {"--pdf-dir", &Options::pdfDir},       {"--bmp-dir", &Options::bmpDir},   {"--las-dir", &Options::lasDir},
    {"--summary", &Options::summary}};

int ParseOptions(const Args& args, Options& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto path = std::find_if(std::begin(kPathOptions), std::end(kPathOptions),
                                   [&](const auto& option) { return a == option.first; });
    const bool isPath = path != std::end(kPathOptions);
    const bool takesValue = isPath || a == "--jobs" || a == "--high-pass" || a == "--low-pass";
    if (takesValue && i + 1 >= args.size()) return UsageError("batch: " + a + " needs a value");
    bool ok = true;
    if (a == "--pick") {
      o.pick = true;
    } else if (a == "--timing") {
      o.timing = true;
    } else if (a == "--jobs") {
      const std::string& v = args[++i];
      char* end = nullptr;
      const long n = std::strtol(v.c_str(), &end, 10);
      if (end == v.c_str() || *end != '\0' || n < 1 || n > 256) return UsageError("batch: --jobs takes 1 to 256");
      o.jobs = static_cast<int>(n);
    } else if (isPath) {
      o.*(path->second) = args[++i];
    } else if (takesValue && o.filters.Parse(a, args[++i], ok)) {
      if (!ok) return UsageError("batch: " + a + " takes a cut-off in kHz or off");
    } else if (!a.empty() && a[0] != '-') {
      o.paths.push_back(a);
    } else {
      return UsageError("batch: unexpected argument '" + a + "'");
    }
  }
  if (o.paths.empty()) return UsageError("batch needs a FILE or FOLDER");
  if (const std::string refusal = o.filters.Refusal(); !refusal.empty()) return UsageError("batch: " + refusal);
  return 0;
}

}  // namespace

int RunBatch(const Args& args) {
  Options o;
  if (const int usage = ParseOptions(args, o); usage != 0) return usage;
  std::vector<std::pair<std::string, std::string>> refused;
  const std::vector<Job> jobs = CollectJobs(o, refused);
  // The reports' pictures are drawn with fonts.
  const bool drawn = !o.docxDir.empty() || !o.pdfDir.empty() || !o.bmpDir.empty();
  const auto app = drawn ? MakeGuiApplication() : nullptr;

  std::vector<Outcome> outcomes(jobs.size());
  // Two inputs of one name (x.CHT and x.CHA) would write one result file, one
  // set of outputs. (None lands on an input: no test ends in an output's extension.)
  std::map<std::string, size_t> claimed;
  for (size_t i = 0; i < jobs.size(); ++i) {
    for (const std::string& out : jobs[i].Outputs()) {
      if (out.empty() || !outcomes[i].message.empty()) continue;
      const auto [it, fresh] = claimed.emplace(out, i);
      if (!fresh) outcomes[i].message = "输出文件与“" + jobs[it->second].path + "”的相同：" + out;
    }
  }

  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t workers = std::min<size_t>(o.jobs > 0 ? static_cast<size_t>(o.jobs) : cores, jobs.size());
  Progress progress(jobs.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    // The workers keep the cores busy; each test is processed on its own thread.
    const SerialScope serial;
    for (size_t i = next++; i < jobs.size(); i = next++) {
      if (outcomes[i].message.empty()) outcomes[i] = Process(o, jobs[i]);
      progress.Done();
    }
  };
  const auto start = Clock::now();
  std::vector<std::thread> threads;
  for (size_t w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  const double wallMs = Ms(start, Clock::now());

  size_t failed = refused.size();
  for (const auto& [path, message] : refused) std::fprintf(stderr, "%s: %s\n", path.c_str(), message.c_str());
  std::string summary = SummaryHeader();
  double readMs = 0, pickMs = 0, writeMs = 0;
  for (size_t i = 0; i < jobs.size(); ++i) {
    const Outcome& r = outcomes[i];
    readMs += r.readMs;
    pickMs += r.pickMs;
    writeMs += r.writeMs;
    if (r.ok) {
      summary += r.rows;
    } else {
      ++failed;
      std::fprintf(stderr, "%s: %s\n", jobs[i].path.c_str(), r.message.c_str());
    }
  }
  if (!o.summary.empty()) {
    StagedFile file(o.summary);
    if (!file.Write(summary) || !file.Commit()) {
      std::fprintf(stderr, "%s: 创建汇总文件失败!\n", o.summary.c_str());
      ++failed;
    }
  }
  if (o.timing && !jobs.empty()) {
    const double n = static_cast<double>(jobs.size());
    std::fprintf(stderr, "per file: read %.1f ms, pick %.1f ms, write %.1f ms; %zu workers, %.2f files/s\n",
                 readMs / n, pickMs / n, writeMs / n, workers, n / (wallMs / 1000.0));
  }
  std::printf("%zu processed, %zu failed\n", jobs.size() + refused.size() - failed, failed);
  return failed > 0 ? 1 : 0;
}

}  // namespace tarnix::cli

#pragma once
// CWordOffice: the client of the word processor's automation server that the
// word-processor report drives. It starts the server with a new, visible
// document and adds one report page at a time: a table with the project texts
// in the chosen header-block format whose last row holds the page's picture,
// and a next-page section break unless it is the last page. The calls, their
// order and their arguments are what the real word processor expects.
#include <string>

#include "document/ui_services.h"
#include "model/test_header.h"
#include "platform/automation/dispatch.h"

namespace tarnix {

class CWordOffice {
 public:
  CWordOffice(automation::ServerFactory& servers, UiServices& ui);
  // Releases every reference; a started server stays open with the document.
  ~CWordOffice();
  CWordOffice(const CWordOffice&) = delete;
  CWordOffice& operator=(const CWordOffice&) = delete;

  // The start-up steps. A failure is shown, the server told to quit without
  // saving and every reference released; false then.
  bool Start();
  // One page in header-block format 0 ("格式1") or 1 ("格式2"); an empty
  // picture path leaves the picture cell empty.
  void AddPage(const TestHeader& header, int format, const std::string& picture, bool last);

 private:
  bool Fail(const char* message);
  void Release();

  automation::ServerFactory& servers_;
  UiServices& ui_;
  automation::DispatchPtr app_;
  automation::DispatchPtr documents_;
  automation::DispatchPtr document_;
  automation::DispatchPtr selection_;
  automation::DispatchPtr range_;
};

}  // namespace tarnix

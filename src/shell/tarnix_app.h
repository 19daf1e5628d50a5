#pragma once
// The application object: start-up, the one document and frame, and the
// settings file read at start and written at the end.
#include <QApplication>
#include <QTranslator>
#include <memory>

#include "shell/qt_recent_file_list.h"
#include "shell/qt_ui_services.h"

namespace tarnix {

class CTarnixDoc;
class CMainFrame;

class CTarnixApp : public QApplication {
  Q_OBJECT
 public:
  CTarnixApp(int& argc, char** argv);
  ~CTarnixApp() override;

  // Creates the document and the frame, reads the settings, opens the file
  // named on the command line and shows the frame maximised.
  bool InitInstance();
  CMainFrame* Frame() const { return frame_.get(); }

 private:
  QTranslator qtTranslator_;
  QtUiServices ui_;
  QtRecentFileList recentFiles_;
  std::unique_ptr<CTarnixDoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tarnix

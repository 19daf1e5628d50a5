#include "shell/tarnix_app.h"

#include <QLibraryInfo>
#include <QScreen>
#include <QStringList>

#include "shell/main_frame.h"
#include "shell/settings_location.h"
#include "document/tarnix_doc.h"
#include "render/interface_fonts.h"

namespace tarnix {

CTarnixApp::CTarnixApp(int& argc, char** argv) : QApplication(argc, argv) {
  // The registry key name the recent-file list has always been kept under.
  setOrganizationName(QStringLiteral("应用程序向导生成的本地应用程序"));
  setApplicationName(QStringLiteral("Tarnix"));
}

CTarnixApp::~CTarnixApp() {
  if (doc_) doc_->SaveSettings(SettingsFilePath());
  frame_.reset();
}

bool CTarnixApp::InitInstance() {
  InstallInterfaceFonts();
  // Qt's own dialogs and buttons in Chinese like the rest of the interface,
  // whatever the system's language; a translations folder beside the program
  // wins over the installed one.
  for (const QString& folder : {applicationDirPath() + QStringLiteral("/translations"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (qtTranslator_.load(QStringLiteral("qtbase_zh_CN"), folder)) {
      installTranslator(&qtTranslator_);
      break;
    }
  }
  doc_ = std::make_unique<CTarnixDoc>(ui_, recentFiles_);
  doc_->LoadSettings(SettingsFilePath());
  frame_ = std::make_unique<CMainFrame>(*doc_, recentFiles_);
  ui_.Attach(frame_.get(), [this](unsigned hint) { frame_->RefreshViews(hint); });
  recentFiles_.SetChangedCallback([this] { frame_->RebuildRecentFileMenu(); });

  // An optional file to open; the desktop's registration switches are accepted
  // and have nothing to do here.
  QStringList args = arguments();
  args.removeFirst();
  for (const QString& a : args) {
    if (a.startsWith('/') && !a.contains('.')) continue;
    if (a.startsWith('-')) continue;
    frame_->OpenFile(a);
    break;
  }
  // The whole screen also where no window manager maximises for us.
  if (QScreen* screen = primaryScreen()) frame_->setGeometry(screen->availableGeometry());
  frame_->showMaximized();
  return true;
}

}  // namespace tarnix

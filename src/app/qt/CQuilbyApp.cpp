#include "app/qt/CQuilbyApp.h"

#include "app/Commands.h"
#include "app/qt/CAboutDialog.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CQuilbyDoc.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtText.h"
#include "link/HardwarePortIo.h"
#include "link/LinkState.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/QtLinkState.h"
#include "link/qt/SimulatorWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

#include <cstdio>
#include <unistd.h>

namespace quilby {

namespace {

QSettings programSettings() {
    return QSettings(qs(kSettingsOrganisation), qs(kApplicationTitle));
}

} // namespace

CQuilbyApp::CQuilbyApp() : console_(STDIN_FILENO) {}

CQuilbyApp::~CQuilbyApp() {
    // The window listens to the simulated keyboard: it goes first.
    delete simulatorWindow_;
    simulatorWindow_ = nullptr;
}

PortIo& CQuilbyApp::port() {
    if (simulator_) {
        return *simulator_;
    }
    return *hardware_;
}

bool CQuilbyApp::InitInstance(const QStringList& args, const QString& portEnv) {
    std::vector<std::string> argv;
    for (const auto& a : args) {
        argv.push_back(toLocalPath(a));
    }
    options_ = parseStartupOptions(argv, toUtf8(portEnv));
    if (!options_.error.empty()) {
        errorText_ = qs(options_.error);
        return false;
    }

    loadRecentFiles();
    document_ = new CQuilbyDoc(this);
    connect(document_, &CQuilbyDoc::fileUsed, this, &CQuilbyApp::addRecentFile);
    frame_ = std::make_unique<CMainFrame>(this, document_);
    document_->newDocument();
    frame_->updateRecentFiles();

    frame_->show();
    // Outer size 600 x 600 at (150, 50), whatever the window system proposes.
    const QSize decoration = frame_->frameGeometry().size() - frame_->geometry().size();
    frame_->resize(QSize(600, 600) - decoration);
    frame_->move(150, 50);
    frame_->updateCaption();

    CreatePortBackEnd();
    StartKeyboardLink();

    // A file named on the command line is opened and shown.
    if (!options_.file.empty()) {
        openDocumentFile(fromLocalPath(options_.file));
    }
    return true;
}

int CQuilbyApp::ExitInstance() {
    StopKeyboardLink();
    return 0;
}

// The link starts after the main window exists: nothing in the frame or the
// view depends on it.
void CQuilbyApp::CreatePortBackEnd() {
    if (options_.portMode == PortMode::Simulated) {
        simulator_ = std::make_unique<SimulatedKeyboard>();
        access_ = simulator_.get();
        simulatorWindow_ = new SimulatorWindow(simulator_.get(), document_->data(), frame_.get());
        simulatorWindow_->show();
    } else {
        hardware_ = std::make_unique<HardwarePortIo>();
        access_ = hardware_.get();
    }
    // The menu was built before the back-end existed.
    if (QAction* reopen = frame_->commandAction(ID_VIEW_SIMULATOR)) {
        reopen->setVisible(simulatorWindow_ != nullptr);
        reopen->setEnabled(simulatorWindow_ != nullptr);
    }
}

// Brand VARO and its identification, the family, then the permission.
void CQuilbyApp::StartKeyboardLink() {
    startKeyboardLink(link_, *access_);
    const bool simulated = options_.portMode == PortMode::Simulated;
    if (!link_.portGrant.granted && !simulated) {
        std::fprintf(stderr, "quilby: %s\n", link_.portGrant.explanation().c_str());
    }
    frame_->showLinkState(
        QtLinkState::statusText(link_, simulated ? LinkBackEnd::Simulated : LinkBackEnd::Hardware));
}

void CQuilbyApp::StopKeyboardLink() {
    if (access_) {
        shutdownKeyboardLink(link_, *access_);
    }
}

QPrinter* CQuilbyApp::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return printer_.get();
}

bool CQuilbyApp::isCommandEnabled(int id) const {
    switch (id) {
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_ABOUT:
    case ID_APP_EXIT:
        return true;
    case ID_VIEW_SIMULATOR:
        return simulatorWindow_ != nullptr;
    default:
        return id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kRecentFileCount;
    }
}

void CQuilbyApp::OnCommand(int id) {
    switch (id) {
    case ID_FILE_OPEN:
        OnFileOpen();
        return;
    case ID_FILE_PRINT_SETUP: {
        QPageSetupDialog dialog(printer(), frame_.get());
        dialog.exec();
        return;
    }
    case ID_APP_ABOUT: {
        CAboutDialog dialog(frame_.get());
        dialog.exec();
        return;
    }
    case ID_APP_EXIT:
        frame_->close();
        return;
    case ID_VIEW_SIMULATOR:
        // Its close button only hid it; the keyboard behind it kept running.
        if (simulatorWindow_) {
            simulatorWindow_->show();
            simulatorWindow_->raise();
        }
        return;
    default:
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kRecentFileCount) {
            OnOpenRecentFile(id - ID_FILE_MRU_FILE1);
        }
        return;
    }
}

void CQuilbyApp::OnFileOpen() {
    const QString folder =
        document_->path().isEmpty() ? QDir::currentPath() : QFileInfo(document_->path()).path();
    const QString path = prompts().openFileName(frame_.get(), folder);
    if (path.isEmpty()) {
        return;
    }
    openDocumentFile(path);
}

bool CQuilbyApp::openDocumentFile(const QString& path) {
    if (!document_->SaveModified(frame_.get())) {
        return false;
    }
    return document_->openDocumentFile(frame_.get(), path);
}

void CQuilbyApp::OnOpenRecentFile(int index) {
    const auto& entries = recentFiles_.entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return;
    }
    const QString path = fromLocalPath(entries[static_cast<std::size_t>(index)]);
    if (!QFileInfo::exists(path)) {
        prompts().error(frame_.get(),
                        QStringLiteral("%1\n파일을 찾을 수 없어 최근 파일 목록에서 뺍니다.")
                            .arg(QDir::toNativeSeparators(path)));
        dropRecentFile(path);
        return;
    }
    if (!document_->SaveModified(frame_.get())) {
        return;
    }
    // A folder or a file that cannot be read goes like a missing one.
    if (!document_->openDocumentFile(frame_.get(), path, CQuilbyDoc::OpenedFrom::RecentList) &&
        document_->lastOpenError() && dropsRecentEntry(*document_->lastOpenError())) {
        dropRecentFile(path);
    }
}

void CQuilbyApp::dropRecentFile(const QString& path) {
    recentFiles_.remove(toLocalPath(path));
    saveRecentFiles();
    frame_->updateRecentFiles();
}

void CQuilbyApp::loadRecentFiles() {
    QSettings settings = programSettings();
    settings.beginGroup(QStringLiteral("Recent File List"));
    std::vector<std::string> paths;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        paths.push_back(toLocalPath(settings.value(QStringLiteral("File%1").arg(i)).toString()));
    }
    recentFiles_.setEntries(paths);
}

void CQuilbyApp::saveRecentFiles() {
    QSettings settings = programSettings();
    settings.beginGroup(QStringLiteral("Recent File List"));
    settings.remove(QString());
    const auto& entries = recentFiles_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), fromLocalPath(entries[i]));
    }
}

void CQuilbyApp::addRecentFile(const QString& path) {
    recentFiles_.add(toLocalPath(path));
    saveRecentFiles();
    if (frame_) {
        frame_->updateRecentFiles();
    }
}

} // namespace quilby

#pragma once

#include "app/RecentFileList.h"
#include "app/StartupOptions.h"
#include "link/ConsoleKeys.h"
#include "link/LinkSettings.h"
#include "link/Pacer.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

namespace quilby {

class CMainFrame;
class CQuilbyDoc;
class HardwarePortIo;
class SimulatedKeyboard;
class SimulatorWindow;

// The application object: start-up and shutdown, the one document and main
// window, the recent-file list, and the commands that belong to the
// application (Open, Print Setup, About, Exit, the recent files).
class CQuilbyApp : public QObject {
    Q_OBJECT
public:
    CQuilbyApp();
    ~CQuilbyApp() override;

    // Start-up in the program's fixed order. `args` are the command-line
    // arguments Qt left (without the program name). False: quit at once;
    // `errorText` then says why.
    bool InitInstance(const QStringList& args, const QString& portEnv);
    int ExitInstance();

    CMainFrame* mainFrame() const { return frame_.get(); }
    CQuilbyDoc* document() const { return document_; }
    const StartupOptions& options() const { return options_; }
    const QString& errorText() const { return errorText_; }
    const RecentFileList& recentFiles() const { return recentFiles_; }
    QPrinter* printer();

    // The keyboard link: its process-wide settings, the port back-end chosen
    // at start-up, the pacer the senders sleep through, and the simulated
    // keyboard when the program runs with --port=sim; the program's terminal,
    // where a keystroke stops a download.
    LinkSettings& linkSettings() { return link_; }
    PortIo& port();
    Pacer& pacer() { return pacerOverride_ ? *pacerOverride_ : pacer_; }
    // Tests pace the senders without sleeping; nullptr returns to real pauses.
    void replacePacer(Pacer* pacer) { pacerOverride_ = pacer; }
    ConsoleKeys& consoleKeys() { return console_; }
    SimulatedKeyboard* simulator() const { return simulator_.get(); }
    SimulatorWindow* simulatorWindow() const { return simulatorWindow_; }

    bool isCommandEnabled(int id) const;
    void OnCommand(int id);

    void OnFileOpen();
    // Opens `path` after the save prompt; a file that cannot be read is
    // reported. Returns whether the document now holds the file.
    bool openDocumentFile(const QString& path);
    void OnOpenRecentFile(int index);

private:
    void loadRecentFiles();
    void saveRecentFiles();
    void addRecentFile(const QString& path);
    void dropRecentFile(const QString& path);

    // Keyboard-link start-up and shutdown.
    void CreatePortBackEnd();
    void StartKeyboardLink();
    void StopKeyboardLink();

    StartupOptions options_;
    QString errorText_;
    CQuilbyDoc* document_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QPrinter> printer_;
    RecentFileList recentFiles_{4};

    LinkSettings link_;
    SteadyPacer pacer_;
    Pacer* pacerOverride_ = nullptr;
    TerminalConsoleKeys console_;
    std::unique_ptr<HardwarePortIo> hardware_;
    std::unique_ptr<SimulatedKeyboard> simulator_;
    PortAccess* access_ = nullptr;
    SimulatorWindow* simulatorWindow_ = nullptr;
};

} // namespace quilby

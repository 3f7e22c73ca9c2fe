#pragma once

#include "app/CommandTable.h"
#include "app/RecentFileList.h"
#include "app/StartupOptions.h"
#include "link/ConsoleKeys.h"
#include "link/LinkSettings.h"
#include "port/Pacer.h"

#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QAction;
class QPrinter;
class QSettings;

namespace quilby {

class MainWindow;
class DocumentController;
class HelperPortIo;
class SimulatedKeyboard;
class SimulatorWindow;

// The program's settings. The first call after an update from a version that
// kept them under the old organisation copies them over once, so no user
// loses a recent-file list or a choice.
QSettings programSettings();
// The copy itself, only while the new place holds nothing at all; true when
// it copied anything.
bool adoptLegacySettings();

// The language chosen in the View menu, if one was; remembered in the
// settings as "ko" or "en".
std::optional<Language> savedLanguage();
// The language the windows speak this run: `args` (without the program
// name) may say --lang, then the saved choice, then the desktop's locale.
Language startupLanguage(const QStringList& args);

// The application object: start-up and shutdown, the one document and main
// window, the recent-file list, and the commands that belong to the
// application (Open, Print Setup, About, Exit, the simulator window, the
// recent files).
class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Start-up in the program's fixed order. `args` are the command-line
    // arguments Qt left (without the program name). False: quit at once;
    // `errorText` then says why.
    bool start(const QStringList& args, const QString& portEnv);
    // Releases the keyboard link; the window is gone or about to go.
    void shutDown();

    MainWindow* mainWindow() const { return frame_.get(); }
    DocumentController* document() const { return document_; }
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

    // The actions of the application's commands, for the main window to place.
    const QList<QAction*>& commandActions() const { return actions_; }

    // Opens `path` after the save prompt; a file that cannot be read is
    // reported. Returns whether the document now holds the file.
    bool openDocumentFile(const QString& path);

public Q_SLOTS:
    void openFile();
    void openRecentFile(int index);
    void setUpPrinter();
    void showAbout();
    void exit();
    void showSimulator();
    // Remembers the language chosen in the View menu for the next start.
    void chooseLanguage(QAction* action);

private:
    void loadRecentFiles();
    void saveRecentFiles();
    void addRecentFile(const QString& path);
    void dropRecentFile(const QString& path);

    void createActions();
    // Keyboard-link start-up and shutdown.
    void createPortBackEnd();
    void startLink();
    void stopLink();

    StartupOptions options_;
    QString errorText_;
    DocumentController* document_ = nullptr;
    std::unique_ptr<MainWindow> frame_;
    QList<QAction*> actions_;
    QAction* showSimulatorAction_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    RecentFileList recentFiles_{kRecentFileCount};

    LinkSettings link_;
    SteadyPacer pacer_;
    Pacer* pacerOverride_ = nullptr;
    TerminalConsoleKeys console_;
    std::unique_ptr<HelperPortIo> hardware_;
    std::unique_ptr<SimulatedKeyboard> simulator_;
    PortAccess* access_ = nullptr;
    SimulatorWindow* simulatorWindow_ = nullptr;
};

} // namespace quilby

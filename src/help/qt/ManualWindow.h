#pragma once

#include "help/DetachedProcess.h"
#include "help/HelpCommand.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSocketNotifier;
class QTextBrowser;

namespace quilby {

// How the utility help finds the manual and starts the desktop's viewer;
// tests replace both, so no browser opens during a test run.
struct ManualViewerHooks {
    std::function<std::optional<std::filesystem::path>()> findManual;
    // Starts argv without waiting: the errno of a failed start, or the pipe
    // that tells how the program ended (see startWatched).
    std::function<DetachedStart(const std::vector<std::string>& argv)> launch;
};

ManualViewerHooks& manualViewerHooks();
void resetManualViewerHooks();

// The manual in a window of the program itself, so help works on a machine
// without a browser: links, pictures beside the file, back and contents, find,
// and a button that hands the file to the desktop's viewer.
// What help says for `report`; empty for HelpReport::None. `detail` is the
// errno of the start, or the opener's wait status for ViewerFailed.
QString helpReportText(HelpReport report, int detail);

class ManualWindow : public QWidget {
    Q_OBJECT
public:
    ManualWindow(const std::filesystem::path& manual, QWidget* parent);
    ~ManualWindow() override;

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findField() const { return findField_; }
    QLabel* findStatus() const { return findStatus_; }
    QPushButton* desktopButton() const { return desktopButton_; }
    // Where the window says that the desktop's viewer could not show the
    // manual; hidden while there is nothing to say.
    QLabel* viewerReport() const { return viewerReport_; }

    // Finds the find field's text after (or before) the cursor, going round
    // the end once; false, and the field marked, when it is nowhere.
    bool findNext(bool backwards = false);

private:
    void openInDesktopViewer();
    void showViewerReport(HelpReport report, int detail);
    void stopWatchingViewer();

    std::filesystem::path manual_;
    QTextBrowser* browser_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QLabel* findStatus_ = nullptr;
    QPushButton* desktopButton_ = nullptr;
    QLabel* viewerReport_ = nullptr;
    // The opener started last, watched without waiting until it ends.
    QSocketNotifier* viewerWatch_ = nullptr;
    int viewerEndPipe_ = -1;
};

// The utility help: shows the manual in the program's window (one per
// parent, raised when already open), or tells the user, through the
// program's prompts, that the manual is not installed. Returns the window.
ManualWindow* showManual(QWidget* parent);

} // namespace quilby

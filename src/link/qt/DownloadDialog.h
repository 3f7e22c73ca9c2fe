#pragma once

#include "link/ConsoleKeys.h"
#include "link/DownloadSession.h"
#include "link/DownloadWorker.h"
#include "link/qt/QtLinkPrompts.h"

#include <QDialog>
#include <QElapsedTimer>

#include <atomic>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quilby {

// What a download works with: the application's link settings, port, pacer
// and console, or a test's fakes. The launcher creates the worker's thread
// (empty: an ordinary thread).
struct DownloadLink {
    LinkSettings& settings;
    PortIo& port;
    Pacer& pacer;
    ConsoleKeys& console;
    DownloadWorker::ThreadLauncher launcher{};
    // The record of every download (DownloadHistory's folder; empty: none is
    // kept) and the path of the table's file it names.
    std::string historyFolder{};
    std::string tablePath{};
};

// The download dialog: the announce prompt, the caution text, the progress
// bar, the status field, Cancel and Quit. It draws what its DownloadSession
// decides. Every key event of the dialog and its controls goes to the
// session's identification matcher first. The worker reports from its own
// thread only through queued calls, and the dialog waits for the worker
// before it goes away. A lock key pressed in any of the program's windows
// is told to the session. Window-modal to its parent, so that the simulated
// keyboard's window stays usable while it runs.
class DownloadDialog : public QDialog, private DownloadListener {
    Q_OBJECT
public:
    // Takes the image from the table now: later changes do not reach it.
    DownloadDialog(const KeyTableData& table, const DownloadLink& link, QWidget* parent = nullptr);
    ~DownloadDialog() override;

    const DownloadSession& session() const { return session_; }
    QGroupBox* announceGroup() const { return announceGroup_; }
    QLabel* picture() const { return picture_; }
    QLabel* cautionLabel() const { return caution_; }
    QGroupBox* progressGroup() const { return progressGroup_; }
    QProgressBar* progressBar() const { return progress_; }
    QLineEdit* statusField() const { return status_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* quitButton() const { return quit_; }

    // The window asked to close by other means than its buttons (its close
    // button, the window manager): the session decides.
    void reject() override;

protected:
    // Watches the whole application for lock keys (see the constructor).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // DownloadListener: called on the worker's thread, handed on queued.
    void downloadProgress(std::size_t bytesSent, int position) override;
    void downloadEnded(DownloadEnd end, PortRefusal refusal) override;

    void cancelClicked();
    void render();
    // Once the transfer is over (the worker stopped) and sent a byte:
    // appends its record; a failure is said in a box.
    void record();

    QtLinkPrompts prompts_;
    // The table as it was sent, for the record's copy.
    KeyTableData table_;
    const LinkSettings& settings_;
    std::string historyFolder_;
    std::string tablePath_;
    // Bytes the running or last transfer sent, stored by the worker's thread
    // itself: its queued reports may still be on their way when it ends.
    // Taken (and cleared) by the record.
    std::atomic<std::size_t> workerSent_{0};
    QElapsedTimer sending_;
    DownloadSession::State shownState_ = DownloadSession::State::Waiting;
    DownloadWorker worker_;
    DownloadSession session_;
    QGroupBox* announceGroup_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* caution_ = nullptr;
    QGroupBox* progressGroup_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLineEdit* status_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* quit_ = nullptr;
};

} // namespace quilby

#pragma once

#include "document/KeyTable.h"
#include "link/DownloadImage.h"
#include "link/DownloadWorker.h"
#include "link/KeyMessage.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkPrompts.h"
#include "link/LinkSettings.h"

#include <cstdint>
#include <string_view>

namespace quilby {

// The download dialog's status field.
enum class DownloadStatus : std::uint8_t {
    None,             // nothing sent yet
    SendingFile,      // a transfer runs (and stays shown when the port refused it)
    SendingFail,      // no worker could be started, or the keyboard left the transfer
    SendingCompleted, // every byte sent
    QuitDownload,     // a key in the program's console stopped it
};

// The status field's text (marked for translation in the context "LinkTexts").
std::string_view downloadStatusText(DownloadStatus status);

// Everything the download dialog decides, on the user-interface thread: the
// identification matching, the start of the transfer, the buttons, the status
// text, the progress and the message boxes. The dialog renders this state and
// forwards the worker's reports to onProgress and onEnded (queued, never from
// the worker's thread).
class DownloadSession {
public:
    enum class State : std::uint8_t {
        Waiting,     // just opened
        Sending,     // a worker is running
        Completed,   // every byte sent
        Refused,     // the port was out of reach
        Aborted,     // a key in the program's console stopped it
        StartFailed, // no worker could be started; final
        Cancelled,   // the user confirmed Cancel; the dialog closes
        Failed,      // the keyboard announced itself during the transfer
        // Every byte sent, but a lock key was pressed meanwhile: the LED
        // command the system then writes to the same port may sit among the
        // table's bytes, so the table must be downloaded again.
        LockKeyPressed,
    };

    // Builds the image from the table at once: later changes of the document
    // do not reach this transfer.
    DownloadSession(LinkSettings& settings, const KeyTableData& table, DownloadWorker& worker,
                    LinkPrompts& prompts);
    // Closes the session (see close).
    ~DownloadSession();
    DownloadSession(const DownloadSession&) = delete;
    DownloadSession& operator=(const DownloadSession&) = delete;

    // The dialog's key pre-processing.
    KeyVerdict onKey(const KeyMessage& message);

    // The dialog's cancel command (the Cancel button and every other way the
    // window is asked to cancel): asks, and on Yes stops the transfer before
    // its next byte. Returns true when the dialog is to close.
    bool cancel();

    // The window's own close request (its close button, the window manager):
    // it acts as whichever of Cancel and Quit is enabled, and exactly one of
    // them always is. Cancel asks; Quit closes without a question, since no
    // transfer runs then. Returns true when the dialog is to close.
    bool closeRequested();

    // The dialog is going away: a transfer still running stops before its
    // next byte, and this returns only once the worker has stopped, so none
    // of its reports can reach a dialog that no longer exists. Leaves the run
    // flag at 1. Safe to call more than once.
    void close();

    // Caps Lock, Num Lock or Scroll Lock was pressed. Only a press while a
    // transfer is under way counts; the transfer itself goes on unchanged.
    void onLockKeyPressed();

    void onProgress(std::size_t bytesSent, int position);
    void onEnded(DownloadEnd end, PortRefusal refusal);

    State state() const { return state_; }
    DownloadStatus status() const { return status_; }
    bool cancelEnabled() const { return cancelEnabled_; }
    bool quitEnabled() const { return quitEnabled_; }
    int progress() const { return progress_; }
    bool started() const { return started_ != 0; }
    std::uint8_t matchCounter() const { return matcher_.counter(); }
    const DownloadImage& image() const { return image_; }
    OsFamily mode() const { return mode_; }

private:
    void startTransfer();
    void keyboardLeftTransfer();
    void stopWorker();

    LinkSettings& settings_;
    DownloadWorker& worker_;
    LinkPrompts& prompts_;
    KeyboardIdMatcher matcher_;
    // Watches for the keyboard's identification from the start of each
    // transfer. The dialog's own matcher keeps the counter its last match
    // left behind, which would swallow the keyboard's first announcement.
    KeyboardIdMatcher leaveWatch_;
    DownloadImage image_;
    OsFamily mode_;
    State state_ = State::Waiting;
    DownloadStatus status_ = DownloadStatus::None;
    std::uint8_t started_ = 0;
    bool cancelEnabled_ = false;
    bool quitEnabled_ = true;
    int progress_ = 0;
    // A lock key was pressed during the current transfer.
    bool lockKeyPressed_ = false;
    // Reports of a transfer stopped by the session itself, still on their
    // way: its end report is the last of them.
    int staleEnds_ = 0;
};

} // namespace quilby

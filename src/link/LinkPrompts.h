#pragma once

#include <cstdint>

namespace quilby {

struct McrFileError;

// What a link session tells the user in a message box.
enum class LinkNotice : std::uint8_t {
    DownloadThreadFailed,   // no worker could be started
    DownloadNotCompleted,   // follows DownloadThreadFailed
    DownloadFailedRestart,  // the port refused the transfer
    DownloadInterrupted,    // the keyboard announced itself during the transfer
    DownloadCancelled,      // the user cancelled the transfer
    DownloadLockKeyPressed, // every byte sent, but a lock key was pressed meanwhile
    McrSendFailed,          // the MCR command could not reach the port
};

enum class LinkNoticeIcon : std::uint8_t { None, Stop };

// Message boxes of the link sessions. The Qt layer renders them (caption:
// the application title); quilby-key and tests answer them.
class LinkPrompts {
public:
    virtual ~LinkPrompts() = default;
    // An OK box; returns when it has been closed.
    virtual void showNotice(LinkNotice notice) = 0;
    // MCR.OPN could not be written (an OK box with the stop icon).
    virtual void showFileError(const McrFileError& error) = 0;
    // Whether the running download is to be cancelled; true for Yes.
    virtual bool askCancel() = 0;
};

} // namespace quilby

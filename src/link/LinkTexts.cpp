#include "link/LinkTexts.h"

namespace quilby {

std::string_view linkNoticeText(LinkNotice notice) {
    switch (notice) {
    case LinkNotice::DownloadThreadFailed:
        return texts::kThreadFailed;
    case LinkNotice::DownloadNotCompleted:
        return texts::kDownloadNotCompleted;
    case LinkNotice::DownloadFailedRestart:
        return texts::kDownloadFailedRestart;
    case LinkNotice::DownloadInterrupted:
        return texts::kDownloadInterrupted;
    case LinkNotice::DownloadCancelled:
        return texts::kDownloadCancelled;
    case LinkNotice::DownloadLockKeyPressed:
        return texts::kDownloadLockKeyPressed;
    case LinkNotice::McrSendFailed:
        break;
    }
    return texts::kMcrSendFailed;
}

LinkNoticeIcon linkNoticeIcon(LinkNotice notice) {
    return notice == LinkNotice::DownloadNotCompleted ? LinkNoticeIcon::Stop : LinkNoticeIcon::None;
}

} // namespace quilby

#include "link/DownloadSession.h"

#include "link/LinkTexts.h"

namespace quilby {

DownloadSession::DownloadSession(LinkSettings& settings, const KeyTableData& table,
                                 DownloadWorker& worker, LinkPrompts& prompts)
    : settings_(settings), worker_(worker), prompts_(prompts), matcher_(settings),
      image_(buildDownloadImage(table)), mode_(settings.OsFamily) {}

DownloadSession::~DownloadSession() {
    close();
}

KeyVerdict DownloadSession::onKey(const KeyMessage& message) {
    const KeyboardIdMatcher::Step step = matcher_.step(message, started_ != 0);
    if (step.completed) {
        startTransfer();
    }
    return step.verdict;
}

void DownloadSession::startTransfer() {
    // Only one transfer may drive the port: an identification typed while
    // one runs is ignored (the running one goes on untouched).
    if (worker_.busy()) {
        status_ = texts::kAlreadySending;
        return;
    }
    started_ = 1;
    status_ = texts::kSendingFile;
    settings_.DownloadRunFlag.store(1);
    const auto result = worker_.start(DownloadJob{image_, mode_, settings_.WinIoReady});
    if (result == DownloadWorker::StartResult::ThreadFailed) {
        prompts_.showMessage(texts::kThreadFailed, LinkPrompts::Icon::None);
    }
    cancelEnabled_ = true;
    quitEnabled_ = false;
    if (result == DownloadWorker::StartResult::ThreadFailed) {
        status_ = texts::kSendingFail;
        state_ = State::StartFailed;
        prompts_.showMessage(texts::kDownloadNotCompleted, LinkPrompts::Icon::Stop);
        return; // the started flag stays set: no further identification is matched
    }
    started_ = 0;
    state_ = State::Sending;
}

bool DownloadSession::cancel() {
    if (!prompts_.askYesNo(texts::kCancelQuestion)) {
        return false;
    }
    settings_.DownloadRunFlag.store(0);
    state_ = State::Cancelled;
    return true;
}

bool DownloadSession::closeRequested() {
    if (cancelEnabled_) {
        return cancel();
    }
    return quitEnabled_;
}

void DownloadSession::close() {
    if (worker_.busy()) {
        settings_.DownloadRunFlag.store(0);
    }
    worker_.wait();
    // The worker sets the flag back when it sees it; one that ended just
    // before it could has not.
    settings_.DownloadRunFlag.store(1);
}

void DownloadSession::onProgress(std::size_t /*bytesSent*/, int position) {
    progress_ = position;
}

void DownloadSession::onEnded(DownloadEnd end, PortRefusal /*refusal*/) {
    switch (end) {
    case DownloadEnd::Completed:
        quitEnabled_ = true;
        cancelEnabled_ = false;
        status_ = texts::kSendingCompleted;
        state_ = State::Completed;
        break;
    case DownloadEnd::Cancelled:
        quitEnabled_ = true;
        cancelEnabled_ = false;
        state_ = State::Cancelled;
        break;
    case DownloadEnd::Refused:
        // The status keeps "Sending File": the message box tells the failure.
        prompts_.showMessage(texts::kDownloadRefused, LinkPrompts::Icon::None);
        quitEnabled_ = true;
        cancelEnabled_ = false;
        state_ = State::Refused;
        break;
    case DownloadEnd::ConsoleAbort:
        // The buttons stay as they are: Cancel enabled, Quit disabled.
        status_ = texts::kQuitDownload;
        started_ = 0;
        state_ = State::Aborted;
        break;
    }
}

} // namespace quilby

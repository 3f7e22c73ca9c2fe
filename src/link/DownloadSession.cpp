#include "link/DownloadSession.h"

#include "link/LinkTexts.h"

namespace quilby {

std::string_view downloadStatusText(DownloadStatus status) {
    switch (status) {
    case DownloadStatus::None:
        return {};
    case DownloadStatus::SendingFile:
        return texts::kSendingFile;
    case DownloadStatus::SendingFail:
        return texts::kSendingFail;
    case DownloadStatus::SendingCompleted:
        return texts::kSendingCompleted;
    case DownloadStatus::QuitDownload:
        break;
    }
    return texts::kQuitDownload;
}

DownloadSession::DownloadSession(LinkSettings& settings, const KeyTableData& table,
                                 DownloadWorker& worker, LinkPrompts& prompts)
    : settings_(settings), worker_(worker), prompts_(prompts), matcher_(settings),
      leaveWatch_(settings), image_(buildDownloadImage(table)), mode_(settings.osFamily) {}

DownloadSession::~DownloadSession() {
    close();
}

KeyVerdict DownloadSession::onKey(const KeyMessage& message) {
    const KeyboardIdMatcher::Step step = matcher_.step(message, started_ != 0);
    if (state_ == State::Sending) {
        const KeyboardIdMatcher::Step left = leaveWatch_.step(message, false);
        if (left.completed || step.completed) {
            keyboardLeftTransfer();
            return KeyVerdict::Consumed;
        }
        return step.verdict;
    }
    if (step.completed) {
        startTransfer();
    }
    return step.verdict;
}

// A keyboard types its identification only outside its receiving state, so
// the transfer under way has failed, whatever the worker would still send.
// A worker that already ended on its own has its end report on the way; that
// report decides, and this announcement starts nothing.
void DownloadSession::keyboardLeftTransfer() {
    if (!worker_.busy()) {
        return;
    }
    stopWorker();
    ++staleEnds_;
    status_ = DownloadStatus::SendingFail;
    quitEnabled_ = true;
    cancelEnabled_ = false;
    started_ = 0;
    // The next announcement starts a fresh transfer, not only resets the
    // counter.
    matcher_.setCounter(0);
    state_ = State::Failed;
    prompts_.showNotice(LinkNotice::DownloadInterrupted);
}

void DownloadSession::startTransfer() {
    // Only one transfer may drive the port: a worker whose end report has
    // not arrived yet is still the current one.
    if (worker_.busy()) {
        return;
    }
    started_ = 1;
    progress_ = 0;
    status_ = DownloadStatus::SendingFile;
    settings_.downloadRunFlag.store(1);
    const auto result = worker_.start(DownloadJob{image_, mode_, settings_.portReady});
    if (result == DownloadWorker::StartResult::ThreadFailed) {
        prompts_.showNotice(LinkNotice::DownloadThreadFailed);
    }
    cancelEnabled_ = true;
    quitEnabled_ = false;
    if (result == DownloadWorker::StartResult::ThreadFailed) {
        status_ = DownloadStatus::SendingFail;
        state_ = State::StartFailed;
        prompts_.showNotice(LinkNotice::DownloadNotCompleted);
        return; // the started flag stays set: no further identification is matched
    }
    started_ = 0;
    leaveWatch_.setCounter(0);
    lockKeyPressed_ = false;
    state_ = State::Sending;
}

bool DownloadSession::cancel() {
    if (!prompts_.askCancel()) {
        return false;
    }
    settings_.downloadRunFlag.store(0);
    state_ = State::Cancelled;
    // The field behind the message no longer says a transfer runs.
    status_ = DownloadStatus::QuitDownload;
    prompts_.showNotice(LinkNotice::DownloadCancelled);
    return true;
}

bool DownloadSession::closeRequested() {
    if (cancelEnabled_) {
        return cancel();
    }
    return quitEnabled_;
}

void DownloadSession::close() {
    stopWorker();
}

// Stops a running transfer before its next byte and returns once the worker
// has ended, so at most the byte in progress still goes out.
void DownloadSession::stopWorker() {
    if (worker_.busy()) {
        settings_.downloadRunFlag.store(0);
    }
    worker_.wait();
    // The worker sets the flag back when it sees it; one that ended just
    // before it could has not.
    settings_.downloadRunFlag.store(1);
}

// Stopping is not needed and would make the keyboard ring as for an
// interruption: the transfer runs to its end, which then is no success.
void DownloadSession::onLockKeyPressed() {
    if (state_ == State::Sending) {
        lockKeyPressed_ = true;
    }
}

void DownloadSession::onProgress(std::size_t /*bytesSent*/, int position) {
    if (staleEnds_ > 0) {
        return;
    }
    progress_ = position;
}

void DownloadSession::onEnded(DownloadEnd end, PortRefusal /*refusal*/) {
    if (staleEnds_ > 0) {
        --staleEnds_; // the stopped transfer's: its failure is already shown
        return;
    }
    switch (end) {
    case DownloadEnd::Completed:
        quitEnabled_ = true;
        cancelEnabled_ = false;
        if (lockKeyPressed_) {
            status_ = DownloadStatus::SendingFail;
            state_ = State::LockKeyPressed;
            prompts_.showNotice(LinkNotice::DownloadLockKeyPressed);
            break;
        }
        status_ = DownloadStatus::SendingCompleted;
        state_ = State::Completed;
        break;
    case DownloadEnd::Cancelled:
        quitEnabled_ = true;
        cancelEnabled_ = false;
        state_ = State::Cancelled;
        break;
    case DownloadEnd::Refused:
    case DownloadEnd::Failed:
        // The status keeps "Sending File": the message box tells the failure.
        prompts_.showNotice(LinkNotice::DownloadFailedRestart);
        quitEnabled_ = true;
        cancelEnabled_ = false;
        state_ = State::Refused;
        break;
    case DownloadEnd::ConsoleAbort:
        // The buttons stay as they are: Cancel enabled, Quit disabled.
        status_ = DownloadStatus::QuitDownload;
        started_ = 0;
        state_ = State::Aborted;
        break;
    }
}

} // namespace quilby

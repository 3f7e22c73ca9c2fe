#include "link/McrSession.h"

#include "link/McrCommand.h"

#include <utility>

namespace quilby {

namespace {

constexpr std::uint8_t kReportEnd = 0x5A; // Z
constexpr std::uint8_t kReportEndF11 = KeyMessage::kF11;

} // namespace

McrSession::McrSession(LinkSettings& settings, KeyTableData& document, std::string folder,
                       PortIo& port, Pacer& pacer, LinkPrompts& prompts)
    : settings_(settings), document_(document), folder_(std::move(folder)), port_(port),
      pacer_(pacer), prompts_(prompts), matcher_(settings), mode_(settings.osFamily) {
    settings_.selectKeyboardId();
    showOption(document_.mcrOption);
}

void McrSession::showOption(int option) {
    if (const auto choice = mcrHeadCodeChoiceOf(option)) {
        headCodeChoice_ = *choice;
    }
    if (const auto text = mcrShowStatusText(option)) {
        status_ = *text;
    }
}

void McrSession::selectOption(int headCodeChoice) {
    headCodeChoice_ = headCodeChoice;
    showOption(headCodeChoice + 1);
}

std::optional<McrFileError> McrSession::apply() {
    McrOptionRecord record = mcrOptionRecord(headCodeChoice_);
    if (auto error = writeMcrOption(folder_, record.bytes)) {
        prompts_.showFileError(*error);
        return error;
    }
    document_.mcrOption = record.option;
    document_.mcrHeadCode = std::move(record.headCode);
    if (const auto text = mcrApplyStatusText(record.option)) {
        status_ = *text;
    }
    return std::nullopt;
}

KeyVerdict McrSession::receive(std::uint8_t code) {
    if (code == kReportEnd || code == kReportEndF11) {
        const EpromReport report = parseEpromReport(report_);
        version_ = report.version;
        checksum_ = report.checksum;
        hasReport_ = true;
        lastExchange_ = Exchange::ReportReceived;
        receiveState_ = 0;
        // The counter served as the report's position: matching starts
        // afresh, so the very next announcement is answered.
        matcher_.setCounter(0);
        return KeyVerdict::Consumed;
    }
    // A longer report than the buffer holds loses its excess codes; the
    // zero after the 19th is never overwritten.
    const std::uint8_t position = matcher_.counter();
    if (position < kEpromReportMaxLength) {
        report_[position] = code;
        matcher_.setCounter(static_cast<std::uint8_t>(position + 1));
    }
    return KeyVerdict::PassOn;
}

KeyVerdict McrSession::onKey(const KeyMessage& message) {
    lastExchange_ = Exchange::None;
    if (message.kind != KeyMessage::Kind::KeyDown) {
        return KeyVerdict::PassOn;
    }
    if (message.virtualKey == KeyMessage::kEscape || message.virtualKey == KeyMessage::kEnter) {
        return KeyVerdict::Consumed;
    }
    if (receiveState_ == 1) {
        return receive(static_cast<std::uint8_t>(message.virtualKey & 0xFF));
    }
    const KeyboardIdMatcher::Step step = matcher_.step(message, false);
    if (!step.completed) {
        return step.verdict;
    }
    receiveState_ = 1;
    const PortRefusal refusal =
        sendMcrCommand(port_, pacer_, mode_, settings_.portReady, headCodeChoice_);
    if (refusal != PortRefusal::None) {
        // Nothing went out, so no report can come: back to matching instead
        // of collecting every later key as a report.
        receiveState_ = 0;
        matcher_.setCounter(0);
        lastExchange_ = Exchange::CommandRefused;
        prompts_.showNotice(LinkNotice::McrSendFailed);
        return KeyVerdict::PassOn;
    }
    lastExchange_ = Exchange::CommandSent;
    matcher_.setCounter(0);
    return KeyVerdict::Consumed;
}

} // namespace quilby

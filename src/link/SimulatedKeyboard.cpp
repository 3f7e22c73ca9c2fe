#include "link/SimulatedKeyboard.h"

#include "link/KeyboardId.h"

#include <algorithm>
#include <utility>

namespace quilby {

namespace {

// PC scan code set 1 make codes of the keys the keyboard types.
std::uint8_t scanCodeOf(char upper) {
    static constexpr std::string_view kLetterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static constexpr std::uint8_t kRowStart[] = {0x10, 0x1E, 0x2C};
    if (upper == ' ') {
        return 0x39;
    }
    if (upper >= '1' && upper <= '9') {
        return static_cast<std::uint8_t>(0x02 + (upper - '1'));
    }
    if (upper == '0') {
        return 0x0B;
    }
    for (std::size_t row = 0; row < std::size(kLetterRows); ++row) {
        const auto at = kLetterRows[row].find(upper);
        if (at != std::string_view::npos) {
            return static_cast<std::uint8_t>(kRowStart[row] + at);
        }
    }
    return 0;
}

char toUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char toLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool reportPiece(std::string_view piece, std::size_t length) {
    return piece.size() == length && std::all_of(piece.begin(), piece.end(), [](char c) {
               return (c >= 'A' && c <= 'Y') || (c >= '0' && c <= '9');
           });
}

bool isMcrCommand(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() == 4 && bytes[0] == SimulatedKeyboard::kMcrLead &&
           bytes[1] == SimulatedKeyboard::kMcrLead && bytes[2] == SimulatedKeyboard::kMcrLead &&
           bytes[3] <= 3;
}

// What the keyboard types before and between the report's pieces.
constexpr std::string_view kReportLead = "AB";
constexpr std::string_view kReportSeparator = "8";

} // namespace

SimulatedKeyboard::SimulatedKeyboard(Model model, std::function<Clock::time_point()> clock)
    : clock_(std::move(clock)), model_(model) {
    if (!clock_) {
        clock_ = [] { return Clock::now(); };
    }
    setEpromReport("567-890", "1234");
}

SimulatedKeyboard::~SimulatedKeyboard() = default;

void SimulatedKeyboard::setListener(Listener* listener) {
    const std::lock_guard lock(mutex_);
    listener_ = listener;
}

void SimulatedKeyboard::setModel(Model model) {
    const std::lock_guard lock(mutex_);
    model_ = model;
}

SimulatedKeyboard::Model SimulatedKeyboard::model() const {
    const std::lock_guard lock(mutex_);
    return model_;
}

void SimulatedKeyboard::setCapsLock(bool on) {
    const std::lock_guard lock(mutex_);
    capsLock_ = on;
}

bool SimulatedKeyboard::setEpromReport(std::string_view version, std::string_view checksum) {
    if (version.size() != 7 || version[3] != '-' || !reportPiece(version.substr(0, 3), 3) ||
        !reportPiece(version.substr(4), 3) || !reportPiece(checksum, 4)) {
        return false;
    }
    std::string text(kReportLead);
    text += checksum;
    text += version.substr(0, 3);
    text += kReportSeparator;
    text += version.substr(4);
    text += 'Z';
    const std::lock_guard lock(mutex_);
    report_ = std::move(text);
    return true;
}

std::string SimulatedKeyboard::epromReportText() const {
    const std::lock_guard lock(mutex_);
    return report_;
}

std::vector<KeyMessage> SimulatedKeyboard::typingOf(std::string_view text, bool capsLock) {
    std::vector<KeyMessage> keys;
    keys.reserve(text.size() * 3);
    for (const char c : text) {
        const char upper = toUpper(c);
        const auto vk = static_cast<std::uint16_t>(static_cast<unsigned char>(upper));
        const std::uint8_t scan = scanCodeOf(upper);
        const char typed = capsLock ? upper : toLower(c);
        keys.push_back(KeyMessage::keyDown(vk, scan));
        keys.push_back(KeyMessage::characterOf(
            static_cast<std::uint16_t>(static_cast<unsigned char>(typed)), scan));
        keys.push_back(KeyMessage::keyUp(vk, scan));
    }
    return keys;
}

void SimulatedKeyboard::typeLocked(std::string_view text, Notices& notices) {
    for (const KeyMessage& key : typingOf(text, capsLock_)) {
        typed_.push_back(key);
    }
    notices.typed = true;
}

void SimulatedKeyboard::endTransferLocked(Notices& notices) {
    if (transfer_.empty()) {
        return;
    }
    if (!isMcrCommand(transfer_)) {
        ++counters_.abortedDownloads;
        counters_.bellRings += 3;
        notices.bells.push_back(3);
    }
    transfer_.clear();
}

void SimulatedKeyboard::checkIdleLocked(Clock::time_point now, Notices& notices) {
    if (!transfer_.empty() && now - lastByte_ > kAbortAfterIdle) {
        endTransferLocked(notices);
    }
}

void SimulatedKeyboard::notify(const Notices& notices) {
    Listener* listener = nullptr;
    {
        const std::lock_guard lock(mutex_);
        listener = listener_;
    }
    if (listener == nullptr) {
        return;
    }
    for (const int rings : notices.bells) {
        listener->bellRang(rings);
    }
    if (notices.typed) {
        listener->keysTyped();
    }
}

void SimulatedKeyboard::announce() {
    Notices notices;
    {
        const std::lock_guard lock(mutex_);
        // The sender goes on until it sees the announcement: what it still
        // sends belongs to the transfer just aborted, and rings no more.
        interrupted_ = !transfer_.empty() && !isMcrCommand(transfer_);
        endTransferLocked(notices);
        const KeyboardIdForms forms = keyboardIdForms(
            model_ == Model::Molbrix ? KeyboardBrand::Molbrix : KeyboardBrand::Varo);
        typeLocked(forms.upper, notices);
    }
    notify(notices);
}

void SimulatedKeyboard::poll() {
    Notices notices;
    {
        const std::lock_guard lock(mutex_);
        checkIdleLocked(clock_(), notices);
    }
    notify(notices);
}

std::vector<KeyMessage> SimulatedKeyboard::takeTypedKeys() {
    const std::lock_guard lock(mutex_);
    std::vector<KeyMessage> keys(typed_.begin(), typed_.end());
    typed_.clear();
    return keys;
}

SimulatedKeyboard::Counters SimulatedKeyboard::counters() const {
    const std::lock_guard lock(mutex_);
    return counters_;
}

std::vector<std::uint8_t> SimulatedKeyboard::received() const {
    const std::lock_guard lock(mutex_);
    return received_;
}

std::optional<DownloadImage> SimulatedKeyboard::lastImage() const {
    const std::lock_guard lock(mutex_);
    return lastImage_;
}

bool SimulatedKeyboard::portWriteByte(std::uint16_t port, std::uint8_t value) {
    if (port != kKeyboardDataPort) {
        return true; // nothing of the keyboard sits there
    }
    Notices notices;
    {
        const std::lock_guard lock(mutex_);
        const auto now = clock_();
        checkIdleLocked(now, notices);
        received_.push_back(value);
        ++counters_.bytesReceived;
        if (interrupted_ && now - lastByte_ <= kAbortAfterIdle) {
            lastByte_ = now;
            return true;
        }
        interrupted_ = false;
        transfer_.push_back(value);
        lastByte_ = now;
        if (isMcrCommand(transfer_)) {
            ++counters_.mcrCommands;
            counters_.lastMcrOption = value;
            counters_.lastMcrCommand = transfer_;
            typeLocked(report_, notices);
        }
        if (transfer_.size() == kDownloadImageSize) {
            DownloadImage image{};
            std::copy(transfer_.begin(), transfer_.end(), image.begin());
            lastImage_ = image;
            ++counters_.completedDownloads;
            counters_.bellRings += 1;
            notices.bells.push_back(1);
            transfer_.clear();
        }
    }
    notify(notices);
    return true;
}

std::uint8_t SimulatedKeyboard::portReadByte(std::uint16_t port) {
    return port == kKeyboardDataPort ? kAcknowledge : kRefusedRead;
}

std::string SimulatedKeyboard::hexText(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t b : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

PortGrant SimulatedKeyboard::acquirePermission() {
    PortGrant grant;
    grant.granted = true;
    return grant;
}

} // namespace quilby

#pragma once

#include "link/DownloadImage.h"
#include "link/KeyMessage.h"
#include "link/PortIo.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// A POS keyboard in software, so the whole road runs on a machine without
// one. As a port back-end it acknowledges every byte with 0xFA and keeps all
// it received; it rings its bell once after a complete 1960-byte download and
// three times when a download stops short; it answers the four-byte MCR
// command by typing its EPROM report, and types its identification when its
// announce keys are pressed.
//
// Typed keys are queued, never delivered from inside a port access: the owner
// is told through Listener::keysTyped (on whatever thread caused them), takes
// them with takeTypedKeys and posts them to the program as key events.
//
// Transfers are told apart by what arrives: three 0xAA and an option byte
// 0 to 3 at the start of a transfer are the MCR command; a transfer ends with
// its 1960th byte, or is aborted when no byte has come for kAbortAfterIdle
// (checked by poll and before every byte) or when the keyboard announces
// itself again; the bytes its sender still sends before it pauses are
// received but start no transfer of their own. So every transfer that stops
// short rings three times, once. A download image that itself begins with the MCR command's
// four bytes is answered with a report too; it is still counted in full.
class SimulatedKeyboard : public PortIo, public PortAccess {
public:
    enum class Model : std::uint8_t { Varo, Molbrix };

    // Called on the thread that caused the event (the download worker's for
    // the bell after a download), outside the keyboard's lock, so a listener
    // may call back into the keyboard; it must hand the event on, queued.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void keysTyped() {}
        virtual void bellRang(int rings) { static_cast<void>(rings); }
    };

    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kAbortAfterIdle{1000};
    static constexpr std::uint8_t kAcknowledge = 0xFA;
    static constexpr std::uint8_t kMcrLead = 0xAA;

    explicit SimulatedKeyboard(Model model = Model::Varo,
                               std::function<Clock::time_point()> clock = {});
    ~SimulatedKeyboard() override;
    SimulatedKeyboard(const SimulatedKeyboard&) = delete;
    SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

    // The listener must outlive the keyboard or be reset to nullptr first.
    void setListener(Listener* listener);

    void setModel(Model model);
    Model model() const;
    // With CapsLock on the typed characters are upper case; the key codes
    // are the same either way.
    void setCapsLock(bool on);

    // The EPROM report typed after an MCR command. `version` is two pieces of
    // three characters joined by '-', `checksum` four characters; letters A
    // to Y and digits only (a Z would end the report early). Returns false
    // and keeps the old report when either is malformed.
    bool setEpromReport(std::string_view version, std::string_view checksum);
    // The characters of the report as typed, ending with Z.
    std::string epromReportText() const;

    // The announce keys were pressed: types the identification of the model.
    // A download in progress is aborted first.
    void announce();
    // Checks the idle timeout of a download in progress.
    void poll();

    std::vector<KeyMessage> takeTypedKeys();

    struct Counters {
        std::size_t bytesReceived = 0;
        int bellRings = 0;
        int completedDownloads = 0;
        int abortedDownloads = 0;
        int mcrCommands = 0;
        std::optional<std::uint8_t> lastMcrOption;
        // The bytes of the last MCR command, as they arrived; empty before one.
        std::vector<std::uint8_t> lastMcrCommand;
    };
    Counters counters() const;
    // Every byte received, in order.
    std::vector<std::uint8_t> received() const;
    // The last complete download.
    std::optional<DownloadImage> lastImage() const;

    // PortIo
    bool portWriteByte(std::uint16_t port, std::uint8_t value) override;
    std::uint8_t portReadByte(std::uint16_t port) override;

    // PortAccess: the simulated port needs no permission.
    bool hasPortInstructions() const override { return true; }
    bool needsPermissionStep() const override { return false; }
    PortGrant acquirePermission() override;
    void releasePermission() override {}

    // Bytes as a tester reads them off a bus monitor: "AA AA AA 01".
    static std::string hexText(const std::vector<std::uint8_t>& bytes);

    // The key messages of typing `text` (letters, digits and spaces): key-down,
    // character and key-up of every key.
    static std::vector<KeyMessage> typingOf(std::string_view text, bool capsLock);

private:
    struct Notices {
        bool typed = false;
        std::vector<int> bells;
    };
    void endTransferLocked(Notices& notices);
    void checkIdleLocked(Clock::time_point now, Notices& notices);
    void typeLocked(std::string_view text, Notices& notices);
    void notify(const Notices& notices);

    mutable std::mutex mutex_;
    std::function<Clock::time_point()> clock_;
    Listener* listener_ = nullptr;
    Model model_;
    bool capsLock_ = false;
    std::string report_;
    std::deque<KeyMessage> typed_;
    std::vector<std::uint8_t> received_;
    std::vector<std::uint8_t> transfer_;
    Clock::time_point lastByte_{};
    // An announcement aborted a transfer whose sender has not paused yet.
    bool interrupted_ = false;
    std::optional<DownloadImage> lastImage_;
    Counters counters_;
};

} // namespace quilby

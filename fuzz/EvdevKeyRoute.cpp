// A Linux input device's event stream as quilby-key reads it, through the PC
// keyboard model into key messages, then into the identification matchers of
// identify and the EPROM & MCR exchange of mcr. Every event gives only what
// the translator promises (nothing for a foreign event or key, no character
// on a release, at most one character and that one last), every message
// names a PC key, the key source delivers exactly the translator's messages,
// at most one model identifies itself at a time, and the matchers and the
// report buffer stay in their bounds.
//
// Input: one byte of set-up (bit 0: the model mcr expects, MOLBRIX when set;
// bits 1 and 2: NumLock and CapsLock lit when reading starts; bit 3: the port
// out of reach), then the events in the kernel's own layout, as read from
// /dev/input/eventN; a trailing partial event is ignored.
#include "FuzzCheck.h"

#include "editing/PcKeyboard.h"
#include "link/EvdevKeys.h"
#include "link/KeyboardIdMatcher.h"
#include "link/McrSession.h"
#include "link/SimulatedKeyboard.h"
#include "tests/support/LinkFakes.h"

#include <linux/input.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace quilby;

namespace {

std::vector<InputEvent> eventsOf(const std::uint8_t* data, std::size_t size) {
    std::vector<InputEvent> events;
    for (std::size_t at = 0; at + sizeof(input_event) <= size; at += sizeof(input_event)) {
        input_event raw{};
        std::memcpy(&raw, data + at, sizeof raw);
        events.push_back({raw.type, raw.code, raw.value});
    }
    return events;
}

// The device a command would have opened, replaying the stream.
class ReplayedDevice : public InputDevice {
public:
    ReplayedDevice(std::vector<InputEvent> events, LockStates toggles)
        : events_(std::move(events)), toggles_(toggles) {}
    int fd() const override { return -1; }
    std::optional<InputEvent> next() override {
        if (at_ == events_.size()) {
            return std::nullopt;
        }
        return events_[at_++];
    }
    LockStates lockToggles() const override { return toggles_; }
    std::string name() const override { return "replayed"; }

private:
    std::vector<InputEvent> events_;
    LockStates toggles_;
    std::size_t at_ = 0;
};

bool isPcKey(const KeyMessage& m) {
    return evdevFromPcKey(m.scanCode, m.extended).has_value();
}

// What one event may give, whatever the modifiers and locks are.
void checkEvent(const InputEvent& event, const std::vector<KeyMessage>& keys) {
    const bool keyEvent = event.type == EV_KEY && event.value >= 0 && event.value <= 2;
    const auto key = keyEvent ? pcKeyFromEvdev(event.code) : std::nullopt;
    if (!key) {
        FUZZ_CHECK(keys.empty());
        return;
    }
    if (event.value == 0 && keys.empty()) {
        // One of two Shift keys held over a keypad key: Shift was reported up
        // already when the keypad key went down.
        FUZZ_CHECK(key->vk == KeyMessage::kShift);
        return;
    }
    bool ownKey = false;
    std::size_t characters = 0;
    for (const KeyMessage& m : keys) {
        FUZZ_CHECK(isPcKey(m));
        if (m.kind == KeyMessage::Kind::Character) {
            ++characters;
            FUZZ_CHECK(m.virtualKey == 0 && m.character <= 0x7F);
        } else {
            FUZZ_CHECK(m.character == 0 && m.virtualKey <= 0xFF);
        }
        const bool expectedKind = event.value == 0 ? m.kind == KeyMessage::Kind::KeyUp
                                                   : (m.kind == KeyMessage::Kind::KeyDown ||
                                                      m.kind == KeyMessage::Kind::SystemKeyDown);
        ownKey |= expectedKind && m.scanCode == key->scan && m.extended == key->extended;
    }
    FUZZ_CHECK(ownKey);
    FUZZ_CHECK(characters <= (event.value == 0 ? 0u : 1u));
    FUZZ_CHECK(characters == 0 || keys.back().kind == KeyMessage::Kind::Character);
}

void checkMatcher(const KeyboardIdMatcher& matcher, const KeyboardIdMatcher::Step& step,
                  KeyboardBrand brand) {
    const auto length = static_cast<std::size_t>(expectedKeyboardIdLength(brand));
    FUZZ_CHECK(matcher.counter() <= length && length <= kKeyboardIdBufferSize);
    FUZZ_CHECK(!step.completed || matcher.counter() == length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t setup = data[0];
    const bool molbrix = (setup & 1) != 0;
    const LockStates toggles{(setup & 2) != 0, (setup & 4) != 0};
    const std::vector<InputEvent> events = eventsOf(data + 1, size - 1);

    EvdevKeyTranslator translator;
    translator.setLockToggles(toggles);
    std::vector<KeyMessage> translated;
    for (const InputEvent& event : events) {
        const auto keys = translator.feed(event);
        checkEvent(event, keys);
        translated.insert(translated.end(), keys.begin(), keys.end());
    }

    std::vector<std::unique_ptr<InputDevice>> devices;
    devices.push_back(std::make_unique<ReplayedDevice>(events, toggles));
    EvdevKeySource source(std::move(devices));
    std::vector<KeyMessage> heard;
    for (;;) {
        const auto keys = source.read(std::chrono::milliseconds(0));
        if (keys.empty()) {
            break;
        }
        heard.insert(heard.end(), keys.begin(), keys.end());
    }
    FUZZ_CHECK(heard == translated);

    // identify: one matcher for each model.
    LinkSettings varo;
    LinkSettings molbrixSettings;
    varo.keyboardBrand = KeyboardBrand::Varo;
    molbrixSettings.keyboardBrand = KeyboardBrand::Molbrix;
    varo.selectKeyboardId();
    molbrixSettings.selectKeyboardId();
    KeyboardIdMatcher matchVaro(varo);
    KeyboardIdMatcher matchMolbrix(molbrixSettings);

    // mcr: the session with a keyboard that acknowledges the command; its
    // report comes back through the same stream.
    LinkSettings settings;
    settings.keyboardBrand = molbrix ? KeyboardBrand::Molbrix : KeyboardBrand::Varo;
    settings.osFamily = (setup & 8) != 0 ? OsFamily::Unknown : OsFamily::OpenPorts;
    KeyTableData document;
    SimulatedKeyboard keyboard(molbrix ? SimulatedKeyboard::Model::Molbrix
                                       : SimulatedKeyboard::Model::Varo,
                               [] { return SimulatedKeyboard::Clock::time_point{}; });
    testing::InstantPacer pacer;
    testing::ScriptedLinkPrompts prompts;
    // The folder is never touched: only apply() writes, and it is not called.
    McrSession session(settings, document, "/nonexistent", keyboard, pacer, prompts);

    for (const KeyMessage& key : heard) {
        const auto isVaro = matchVaro.step(key, false);
        const auto isMolbrix = matchMolbrix.step(key, false);
        checkMatcher(matchVaro, isVaro, KeyboardBrand::Varo);
        checkMatcher(matchMolbrix, isMolbrix, KeyboardBrand::Molbrix);
        FUZZ_CHECK(!(isVaro.completed && isMolbrix.completed));

        session.onKey(key);
        FUZZ_CHECK(session.counter() <= kKeyboardIdBufferSize);
        FUZZ_CHECK(session.reportBuffer()[kEpromReportMaxLength] == 0);
        FUZZ_CHECK(session.version().size() <= 7 && session.checksum().size() <= 4);
        const EpromReport report = parseEpromReport(session.reportBuffer());
        FUZZ_CHECK(report.version.size() <= 7 && report.checksum.size() <= 4);
    }
    return 0;
}

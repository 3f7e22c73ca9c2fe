// Key messages into the EPROM & MCR dialog's key handling, mixed with what
// the simulated keyboard types back: the identification matcher and the
// report buffer never leave their bounds, and a finished report always reads
// as a version and a checksum of their fixed lengths at most.
#include "FuzzCheck.h"

#include "link/McrSession.h"
#include "link/SimulatedKeyboard.h"
#include "tests/support/LinkFakes.h"

#include <cstddef>
#include <cstdint>

using namespace quilby;

namespace {

// Three bytes per step: what happens, and two bytes of key.
constexpr std::size_t kStepSize = 3;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    LinkSettings settings;
    settings.keyboardBrand = (data[0] & 1) != 0 ? KeyboardBrand::Molbrix : KeyboardBrand::Varo;
    settings.osFamily = (data[0] & 2) != 0 ? OsFamily::OpenPorts : OsFamily::Unknown;
    KeyTableData document;
    document.mcrOption = (data[0] >> 2) % 5;
    // A stopped clock, so an input replays the same way however slowly it runs.
    SimulatedKeyboard keyboard((data[0] & 1) != 0 ? SimulatedKeyboard::Model::Molbrix
                                                  : SimulatedKeyboard::Model::Varo,
                               [] { return SimulatedKeyboard::Clock::time_point{}; });
    testing::InstantPacer pacer;
    testing::ScriptedLinkPrompts prompts;
    // The folder is never touched: only apply() writes, and it is not called.
    McrSession session(settings, document, "/nonexistent", keyboard, pacer, prompts);

    for (std::size_t at = 1; at + kStepSize <= size; at += kStepSize) {
        const std::uint8_t what = data[at];
        const auto key = static_cast<std::uint16_t>(data[at + 1] | (data[at + 2] << 8));
        switch (what % 8) {
        case 0:
            keyboard.announce();
            break;
        case 1: // deliver what the keyboard typed, as the posted events arrive
            for (const KeyMessage& m : keyboard.takeTypedKeys()) {
                session.onKey(m);
            }
            break;
        case 2:
            session.onKey(KeyMessage::keyUp(key));
            break;
        case 3:
            session.onKey(KeyMessage::characterOf(key));
            break;
        case 4:
            session.onKey({KeyMessage::Kind::SystemKeyDown, key, 0, data[at + 1], false});
            break;
        case 5:
            session.selectOption(static_cast<int>(what >> 3) % 4);
            break;
        default:
            session.onKey(KeyMessage::keyDown(key));
            break;
        }
        FUZZ_CHECK(session.counter() <= kKeyboardIdBufferSize);
        FUZZ_CHECK(session.reportBuffer()[kEpromReportMaxLength] == 0);
        FUZZ_CHECK(session.version().size() <= 7);
        FUZZ_CHECK(session.checksum().size() <= 4);
        const EpromReport report = parseEpromReport(session.reportBuffer());
        FUZZ_CHECK(report.version.size() <= 7 && report.checksum.size() <= 4);
    }
    return 0;
}

#include "link/SimulatedKeyboard.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quilby;
using namespace std::chrono_literals;

namespace {

struct FakeClock {
    SimulatedKeyboard::Clock::time_point now{};
    std::function<SimulatedKeyboard::Clock::time_point()> fn() {
        return [this] { return now; };
    }
};

// Takes the typed keys as soon as they are announced, as the Qt layer does.
class Collector : public SimulatedKeyboard::Listener {
public:
    explicit Collector(SimulatedKeyboard& kb) : kb_(kb) {}
    void keysTyped() override {
        for (const KeyMessage& k : kb_.takeTypedKeys()) {
            keys.push_back(k);
        }
    }
    void bellRang(int rings) override { bells.push_back(rings); }

    std::string keyDownText() const {
        std::string text;
        for (const KeyMessage& k : keys) {
            if (k.kind == KeyMessage::Kind::KeyDown) {
                text += static_cast<char>(k.virtualKey);
            }
        }
        return text;
    }

    std::vector<KeyMessage> keys;
    std::vector<int> bells;

private:
    SimulatedKeyboard& kb_;
};

void send(SimulatedKeyboard& kb, const std::vector<std::uint8_t>& bytes) {
    for (const std::uint8_t b : bytes) {
        kb.portWriteByte(kKeyboardDataPort, b);
        EXPECT_EQ(kb.portReadByte(kKeyboardDataPort), 0xFA);
    }
}

std::vector<std::uint8_t> imageBytes(std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(kDownloadImageSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + seed);
    }
    return bytes;
}

} // namespace

TEST(SimulatedKeyboard, TypesItsIdentificationAsKeyMessages) {
    SimulatedKeyboard kb(SimulatedKeyboard::Model::Varo);
    kb.announce();
    const auto keys = kb.takeTypedKeys();
    ASSERT_EQ(keys.size(), 45u);
    EXPECT_EQ(keys[0], KeyMessage::keyDown('V', 0x2F));
    EXPECT_EQ(keys[1], KeyMessage::characterOf('v', 0x2F));
    EXPECT_EQ(keys[2], KeyMessage::keyUp('V', 0x2F));
    EXPECT_EQ(keys[3], KeyMessage::keyDown('A', 0x1E));
    EXPECT_TRUE(kb.takeTypedKeys().empty());

    kb.setModel(SimulatedKeyboard::Model::Molbrix);
    kb.setCapsLock(true);
    kb.announce();
    const auto molbrix = kb.takeTypedKeys();
    ASSERT_EQ(molbrix.size(), 57u);
    EXPECT_EQ(molbrix[0], KeyMessage::keyDown(' ', 0x39));
    EXPECT_EQ(molbrix[4], KeyMessage::characterOf('M', 0x32));
}

TEST(SimulatedKeyboard, ScanCodesFollowSetOne) {
    const std::pair<char, std::uint8_t> expected[] = {
        {'Q', 0x10}, {'P', 0x19}, {'A', 0x1E}, {'L', 0x26}, {'Z', 0x2C},
        {'M', 0x32}, {'1', 0x02}, {'9', 0x0A}, {'0', 0x0B}, {' ', 0x39},
    };
    for (const auto& [c, scan] : expected) {
        const auto keys = SimulatedKeyboard::typingOf(std::string(1, c), false);
        ASSERT_EQ(keys.size(), 3u);
        EXPECT_EQ(keys[0].scanCode, scan) << c;
        EXPECT_EQ(keys[2].kind, KeyMessage::Kind::KeyUp) << c;
    }
}

TEST(SimulatedKeyboard, ItsIdentificationCompletesTheMatcherOfItsModelOnly) {
    struct Case {
        SimulatedKeyboard::Model model;
        KeyboardBrand brand;
        bool capsLock;
        bool completes;
    };
    const Case cases[] = {
        {SimulatedKeyboard::Model::Varo, KeyboardBrand::Varo, false, true},
        {SimulatedKeyboard::Model::Varo, KeyboardBrand::Varo, true, true},
        {SimulatedKeyboard::Model::Molbrix, KeyboardBrand::Molbrix, false, true},
        {SimulatedKeyboard::Model::Molbrix, KeyboardBrand::Varo, false, false},
        {SimulatedKeyboard::Model::Varo, KeyboardBrand::Molbrix, false, false},
    };
    for (const Case& c : cases) {
        SimulatedKeyboard kb(c.model);
        kb.setCapsLock(c.capsLock);
        LinkSettings settings;
        settings.keyboardBrand = c.brand;
        settings.selectKeyboardId();
        KeyboardIdMatcher matcher(settings);
        kb.announce();
        int completions = 0;
        for (const KeyMessage& k : kb.takeTypedKeys()) {
            completions += matcher.step(k, false).completed ? 1 : 0;
        }
        EXPECT_EQ(completions, c.completes ? 1 : 0)
            << static_cast<int>(c.model) << " brand " << static_cast<int>(c.brand);
    }
}

TEST(SimulatedKeyboard, RingsOnceForACompleteDownloadAndKeepsIt) {
    FakeClock clock;
    SimulatedKeyboard kb(SimulatedKeyboard::Model::Varo, clock.fn());
    Collector collector(kb);
    kb.setListener(&collector);
    const auto image = imageBytes(3);
    for (const std::uint8_t b : image) {
        kb.portWriteByte(kKeyboardDataPort, b);
        clock.now += 25ms;
    }
    clock.now += 10s;
    kb.poll();
    EXPECT_EQ(collector.bells, std::vector<int>{1});
    const auto counters = kb.counters();
    EXPECT_EQ(counters.bytesReceived, kDownloadImageSize);
    EXPECT_EQ(counters.completedDownloads, 1);
    EXPECT_EQ(counters.abortedDownloads, 0);
    ASSERT_TRUE(kb.lastImage().has_value());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), kb.lastImage()->begin()));
    EXPECT_EQ(kb.received(), image);
    EXPECT_TRUE(collector.keys.empty());
    kb.setListener(nullptr);
}

TEST(SimulatedKeyboard, RingsThreeTimesForADownloadThatStopsShort) {
    struct Case {
        const char* name;
        std::function<void(SimulatedKeyboard&, FakeClock&)> afterwards;
        std::vector<int> bells;
    };
    const Case cases[] = {
        {"idle past the limit, polled",
         [](SimulatedKeyboard& kb, FakeClock& c) {
             c.now += SimulatedKeyboard::kAbortAfterIdle + 1ms;
             kb.poll();
         },
         {3}},
        {"idle within the limit",
         [](SimulatedKeyboard& kb, FakeClock& c) {
             c.now += SimulatedKeyboard::kAbortAfterIdle;
             kb.poll();
         },
         {}},
        {"announced again", [](SimulatedKeyboard& kb, FakeClock&) { kb.announce(); }, {3}},
        {"a new transfer after a pause",
         [](SimulatedKeyboard& kb, FakeClock& c) {
             c.now += 5s;
             send(kb, imageBytes(1));
         },
         {3, 1}},
        // The sender stops only once it sees the announcement: its last
        // bytes belong to the aborted transfer and ring nothing more.
        {"announced, the sender's last bytes, then idle",
         [](SimulatedKeyboard& kb, FakeClock& c) {
             kb.announce();
             c.now += 10ms;
             send(kb, std::vector<std::uint8_t>(30, 0x22));
             c.now += SimulatedKeyboard::kAbortAfterIdle + 1ms;
             kb.poll();
         },
         {3}},
        {"announced, then a fresh download after a pause",
         [](SimulatedKeyboard& kb, FakeClock& c) {
             kb.announce();
             send(kb, std::vector<std::uint8_t>(5, 0x22));
             c.now += 3s;
             send(kb, imageBytes(1));
         },
         {3, 1}},
    };
    for (const Case& c : cases) {
        FakeClock clock;
        SimulatedKeyboard kb(SimulatedKeyboard::Model::Varo, clock.fn());
        Collector collector(kb);
        kb.setListener(&collector);
        send(kb, std::vector<std::uint8_t>(100, 0x11));
        c.afterwards(kb, clock);
        EXPECT_EQ(collector.bells, c.bells) << c.name;
        kb.setListener(nullptr);
    }
}

TEST(SimulatedKeyboard, AnswersTheMcrCommandWithItsReport) {
    FakeClock clock;
    SimulatedKeyboard kb(SimulatedKeyboard::Model::Varo, clock.fn());
    Collector collector(kb);
    kb.setListener(&collector);
    ASSERT_TRUE(kb.setEpromReport("101-202", "9A7F"));
    EXPECT_EQ(SimulatedKeyboard::hexText(kb.counters().lastMcrCommand), "");
    send(kb, {0xAA, 0xAA, 0xAA, 0x02});
    EXPECT_EQ(SimulatedKeyboard::hexText(kb.counters().lastMcrCommand), "AA AA AA 02");
    EXPECT_EQ(collector.keyDownText(), "AB9A7F1018202Z");
    EXPECT_EQ(kb.counters().mcrCommands, 1);
    EXPECT_EQ(kb.counters().lastMcrOption, std::optional<std::uint8_t>(2));

    // A finished command is no aborted download.
    clock.now += 10s;
    kb.poll();
    EXPECT_TRUE(collector.bells.empty());

    // An option byte no option button sends is no command.
    collector.keys.clear();
    send(kb, {0xAA, 0xAA, 0xAA, 0x04});
    EXPECT_TRUE(collector.keys.empty());
    EXPECT_EQ(SimulatedKeyboard::hexText(kb.counters().lastMcrCommand), "AA AA AA 02");
    kb.announce();
    EXPECT_EQ(collector.bells, std::vector<int>{3});
    kb.setListener(nullptr);
}

TEST(SimulatedKeyboard, AcceptsOnlyReportsItCanType) {
    struct Case {
        const char* version;
        const char* checksum;
        bool accepted;
    };
    const Case cases[] = {
        {"567-890", "1234", true},  {"ABC-XY9", "00FF", true},   {"56-890", "1234", false},
        {"567890", "1234", false},  {"567-8901", "1234", false}, {"5Z7-890", "1234", false},
        {"567-890", "12Z4", false}, {"567-890", "123", false},   {"567-890", "12a4", false},
        {"567_890", "1234", false},
    };
    for (const Case& c : cases) {
        SimulatedKeyboard kb;
        EXPECT_EQ(kb.setEpromReport(c.version, c.checksum), c.accepted) << c.version;
        if (!c.accepted) {
            EXPECT_EQ(kb.epromReportText(), "AB12345678890Z") << c.version;
        }
    }
}

TEST(SimulatedKeyboard, IgnoresOtherPorts) {
    SimulatedKeyboard kb;
    EXPECT_TRUE(kb.portWriteByte(0x64, 0xAA));
    EXPECT_EQ(kb.portReadByte(0x64), PortIo::kRefusedRead);
    EXPECT_TRUE(kb.received().empty());
    EXPECT_EQ(detectOsFamily(kb), OsFamily::OpenPorts);
}

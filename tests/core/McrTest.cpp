#include "link/EpromReport.h"
#include "link/LinkTexts.h"
#include "link/McrCommand.h"
#include "link/McrOptionFile.h"
#include "link/McrSession.h"
#include "link/SimulatedKeyboard.h"

#include "../support/LinkFakes.h"
#include "../support/TempFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quilby;
using namespace quilby::testing;
namespace fs = std::filesystem;

namespace {

// A session over the document and folder with a recording port and pacer
// and scripted prompts.
struct RecordedMcr {
    RecordedMcr(KeyTableData& doc, const std::string& folder)
        : session(settings, doc, folder, port, pacer, prompts) {}
    LinkSettings settings;
    OpLog log;
    RecordingPacer pacer{log};
    RecordingPort port{log};
    ScriptedLinkPrompts prompts;
    McrSession session;
};

// A scratch folder with the option file in it.
class TempDir : public ScratchDir {
public:
    TempDir() : ScratchDir("quilby-mcr") {}
    std::string opn() const { return file("MCR.OPN"); }
    void write(const std::string& bytes) const { writeFile(opn(), bytes); }
    std::string read() const { return readFile(opn()); }
};

EpromReportBuffer reportOf(std::string_view text) {
    EpromReportBuffer b{};
    for (std::size_t i = 0; i < text.size() && i < b.size(); ++i) {
        b[i] = static_cast<std::uint8_t>(text[i]);
    }
    return b;
}

} // namespace

TEST(McrOptionFile, ReadsTheOptionDigitAndItsHeadCode) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        std::int32_t option;
        std::string headCode;
        int radio;          // after the dialog opens
        std::string status; // after the dialog opens
    };
    const std::string none = "현재 MCR Head Code 사용 불가 상태입니다!";
    const Case cases[] = {
        {"0\0\0\0"s, 0, "", -1, none},
        {"1\0\0\0"s, 1, "", 0, "현재 MCR Head Code  사용 안함 상태 입니다."},
        {"1", 1, "", 0, "현재 MCR Head Code  사용 안함 상태 입니다."},
        {"1ff\0"s, 1, "", 0, "현재 MCR Head Code  사용 안함 상태 입니다."},
        {"2ff\0"s, 2, "ff", 1, "현재 MCR Head Code  'ff' 사용 상태 입니다."},
        {"2ff", 2, "ff", 1, "현재 MCR Head Code  'ff' 사용 상태 입니다."},
        {"3?\0\0"s, 3, "?", 2, "현재 MCR Head Code  '?' 사용 상태 입니다."},
        {"4;\0\0rest of the file"s, 4, ";", 3, "현재 MCR Head Code  ';' 사용 상태 입니다."},
        {"2\0f\0"s, 2, "", 1, "현재 MCR Head Code  'ff' 사용 상태 입니다."},
        {"2f", 2, "f", 1, "현재 MCR Head Code  'ff' 사용 상태 입니다."},
        {"5ab\0"s, 5, "ab", -1, ""},
        {"7", 7, "", -1, ""},
        {"9\0\0\0"s, 9, "", -1, ""},
        {"x2ff", 0, "", -1, none},
        {"-1", 0, "", -1, none},
        {"", 0, "", -1, none},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.write(c.bytes);
        KeyTableData doc;
        doc.mcrOption = 42;
        doc.mcrHeadCode = "old";
        ASSERT_FALSE(loadMcrOption(dir.path(), doc).has_value()) << c.bytes;
        EXPECT_EQ(doc.mcrOption, c.option) << c.bytes;
        EXPECT_EQ(doc.mcrHeadCode, c.headCode) << c.bytes;

        const RecordedMcr rig(doc, dir.path());
        const McrSession& session = rig.session;
        EXPECT_EQ(session.headCodeChoice(), c.radio) << c.bytes;
        EXPECT_EQ(session.statusText(), c.status) << c.bytes;
        EXPECT_EQ(dir.read(), c.bytes) << "reading never changes the file";
    }
}

TEST(McrOptionFile, SaysWhichFileAndFolderCannotBeRead) {
    struct Case {
        const char* name;
        std::function<void(const TempDir&)> prepare;
        int code;
    };
    const Case cases[] = {
        {"missing", [](const TempDir&) {}, ENOENT},
        {"a folder of that name", [](const TempDir& d) { fs::create_directory(d.opn()); }, EISDIR},
        {"a pipe of that name", [](const TempDir& d) { ::mkfifo(d.opn().c_str(), 0600); }, ENODEV},
    };
    for (const Case& c : cases) {
        TempDir dir;
        c.prepare(dir);
        KeyTableData doc;
        doc.mcrOption = 3;
        doc.mcrHeadCode = "?";
        const auto error = loadMcrOption(dir.path(), doc);
        ASSERT_TRUE(error.has_value()) << c.name;
        EXPECT_EQ(error->code, c.code) << c.name;
        EXPECT_EQ(error->folder, fs::canonical(dir.path()).string()) << c.name;
        const std::string text = error->message();
        EXPECT_NE(text.find("MCR.OPN"), std::string::npos) << text;
        EXPECT_NE(text.find(error->folder), std::string::npos) << text;
        EXPECT_EQ(doc.mcrOption, 3) << c.name;
        EXPECT_EQ(doc.mcrHeadCode, "?") << c.name;
    }
    TempDir dir;
    const auto missing = std::get<McrFileError>(readMcrOption(dir.path()));
    EXPECT_NE(missing.message().find("does not create it"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.opn())) << "the program never creates the file";
    // A missing file points at the copy that comes with the program (here the
    // source tree's, for a build); other errors do not.
    ASSERT_FALSE(missing.shippedCopy.empty());
    EXPECT_EQ(readFile(missing.shippedCopy), std::string("1\0\0\0", 4));
    EXPECT_NE(missing.message().find(missing.shippedCopy), std::string::npos);
    fs::create_directory(dir.opn());
    EXPECT_TRUE(std::get<McrFileError>(readMcrOption(dir.path())).shippedCopy.empty());
}

TEST(McrSession, ApplyWritesOnlyTheFirstFourBytes) {
    using namespace std::string_literals;
    struct Case {
        int radio;
        std::string record;
        std::int32_t option;
        std::string headCode;
        std::string status;
    };
    const Case cases[] = {
        {-1, "0\0\0\0"s, 0, "", "(unchanged)"},
        {0, "1\0\0\0"s, 1, "", "Now, MCR Head Code Disabled!"},
        {1, "2ff\0"s, 2, "ff", "Now, MCR Head Code 'ff' "},
        {2, "3?\0\0"s, 3, "?", "Now, MCR Head Code '?' "},
        {3, "4;\0\0"s, 4, ";", "Now, MCR Head Code ';' "},
    };
    for (const std::string& before : {"2ff\0TAIL BYTES STAY"s, "1"s}) {
        for (const Case& c : cases) {
            TempDir dir;
            dir.write(before);
            KeyTableData doc;
            doc.mcrOption = 9; // shows nothing, selects nothing
            RecordedMcr rig(doc, dir.path());
            McrSession& session = rig.session;
            if (c.radio >= 0) {
                session.selectOption(c.radio);
            }
            const std::string shown = session.statusText();
            EXPECT_FALSE(session.apply().has_value());
            const std::string tail = before.size() > 4 ? before.substr(4) : "";
            EXPECT_EQ(dir.read(), c.record + tail) << c.radio;
            EXPECT_EQ(doc.mcrOption, c.option) << c.radio;
            EXPECT_EQ(doc.mcrHeadCode, c.headCode) << c.radio;
            EXPECT_EQ(session.statusText(), c.radio < 0 ? shown : c.status) << c.radio;
            EXPECT_TRUE(rig.prompts.shown.empty());
            EXPECT_TRUE(rig.log.ops().empty()) << "storing sends nothing";
        }
    }
}

TEST(McrSession, AnApplyThatCannotWriteChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(const TempDir&)> prepare;
        int code;
    };
    const Case cases[] = {
        {"file gone since opening", [](const TempDir& d) { fs::remove(d.opn()); }, ENOENT},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.write(std::string("3?\0\0", 4));
        KeyTableData doc;
        ASSERT_FALSE(loadMcrOption(dir.path(), doc).has_value());
        RecordedMcr rig(doc, dir.path());
        McrSession& session = rig.session;
        session.selectOption(1);
        const std::string shown = session.statusText();
        c.prepare(dir);

        const auto error = session.apply();
        ASSERT_TRUE(error.has_value()) << c.name;
        EXPECT_EQ(error->code, c.code) << c.name;
        EXPECT_EQ(error->operation, McrFileError::Operation::Write) << c.name;
        EXPECT_EQ(doc.mcrOption, 3) << c.name;
        EXPECT_EQ(doc.mcrHeadCode, "?") << c.name;
        EXPECT_EQ(session.statusText(), shown) << c.name;
        EXPECT_EQ(session.headCodeChoice(), 1) << c.name;
        ASSERT_EQ(rig.prompts.shown.size(), 1u) << c.name;
        EXPECT_EQ(rig.prompts.shown[0], "stop|" + error->message()) << c.name;
        if (c.code == ENOENT) {
            EXPECT_FALSE(fs::exists(dir.opn())) << "never created";
        }
    }
}

TEST(McrOptionFile, AFileThatMayNotBeReadOrWrittenIsReportedAndChangesNothing) {
    TempDir dir;
    dir.write(std::string("3?\0\0", 4));
    fs::permissions(dir.path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    KeyTableData doc;
    ASSERT_FALSE(loadMcrOption(dir.path(), doc).has_value());

    ::chmod(dir.opn().c_str(), 0200);
    EXPECT_TRUE(asUnprivilegedUser([&] {
        KeyTableData other;
        other.mcrOption = 1;
        const auto error = loadMcrOption(dir.path(), other);
        return error && error->code == EACCES && other.mcrOption == 1 &&
               error->message().find(dir.path()) != std::string::npos;
    }));

    ::chmod(dir.opn().c_str(), 0444);
    EXPECT_TRUE(asUnprivilegedUser([&] {
        RecordedMcr rig(doc, dir.path());
        McrSession& session = rig.session;
        session.selectOption(0);
        const std::string shown = session.statusText();
        const auto error = session.apply();
        return error && error->code == EACCES && doc.mcrOption == 3 && doc.mcrHeadCode == "?" &&
               session.statusText() == shown && rig.prompts.shown.size() == 1;
    }));
    EXPECT_EQ(dir.read(), std::string("3?\0\0", 4));
}

TEST(McrCommand, ThreeLeadBytesAndTheOptionCode) {
    const std::pair<int, std::uint8_t> cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {9, 0}};
    for (const auto& [radio, code] : cases) {
        EXPECT_EQ(mcrCommand(radio), (McrCommand{0xAA, 0xAA, 0xAA, code})) << radio;
    }
}

TEST(McrCommand, SendsWithItsPausesOrRefusesUpFront) {
    struct Case {
        OsFamily family;
        std::int32_t ready;
        PortRefusal refusal;
    };
    const Case cases[] = {
        {OsFamily::OpenPorts, 0, PortRefusal::None},
        {OsFamily::PermissionStep, 1, PortRefusal::None},
        {OsFamily::PermissionStep, 0, PortRefusal::NoPermission},
        {OsFamily::Unknown, 1, PortRefusal::NoPortInstructions},
    };
    for (const Case& c : cases) {
        OpLog log;
        RecordingPacer pacer(log);
        RecordingPort port(log);
        EXPECT_EQ(sendMcrCommand(port, pacer, c.family, c.ready, 2), c.refusal);
        const std::vector<std::string> sent = {
            "pause 100",   "pause 50",    "write 60 aa", "read 60",     "pause 50",
            "write 60 aa", "read 60",     "pause 50",    "write 60 aa", "read 60",
            "pause 50",    "write 60 02", "read 60"};
        EXPECT_EQ(log.ops(), c.refusal == PortRefusal::None ? sent : std::vector<std::string>{})
            << static_cast<int>(c.family) << "/" << c.ready;
    }
}

TEST(EpromReport, CutsPiecesShortAtTheEndOfTheText) {
    struct Case {
        std::string text;
        std::string version;
        std::string checksum;
    };
    const Case cases[] = {
        {"AB12345678890", "567-890", "1234"},
        {"AB12345678890XYZW", "567-890", "1234"},
        {"AB123456788", "567-8", "1234"},
        {"AB1234567", "567-", "1234"},
        {"AB12345", "5-", "1234"},
        {"AB12", "-", "12"},
        {"A", "-", ""},
        {"", "-", ""},
    };
    for (const Case& c : cases) {
        const EpromReport report = parseEpromReport(reportOf(c.text));
        EXPECT_EQ(report.version, c.version) << c.text;
        EXPECT_EQ(report.checksum, c.checksum) << c.text;
    }

    EpromReportBuffer full{};
    full.fill('7'); // no terminating zero at all: still read within the buffer
    EXPECT_EQ(parseEpromReport(full).checksum, "7777");
}

// The exchange of the EPROM & MCR dialog with the simulated keyboard.
class McrExchangeTest : public ::testing::Test {
protected:
    McrExchangeTest() {
        settings.keyboardBrand = KeyboardBrand::Varo;
        settings.osFamily = OsFamily::OpenPorts;
        document.mcrOption = McrHeadQuestion;
        keyboard.setListener(&typed);
    }
    ~McrExchangeTest() override { keyboard.setListener(nullptr); }

    // Delivers what the keyboard typed, as posted key events arrive later.
    std::vector<KeyVerdict> deliverTyped(McrSession& session) {
        std::vector<KeyVerdict> verdicts;
        while (typed.pending) {
            typed.pending = false;
            for (const KeyMessage& k : keyboard.takeTypedKeys()) {
                verdicts.push_back(session.onKey(k));
            }
        }
        return verdicts;
    }
    void typeKeyDowns(McrSession& session, std::string_view codes) {
        for (const char c : codes) {
            session.onKey(KeyMessage::keyDown(static_cast<unsigned char>(c)));
        }
    }

    struct Typed : SimulatedKeyboard::Listener {
        void keysTyped() override { pending = true; }
        bool pending = false;
    } typed;

    LinkSettings settings;
    KeyTableData document;
    TempDir dir;
    OpLog log;
    RecordingPacer pacer{log};
    SimulatedKeyboard keyboard;
    ScriptedLinkPrompts prompts;
};

TEST_F(McrExchangeTest, AnnounceCommandAndReport) {
    McrSession session(settings, document, dir.path(), keyboard, pacer, prompts);
    EXPECT_EQ(settings.keyboardId.upper[0], 'V') << "opening selects the identification";
    EXPECT_EQ(session.headCodeChoice(), 2);
    session.selectOption(1); // clicked, not applied: still what is sent

    keyboard.announce();
    const auto verdicts = deliverTyped(session);
    EXPECT_EQ(keyboard.received(), (std::vector<std::uint8_t>{0xAA, 0xAA, 0xAA, 0x01}));
    EXPECT_EQ(log.ops(), (std::vector<std::string>{"pause 100", "pause 50", "pause 50", "pause 50",
                                                   "pause 50"}));
    EXPECT_TRUE(session.hasReport());
    EXPECT_EQ(session.version(), "567-890");
    EXPECT_EQ(session.checksum(), "1234");
    EXPECT_FALSE(session.receiving());
    EXPECT_EQ(session.counter(), 0);
    // 45 identification keys and 42 report keys; the completing key-down and
    // the Z are consumed.
    ASSERT_EQ(verdicts.size(), 87u);
    EXPECT_EQ(std::count(verdicts.begin(), verdicts.end(), KeyVerdict::Consumed), 2);
    EXPECT_EQ(verdicts[42], KeyVerdict::Consumed);
    EXPECT_EQ(verdicts[84], KeyVerdict::Consumed);
    EXPECT_TRUE(prompts.shown.empty());

    // Every announcement while the dialog is open gets its exchange: the
    // keyboard receives the four command bytes each time.
    for (int more = 2; more <= 4; ++more) {
        keyboard.announce();
        deliverTyped(session);
        EXPECT_EQ(keyboard.counters().mcrCommands, more);
        EXPECT_EQ(keyboard.received().size(), 4u * static_cast<std::size_t>(more));
        EXPECT_EQ(session.version(), "567-890");
    }
}

TEST_F(McrExchangeTest, ReceivesEveryKeyDownUntilZOrF11) {
    settings.keyboardBrand = KeyboardBrand::Molbrix;
    McrSession session(settings, document, dir.path(), keyboard, pacer, prompts);
    EXPECT_EQ(settings.keyboardId.upper[0], ' ');
    typeKeyDowns(session, " MOLBRIXPOSKEYBOARD");
    ASSERT_TRUE(session.receiving());

    // Shift key-downs are stored like any other code; Escape and Enter, key-ups,
    // characters and system key-downs are not.
    typeKeyDowns(session, "AB\x10"
                          "12");
    session.onKey(KeyMessage::keyDown(KeyMessage::kEscape));
    session.onKey(KeyMessage::keyDown(KeyMessage::kEnter));
    session.onKey(KeyMessage::keyUp('Q'));
    session.onKey(KeyMessage::characterOf('q'));
    session.onKey({KeyMessage::Kind::SystemKeyDown, 'Q', 0, 0x10, false});
    typeKeyDowns(session, "345678890");
    EXPECT_EQ(session.onKey(KeyMessage::keyDown(KeyMessage::kF11)), KeyVerdict::Consumed);
    EXPECT_FALSE(session.receiving());
    EXPECT_EQ(session.checksum(), "\x10"
                                  "123");
    EXPECT_EQ(session.version(), "456-889");
    EXPECT_EQ(session.counter(), 0);
}

TEST_F(McrExchangeTest, ALongReportNeverRunsPastItsBuffer) {
    McrSession session(settings, document, dir.path(), keyboard, pacer, prompts);
    typeKeyDowns(session, "VAROPOSKEYBOARD");
    ASSERT_TRUE(session.receiving());
    typeKeyDowns(session, "AB1234567889012345678901234567"); // 30 codes
    EXPECT_EQ(session.counter(), kEpromReportMaxLength);
    EXPECT_EQ(session.reportBuffer()[19], 0);
    EXPECT_EQ(std::string(session.reportBuffer().begin(), session.reportBuffer().begin() + 19),
              "AB12345678890123456");
    typeKeyDowns(session, "Z");
    EXPECT_EQ(session.version(), "567-890");
    EXPECT_EQ(session.checksum(), "1234");

    // A shorter report later overwrites from the start; the rest stays.
    typeKeyDowns(session, "X");
    typeKeyDowns(session, "VAROPOSKEYBOARD");
    ASSERT_TRUE(session.receiving());
    typeKeyDowns(session, "CD9876Z");
    EXPECT_EQ(std::string(session.reportBuffer().begin(), session.reportBuffer().begin() + 8),
              "CD987656");
    EXPECT_EQ(session.checksum(), "9876");
    EXPECT_EQ(session.version(), "567-890");
}

TEST_F(McrExchangeTest, APortOutOfReachIsRefusedAndMatchingGoesOn) {
    settings.osFamily = OsFamily::PermissionStep;
    settings.portReady = false;
    McrSession session(settings, document, dir.path(), keyboard, pacer, prompts);
    keyboard.announce();
    const auto verdicts = deliverTyped(session);
    EXPECT_EQ(std::count(verdicts.begin(), verdicts.end(), KeyVerdict::Consumed), 0);
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"-|" + std::string(texts::kMcrSendFailed)});
    EXPECT_FALSE(session.receiving());
    EXPECT_TRUE(keyboard.received().empty());
    EXPECT_TRUE(log.ops().empty());

    // Matching starts afresh: the next announcement completes (and is refused) again.
    keyboard.announce();
    const auto again = deliverTyped(session);
    EXPECT_EQ(again.size(), 45u);
    EXPECT_EQ(session.counter(), 0);
    EXPECT_EQ(prompts.shown.size(), 2u);
}

// The command line learns what a key did from the exchange alone: each step
// is told once, on the key that made it.
TEST_F(McrExchangeTest, EachKeyTellsWhatItDidToTheExchange) {
    using Exchange = McrSession::Exchange;
    const struct {
        const char* name;
        OsFamily family;
        bool ready;
        std::vector<Exchange> steps;
    } cases[] = {
        {"port reachable",
         OsFamily::OpenPorts,
         false,
         {Exchange::CommandSent, Exchange::ReportReceived}},
        {"permission granted",
         OsFamily::PermissionStep,
         true,
         {Exchange::CommandSent, Exchange::ReportReceived}},
        {"no permission", OsFamily::PermissionStep, false, {Exchange::CommandRefused}},
        {"no port instructions", OsFamily::Unknown, false, {Exchange::CommandRefused}},
    };
    for (const auto& c : cases) {
        settings.osFamily = c.family;
        settings.portReady = c.ready;
        McrSession session(settings, document, dir.path(), keyboard, pacer, prompts);
        EXPECT_EQ(session.lastExchange(), Exchange::None) << c.name;
        keyboard.announce();
        std::vector<Exchange> steps;
        while (typed.pending) {
            typed.pending = false;
            for (const KeyMessage& k : keyboard.takeTypedKeys()) {
                session.onKey(k);
                if (session.lastExchange() != Exchange::None) {
                    steps.push_back(session.lastExchange());
                }
            }
        }
        EXPECT_EQ(steps, c.steps) << c.name;
        EXPECT_EQ(session.hasReport(), c.steps.back() == Exchange::ReportReceived) << c.name;
    }
}

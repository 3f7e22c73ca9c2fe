#include "editing/KeyTrace.h"

#include "../support/RenderingObserver.h"
#include "../support/Typist.h"

#include <gtest/gtest.h>

#include <random>

using namespace quilby;
using K = KeyEventKind;
using Step = KeyTraceStep;

namespace {

Step event(K kind, std::uint8_t code, std::uint8_t scan, bool ext = false) {
    Step s;
    s.event = {kind, code, scan, ext};
    return s;
}

Step lock(Step::Kind kind, bool on) {
    Step s;
    s.kind = kind;
    s.on = on;
    return s;
}

std::vector<Step> parsed(std::string_view text) {
    auto result = parseKeyTrace(text);
    if (auto* error = std::get_if<KeyTraceError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<std::vector<Step>>(result);
}

} // namespace

TEST(KeyTrace, ParsesEveryLineForm) {
    struct Case {
        const char* text;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"keydown 0x41 30", {event(K::KeyDown, 0x41, 30)}},
        {"syskeydown 18 56", {event(K::SystemKeyDown, 0x12, 56)}},
        {"keyup 0X26 0x48 ext", {event(K::KeyUp, 0x26, 72, true)}},
        {"syskeyup 0x75 64", {event(K::SystemKeyUp, 0x75, 64)}},
        {"char 255 0", {event(K::Character, 255, 0)}},
        {"numlock on\ncapslock on\ncapslock off",
         {lock(Step::Kind::NumLock, true), lock(Step::Kind::CapsLock, true),
          lock(Step::Kind::CapsLock, false)}},
        {"  # a comment\n\n\tkeydown 0x10 42   # Shift\r\n\r\nchar 0x41 30\r\n",
         {event(K::KeyDown, 0x10, 42), event(K::Character, 0x41, 30)}},
        {"", {}},
        {"keydown 0x41 30 ext#no space before the comment", {event(K::KeyDown, 0x41, 30, true)}},
        {"keydown 00000065 0x0000001e", {event(K::KeyDown, 65, 30)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parsed(c.text), c.steps) << c.text;
    }
}

TEST(KeyTrace, MalformedLineIsReportedByItsNumber) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"keydwn 1 2", 1},
        {"# ok\nkeydown 1 2\nkeydown 1", 3},
        {"keydown 1 2 3", 1},
        {"keydown 1 2 extended", 1},
        {"\n\nkeydown 256 2", 3},
        {"char 0x41 -1", 1},
        {"char 0x 30", 1},
        {"char 0x1g 30", 1},
        {"char 12a 30", 1},
        {"char 99999999999 30", 1},
        {"numlock", 1},
        {"capslock yes", 1},
        {"numlock on off", 1},
        {"KEYDOWN 1 2", 1},
        {"keydown 1 2\r\nkeyup\t1 2\r\n\x01\xff", 3},
    };
    for (const auto& c : cases) {
        const auto result = parseKeyTrace(c.text);
        const auto* error = std::get_if<KeyTraceError>(&result);
        ASSERT_NE(error, nullptr) << c.text;
        EXPECT_EQ(error->line, c.line) << c.text;
        EXPECT_FALSE(error->message.empty());
    }
}

TEST(KeyTrace, RecordedSessionsReadBackAsTheSameSteps) {
    std::mt19937 random(7);
    KeyTraceRecorder recorder;
    std::string text;
    std::vector<Step> expected;
    LockStates last;
    for (int i = 0; i < 2000; ++i) {
        const KeyEvent e{static_cast<K>(random() % 5), static_cast<std::uint8_t>(random()),
                         static_cast<std::uint8_t>(random()), random() % 2 == 0};
        const LockStates locks{random() % 7 == 0 ? !last.numLock : last.numLock,
                               random() % 7 == 0 ? !last.capsLock : last.capsLock};
        if (locks.numLock != last.numLock) {
            expected.push_back(lock(Step::Kind::NumLock, locks.numLock));
        }
        if (locks.capsLock != last.capsLock) {
            expected.push_back(lock(Step::Kind::CapsLock, locks.capsLock));
        }
        expected.push_back(event(e.kind, e.code, e.scan, e.extended));
        last = locks;
        text += recorder.record(e, locks);
    }
    EXPECT_EQ(parsed(text), expected);
    EXPECT_EQ(formatKeyTraceEvent({K::SystemKeyUp, 0x0d, 28, true}), "syskeyup 0x0d 28 ext");
    EXPECT_EQ(formatKeyTraceEvent({K::Character, 0xff, 0, false}), "char 0xff 0");
}

TEST(KeyTrace, ReplayGivesTheSameResultAsTheLiveSession) {
    // Type through the platform model and record, then replay the recording.
    KeyTableData doc;
    doc.tableLoaded = true;
    quilby::testing::RenderingObserver liveView;
    KeyEditor live(&liveView);
    live.initialise(doc);
    KeyCapture liveCapture(live);
    quilby::testing::Typist typist(liveCapture, {true, false});
    typist.type("+shift a -shift kp7 caps b caps up +ctrl +shift d -shift -ctrl alt f6 bs "
                "+ctrl o -ctrl +shift kp1 -shift esc");
    KeyTraceRecorder recorder;
    std::string text;
    // The typist toggled CapsLock twice; record the states the events saw.
    for (const auto& sent : typist.sent) {
        text += recorder.record(sent.event, sent.locks);
    }

    KeyEditor replayed;
    replayed.initialise(doc);
    KeyCapture capture(replayed);
    const auto outcomes = replayKeyTrace(parsed(text), capture);
    ASSERT_EQ(outcomes.size(), typist.sent.size());
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        EXPECT_EQ(outcomes[i], typist.sent[i].outcome) << "event " << i;
    }
    EXPECT_TRUE(replayed.workingTable().sameTable(live.workingTable()));
    EXPECT_EQ(replayed.currentKey(), live.currentKey());
    EXPECT_EQ(replayed.beepCount(), liveView.beeps);
    EXPECT_EQ(capture.state(), liveCapture.state());
    EXPECT_EQ(outcomeName(CaptureOutcome::Consumed), "consumed");
    EXPECT_EQ(outcomeName(CaptureOutcome::DialogHandling), "dialog");
    EXPECT_EQ(outcomeName(CaptureOutcome::NormalDelivery), "normal");
}

// Raw sequences that no keyboard types but a trace can hold.
TEST(KeyTrace, RawSequencesFollowTheRules) {
    struct Case {
        const char* name;
        const char* trace;
        std::vector<KeyEntry> entries;
        long beeps;
    };
    const Case cases[] = {
        {"Ctrl and Shift pending, a plain capital with NumLock on: a Ctrl entry first",
         "numlock on\nkeydown 0x11 29\nkeydown 0x10 42\nchar 0x41 30",
         {{66, 0, "Ctrl"}, {1, 0x0001, "A"}},
         0},
        {"the same with the locks off: no modifier entry",
         "keydown 0x11 29\nkeydown 0x10 42\nchar 0x41 30",
         {{1, 0x0001, "A"}},
         0},
        {"keypad character events take the keypad rows",
         "char 0x37 71\nchar 0x2f 53 ext",
         {{84, 0x4700, "Home7"}, {80, 0xe02f, "/"}},
         0},
        {"a BackSpace character makes nothing", "char 0x08 14", {}, 0},
        {"Alt pending: a character goes by its code",
         "syskeydown 0x12 56\nchar 0x3b 39",
         {{67, 0, "Alt"}, {59, 0x2700, ";"}},
         0},
        {"F10 with Alt held",
         "syskeydown 0x12 56\nsyskeydown 0x79 68",
         {{67, 0, "Alt"}, {37, 0x6700, "F10"}},
         0},
        {"the synthetic Shift after a keypad key ends the pending Shift",
         "numlock on\nkeydown 0x10 42\nkeyup 0x10 42 ext\nkeydown 0x24 71\nkeyup 0x24 71\n"
         "keydown 0x10 42 ext\nchar 0x61 30",
         {{62, 0, "Shift"}, {84, 0x4700, "Home7"}, {1, 0x1e61, "a"}},
         0},
        {"an empty row is stored as it is", "char 0x1f 12", {{0, 0xffff, ""}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTableData doc;
        doc.tableLoaded = true;
        KeyEditor editor;
        editor.initialise(doc);
        KeyCapture capture(editor);
        replayKeyTrace(parsed(c.trace), capture);
        std::vector<KeyEntry> entries;
        for (int i = 0; i < editor.currentCount(); ++i) {
            entries.push_back(editor.workingTable().entryAt(0, i));
        }
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(editor.beepCount(), c.beeps);
    }
}

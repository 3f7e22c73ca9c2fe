#include "editing/PcKeyboard.h"

#include <gtest/gtest.h>

using namespace quilby;

namespace {

PcKey key(int evdev) {
    return *pcKeyFromEvdev(evdev);
}

constexpr int kA = 30, kO = 24, kOne = 2, kSix = 7, kMinus = 12, kLeftBracket = 26, kBackslash = 43,
              kBackSpace = 14, kEnter = 28, kTab = 15, kSpace = 57, kEsc = 1, kLeftShift = 42,
              kRightShift = 54, kLeftCtrl = 29, kLeftAlt = 56, kCapsLock = 58, kNumLock = 69,
              kKp7 = 71, kKpDot = 83, kF6 = 64, kF10 = 68, kKpEnter = 96, kRightCtrl = 97,
              kKpSlash = 98, kRightAlt = 100, kUp = 103, kDelete = 111, kPause = 119,
              kLeftMeta = 125;

} // namespace

TEST(PcKeyboard, EvdevCodesMapToSet1AndTheExtendedFlag) {
    struct Case {
        int evdev;
        PcKey expected;
    };
    const Case cases[] = {
        {kEsc, {1, false, 0x1b}},        {kA, {30, false, 0x41}},
        {kLeftShift, {42, false, 0x10}}, {kRightShift, {54, false, 0x10}},
        {kLeftCtrl, {29, false, 0x11}},  {kRightCtrl, {29, true, 0x11}},
        {kLeftAlt, {56, false, 0x12}},   {kRightAlt, {56, true, 0x12}},
        {kKpEnter, {28, true, 0x0d}},    {kEnter, {28, false, 0x0d}},
        {kKpSlash, {53, true, 0x6f}},    {kUp, {72, true, 0x26}},
        {kKp7, {71, false, 0x24}},       {kDelete, {83, true, 0x2e}},
        {87, {87, false, 0x7a}},         {88, {88, false, 0x7b}},
        {kPause, {69, false, 0x13}},     {kLeftMeta, {91, true, 0x5b}},
        {99, {55, true, 0x2c}},          {kNumLock, {69, false, 0x90}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(pcKeyFromEvdev(c.evdev).has_value()) << c.evdev;
        EXPECT_EQ(*pcKeyFromEvdev(c.evdev), c.expected) << c.evdev;
    }
    for (const auto& c : cases) {
        if (c.evdev != kPause) { // Pause shares NumLock's make code
            EXPECT_EQ(evdevFromPcKey(c.expected.scan, c.expected.extended), c.evdev);
        }
    }
    EXPECT_FALSE(evdevFromPcKey(30, true).has_value());
    for (int missing : {0, 84, 85, 89, 101, 200, -1, 100000}) {
        EXPECT_FALSE(pcKeyFromEvdev(missing).has_value()) << missing;
    }
}

TEST(PcKeyboard, CharactersAsTheWindowsMessageLoopMakesThem) {
    struct Case {
        int evdev;
        KeyboardState state;
        int expected; // -1: no character
    };
    const KeyboardState none{};
    const KeyboardState shift{true, false, false, false, false};
    const KeyboardState ctrl{false, true, false, false, false};
    const KeyboardState ctrlShift{true, true, false, false, false};
    const KeyboardState caps{false, false, false, true, false};
    const KeyboardState capsShift{true, false, false, true, false};
    const KeyboardState alt{false, false, true, false, false};
    const KeyboardState num{false, false, false, false, true};
    const KeyboardState numShift{true, false, false, false, true};
    const Case cases[] = {
        {kA, none, 'a'},         {kA, shift, 'A'},
        {kA, caps, 'A'},         {kA, capsShift, 'a'},
        {kA, ctrl, 1},           {kA, ctrlShift, 1},
        {kO, ctrl, 15},          {kA, alt, -1},
        {kOne, none, '1'},       {kOne, shift, '!'},
        {kOne, caps, '1'},       {kOne, ctrl, -1},
        {kSix, ctrlShift, 0x1e}, {kMinus, ctrlShift, 0x1f},
        {kMinus, shift, '_'},    {kLeftBracket, ctrl, 27},
        {kBackslash, ctrl, 28},  {27, ctrl, 29},
        {kBackSpace, none, 8},   {kBackSpace, ctrl, 0x7f},
        {kEnter, none, 13},      {kEnter, ctrl, 10},
        {kKpEnter, none, 13},    {kTab, none, 9},
        {kSpace, ctrl, ' '},     {kEsc, none, 27},
        {kKp7, none, -1},        {kKp7, num, '7'},
        {kKp7, numShift, -1},    {kKpDot, num, '.'},
        {55, none, '*'},         {74, none, '-'},
        {78, none, '+'},         {kKpSlash, none, '/'},
        {kF6, none, -1},         {kUp, none, -1},
        {kLeftShift, shift, -1}, {40, shift, '"'},
        {41, shift, '~'},
    };
    for (const auto& c : cases) {
        const auto ch = characterForKey(key(c.evdev), c.state);
        EXPECT_EQ(ch ? int{*ch} : -1, c.expected) << "evdev " << c.evdev;
    }
}

TEST(PcKeyEventSource, SystemKeysAndKeyUps) {
    PcKeyEventSource source;
    using K = KeyEventKind;
    // F10 alone is a system key.
    EXPECT_EQ(source.press(key(kF10), false).front().kind, K::SystemKeyDown);
    EXPECT_EQ(source.release(key(kF10)).front().kind, K::SystemKeyUp);
    // Alt, then F6 while Alt is down: both system key-downs (the capture
    // takes a pending Alt only from Alt's system key-down).
    EXPECT_EQ(source.press(key(kLeftAlt), false).front(),
              (KeyEvent{K::SystemKeyDown, 0x12, 56, false}));
    EXPECT_EQ(source.press(key(kF6), false).front(), (KeyEvent{K::SystemKeyDown, 0x75, 64, false}));
    EXPECT_EQ(source.release(key(kF6)).front().kind, K::SystemKeyUp);
    EXPECT_EQ(source.release(key(kLeftAlt)).front().kind, K::SystemKeyUp);
    EXPECT_EQ(source.press(key(kRightAlt), false).front(),
              (KeyEvent{K::SystemKeyDown, 0x12, 56, true}));
    EXPECT_EQ(source.release(key(kRightAlt)).front().kind, K::SystemKeyUp);
    // Ctrl+Alt keys, Alt itself included, are ordinary key-downs and -ups.
    source.press(key(kLeftCtrl), false);
    EXPECT_EQ(source.press(key(kRightAlt), false).front().kind, K::KeyDown);
    EXPECT_EQ(source.press(key(kA), false).front().kind, K::KeyDown);
    EXPECT_EQ(source.release(key(kA)).front().kind, K::KeyUp);
    EXPECT_EQ(source.release(key(kRightAlt)).front().kind, K::KeyUp);
    source.release(key(kLeftCtrl));
    EXPECT_FALSE(source.ctrlDown());
    EXPECT_FALSE(source.altDown());
    EXPECT_EQ(source.press(key(kA), false).front().kind, K::KeyDown);
}

TEST(PcKeyEventSource, KeypadWithShiftAndNumLockLiftsShift) {
    PcKeyEventSource source;
    using K = KeyEventKind;
    source.press(key(kNumLock), false);
    source.release(key(kNumLock));
    EXPECT_TRUE(source.locks().numLock);
    // NumLock on: keypad 7 is VK_NUMPAD7 and types 7.
    const auto plain = source.press(key(kKp7), false);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain.front().code, 0x67);
    EXPECT_EQ(source.characterAfter(plain.front())->code, '7');
    source.release(key(kKp7));

    source.press(key(kLeftShift), false);
    const auto down = source.press(key(kKp7), false);
    ASSERT_EQ(down.size(), 2u);
    EXPECT_EQ(down[0], (KeyEvent{K::KeyUp, 0x10, 42, false}));
    EXPECT_EQ(down[1], (KeyEvent{K::KeyDown, 0x24, 71, false})); // Home
    EXPECT_FALSE(source.characterAfter(down[1]).has_value());
    const auto up = source.release(key(kKp7));
    ASSERT_EQ(up.size(), 2u);
    EXPECT_EQ(up[1], (KeyEvent{K::KeyDown, 0x10, 42, false}));

    // Shift released before the keypad key: no synthetic Shift key-down.
    source.press(key(kKpDot), false);
    source.release(key(kLeftShift));
    EXPECT_EQ(source.release(key(kKpDot)).size(), 1u);
}

TEST(PcKeyEventSource, TrackedLocksAndPlatformLocks) {
    PcKeyEventSource source;
    source.press(key(kCapsLock), false);
    EXPECT_TRUE(source.locks().capsLock); // toggled and held
    source.press(key(kCapsLock), true);   // auto-repeat does not toggle again
    source.release(key(kCapsLock));
    EXPECT_TRUE(source.locks().capsLock);
    source.press(key(kCapsLock), false);
    EXPECT_TRUE(source.locks().capsLock); // held down counts as on
    source.release(key(kCapsLock));
    EXPECT_FALSE(source.locks().capsLock);

    source.setLockToggles(LockStates{true, true});
    EXPECT_EQ(source.locks(), (LockStates{true, true}));
    source.press(key(kNumLock), false);
    source.release(key(kNumLock));
    EXPECT_EQ(source.locks(), (LockStates{false, true}));

    source.setPlatformLocks(LockStates{true, false});
    EXPECT_TRUE(source.locks().numLock);
    EXPECT_FALSE(source.locks().capsLock);
    const auto down = source.press(key(kA), false);
    EXPECT_EQ(source.characterAfter(down.front())->code, 'a');
}

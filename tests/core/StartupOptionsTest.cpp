#include "app/StartupOptions.h"

#include <gtest/gtest.h>

using namespace quilby;

TEST(StartupOptions, HelpAndVersionAreAnsweredBeforeAnyWindow) {
    struct Case {
        std::vector<std::string> args;
        InfoRequest request;
    };
    const Case cases[] = {
        {{}, InfoRequest::None},
        {{"shop.KEY", "--port=sim"}, InfoRequest::None},
        {{"--help"}, InfoRequest::Usage},
        {{"-h"}, InfoRequest::Usage},
        {{"--port=sim", "--version"}, InfoRequest::Version},
        {{"--version", "--help"}, InfoRequest::Version}, // the first one asked
        {{"--port=usb", "--help"}, InfoRequest::Usage},  // help even for a bad line
        {{"--helpme"}, InfoRequest::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(infoRequest(c.args), c.request) << c.args.size();
    }
}

TEST(StartupOptions, FileAndPortModeFromArgumentsAndEnvironment) {
    struct Case {
        std::vector<std::string> args;
        std::string env;
        std::string file;
        PortMode mode;
        bool error;
    };
    const Case cases[] = {
        {{}, "", "", PortMode::Hardware, false},
        {{"shop.KEY"}, "", "shop.KEY", PortMode::Hardware, false},
        {{"--port=sim", "a.KEY"}, "", "a.KEY", PortMode::Simulated, false},
        {{}, "sim", "", PortMode::Simulated, false},
        {{"--port=hw"}, "sim", "", PortMode::Hardware, false},
        {{"--port=usb"}, "", "", PortMode::Hardware, true},
        {{}, "bogus", "", PortMode::Hardware, true},
        {{"a.KEY", "b.KEY"}, "", "a.KEY", PortMode::Hardware, true},
        {{"--frobnicate"}, "", "", PortMode::Hardware, true},
    };
    for (const auto& c : cases) {
        const auto o = parseStartupOptions(c.args, c.env);
        EXPECT_EQ(!o.error.empty(), c.error) << o.error;
        if (!c.error) {
            EXPECT_EQ(o.file, c.file);
            EXPECT_EQ(o.portMode, c.mode);
        }
    }
}

TEST(FrameCaption, StartupCaptionUntilTheTitleChanges) {
    FrameCaption caption;
    EXPECT_EQ(caption.text("제목없음", false), "TARNWELL POS KEYBOARD UTIL");
    EXPECT_EQ(caption.text("제목없음", true), "제목없음* - POS Keyboard Utility");
    caption.documentTitleChanged();
    EXPECT_EQ(caption.text("shop.KEY", false), "shop.KEY - POS Keyboard Utility");
}

#include "app/CautionNotes.h"
#include "app/Commands.h"
#include "app/RecentFileList.h"
#include "app/StartupOptions.h"

#include <cerrno>

#include <gtest/gtest.h>

#include <set>

using namespace quilby;

TEST(Commands, EveryMenuAndToolbarCommandHasAnOwnerAndToolbarButtonsHaveTips) {
    std::set<int> menuIds;
    for (const auto& popup : mainMenu()) {
        for (const auto& item : popup.items) {
            if (item.id != 0) {
                menuIds.insert(item.id);
                EXPECT_NE(commandOwner(item.id), CommandOwner::Nobody) << item.id;
            }
        }
    }
    EXPECT_EQ(menuIds.size(), 20u);
    int buttons = 0;
    for (int id : toolbarLayout()) {
        if (id == 0) {
            continue;
        }
        ++buttons;
        EXPECT_TRUE(menuIds.count(id)) << id;
        if (id != ID_VERSION_CHECK) {
            EXPECT_TRUE(tooltipText(id).has_value()) << id;
        }
    }
    EXPECT_EQ(buttons, 12);
    EXPECT_FALSE(statusPrompt(ID_VERSION_CHECK).has_value());
}

TEST(Commands, PromptsSplitAtTheLineFeed) {
    struct Case {
        int id;
        const char* prompt;
        const char* tip; // nullptr: none
    };
    const Case cases[] = {
        {ID_KEY_EDIT, "키설정을  편집합니다!", "편집"},
        {ID_UTILITY_HELP, "유틸리티 도움말을 보여줍니다! ", "유틸리티 도움말"},
        {ID_FILE_MRU_FILE1 + 3, "이 문서를 엽니다", nullptr},
        {ID_FILE_MRU_FILE1 + 15, "이 문서를 엽니다", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(statusPrompt(c.id), c.prompt);
        EXPECT_EQ(tooltipText(c.id).has_value(), c.tip != nullptr);
        if (c.tip) {
            EXPECT_EQ(*tooltipText(c.id), c.tip);
        }
    }
    EXPECT_FALSE(statusPrompt(ID_FILE_MRU_FILE1 + 16).has_value());
}

TEST(Commands, ToolbarTooltipsArePlainWords) {
    struct Case {
        const char* menuText;
        const char* plain;
    };
    const Case cases[] = {
        {"POS Keyboard 버전확인(&C)...", "POS Keyboard 버전확인"},
        {"EPROM && MCR 체크(&R)", "EPROM & MCR 체크"},
        {"새 파일(&N)\tCtrl+N", "새 파일"},
        {"&Open...", "Open"},
        {"R&&D (&x) notes", "R&D  notes"},
        {"(&", "("}, // a broken marker loses only the '&'
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plainMenuText(c.menuText), c.plain) << c.menuText;
    }
    // Every button shows a tooltip without a mnemonic; its own where it has one.
    for (int id : toolbarLayout()) {
        if (id == 0) {
            continue;
        }
        const std::string tip = toolbarTooltip(id);
        EXPECT_FALSE(tip.empty()) << id;
        EXPECT_EQ(tip.find('&'), std::string::npos) << tip;
        EXPECT_EQ(tip.find("(C)"), std::string::npos) << tip;
        if (const auto own = tooltipText(id)) {
            EXPECT_EQ(tip, *own);
        }
    }
    EXPECT_EQ(toolbarTooltip(ID_VERSION_CHECK), "POS Keyboard 버전확인");
}

// The editing keys now reach the layout view's table commands; the pane
// keys still reach no handler.
TEST(Commands, PaneAcceleratorsReachNoHandler) {
    for (const auto& acc : accelerators()) {
        const bool handled = acc.id != ID_NEXT_PANE && acc.id != ID_PREV_PANE;
        EXPECT_EQ(commandOwner(acc.id) != CommandOwner::Nobody, handled) << acc.keys;
    }
}

// The table views add to the menus without changing them: every added
// command has a handler, a prompt, and appears once in the whole menu.
TEST(Commands, TableViewAdditionsAreHandledAndNew) {
    std::set<int> ids;
    for (const auto& popup : mainMenu()) {
        for (const auto& item : popup.items) {
            ids.insert(item.id);
        }
    }
    std::vector<int> added;
    for (const auto& item : editMenu().items) {
        added.push_back(item.id);
    }
    for (const auto& addition : menuAdditions()) {
        EXPECT_TRUE(ids.count(addition.anchor)) << addition.anchor;
        for (const auto& item : addition.items) {
            added.push_back(item.id);
        }
    }
    for (int id : added) {
        if (id == 0) {
            continue;
        }
        EXPECT_TRUE(ids.insert(id).second) << "twice: " << id;
        EXPECT_EQ(commandOwner(id), CommandOwner::View) << id;
        EXPECT_FALSE(id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE1 + 15) << id;
    }
    for (int id : toolbarAdditions()) {
        EXPECT_TRUE(id == 0 || tooltipText(id).has_value()) << id;
    }
    for (const auto& acc : acceleratorAdditions()) {
        EXPECT_TRUE(ids.count(acc.id)) << acc.keys;
    }
    EXPECT_EQ(tooltipText(ID_VIEW_LAYOUT), "키 배치");
}

TEST(CautionNotes, LinesGoDownTheViewInOrder) {
    int previous = 0;
    for (const auto& line : CautionNotes) {
        EXPECT_GT(line.y, previous);
        previous = line.y;
    }
    EXPECT_EQ(CautionNotes.front().y, 30);
    EXPECT_EQ(CautionNotes.back().y, 440);
}

TEST(RecentFileList, KeepsFourMostRecentFirstWithoutDuplicates) {
    RecentFileList list;
    for (const char* p : {"/a", "/b", "/c", "/d", "/e"}) {
        list.add(p);
    }
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/e", "/d", "/c", "/b"}));
    list.add("/c");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    list.remove("/e");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/c", "/d", "/b"}));
    list.setEntries({"/x", "", "/y", "/x", "/z", "/w", "/v"});
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/x", "/y", "/z", "/w"}));
    list.setEntries({"/R&D/a.KEY"});
    EXPECT_EQ(list.menuText(0), "&1 /R&&D/a.KEY");
}

TEST(RecentFileList, EntriesThatWouldFailAgainAreDropped) {
    using Op = FileError::Operation;
    struct Case {
        Op op;
        int code;
        bool duringRead;
        bool drop;
    };
    const Case cases[] = {
        {Op::Read, ENOENT, false, true},
        {Op::Read, EISDIR, false, true},
        {Op::Read, EACCES, false, true},
        {Op::Read, ENODEV, false, true},
        {Op::Read, EFBIG, false, true},
        {Op::Read, ENOTDIR, false, true},
        {Op::Read, ELOOP, false, true},
        // Passing faults keep the entry for another try.
        {Op::Read, EIO, true, false},
        {Op::Read, EIO, false, false},
        {Op::Read, ENOMEM, false, false},
        {Op::Read, EMFILE, false, false},
        {Op::Read, EACCES, true, false},
        {Op::Write, EACCES, false, false},
    };
    for (const Case& c : cases) {
        FileError e;
        e.operation = c.op;
        e.code = c.code;
        e.duringRead = c.duringRead;
        EXPECT_EQ(dropsRecentEntry(e), c.drop) << c.code << " " << c.duringRead;
    }
}

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

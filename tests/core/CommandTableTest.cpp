#include "app/CommandTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace quilby;

namespace {

std::map<Command, int> menuPlacements() {
    std::map<Command, int> placed;
    for (const auto& menu : menuBarLayout()) {
        for (const auto& item : menu.items) {
            if (item) {
                ++placed[*item];
            }
        }
    }
    return placed;
}

} // namespace

// A command missing from the menus could only be reached by its shortcut,
// one listed twice would be two actions fighting over one shortcut.
TEST(CommandTable, EveryCommandIsInTheMenusOnce) {
    const auto placed = menuPlacements();
    EXPECT_EQ(placed.size(), allCommands().size());
    for (const CommandInfo& info : allCommands()) {
        EXPECT_EQ(placed.count(info.command) ? placed.at(info.command) : 0, 1) << info.menuText;
        EXPECT_EQ(commandInfo(info.command).menuText, info.menuText);
    }
    std::vector<std::string> titles;
    for (const auto& menu : menuBarLayout()) {
        titles.emplace_back(menu.title);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"파일(&F)", "편집(&E)", "POS-KBD(&P)", "보기(&V)",
                                                "도움말(&H)"}));
}

TEST(CommandTable, ToolbarButtonsAreMenuCommandsWithPlainTooltips) {
    const auto placed = menuPlacements();
    int buttons = 0;
    for (const auto& item : toolBarLayout()) {
        if (!item) {
            continue;
        }
        ++buttons;
        EXPECT_TRUE(placed.count(*item));
        const std::string tip = toolBarToolTip(*item);
        EXPECT_FALSE(tip.empty());
        EXPECT_EQ(tip.find('&'), std::string::npos) << tip;
        if (!commandInfo(*item).toolTip.empty()) {
            EXPECT_EQ(tip, commandInfo(*item).toolTip);
        }
    }
    EXPECT_EQ(buttons, 13);
    EXPECT_EQ(toolBarToolTip(Command::VersionCheck), "POS Keyboard 버전확인");
    EXPECT_EQ(toolBarToolTip(Command::ShowLayout), "키 배치");
}

TEST(CommandTable, PlainMenuTextDropsMnemonicsEllipsisAndShortcut) {
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
}

// The text after the tab is what the menu shows: it must name the first
// shortcut, and no key may start two commands.
TEST(CommandTable, ShortcutsAreUniqueAndShownAsTheMenuSays) {
    std::set<std::string> keys;
    for (const CommandInfo& info : allCommands()) {
        const auto tab = info.menuText.find('\t');
        if (tab != std::string_view::npos) {
            ASSERT_FALSE(info.shortcuts.empty()) << info.menuText;
            EXPECT_EQ(info.menuText.substr(tab + 1), info.shortcuts.front());
        }
        for (const std::string_view key : info.shortcuts) {
            EXPECT_TRUE(keys.insert(std::string(key)).second) << "twice: " << key;
        }
    }
    EXPECT_EQ(commandInfo(Command::Undo).shortcuts,
              (std::vector<std::string_view>{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(commandInfo(Command::Delete).shortcuts, (std::vector<std::string_view>{"Del"}));
    // X11's own redo key is Ctrl+Shift+Z; the program's has always been Ctrl+Y.
    EXPECT_EQ(commandInfo(Command::Redo).shortcuts,
              (std::vector<std::string_view>{"Ctrl+Y", "Ctrl+Shift+Z"}));
}

// Alt and a letter must reach one item: a mnemonic used twice in a menu
// (or by two menu titles) only cycles between them.
TEST(CommandTable, MnemonicsAreUniqueInEachMenu) {
    struct Case {
        const char* menuText;
        std::optional<char> key;
    };
    const Case cases[] = {
        {"새 파일(&N)\tCtrl+N", 'n'}, {"EPROM && MCR 체크(&R)", 'r'}, {"Save &As...", 'a'},
        {"R&&D", std::nullopt},       {"&1 shop.KEY", '1'},           {"end&", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(menuMnemonic(c.menuText), c.key) << c.menuText;
    }
    std::set<char> titles;
    for (const auto& menu : menuBarLayout()) {
        ASSERT_TRUE(menuMnemonic(menu.title)) << menu.title;
        EXPECT_TRUE(titles.insert(*menuMnemonic(menu.title)).second) << menu.title;
        std::set<char> keys;
        for (const auto& item : menu.items) {
            if (!item) {
                continue;
            }
            const std::string_view text = commandInfo(*item).menuText;
            // The recent files take the digits 1 to 4 in place of their entry.
            if (*item == Command::RecentFile) {
                EXPECT_FALSE(menuMnemonic(text)) << text;
                continue;
            }
            ASSERT_TRUE(menuMnemonic(text)) << text;
            EXPECT_TRUE(keys.insert(*menuMnemonic(text)).second) << "twice: " << text;
        }
    }
}

TEST(CommandTable, StatusTipsAndTooltipsAsShown) {
    struct Case {
        Command command;
        const char* statusTip; // "" for none
        const char* toolTip;   // "" for none
    };
    const Case cases[] = {
        {Command::EditKeys, "키설정을  편집합니다!", "편집"},
        {Command::UtilityHelp, "유틸리티 도움말을 보여줍니다! ", "유틸리티 도움말"},
        {Command::RecentFile, "이 문서를 엽니다", ""},
        {Command::VersionCheck, "", ""},
        {Command::PrintLayout, "", ""},
        {Command::ShowLayout, "키보드 모양으로 키 배치를 보여줍니다", "키 배치"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandInfo(c.command).statusTip, c.statusTip);
        EXPECT_EQ(commandInfo(c.command).toolTip, c.toolTip);
    }
    EXPECT_TRUE(commandInfo(Command::ShowToolBar).checkable);
    EXPECT_FALSE(commandInfo(Command::Download).checkable);
}

#pragma once

#include "common/ProgramTexts.h"
#include "common/TextMarker.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// Every command of the main window. Each becomes one QAction, created and
// owned by the object that handles it; its texts, shortcuts and check state
// come from commandInfo().
enum class Command {
    NewFile,
    OpenFile,
    SaveFile,
    SaveFileAs,
    ImportTable,
    ExportTable,
    Print,
    PrintPreview,
    PrintSetup,
    PrintLayout,
    PreviewLayout,
    ExportLayoutPdf,
    LayoutListing,
    RecentFile,
    Exit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    Delete,
    SpecialKeys,
    ShowDefaultKeys,
    EpromMcr,
    EditKeys,
    Download,
    KeyTester,
    DownloadHistory,
    CompareWithFile,
    ShowToolBar,
    ShowStatusBar,
    ShowLayout,
    ShowSimulator,
    KoreanLanguage,
    EnglishLanguage,
    UtilityHelp,
    About,
    VersionCheck,
};

// The translation context of every text in this table.
inline constexpr const char* kCommandTextContext = "Command";

struct CommandInfo {
    Command command;
    // The menu text exactly as shown: '&' marks the mnemonic, "&&" shows one
    // ampersand, '\t' precedes the shortcut's text.
    std::string_view menuText;
    // The status-bar prompt; empty when the command has none.
    std::string_view statusTip;
    // The toolbar tooltip; empty when the menu text's plain words serve.
    std::string_view toolTip;
    // Portable key sequences ("Ctrl+N"), the first one shown in the menu.
    std::vector<std::string_view> shortcuts;
    bool checkable = false;
};

const CommandInfo& commandInfo(Command command);
const std::vector<CommandInfo>& allCommands();

// A menu of the menu bar: its title and its items in order, nullopt for a
// separator. The recent files are listed in place of Command::RecentFile.
struct MenuLayout {
    std::string_view title;
    std::vector<std::optional<Command>> items;
};
const std::vector<MenuLayout>& menuBarLayout();

// The toolbar's buttons in order, nullopt for a separator.
const std::vector<std::optional<Command>>& toolBarLayout();

// The prefixes of the Undo and Redo texts; the undo stack adds the step's name.
inline constexpr std::string_view kUndoPrefix = QUILBY_TEXT("Command", "실행 취소(&U)");
inline constexpr std::string_view kRedoPrefix = QUILBY_TEXT("Command", "다시 실행(&R)");

// A menu text as plain words: without its mnemonic ("(&C)" or a lone '&'),
// a trailing "..." and the shortcut after '\t'; "&&" becomes '&'.
std::string plainMenuText(std::string_view menuText);

// The key that picks a menu text in its menu: the letter after a lone '&',
// lower case; nullopt without one. "&&" shows an ampersand, no mnemonic.
std::optional<char> menuMnemonic(std::string_view menuText);

// The tooltip of a command's toolbar button: its own tooltip, or else its
// menu text as plain words (never a mnemonic marker).
std::string toolBarToolTip(Command command);

// Said when the language is chosen in the View menu: windows read their
// texts once, so the choice shows from the next start.
inline constexpr const char* kLanguageRestartNote =
    QUILBY_TEXT("Command", "선택한 언어는 프로그램을 다시 시작하면 적용됩니다.");

inline constexpr std::string_view kIdleStatusText = QUILBY_TEXT("Command", "준비");
inline constexpr std::string_view kStartupCaption = "TARNWELL POS KEYBOARD UTIL";
inline constexpr std::string_view kWindowTitle = "POS Keyboard Utility";
// Settings live under this organisation; kLegacySettingsOrganisation is the
// one earlier versions used, read once on the first start after the move.
inline constexpr std::string_view kSettingsOrganisation = "Quilby";
inline constexpr std::string_view kLegacySettingsOrganisation =
    "Local AppWizard-Generated Applications";
inline constexpr int kRecentFileCount = 4;

} // namespace quilby

#pragma once

#include "common/ProgramTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// Command identifiers of the menu, toolbar and accelerators. The numbers are
// the program's historic ones; the status prompts and tooltips are keyed by them.
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_PREVIEW_CLOSE = 61445,
    ID_DOWNLOAD = 32773,
    ID_SPECIAL_KEYS = 32774,
    ID_EPROM_MCR = 32775,
    ID_KEY_EDIT = 32776,
    ID_DEFAULT_KEY = 32778,
    ID_UTILITY_HELP = 32786,
    ID_VERSION_CHECK = 32789,
    // Not one of the historic commands: the simulated keyboard is a tool of
    // this program, present only with --port=sim.
    ID_VIEW_SIMULATOR = 32790,
    // The table views: the layout, its editing commands, the key tester and
    // the layout's print-outs.
    ID_EDIT_REDO = 57644,
    ID_EDIT_CLEAR = 32805,
    ID_LAYOUT_LISTING = 32806,
    ID_VIEW_LAYOUT = 32800,
    ID_KEY_TESTER = 32801,
    ID_LAYOUT_PRINT = 32802,
    ID_LAYOUT_PREVIEW = 32803,
    ID_LAYOUT_EXPORT_PDF = 32804,
};

// Who handles a command: the view gets commands first, then the document, the
// frame and the application.
enum class CommandOwner { View, Document, Frame, Application, Nobody };

struct MenuItem {
    int id = 0; // 0: separator
    std::string_view text;
};

struct MenuPopup {
    std::string_view title;
    std::vector<MenuItem> items;
};

struct Accelerator {
    std::string_view keys; // portable key sequence text, e.g. "Ctrl+N"
    int id;
};

// The main menu, in order, texts exactly as shown ('&' marks the mnemonic,
// '&&' shows one ampersand, '\t' precedes the accelerator text).
const std::vector<MenuPopup>& mainMenu();

// Toolbar buttons in order; 0 is a separator.
const std::vector<int>& toolbarLayout();

const std::vector<Accelerator>& accelerators();

// What the table views add to the menus above, which stay as they are: the
// Edit menu (placed after File), items appended to the popup whose first
// item is `after`'s anchor, one toolbar button and the keys only they use.
struct MenuAddition {
    int anchor; // the added items go after this item of its popup
    std::vector<MenuItem> items;
};
const MenuPopup& editMenu();
const std::vector<MenuAddition>& menuAdditions();
const std::vector<int>& toolbarAdditions();
const std::vector<Accelerator>& acceleratorAdditions();

// Status-bar prompt and tooltip of a command (the text before and after the
// line feed of its string); nullopt when the command has none.
std::optional<std::string_view> statusPrompt(int id);
std::optional<std::string_view> tooltipText(int id);

// A menu text as plain words: without its mnemonic ("(&C)" or a lone '&'),
// a trailing "..." and the accelerator after '\t'; "&&" becomes '&'.
std::string plainMenuText(std::string_view menuText);

// The tooltip a toolbar button shows: its own tooltip, or else its menu text
// as plain words (never a mnemonic marker).
std::string toolbarTooltip(int id);

CommandOwner commandOwner(int id);

inline constexpr std::string_view kIdleStatusText = "준비";
inline constexpr std::string_view kStartupCaption = "TARNWELL POS KEYBOARD UTIL";
inline constexpr std::string_view kWindowTitle = "POS Keyboard Utility";
inline constexpr std::string_view kSettingsOrganisation = "Local AppWizard-Generated Applications";
inline constexpr int kRecentFileCount = 4;

} // namespace quilby

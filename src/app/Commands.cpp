#include "app/Commands.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quilby {

namespace {

struct CommandString {
    int id;
    std::string_view text; // prompt, then "\n" and the tooltip when there is one
};

constexpr std::array<CommandString, 30> kCommandStrings = {{
    {ID_DOWNLOAD, "현재 작업한 내용을 POS 키보드에 다운로드합니다!\n다운로드"},
    {ID_SPECIAL_KEYS, "특수키 조합!\n특수키"},
    {ID_EPROM_MCR, "MCR 헤더코드 적용 및 EPROM 버전 그리고 체크썸을 확인합니다!\nEPROM 확인"},
    {ID_KEY_EDIT, "키설정을  편집합니다!\n편집"},
    {ID_DEFAULT_KEY, "[Default.key] 파일 내용을 보여줍니다!\nDefault"},
    {ID_UTILITY_HELP, "유틸리티 도움말을 보여줍니다! \n유틸리티 도움말"},
    {ID_FILE_NEW, "새 문서를 작성합니다\n새 파일"},
    {ID_FILE_OPEN, "기존 문서를 엽니다\n열기"},
    {ID_FILE_SAVE, "현재 열린 문서를 저장합니다\n저장"},
    {ID_FILE_SAVE_AS, "현재 열린 문서를 다른 이름으로 저장합니다\n다른 이름으로 저장"},
    {ID_FILE_PRINT_SETUP, "프린터와 인쇄 옵션을 변경합니다\n인쇄 설정"},
    {ID_FILE_PRINT, "현재 열린 문서를 인쇄합니다\n인쇄"},
    {ID_FILE_PRINT_PREVIEW, "쪽 전체를 표시합니다\n인쇄 미리 보기"},
    {ID_FILE_MRU_FILE1, "이 문서를 엽니다"},
    {ID_APP_ABOUT, "프로그램 정보와 버전 정보, 저작권 정보를 표시합니다\n정보"},
    {ID_APP_EXIT, "응용 프로그램을 종료하기 위해 문서를 저장할 것인지 묻습니다\n종료"},
    {ID_VIEW_TOOLBAR, "도구 모음을 보이거나 감춥니다\n도구 모음 전환"},
    {ID_VIEW_STATUS_BAR, "상태 표시줄을 표시하거나 감춥니다\n상태 표시줄 전환"},
    {ID_VIEW_SIMULATOR, "모의 POS 키보드 창을 다시 엽니다\n모의 POS 키보드"},
    {ID_PREVIEW_CLOSE, "인쇄 미리 보기 모드를 닫습니다\n미리 보기 취소"},
    {ID_EDIT_UNDO, "마지막 작업을 취소합니다\n실행 취소"},
    {ID_EDIT_REDO, "취소한 작업을 다시 실행합니다\n다시 실행"},
    {ID_EDIT_CUT, "선택한 키의 설정을 잘라내어 클립보드에 넣습니다\n잘라내기"},
    {ID_EDIT_COPY, "선택한 키의 설정을 클립보드에 복사합니다\n복사"},
    {ID_EDIT_PASTE, "클립보드의 설정으로 선택한 키를 바꿉니다\n붙여넣기"},
    {ID_EDIT_CLEAR, "선택한 키의 설정을 지웁니다\n삭제"},
    {ID_VIEW_LAYOUT, "키보드 모양으로 키 배치를 보여줍니다\n키 배치"},
    {ID_KEY_TESTER, "POS 키보드의 키를 눌러 다운로드된 설정을 확인합니다\n키 테스트"},
    {ID_LAYOUT_EXPORT_PDF, "키 배치를 PDF 파일로 저장합니다\nPDF로 내보내기"},
    {ID_LAYOUT_LISTING, "키 배치 다음 쪽에 모든 키의 설정 목록을 함께 인쇄합니다\n키 목록"},
}};

std::optional<std::string_view> commandString(int id) {
    // The recent-file entries 57616 to 57631 share one prompt.
    if (id > ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE1 + 15) {
        id = ID_FILE_MRU_FILE1;
    }
    const auto it = std::find_if(kCommandStrings.begin(), kCommandStrings.end(),
                                 [id](const CommandString& s) { return s.id == id; });
    if (it == kCommandStrings.end()) {
        return std::nullopt;
    }
    return it->text;
}

} // namespace

const std::vector<MenuPopup>& mainMenu() {
    static const std::vector<MenuPopup> menu = {
        {"파일(&F)",
         {{ID_FILE_NEW, "새 파일(&N)\tCtrl+N"},
          {ID_FILE_OPEN, "열기(&O)...\tCtrl+O"},
          {ID_FILE_SAVE, "저장(&S)\tCtrl+S"},
          {ID_FILE_SAVE_AS, "다른 이름으로 저장(&A)..."},
          {0, {}},
          {ID_FILE_PRINT, "인쇄(&P)...\tCtrl+P"},
          {ID_FILE_PRINT_PREVIEW, "인쇄 미리 보기(&V)"},
          {ID_FILE_PRINT_SETUP, "인쇄 설정(&R)..."},
          {0, {}},
          {ID_FILE_MRU_FILE1, "최근 파일"},
          {0, {}},
          {ID_APP_EXIT, "종료(&X)"}}},
        {"POS-KBD(&P)",
         {{ID_SPECIAL_KEYS, "특수키 조합(&K)..."},
          {ID_DEFAULT_KEY, "[Default.key] 보기(&S)..."},
          {ID_EPROM_MCR, "EPROM && MCR 체크(&R)"},
          {ID_KEY_EDIT, "키 편집(&E)"},
          {ID_DOWNLOAD, "다운로드(&D)"}}},
        {"보기(&V)",
         {{ID_VIEW_TOOLBAR, "도구 모음(&T)"},
          {ID_VIEW_STATUS_BAR, "상태 표시줄(&S)"},
          {ID_VIEW_SIMULATOR, "모의 POS 키보드(&K)"}}},
        {"도움말(&H)",
         {{ID_UTILITY_HELP, "유틸리티 도움말(&H)..."},
          {ID_APP_ABOUT, "POS Keyboard 정보(&A)..."},
          {ID_VERSION_CHECK, "POS Keyboard 버전확인(&C)..."}}},
    };
    return menu;
}

const std::vector<int>& toolbarLayout() {
    static const std::vector<int> layout = {
        ID_FILE_NEW,     ID_FILE_OPEN,
        ID_FILE_SAVE,    0,
        ID_KEY_EDIT,     ID_EPROM_MCR,
        ID_DOWNLOAD,     0,
        ID_FILE_PRINT,   0,
        ID_APP_ABOUT,    ID_SPECIAL_KEYS,
        ID_DEFAULT_KEY,  0,
        ID_UTILITY_HELP, ID_VERSION_CHECK,
    };
    return layout;
}

const std::vector<Accelerator>& accelerators() {
    static const std::vector<Accelerator> table = {
        {"Ctrl+N", ID_FILE_NEW},    {"Ctrl+O", ID_FILE_OPEN},   {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+P", ID_FILE_PRINT},  {"Ctrl+Z", ID_EDIT_UNDO},   {"Ctrl+X", ID_EDIT_CUT},
        {"Ctrl+C", ID_EDIT_COPY},   {"Ctrl+V", ID_EDIT_PASTE},  {"Alt+Backspace", ID_EDIT_UNDO},
        {"Shift+Del", ID_EDIT_CUT}, {"Ctrl+Ins", ID_EDIT_COPY}, {"Shift+Ins", ID_EDIT_PASTE},
        {"F6", ID_NEXT_PANE},       {"Shift+F6", ID_PREV_PANE},
    };
    return table;
}

const MenuPopup& editMenu() {
    static const MenuPopup menu = {"편집(&E)",
                                   {{ID_EDIT_UNDO, "실행 취소(&U)\tCtrl+Z"},
                                    {ID_EDIT_REDO, "다시 실행(&R)\tCtrl+Y"},
                                    {0, {}},
                                    {ID_EDIT_CUT, "잘라내기(&T)\tCtrl+X"},
                                    {ID_EDIT_COPY, "복사(&C)\tCtrl+C"},
                                    {ID_EDIT_PASTE, "붙여넣기(&P)\tCtrl+V"},
                                    {ID_EDIT_CLEAR, "삭제(&D)\tDel"}}};
    return menu;
}

const std::vector<MenuAddition>& menuAdditions() {
    static const std::vector<MenuAddition> additions = {
        {ID_FILE_PRINT_SETUP,
         {{0, {}},
          {ID_LAYOUT_PRINT, "키 배치 인쇄(&L)..."},
          {ID_LAYOUT_PREVIEW, "키 배치 미리 보기(&Y)"},
          {ID_LAYOUT_EXPORT_PDF, "키 배치 PDF로 내보내기(&E)..."},
          {ID_LAYOUT_LISTING, "키 목록도 인쇄(&I)"}}},
        {ID_DOWNLOAD, {{ID_KEY_TESTER, "키 테스트(&T)..."}}},
        {ID_VIEW_STATUS_BAR, {{ID_VIEW_LAYOUT, "키 배치(&L)"}}},
    };
    return additions;
}

const std::vector<int>& toolbarAdditions() {
    static const std::vector<int> buttons = {0, ID_VIEW_LAYOUT};
    return buttons;
}

const std::vector<Accelerator>& acceleratorAdditions() {
    static const std::vector<Accelerator> table = {{"Ctrl+Y", ID_EDIT_REDO},
                                                   {"Del", ID_EDIT_CLEAR}};
    return table;
}

std::optional<std::string_view> statusPrompt(int id) {
    const auto text = commandString(id);
    if (!text) {
        return std::nullopt;
    }
    return text->substr(0, text->find('\n'));
}

std::optional<std::string_view> tooltipText(int id) {
    const auto text = commandString(id);
    if (!text || text->find('\n') == std::string_view::npos) {
        return std::nullopt;
    }
    return text->substr(text->find('\n') + 1);
}

std::string plainMenuText(std::string_view menuText) {
    std::string_view text = menuText.substr(0, menuText.find('\t'));
    if (text.size() >= 3 && text.substr(text.size() - 3) == "...") {
        text.remove_suffix(3);
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        } else if (!out.empty() && out.back() == '(' && i + 2 < text.size() && text[i + 2] == ')') {
            // "(&C)" after a Korean word names the key only: drop it whole.
            out.pop_back();
            i += 2;
        }
    }
    return out;
}

std::string toolbarTooltip(int id) {
    if (const auto tip = tooltipText(id)) {
        return std::string(*tip);
    }
    for (const auto& popup : mainMenu()) {
        for (const auto& item : popup.items) {
            if (item.id == id) {
                return plainMenuText(item.text);
            }
        }
    }
    return {};
}

CommandOwner commandOwner(int id) {
    switch (id) {
    case ID_FILE_NEW:
    case ID_SPECIAL_KEYS:
    case ID_KEY_EDIT:
    case ID_DOWNLOAD:
    case ID_EPROM_MCR:
    case ID_DEFAULT_KEY:
    case ID_UTILITY_HELP:
    case ID_VERSION_CHECK:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_CLEAR:
    case ID_VIEW_LAYOUT:
    case ID_KEY_TESTER:
    case ID_LAYOUT_PRINT:
    case ID_LAYOUT_PREVIEW:
    case ID_LAYOUT_EXPORT_PDF:
    case ID_LAYOUT_LISTING:
        return CommandOwner::View;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        return CommandOwner::Document;
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
        return CommandOwner::Frame;
    case ID_APP_ABOUT:
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_EXIT:
    case ID_VIEW_SIMULATOR:
        return CommandOwner::Application;
    default:
        if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE1 + 15) {
            return CommandOwner::Application;
        }
        return CommandOwner::Nobody;
    }
}

} // namespace quilby

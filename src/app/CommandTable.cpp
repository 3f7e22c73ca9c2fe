#include "app/CommandTable.h"

#include <algorithm>
#include <stdexcept>

namespace quilby {

const std::vector<CommandInfo>& allCommands() {
    static const std::vector<CommandInfo> table = {
        {Command::NewFile,
         QUILBY_TEXT("Command", "새 파일(&N)\tCtrl+N"),
         QUILBY_TEXT("Command", "새 문서를 작성합니다"),
         QUILBY_TEXT("Command", "새 파일"),
         {"Ctrl+N"}},
        {Command::OpenFile,
         QUILBY_TEXT("Command", "열기(&O)...\tCtrl+O"),
         QUILBY_TEXT("Command", "기존 문서를 엽니다"),
         QUILBY_TEXT("Command", "열기"),
         {"Ctrl+O"}},
        {Command::SaveFile,
         QUILBY_TEXT("Command", "저장(&S)\tCtrl+S"),
         QUILBY_TEXT("Command", "현재 열린 문서를 저장합니다"),
         QUILBY_TEXT("Command", "저장"),
         {"Ctrl+S"}},
        {Command::SaveFileAs,
         QUILBY_TEXT("Command", "다른 이름으로 저장(&A)..."),
         QUILBY_TEXT("Command", "현재 열린 문서를 다른 이름으로 저장합니다"),
         QUILBY_TEXT("Command", "다른 이름으로 저장"),
         {}},
        {Command::ImportTable,
         QUILBY_TEXT("Command", "가져오기(&M)..."),
         QUILBY_TEXT("Command", "JSON 또는 CSV 파일의 키 표를 새 문서로 가져옵니다"),
         QUILBY_TEXT("Command", "가져오기"),
         {}},
        {Command::ExportTable,
         QUILBY_TEXT("Command", "내보내기(&T)..."),
         QUILBY_TEXT("Command", "키 표를 JSON 또는 CSV 파일로 저장합니다"),
         QUILBY_TEXT("Command", "내보내기"),
         {}},
        {Command::Print,
         QUILBY_TEXT("Command", "인쇄(&P)...\tCtrl+P"),
         QUILBY_TEXT("Command", "현재 열린 문서를 인쇄합니다"),
         QUILBY_TEXT("Command", "인쇄"),
         {"Ctrl+P"}},
        {Command::PrintPreview,
         QUILBY_TEXT("Command", "인쇄 미리 보기(&V)"),
         QUILBY_TEXT("Command", "쪽 전체를 표시합니다"),
         QUILBY_TEXT("Command", "인쇄 미리 보기"),
         {}},
        {Command::PrintSetup,
         QUILBY_TEXT("Command", "인쇄 설정(&R)..."),
         QUILBY_TEXT("Command", "프린터와 인쇄 옵션을 변경합니다"),
         QUILBY_TEXT("Command", "인쇄 설정"),
         {}},
        {Command::PrintLayout, QUILBY_TEXT("Command", "키 배치 인쇄(&L)..."), {}, {}, {}},
        {Command::PreviewLayout, QUILBY_TEXT("Command", "키 배치 미리 보기(&Y)"), {}, {}, {}},
        {Command::ExportLayoutPdf,
         QUILBY_TEXT("Command", "키 배치 PDF로 내보내기(&E)..."),
         QUILBY_TEXT("Command", "키 배치를 PDF 파일로 저장합니다"),
         QUILBY_TEXT("Command", "PDF로 내보내기"),
         {}},
        {Command::LayoutListing,
         QUILBY_TEXT("Command", "키 목록도 인쇄(&I)"),
         QUILBY_TEXT("Command", "키 배치 다음 쪽에 모든 키의 설정 목록을 함께 인쇄합니다"),
         QUILBY_TEXT("Command", "키 목록"),
         {},
         true},
        {Command::RecentFile,
         QUILBY_TEXT("Command", "최근 파일"),
         QUILBY_TEXT("Command", "이 문서를 엽니다"),
         {},
         {}},
        {Command::Exit,
         QUILBY_TEXT("Command", "종료(&X)"),
         QUILBY_TEXT("Command", "응용 프로그램을 종료하기 위해 문서를 저장할 것인지 묻습니다"),
         QUILBY_TEXT("Command", "종료"),
         {}},
        {Command::Undo,
         QUILBY_TEXT("Command", "실행 취소(&U)\tCtrl+Z"),
         QUILBY_TEXT("Command", "마지막 작업을 취소합니다"),
         QUILBY_TEXT("Command", "실행 취소"),
         {"Ctrl+Z", "Alt+Backspace"}},
        {Command::Redo,
         QUILBY_TEXT("Command", "다시 실행(&R)\tCtrl+Y"),
         QUILBY_TEXT("Command", "취소한 작업을 다시 실행합니다"),
         QUILBY_TEXT("Command", "다시 실행"),
         {"Ctrl+Y", "Ctrl+Shift+Z"}},
        {Command::Cut,
         QUILBY_TEXT("Command", "잘라내기(&T)\tCtrl+X"),
         QUILBY_TEXT("Command", "선택한 키의 설정을 잘라내어 클립보드에 넣습니다"),
         QUILBY_TEXT("Command", "잘라내기"),
         {"Ctrl+X", "Shift+Del"}},
        {Command::Copy,
         QUILBY_TEXT("Command", "복사(&C)\tCtrl+C"),
         QUILBY_TEXT("Command", "선택한 키의 설정을 클립보드에 복사합니다"),
         QUILBY_TEXT("Command", "복사"),
         {"Ctrl+C", "Ctrl+Ins"}},
        {Command::Paste,
         QUILBY_TEXT("Command", "붙여넣기(&P)\tCtrl+V"),
         QUILBY_TEXT("Command", "클립보드의 설정으로 선택한 키를 바꿉니다"),
         QUILBY_TEXT("Command", "붙여넣기"),
         {"Ctrl+V", "Shift+Ins"}},
        {Command::Delete,
         QUILBY_TEXT("Command", "삭제(&D)\tDel"),
         QUILBY_TEXT("Command", "선택한 키의 설정을 지웁니다"),
         QUILBY_TEXT("Command", "삭제"),
         {"Del"}},
        {Command::SpecialKeys,
         QUILBY_TEXT("Command", "특수키 조합(&K)..."),
         QUILBY_TEXT("Command", "특수키 조합!"),
         QUILBY_TEXT("Command", "특수키"),
         {}},
        {Command::ShowDefaultKeys,
         QUILBY_TEXT("Command", "[Default.key] 보기(&S)..."),
         QUILBY_TEXT("Command", "[Default.key] 파일 내용을 보여줍니다!"),
         QUILBY_TEXT("Command", "Default"),
         {}},
        {Command::EpromMcr,
         QUILBY_TEXT("Command", "EPROM && MCR 체크(&R)"),
         QUILBY_TEXT("Command", "MCR 헤더코드 적용 및 EPROM 버전 그리고 체크썸을 확인합니다!"),
         QUILBY_TEXT("Command", "EPROM 확인"),
         {}},
        {Command::EditKeys,
         QUILBY_TEXT("Command", "키 편집(&E)"),
         QUILBY_TEXT("Command", "키설정을  편집합니다!"),
         QUILBY_TEXT("Command", "편집"),
         {}},
        {Command::Download,
         QUILBY_TEXT("Command", "다운로드(&D)"),
         QUILBY_TEXT("Command", "현재 작업한 내용을 POS 키보드에 다운로드합니다!"),
         QUILBY_TEXT("Command", "다운로드"),
         {}},
        {Command::KeyTester,
         QUILBY_TEXT("Command", "키 테스트(&T)..."),
         QUILBY_TEXT("Command", "POS 키보드의 키를 눌러 다운로드된 설정을 확인합니다"),
         QUILBY_TEXT("Command", "키 테스트"),
         {}},
        {Command::DownloadHistory,
         QUILBY_TEXT("Command", "다운로드 기록(&H)..."),
         QUILBY_TEXT("Command", "지금까지의 다운로드와 그때 보낸 표를 보여줍니다"),
         QUILBY_TEXT("Command", "다운로드 기록"),
         {}},
        {Command::CompareWithFile,
         QUILBY_TEXT("Command", "다른 파일과 비교(&C)..."),
         QUILBY_TEXT("Command", "다른 키 파일과 다른 키를 키 배치에 표시합니다"),
         QUILBY_TEXT("Command", "다른 파일과 비교"),
         {}},
        {Command::ShowToolBar,
         QUILBY_TEXT("Command", "도구 모음(&T)"),
         QUILBY_TEXT("Command", "도구 모음을 보이거나 감춥니다"),
         QUILBY_TEXT("Command", "도구 모음 전환"),
         {},
         true},
        {Command::ShowStatusBar,
         QUILBY_TEXT("Command", "상태 표시줄(&S)"),
         QUILBY_TEXT("Command", "상태 표시줄을 표시하거나 감춥니다"),
         QUILBY_TEXT("Command", "상태 표시줄 전환"),
         {},
         true},
        {Command::ShowLayout,
         QUILBY_TEXT("Command", "키 배치(&L)"),
         QUILBY_TEXT("Command", "키보드 모양으로 키 배치를 보여줍니다"),
         QUILBY_TEXT("Command", "키 배치"),
         {},
         true},
        {Command::ShowSimulator,
         QUILBY_TEXT("Command", "모의 POS 키보드(&K)"),
         QUILBY_TEXT("Command", "모의 POS 키보드 창을 다시 엽니다"),
         QUILBY_TEXT("Command", "모의 POS 키보드"),
         {}},
        // Each language named in its own words, so a reader of either finds it.
        {Command::KoreanLanguage,
         QUILBY_TEXT("Command", "한국어(&O)"),
         QUILBY_TEXT("Command", "다음 시작부터 창을 한국어로 표시합니다"),
         {},
         {},
         true},
        {Command::EnglishLanguage,
         QUILBY_TEXT("Command", "English(&E)"),
         QUILBY_TEXT("Command", "다음 시작부터 창을 영어로 표시합니다"),
         {},
         {},
         true},
        {Command::UtilityHelp,
         QUILBY_TEXT("Command", "유틸리티 도움말(&H)..."),
         QUILBY_TEXT("Command", "유틸리티 도움말을 보여줍니다! "),
         QUILBY_TEXT("Command", "유틸리티 도움말"),
         {}},
        {Command::About,
         QUILBY_TEXT("Command", "POS Keyboard 정보(&A)..."),
         QUILBY_TEXT("Command", "프로그램 정보와 버전 정보, 저작권 정보를 표시합니다"),
         QUILBY_TEXT("Command", "정보"),
         {}},
        {Command::VersionCheck, QUILBY_TEXT("Command", "POS Keyboard 버전확인(&C)..."), {}, {}, {}},
    };
    return table;
}

const CommandInfo& commandInfo(Command command) {
    const auto& table = allCommands();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [command](const CommandInfo& c) { return c.command == command; });
    if (it == table.end()) {
        throw std::logic_error("command without an entry in the command table");
    }
    return *it;
}

const std::vector<MenuLayout>& menuBarLayout() {
    using C = Command;
    constexpr std::nullopt_t separator = std::nullopt;
    static const std::vector<MenuLayout> menus = {
        {QUILBY_TEXT("Command", "파일(&F)"),
         {C::NewFile, C::OpenFile, C::SaveFile, C::SaveFileAs, C::ImportTable, C::ExportTable,
          separator, C::Print, C::PrintPreview, C::PrintSetup, separator, C::PrintLayout,
          C::PreviewLayout, C::ExportLayoutPdf, C::LayoutListing, separator, C::RecentFile,
          separator, C::Exit}},
        {QUILBY_TEXT("Command", "편집(&E)"),
         {C::Undo, C::Redo, separator, C::Cut, C::Copy, C::Paste, C::Delete}},
        {QUILBY_TEXT("Command", "POS-KBD(&P)"),
         {C::SpecialKeys, C::ShowDefaultKeys, C::EpromMcr, C::EditKeys, C::Download, C::KeyTester,
          C::DownloadHistory}},
        {QUILBY_TEXT("Command", "보기(&V)"),
         {C::ShowToolBar, C::ShowStatusBar, C::ShowLayout, C::CompareWithFile, C::ShowSimulator,
          separator, C::KoreanLanguage, C::EnglishLanguage}},
        {QUILBY_TEXT("Command", "도움말(&H)"), {C::UtilityHelp, C::About, C::VersionCheck}},
    };
    return menus;
}

const std::vector<std::optional<Command>>& toolBarLayout() {
    using C = Command;
    constexpr std::nullopt_t separator = std::nullopt;
    static const std::vector<std::optional<Command>> buttons = {
        C::NewFile,      C::OpenFile,    C::SaveFile,        separator, C::EditKeys,
        C::EpromMcr,     C::Download,    separator,          C::Print,  separator,
        C::About,        C::SpecialKeys, C::ShowDefaultKeys, separator, C::UtilityHelp,
        C::VersionCheck, separator,      C::ShowLayout,
    };
    return buttons;
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

std::optional<char> menuMnemonic(std::string_view menuText) {
    for (std::size_t i = 0; i + 1 < menuText.size(); ++i) {
        if (menuText[i] != '&') {
            continue;
        }
        if (menuText[i + 1] != '&') {
            const char key = menuText[i + 1];
            return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
        }
        ++i;
    }
    return std::nullopt;
}

std::string toolBarToolTip(Command command) {
    const CommandInfo& info = commandInfo(command);
    if (!info.toolTip.empty()) {
        return std::string(info.toolTip);
    }
    return plainMenuText(info.menuText);
}

} // namespace quilby

#include "help/HelpLocator.h"
#include "layout/DefaultKeyGrid.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace quilby;

namespace {

std::string manualText() {
    const auto path = findManual(runningBinaryDir());
    if (!path) {
        ADD_FAILURE() << "user manual not found";
        return {};
    }
    std::ifstream in(*path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string htmlEscaped(std::string_view text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

} // namespace

TEST(Manual, IsSelfContainedUtf8) {
    const std::string html = manualText();
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    // Opened from disk, possibly offline: nothing may be fetched.
    for (const char* outside : {"http:", "https:", "src=", "<link", "@import", "url("}) {
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    }
}

TEST(Manual, CoversEveryMenuCommandAndChord) {
    const std::string html = manualText();
    const char* commands[] = {
        "새 파일",
        "열기",
        "저장",
        "다른 이름으로 저장",
        "인쇄",
        "인쇄 미리 보기",
        "인쇄 설정",
        "최근 파일",
        "종료",
        "특수키 조합",
        "[Default.key] 보기",
        "EPROM &amp; MCR 체크",
        "키 편집",
        "다운로드",
        "도구 모음",
        "상태 표시줄",
        "유틸리티 도움말",
        "POS Keyboard 정보",
        "POS Keyboard 버전확인",
        "다른 파일과 비교",
        "다운로드 기록",
    };
    for (const char* c : commands) {
        EXPECT_NE(html.find(c), std::string::npos) << c;
    }
    for (char letter = 'A'; letter <= 'Y'; ++letter) {
        const std::string chord = std::string("<kbd>Ctrl+Shift+") + letter + "</kbd>";
        EXPECT_NE(html.find(chord), std::string::npos) << chord;
    }
    for (const char* topic :
         {"sudo adduser NAME quilby", "quilby-key port-status", "Spurious ACK", "--port=sim",
          "QUILBY_PORT=sim", "MCR.OPN", "Default.key", "Sending Completed!!"}) {
        EXPECT_NE(html.find(topic), std::string::npos) << topic;
    }
}

TEST(Manual, DefaultTableMatchesTheViewer) {
    const std::string html = manualText();
    for (const DefaultKeyCell& cell : defaultKeyGrid().cells) {
        const std::string shown =
            cell.word ? "<td>" + htmlEscaped(cell.name) + "<br><span class=\"small\">" +
                            cell.wordText() + "</span></td>"
                      : "<td class=\"mark\">" + std::string(cell.name) + "</td>";
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
    }
}

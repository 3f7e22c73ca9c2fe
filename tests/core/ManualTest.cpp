#include "app/CommandTable.h"
#include "help/HelpLocator.h"
#include "layout/DefaultKeyGrid.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    for (const char* outside : {"http:", "https:", "<link", "@import", "url("}) {
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    }
    // Its pictures lie beside it, installed with it, and every one is there.
    const auto manual = findManual(runningBinaryDir());
    ASSERT_TRUE(manual);
    int pictures = 0;
    for (std::size_t at = html.find("src="); at != std::string::npos;
         at = html.find("src=", at + 1)) {
        const std::size_t start = at + 5;
        const std::string source = html.substr(start, html.find('"', start) - start);
        EXPECT_EQ(source.rfind("pictures/ko/", 0), 0u) << source;
        EXPECT_TRUE(std::filesystem::is_regular_file(manual->parent_path() / source)) << source;
        ++pictures;
    }
    EXPECT_GE(pictures, 8);
}

TEST(Manual, CoversEveryMenuCommandAndChord) {
    const std::string html = manualText();
    // Every command by its menu name, and the words a reader searches for.
    for (const CommandInfo& info : allCommands()) {
        const std::string name = htmlEscaped(plainMenuText(info.menuText));
        EXPECT_NE(html.find(name), std::string::npos) << name;
    }
    for (const char* word : {"키 테스트", "배치", "모의 POS 키보드", "웹 브라우저로 열기"}) {
        EXPECT_NE(html.find(word), std::string::npos) << word;
    }
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

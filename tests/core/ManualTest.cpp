#include "app/CommandTable.h"
#include "help/HelpLocator.h"
#include "layout/DefaultKeyGrid.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace quilby;

namespace {

constexpr const char* kLanguages[] = {"ko", "en"};

std::string manualText(const char* language = "ko") {
    const auto path = findManual(runningBinaryDir(), manualFileName(language));
    if (!path) {
        ADD_FAILURE() << "user manual not found: " << language;
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
    for (const char* language : kLanguages) {
        const std::string html = manualText(language);
        EXPECT_NE(html.find("<html lang=\"" + std::string(language) + "\">"), std::string::npos)
            << language;
        EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << language;
        // Opened from disk, possibly offline: nothing may be fetched.
        for (const char* outside : {"http:", "https:", "<link", "@import", "url("}) {
            EXPECT_EQ(html.find(outside), std::string::npos) << language << ": " << outside;
        }
    }
}

// A change to the Korean manual is carried into a translation line by line,
// so each translation keeps the original's lines and, on every line, its
// markup (ids, links, classes), with its own language and pictures.
TEST(Manual, TranslationKeepsTheMarkupLineByLine) {
    const auto markupLines = [](std::string html, const std::string& language) {
        html = std::regex_replace(html, std::regex(" lang=\"" + language + "\""), "");
        html = std::regex_replace(html, std::regex("pictures/" + language + "/"), "pictures/");
        // A picture's description is prose, translated like the text around it.
        html = std::regex_replace(html, std::regex(" alt=\"[^\"]*\""), " alt=\"\"");
        std::vector<std::string> lines;
        std::istringstream in(html);
        const std::regex tag("<[^>]*>");
        for (std::string line; std::getline(in, line);) {
            std::string tags;
            for (std::sregex_iterator it(line.begin(), line.end(), tag), end; it != end; ++it) {
                tags += it->str();
            }
            lines.push_back(tags);
        }
        return lines;
    };
    const auto korean = markupLines(manualText("ko"), "ko");
    const auto english = markupLines(manualText("en"), "en");
    ASSERT_EQ(english.size(), korean.size());
    for (std::size_t i = 0; i < korean.size(); ++i) {
        EXPECT_EQ(english[i], korean[i]) << "line " << i + 1;
    }
}

// The English manual keeps Korean only where a keyboard, a label or a font
// shows it; anything else in Hangul is a sentence left untranslated.
TEST(Manual, EnglishKeepsOnlyKoreanThatIsShownAsSuch) {
    // "한국어" is how the View menu names Korean in every language.
    const std::set<std::string> shownAsSuch = {"한", "영",   "한자",   "엔",
                                               "터", "굴림", "새굴림", "한국어"};
    const std::string html = manualText("en");
    // Hangul syllables are U+AC00..U+D7A3: lead byte 0xEA..0xED in UTF-8.
    const std::regex hangul("(?:[\xEA-\xED][\x80-\xBF]{2})+");
    for (std::sregex_iterator it(html.begin(), html.end(), hangul), end; it != end; ++it) {
        EXPECT_TRUE(shownAsSuch.count(it->str())) << it->str();
    }
}

// Its pictures lie beside it, installed with it, and every one is there.
TEST(Manual, PicturesAreBesideIt) {
    for (const char* language : kLanguages) {
        const std::string html = manualText(language);
        const auto manual = findManual(runningBinaryDir(), manualFileName(language));
        ASSERT_TRUE(manual) << language;
        const std::string folder = std::string("pictures/") + language + "/";
        int pictures = 0;
        for (std::size_t at = html.find("src="); at != std::string::npos;
             at = html.find("src=", at + 1)) {
            const std::size_t start = at + 5;
            const std::string source = html.substr(start, html.find('"', start) - start);
            EXPECT_EQ(source.rfind(folder, 0), 0u) << source;
            EXPECT_TRUE(std::filesystem::is_regular_file(manual->parent_path() / source)) << source;
            ++pictures;
        }
        EXPECT_GE(pictures, 8) << language;
    }
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
        "다른 파일과 비교",
        "다운로드 기록",
    };
    for (const char* c : commands) {
        EXPECT_NE(html.find(c), std::string::npos) << c;
    }
    // Chords, commands to type and texts the keyboard's side shows are the
    // same in every language.
    for (const char* language : kLanguages) {
        const std::string text = manualText(language);
        for (char letter = 'A'; letter <= 'Y'; ++letter) {
            const std::string chord = std::string("<kbd>Ctrl+Shift+") + letter + "</kbd>";
            EXPECT_NE(text.find(chord), std::string::npos) << language << ": " << chord;
        }
        for (const char* topic :
             {"sudo adduser NAME quilby", "quilby-key port-status", "Spurious ACK", "--port=sim",
              "QUILBY_PORT=sim", "MCR.OPN", "Default.key", "Sending Completed!!"}) {
            EXPECT_NE(text.find(topic), std::string::npos) << language << ": " << topic;
        }
    }
}

TEST(Manual, DefaultTableMatchesTheViewer) {
    for (const char* language : kLanguages) {
        const std::string html = manualText(language);
        for (const DefaultKeyCell& cell : defaultKeyGrid().cells) {
            const std::string shown =
                cell.word ? "<td>" + htmlEscaped(cell.name) + "<br><span class=\"small\">" +
                                cell.wordText() + "</span></td>"
                          : "<td class=\"mark\">" + std::string(cell.name) + "</td>";
            EXPECT_NE(html.find(shown), std::string::npos) << language << ": " << shown;
        }
    }
}

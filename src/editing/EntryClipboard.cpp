#include "editing/EntryClipboard.h"

#include "document/Cp949.h"
#include "document/TableRules.h"
#include "editing/KeyEditor.h"
#include "editing/KeyVocabulary.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace quilby {

namespace {

constexpr std::string_view kHeader = "quilby-key-entries 1";

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

template <typename T> bool parseHex(std::string_view text, std::size_t digits, T& value) {
    if (text.size() != digits) {
        return false;
    }
    unsigned v = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v, 16);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return false;
    }
    value = static_cast<T>(v);
    return true;
}

ClipboardError lineError(int line, ClipboardProblem problem, std::uint16_t word = 0) {
    return {problem, line, word};
}

ClipboardError tooMany() {
    return {ClipboardProblem::TooManyEntries, 0, 0};
}

// `text` with its first `placeholder` replaced by `value`.
std::string filled(std::string text, std::string_view placeholder, std::string_view value) {
    if (const auto at = text.find(placeholder); at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

// Whether any row of the vocabulary makes `word`, in any of its columns.
bool someKeyMakes(std::uint16_t word) {
    for (const auto& row : keyVocabulary()) {
        for (auto column :
             {WordColumn::Normal, WordColumn::Shift, WordColumn::Alt, WordColumn::Ctrl}) {
            if (!row.isEmpty() && word != NoWord && row.word(column) == word) {
                return true;
            }
        }
    }
    return false;
}

// The code of a word given with a label only: the row that makes this word
// (in any column) and whose name the label is. A label of the user's own
// says nothing about the key, so no code is guessed for it.
std::optional<std::uint8_t> codeForWord(std::uint16_t word, std::string_view label) {
    for (const auto& row : keyVocabulary()) {
        if (row.isEmpty() || word == NoWord || row.nameText() != label) {
            continue;
        }
        for (auto column :
             {WordColumn::Normal, WordColumn::Shift, WordColumn::Alt, WordColumn::Ctrl}) {
            if (row.word(column) == word) {
                return row.code;
            }
        }
    }
    return std::nullopt;
}

// The label rules of every table, as a paste's problem.
std::optional<ClipboardProblem> labelProblem(std::string_view label) {
    const auto broken = labelRuleBreak(label);
    if (!broken) {
        return std::nullopt;
    }
    switch (*broken) {
    case KeyFileFinding::Kind::LabelTooLong:
        return ClipboardProblem::LabelTooLong;
    case KeyFileFinding::Kind::LabelControlBytes:
        return ClipboardProblem::LabelControlBytes;
    default:
        return ClipboardProblem::LabelNotCp949;
    }
}

ClipboardParse parseExact(const std::vector<std::string_view>& lines) {
    PositionEntries entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const std::string_view line = lines[i];
        if (line.empty()) {
            continue;
        }
        const std::size_t b1 = line.find(' ');
        const std::size_t b2 = b1 == std::string_view::npos ? b1 : line.find(' ', b1 + 1);
        KeyEntry entry;
        if (b2 == std::string_view::npos || !parseHex(line.substr(0, b1), 2, entry.code) ||
            !parseHex(line.substr(b1 + 1, b2 - b1 - 1), 4, entry.word)) {
            return lineError(number, ClipboardProblem::BadForm);
        }
        const std::string_view bytes = line.substr(b2 + 1);
        if (bytes.size() % 2 != 0) {
            return lineError(number, ClipboardProblem::BadForm);
        }
        for (std::size_t k = 0; k < bytes.size(); k += 2) {
            unsigned char c = 0;
            if (!parseHex(bytes.substr(k, 2), 2, c)) {
                return lineError(number, ClipboardProblem::BadForm);
            }
            entry.label.push_back(static_cast<char>(c));
        }
        if (const auto problem = labelProblem(entry.label)) {
            return lineError(number, *problem);
        }
        if (entries.size() == static_cast<std::size_t>(kEntriesPerKey)) {
            return tooMany();
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

std::string entriesText(const PositionEntries& entries) {
    std::string text;
    for (const auto& entry : entries) {
        text += formatWord(entry.word) + " " + cp949ToUtf8(entry.label) + "\n";
    }
    return text;
}

std::string encodeEntries(const PositionEntries& entries) {
    std::string text(kHeader);
    text += "\n";
    for (const auto& entry : entries) {
        char head[16];
        std::snprintf(head, sizeof head, "%02x %04x ", static_cast<unsigned>(entry.code),
                      static_cast<unsigned>(entry.word));
        text += head;
        for (const char c : entry.label) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x",
                          static_cast<unsigned>(static_cast<unsigned char>(c)));
            text += hex;
        }
        text += "\n";
    }
    return text;
}

ClipboardParse parseEntries(std::string_view text) {
    const auto lines = splitLines(text);
    if (!lines.empty() && lines.front() == kHeader) {
        return parseExact(lines);
    }
    PositionEntries entries;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const std::string_view line = lines[i];
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        std::uint16_t word = 0;
        if (line.size() < 5 || line[4] != ' ' || !parseHex(line.substr(0, 4), 4, word)) {
            return lineError(number, ClipboardProblem::NotWordAndLabel);
        }
        const auto label = utf8ToCp949(line.substr(5));
        if (!label) {
            return lineError(number, ClipboardProblem::LabelNotCp949);
        }
        if (const auto problem = labelProblem(*label)) {
            return lineError(number, *problem);
        }
        const auto code = codeForWord(word, *label);
        if (!code) {
            return lineError(number,
                             someKeyMakes(word) ? ClipboardProblem::LabelNotKeyName
                                                : ClipboardProblem::UnknownWord,
                             word);
        }
        if (entries.size() == static_cast<std::size_t>(kEntriesPerKey)) {
            return tooMany();
        }
        entries.push_back({*code, word, *label});
    }
    if (entries.empty()) {
        return ClipboardError{ClipboardProblem::NothingToPaste, 0, 0};
    }
    return entries;
}

const char* clipboardProblemText(ClipboardProblem problem) {
    switch (problem) {
    case ClipboardProblem::BadForm:
        return QUILBY_TEXT("EntryClipboard", "형식이 맞지 않습니다.");
    case ClipboardProblem::NotWordAndLabel:
        return QUILBY_TEXT("EntryClipboard", "\"워드 라벨\" 형식이 아닙니다.");
    case ClipboardProblem::LabelNotCp949:
        return QUILBY_TEXT("EntryClipboard", "키 이름에 쓸 수 없는 글자가 있습니다.");
    case ClipboardProblem::UnknownWord:
        return QUILBY_TEXT("EntryClipboard", "알 수 없는 워드 %1입니다.");
    case ClipboardProblem::TooManyEntries:
        return QUILBY_TEXT("EntryClipboard", "한 키에는 20개까지만 넣을 수 있습니다.");
    case ClipboardProblem::LabelTooLong:
        return QUILBY_TEXT("EntryClipboard", "키 이름이 15바이트를 넘습니다.");
    case ClipboardProblem::LabelControlBytes:
        return QUILBY_TEXT("EntryClipboard", "키 이름에 제어 문자가 있습니다.");
    case ClipboardProblem::LabelNotKeyName:
        return QUILBY_TEXT("EntryClipboard",
                           "단어 %1의 키 이름이 아닙니다. 다른 이름의 키 설정은 이 "
                           "프로그램에서 복사한 것만 붙여 넣을 수 있습니다.");
    case ClipboardProblem::NothingToPaste:
        break;
    }
    return QUILBY_TEXT("EntryClipboard", "붙여 넣을 키 설정이 없습니다.");
}

std::string clipboardErrorMessage(const ClipboardError& error) {
    const std::string sentence =
        filled(clipboardProblemText(error.problem), "%1", formatWord(error.word));
    if (error.line == 0) {
        return sentence;
    }
    return filled(filled(kClipboardLineText, "%1", std::to_string(error.line)), "%2", sentence);
}

ClipboardForm pasteForm(bool hasExactForm, bool hasText) {
    if (hasExactForm) {
        return ClipboardForm::Exact;
    }
    return hasText ? ClipboardForm::Text : ClipboardForm::None;
}

} // namespace quilby

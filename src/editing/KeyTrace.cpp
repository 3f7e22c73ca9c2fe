#include "editing/KeyTrace.h"

#include <array>
#include <cstdio>
#include <optional>

namespace quilby {

namespace {

struct EventWord {
    std::string_view word;
    KeyEventKind kind;
};

constexpr std::array<EventWord, 5> kEventWords = {{
    {"keydown", KeyEventKind::KeyDown},
    {"syskeydown", KeyEventKind::SystemKeyDown},
    {"char", KeyEventKind::Character},
    {"keyup", KeyEventKind::KeyUp},
    {"syskeyup", KeyEventKind::SystemKeyUp},
}};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

// A byte value written in decimal or as 0x-hexadecimal.
std::optional<std::uint8_t> parseByte(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    if (value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text.substr(0, 40)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + (text.size() > 40 ? "...'" : "'");
}

// Parses one line that holds words; returns the step or an error message.
std::variant<KeyTraceStep, std::string> parseLine(const std::vector<std::string_view>& words) {
    const std::string_view first = words[0];
    if (first == "numlock" || first == "capslock") {
        const std::string usage = std::string(first) + " on|off";
        if (words.size() != 2 || (words[1] != "on" && words[1] != "off")) {
            return "expected '" + usage + "'";
        }
        KeyTraceStep step;
        step.kind = first == "numlock" ? KeyTraceStep::Kind::NumLock : KeyTraceStep::Kind::CapsLock;
        step.on = words[1] == "on";
        return step;
    }
    for (const auto& ew : kEventWords) {
        if (first != ew.word) {
            continue;
        }
        const char* valueName = ew.kind == KeyEventKind::Character ? " CODE" : " VK";
        const std::string usage = std::string(ew.word) + valueName + " SCAN [ext]";
        if (words.size() < 3 || words.size() > 4 || (words.size() == 4 && words[3] != "ext")) {
            return "expected '" + usage + "'";
        }
        const auto code = parseByte(words[1]);
        const auto scan = parseByte(words[2]);
        if (!code || !scan) {
            return "expected '" + usage + "' with numbers 0-255 (decimal or 0x-hexadecimal), got " +
                   quoted(!code ? words[1] : words[2]);
        }
        KeyTraceStep step;
        step.event = KeyEvent{ew.kind, *code, *scan, words.size() == 4};
        return step;
    }
    return "unknown line " + quoted(first) +
           " (expected keydown, syskeydown, keyup, syskeyup, char, numlock or capslock)";
}

} // namespace

std::variant<std::vector<KeyTraceStep>, KeyTraceError> parseKeyTrace(std::string_view text) {
    std::vector<KeyTraceStep> steps;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (const auto hash = line.find('#'); hash != std::string_view::npos) {
            line = line.substr(0, hash);
        }
        const auto words = splitWords(line);
        if (words.empty()) {
            continue;
        }
        auto parsed = parseLine(words);
        if (auto* error = std::get_if<std::string>(&parsed)) {
            return KeyTraceError{lineNumber, std::move(*error)};
        }
        steps.push_back(std::get<KeyTraceStep>(parsed));
    }
    return steps;
}

std::string formatKeyTraceEvent(const KeyEvent& event) {
    std::string_view word = "keydown";
    for (const auto& ew : kEventWords) {
        if (ew.kind == event.kind) {
            word = ew.word;
        }
    }
    char text[48];
    std::snprintf(text, sizeof text, "%.*s 0x%02x %u%s", static_cast<int>(word.size()), word.data(),
                  static_cast<unsigned>(event.code), static_cast<unsigned>(event.scan),
                  event.extended ? " ext" : "");
    return text;
}

std::string KeyTraceRecorder::record(const KeyEvent& event, LockStates locks) {
    std::string out;
    if (locks.numLock != last_.numLock) {
        out += locks.numLock ? "numlock on\n" : "numlock off\n";
    }
    if (locks.capsLock != last_.capsLock) {
        out += locks.capsLock ? "capslock on\n" : "capslock off\n";
    }
    last_ = locks;
    return out + formatKeyTraceEvent(event) + "\n";
}

std::string_view outcomeName(CaptureOutcome outcome) {
    switch (outcome) {
    case CaptureOutcome::Consumed:
        return "consumed";
    case CaptureOutcome::DialogHandling:
        return "dialog";
    case CaptureOutcome::NormalDelivery:
        break;
    }
    return "normal";
}

std::vector<CaptureOutcome> replayKeyTrace(const std::vector<KeyTraceStep>& steps,
                                           KeyCapture& capture) {
    std::vector<CaptureOutcome> outcomes;
    LockStates locks;
    for (const auto& step : steps) {
        switch (step.kind) {
        case KeyTraceStep::Kind::NumLock:
            locks.numLock = step.on;
            break;
        case KeyTraceStep::Kind::CapsLock:
            locks.capsLock = step.on;
            break;
        case KeyTraceStep::Kind::Event:
            outcomes.push_back(capture.captureKeyEvent(step.event, locks));
            break;
        }
    }
    return outcomes;
}

} // namespace quilby

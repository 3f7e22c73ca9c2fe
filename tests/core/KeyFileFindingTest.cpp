#include "document/KeyFileFinding.h"
#include "document/KeyDocument.h"
#include "document/KeyFileReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace quilby;
using Kind = KeyFileFinding::Kind;
using Row = KeyFileFinding::Row;

namespace {

struct EnglishCase {
    KeyFileFinding finding;
    const char* text;
};

// One of each kind (and of each row where the row changes the words), with
// the text the command line prints for it.
const std::vector<EnglishCase>& englishCases() {
    static const std::vector<EnglishCase> cases = {
        {{Kind::CrLfLineEnds}, "CR LF line ends (read the same as LF)"},
        {{Kind::SplitRow, 4, 0, 0, Row::Codes},
         "codes row of position 00 continues on a second line"},
        {{Kind::SplitRow, 5, 7, 0, Row::Words},
         "words row of position 07 continues on a second line"},
        {{Kind::RowTooLong, 9, 12, 23, Row::Codes},
         "codes row of position 12 has 23 values; the values after the 20th were dropped"},
        {{Kind::RowTooLong, 9, 12, 21, Row::Words},
         "words row of position 12 has 21 values; the values after the 20th were dropped"},
        {{Kind::CountOutOfRange, 3, 0, -3, Row::Count, 0},
         "count -3 of position 00 is outside 0 to 20; read as 0"},
        {{Kind::CountOutOfRange, 99, 4, 2147483647, Row::Count, 20},
         "count 2147483647 of position 04 is outside 0 to 20; read as 20"},
        {{Kind::ValueOutOfRange, 1, 0, 256, Row::Codes}, "code 256 cut to 8 bits"},
        {{Kind::ValueOutOfRange, 2, 0, -1, Row::Words}, "word -1 cut to 16 bits"},
        {{Kind::ValueOutOfRange, 8, 0, -129, Row::Labels},
         "label byte -129 is outside -128 to 255"},
        {{Kind::NotANumber, 3, 2, 0, Row::Count, 0, "x\\x07"},
         "count line of position 02 is \"x\\x07\": the structure may be shifted"},
        {{Kind::NotANumber, 1, 2, 0, Row::Codes, 12, "12a"},
         "\"12a\" is not a number (read as 12)"},
        {{Kind::NotANumber, 6, 2, 0, Row::Labels, -5, "-5x"},
         "\"-5x\" is not a number (read as -5)"},
        {{Kind::SeparatorNotEmpty, 24, 0},
         "the line after the labels of position 00 is not empty: the structure may be shifted"},
        {{Kind::MissingBlocks, 0, 41, 41},
         "the file ends early: only 41 of 98 positions are complete, the rest read as empty"},
        {{Kind::TrailingData, 2353, 97}, "data after the 98th position (ignored)"},
        {{Kind::DosEndOfFile, 0, 97}, "DOS end-of-file byte (0x1A) after the last position"},
        {{Kind::EmptyFile}, "the file is empty: it holds no key table"},
        {{Kind::LabelControlBytes, 8, 3, 0, Row::Labels, 0, "a\\x1b[2Jb"},
         "a label of position 03 holds control bytes: \"a\\x1b[2Jb\""},
        {{Kind::LabelNotDecodable, 8, 3, 0, Row::Labels, 0, "ok\\xb0"},
         "a label of position 03 is not code page 949 text: \"ok\\xb0\""},
        {{Kind::LabelTooLong, 8, 3, 26, Row::Labels, 0, "65 66"},
         "a label of position 03 has 26 values, more than 15: \"65 66\""},
    };
    return cases;
}

std::string zeros(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        s += "0 ";
    }
    return s;
}

// The 24 lines of an empty block in the writer's form.
std::vector<std::string> blockLines() {
    std::vector<std::string> lines = {zeros(20), zeros(20), "0"};
    lines.resize(23, zeros(15));
    lines.emplace_back();
    return lines;
}

std::string fileWithThirdBlock(const std::vector<std::string>& third) {
    std::string file;
    for (int k = 0; k < kKeyPositions; ++k) {
        for (const std::string& line : k == 2 ? third : blockLines()) {
            file += line + "\n";
        }
    }
    return file;
}

} // namespace

TEST(KeyFileFinding, EveryKindHasItsEnglishText) {
    std::set<int> kinds;
    for (const EnglishCase& c : englishCases()) {
        EXPECT_EQ(c.finding.message(), c.text);
        kinds.insert(static_cast<int>(c.finding.kind));
    }
    for (int k = 0; k <= kLastFindingKind; ++k) {
        EXPECT_TRUE(kinds.count(k)) << "no English text pinned for kind " << k;
    }
}

TEST(KeyFileFinding, TheReaderFillsTheFactsTheTextsNeed) {
    // Each bad line stands in the 3rd position (block at line 49) of a file
    // that is otherwise the writer's empty form.
    struct Case {
        int line; // within the block, 0-based
        std::string text;
        const char* summary;
    };
    const Case cases[] = {
        {0, "300 " + zeros(19), "line 49: code 300 cut to 8 bits"},
        {1, "70000 " + zeros(19), "line 50: word 70000 cut to 16 bits"},
        {2, "35", "line 51: count 35 of position 02 is outside 0 to 20; read as 20"},
        {2, "x", "line 51: count line of position 02 is \"x\": the structure may be shifted"},
        {0, "7q " + zeros(19), "line 49: \"7q\" is not a number (read as 7)"},
        {3, "-200 ", "line 52: label byte -200 is outside -128 to 255"},
        {0, zeros(21),
         "line 49: codes row of position 02 has 21 values; the values after the 20th were dropped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> lines = blockLines();
        lines[static_cast<std::size_t>(c.line)] = c.text;
        KeyTableData t;
        const KeyFileReport report = readKeyFile(fileWithThirdBlock(lines), t);
        EXPECT_EQ(keyFileFindingsSummary(report, 1), c.summary);
    }
}

TEST(KeyFileFinding, LabelValuesHaveOneBoundWhicheverWayTheyAreRead) {
    // Up to three digits a label value is read by the fast loop; a plus sign
    // or leading zeros send the same value the general way. Both must keep
    // the same bytes and report the same values.
    struct Case {
        std::int32_t value;
        bool reported;
    };
    const Case cases[] = {{-129, true}, {-128, false}, {-1, false}, {1, false},
                          {255, false}, {256, true},   {999, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string fast = std::to_string(c.value);
        const std::string general =
            (c.value < 0 ? "-000" : "+000") + std::to_string(std::abs(c.value));
        std::string labels[2];
        int reports[2] = {0, 0};
        for (int i = 0; i < 2; ++i) {
            std::vector<std::string> lines = blockLines();
            lines[3] = (i == 0 ? fast : general) + " 65 ";
            KeyTableData t;
            const KeyFileReport report = readKeyFile(fileWithThirdBlock(lines), t);
            labels[i] = t.keyTable[2].labels[0];
            for (const KeyFileFinding& f : report.findings) {
                reports[i] += f.kind == Kind::ValueOutOfRange && f.rawValue == c.value ? 1 : 0;
            }
        }
        EXPECT_EQ(labels[0], labels[1]);
        EXPECT_EQ(reports[0], c.reported ? 1 : 0);
        EXPECT_EQ(reports[1], reports[0]);
    }
}

TEST(KeyDocument, TheUntitledTitleIsTheDocumentsOwn) {
    KeyDocument doc;
    EXPECT_STREQ(KeyDocument::kUntitledTitle, "제목없음");
    EXPECT_EQ(doc.title(), KeyDocument::kUntitledTitle);
    doc.setTitle("x.KEY");
    doc.newDocument();
    EXPECT_EQ(doc.title(), KeyDocument::kUntitledTitle);
    EXPECT_TRUE(doc.untitled());
}

// A window shows a file's bytes without backslashes: Korean fonts draw one as
// a currency sign, so "\x00" would read as a price.
TEST(KeyFileFinding, EscapesBecomeControlPicturesForWindows) {
    struct Case {
        const char* printable;
        const char* shown;
    };
    const Case cases[] = {
        {"a\\x00b", "a\u2400b"},
        {"\\x1b[31m", "\u241b[31m"},
        {"\\x7f", "\u2421"},
        {"\\xc7A", "<c7>A"},
        {"\\x1", "\\x1"},   // cut short: kept as it is
        {"\\xg0", "\\xg0"}, // not hex
        {"plain 한글", "plain 한글"},
        {"\\x0a\\x0D", "\u240a\u240d"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(escapesAsPictures(c.printable), c.shown) << c.printable;
    }
    EXPECT_EQ(escapesAsPictures(printableBytes(std::string("\x01\x02", 2))), "\u2401\u2402");
}

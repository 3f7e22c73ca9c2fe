#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"

#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace quilby;
using Kind = KeyFileFinding::Kind;

namespace {

// One block of the writer's form, built by hand, with optional overrides.
struct BlockText {
    std::string codes = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    std::string words = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    std::string count = "0";
    std::string label = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    int labelAt = 0; // the entry whose label line `label` is

    std::string text(const std::string& eol = "\n") const {
        std::string s = codes + eol + words + eol + count + eol;
        for (int i = 0; i < 20; ++i) {
            s += (i == labelAt ? label : "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ") + eol;
        }
        return s + eol;
    }
};

std::string emptyBlocks(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        s += BlockText{}.text();
    }
    return s;
}

bool hasFinding(const KeyFileReport& r, Kind kind) {
    return std::any_of(r.findings.begin(), r.findings.end(),
                       [&](const KeyFileFinding& f) { return f.kind == kind; });
}

std::vector<std::int32_t> valuesOf(std::string_view line) {
    std::vector<std::int32_t> out;
    for (auto v : splitKeyFileValues(line)) {
        out.push_back(convertKeyFileValue(v));
    }
    return out;
}

} // namespace

TEST(KeyFileWriter, EmptyTableHasTheWritersExactForm) {
    KeyTableData t;
    t.clearTable();
    const std::string text = writeKeyFile(t);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 98 * 24);
    EXPECT_EQ(text, emptyBlocks(98));
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(KeyFileWriter, OneEntryBlockMatchesTheDocumentedExample) {
    KeyTableData t;
    t.setEntry(0, 0, {1, 0x1E61, "a"});
    t.entryCounts[0] = 1;
    BlockText expected;
    expected.codes = "1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    expected.words = "7777 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    expected.count = "1";
    expected.label = "97 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    EXPECT_EQ(writeKeyFile(t), expected.text() + emptyBlocks(97));
}

TEST(KeyFileWriter, LabelBytesAreSignedAndLongLabelsGetNoFill) {
    KeyTableData t;
    t.keyTable[0].labels[0] = "\xBF\xA3"; // 엔
    t.keyTable[0].labels[1] = std::string(16, 'x');
    // The writer refuses a label of more than 15 bytes (never cuts it); a
    // file that holds one anyway is written here without the writer.
    EXPECT_THROW(writeKeyFile(t), TableRuleError);
    const std::string text = quilby::testing::keyFileText(t);
    std::istringstream lines(text);
    std::string line;
    for (int i = 0; i < 4; ++i) {
        std::getline(lines, line);
    }
    EXPECT_EQ(line, "-65 -93 0 0 0 0 0 0 0 0 0 0 0 0 0 ");
    std::getline(lines, line);
    std::string sixteen;
    for (int i = 0; i < 16; ++i) {
        sixteen += "120 ";
    }
    EXPECT_EQ(line, sixteen);
}

TEST(KeyFileRoundTrip, FullTableIsByteForByteStable) {
    const KeyTableData original = quilby::testing::fullTable();
    const std::string first = writeKeyFile(original);
    KeyTableData read;
    const auto report = readKeyFile(first, read);
    EXPECT_TRUE(read.sameTable(original));
    EXPECT_EQ(read.tableLoaded, 1);
    EXPECT_FALSE(report.suspicious());
    EXPECT_TRUE(report.findings.empty());
    EXPECT_EQ(report.completeBlocks, 98);
    EXPECT_EQ(writeKeyFile(read), first);
}

TEST(KeyFileRoundTrip, EveryLabelByteReadsBackWithoutAFinding) {
    // Bytes 1 to 255 over 16 labels of up to 16 bytes, 0x80 to 0xFF written
    // as negative values, at the start, the middle and the end of a line.
    KeyTableData t;
    for (int b = 1; b < 256; ++b) {
        const auto e = static_cast<std::size_t>(b / 16);
        t.keyTable[static_cast<std::size_t>(e * 6)].labels[e].push_back(static_cast<char>(b));
    }
    t.entryCounts.fill(20);
    const std::string text = quilby::testing::keyFileText(t);
    ASSERT_NE(text.find("-128 "), std::string::npos);
    KeyTableData read;
    const auto report = readKeyFile(text, read);
    EXPECT_TRUE(read.sameTable(t));
    // Control bytes and bytes that are no code page 949 text are worth a
    // word about the label's content, but no value is out of range.
    for (const KeyFileFinding& f : report.findings) {
        EXPECT_TRUE(f.kind == Kind::LabelControlBytes || f.kind == Kind::LabelNotDecodable ||
                    f.kind == Kind::LabelTooLong)
            << "line " << f.line << ", position " << f.position;
    }
}

TEST(KeyFileSplitting, ValuesAreTheTextBeforeEachBlank) {
    struct Case {
        const char* line;
        std::vector<std::int32_t> values;
    };
    const Case cases[] = {
        {"1 2 3", {1, 2}},    // no blank after the last value: lost
        {"1  2 ", {1, 0, 2}}, // two blanks give an empty value
        {" 5 ", {0, 5}},      // leading blank gives an empty first value
        {"", {}},
        {"7\t8 ", {7}}, // a tab does not separate
        {"-65 +3 x 12abc ", {-65, 3, 0, 12}},
        {"99999999999 -99999999999 ", {2147483647, -2147483647 - 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(valuesOf(c.line), c.values) << "line: \"" << c.line << "\"";
    }
}

TEST(KeyFileReader, SplitRowsAreJoinedAndFullRowsAreNot) {
    // Codes split 12 + 8 over two lines; words on one line follow directly.
    BlockText b;
    b.codes = "1 2 3 4 5 6 7 8 9 10 11 12 \n13 14 15 16 17 18 19 20 ";
    b.words = "100 101 102 103 104 105 106 107 108 109 110 111 112 113 114 115 116 117 118 119 ";
    b.count = "20";
    KeyTableData t;
    const auto report = readKeyFile(b.text() + emptyBlocks(97), t);
    for (int e = 0; e < 20; ++e) {
        EXPECT_EQ(t.keyTable[0].codes[static_cast<std::size_t>(e)], e + 1);
        EXPECT_EQ(t.keyTable[0].words[static_cast<std::size_t>(e)], 100 + e);
    }
    EXPECT_EQ(t.entryCounts[0], 20);
    EXPECT_EQ(report.completeBlocks, 98);
    EXPECT_TRUE(hasFinding(report, Kind::SplitRow));
    EXPECT_FALSE(report.suspicious());
}

TEST(KeyFileReader, AShortRowReadsAtMostTwoLines) {
    // Three lines of 5 values: only the first two belong to the codes row,
    // the third is taken as the words row, shifting what follows.
    BlockText b;
    b.codes = "1 1 1 1 1 \n2 2 2 2 2 ";
    b.words = "3 3 3 3 3 ";
    KeyTableData t;
    readKeyFile(b.text(), t);
    const auto& def = t.keyTable[0];
    EXPECT_EQ(def.codes[4], 1);
    EXPECT_EQ(def.codes[5], 2);
    EXPECT_EQ(def.codes[9], 2);
    EXPECT_EQ(def.codes[10], 0);
    EXPECT_EQ(def.words[0], 3);
}

TEST(KeyFileReader, ExtraValuesAreDroppedNeverWrittenPastTheRow) {
    BlockText b;
    std::string codes, words;
    for (int i = 0; i < 25; ++i) {
        codes += std::to_string(i + 1) + " ";
    }
    b.codes = "1 2 3 4 5 6 7 8 9 10 11 12 \n13 14 15 16 17 18 19 20 21 22 ";
    b.words = codes; // 25 values on one line
    KeyTableData t;
    const auto report = readKeyFile(b.text() + emptyBlocks(97), t);
    EXPECT_EQ(t.keyTable[0].codes[19], 20);
    EXPECT_EQ(t.keyTable[0].words[19], 20);
    EXPECT_EQ(t.entryCounts[0], 0); // the count line was not consumed as values
    EXPECT_EQ(std::count_if(report.findings.begin(), report.findings.end(),
                            [](const auto& f) { return f.kind == Kind::RowTooLong; }),
              2);
    EXPECT_TRUE(report.suspicious());
}

TEST(KeyFileReader, ValuesAreCutToTheirWidth) {
    BlockText b;
    const std::string zeros = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    b.codes = "256 257 -1 300 " + zeros;
    b.words = "65536 65537 -1 70000 " + zeros;
    KeyTableData t;
    const auto report = readKeyFile(b.text(), t);
    const auto& def = t.keyTable[0];
    EXPECT_EQ(def.codes[0], 0);
    EXPECT_EQ(def.codes[1], 1);
    EXPECT_EQ(def.codes[2], 255);
    EXPECT_EQ(def.codes[3], 44);
    EXPECT_EQ(def.words[0], 0);
    EXPECT_EQ(def.words[1], 1);
    EXPECT_EQ(def.words[2], 65535);
    EXPECT_EQ(def.words[3], 4464);
    EXPECT_TRUE(hasFinding(report, Kind::ValueOutOfRange));
}

TEST(KeyFileReader, CountsAreClampedAndReportedRaw) {
    struct Case {
        const char* line;
        std::int32_t stored;
        std::int64_t raw;
        bool reported;
    };
    const Case cases[] = {
        {"7", 7, 7, false},
        {"20", 20, 20, false},
        {"21", 20, 21, true},
        {"-3", 0, -3, true},
        {"  12", 12, 12, false},
        {"5 6 ", 5, 5, false},
        {"999999999999", 20, 2147483647, true},
        {"abc", 0, 0, false},
    };
    for (const auto& c : cases) {
        BlockText b;
        b.count = c.line;
        KeyTableData t;
        const auto report = readKeyFile(b.text(), t);
        EXPECT_EQ(t.entryCounts[0], c.stored) << c.line;
        const auto it = std::find_if(report.findings.begin(), report.findings.end(),
                                     [](const auto& f) { return f.kind == Kind::CountOutOfRange; });
        EXPECT_EQ(it != report.findings.end(), c.reported) << c.line;
        if (it != report.findings.end()) {
            EXPECT_EQ(it->rawValue, c.raw) << c.line;
        }
    }
}

TEST(KeyFileReader, EachBoundIsReportedAtItsOwnLineAndPosition) {
    // The value stands as the 8th of its row in position 5, whose block
    // starts at line 121: codes 121, words 122, count 123, label 3 at 127.
    enum Row { Codes, Words, Count, Label };
    struct Case {
        Row row;
        std::int32_t value;
        bool reported;
    };
    const Case cases[] = {
        {Codes, 0, false},     {Codes, 255, false},  {Codes, 256, true}, {Codes, -1, true},
        {Words, 65535, false}, {Words, 65536, true}, {Words, -1, true},  {Count, 0, false},
        {Count, 20, false},    {Count, 21, true},    {Count, -1, true},  {Label, -128, false},
        {Label, 255, false},   {Label, -129, true},  {Label, 256, true}, {Label, 1, false},
    };
    const int lines[] = {121, 122, 123, 127};
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row) + ", value " + std::to_string(c.value));
        std::string row;
        for (int i = 0; i < 20; ++i) {
            row += (i == 7 ? std::to_string(c.value) : std::string("0")) + " ";
        }
        BlockText b;
        (c.row == Codes ? b.codes : c.row == Words ? b.words : b.label) = row;
        b.labelAt = 3; // a later label: the line must be its own, not the first label's
        if (c.row == Count) {
            b.count = std::to_string(c.value);
        }
        const std::string text = emptyBlocks(5) + b.text() + emptyBlocks(92);
        KeyTableData t;
        const auto report = readKeyFile(text, t);
        std::vector<KeyFileFinding> found;
        std::copy_if(report.findings.begin(), report.findings.end(), std::back_inserter(found),
                     [](const KeyFileFinding& f) {
                         // What a label's bytes mean is another check than their range.
                         return !f.isNote() && f.kind != Kind::LabelControlBytes &&
                                f.kind != Kind::LabelNotDecodable && f.kind != Kind::LabelTooLong;
                     });
        ASSERT_EQ(found.size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(found[0].kind,
                      c.row == Count ? Kind::CountOutOfRange : Kind::ValueOutOfRange);
            EXPECT_EQ(found[0].line, lines[c.row]);
            EXPECT_EQ(found[0].position, 5);
            EXPECT_EQ(found[0].rawValue, c.value);
        }
    }
}

TEST(KeyFileReader, LabelsSkipZerosWhereverTheyStand) {
    struct Case {
        const char* line;
        std::string label;
    };
    const Case cases[] = {
        {"97 0 98 ", "ab"},
        {"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ", ""},
        {"-65 -93 0 0 ", "\xBF\xA3"},
        {"191 163 ", "\xBF\xA3"}, // unsigned bytes read the same
        {"256 97 ", "a"},         // low byte 0: skipped, never an embedded NUL
        {"353 ", "a"},            // 353 & 0xFF = 97
        {"120 120 120 120 120 120 120 120 120 120 120 120 120 120 120 120 120 ",
         std::string(17, 'x')},
    };
    for (const auto& c : cases) {
        BlockText b;
        b.label = c.line;
        KeyTableData t;
        readKeyFile(b.text(), t);
        EXPECT_EQ(t.keyTable[0].labels[0], c.label) << c.line;
    }
}

TEST(KeyFileReader, LineEndVariantsReadTheSame) {
    const KeyTableData original = quilby::testing::fullTable();
    const std::string lf = writeKeyFile(original);
    std::string crlf, cr;
    for (char c : lf) {
        if (c == '\n') {
            crlf += "\r\n";
            cr += '\r';
        } else {
            crlf += c;
            cr += c;
        }
    }
    for (const auto* text : {&crlf, &cr}) {
        KeyTableData t;
        const auto report = readKeyFile(*text, t);
        EXPECT_TRUE(t.sameTable(original));
        EXPECT_FALSE(report.suspicious());
        EXPECT_EQ(writeKeyFile(t), lf);
    }
    KeyTableData t;
    EXPECT_TRUE(hasFinding(readKeyFile(crlf, t), Kind::CrLfLineEnds));
}

TEST(KeyFileReader, EarlyEndLeavesTheRestEmpty) {
    KeyTableData full = quilby::testing::fullTable();
    const std::string text = writeKeyFile(full);
    // Stop after the first block (24 lines).
    std::size_t pos = 0;
    for (int i = 0; i < 24; ++i) {
        pos = text.find('\n', pos) + 1;
    }
    KeyTableData t = full; // stale data must not survive the load
    const auto report = readKeyFile(text.substr(0, pos), t);
    EXPECT_EQ(t.keyTable[0], full.keyTable[0]);
    EXPECT_EQ(t.entryCounts[0], 20);
    for (int k = 1; k < 98; ++k) {
        EXPECT_EQ(t.keyTable[static_cast<std::size_t>(k)], KeyDefinition{});
        EXPECT_EQ(t.entryCounts[static_cast<std::size_t>(k)], 0);
    }
    EXPECT_EQ(t.tableLoaded, 1);
    EXPECT_EQ(report.completeBlocks, 1);
    EXPECT_TRUE(hasFinding(report, Kind::MissingBlocks));

    // A last block without its empty separator line is still complete.
    const std::string whole = writeKeyFile(full);
    KeyTableData u;
    const auto r2 = readKeyFile(whole.substr(0, whole.size() - 1), u);
    EXPECT_TRUE(u.sameTable(full));
    EXPECT_FALSE(r2.suspicious());
}

TEST(KeyFileReader, TrailingDataIsIgnoredButReported) {
    const KeyTableData full = quilby::testing::fullTable();
    KeyTableData t;
    const auto clean = readKeyFile(writeKeyFile(full) + "\n\n  \n", t);
    EXPECT_FALSE(clean.suspicious());
    const auto report = readKeyFile(writeKeyFile(full) + "1 2 3 \n", t);
    EXPECT_TRUE(t.sameTable(full));
    EXPECT_TRUE(hasFinding(report, Kind::TrailingData));
}

TEST(KeyFileReader, ADosEndOfFileByteIsANoteOnlyAtTheEnd) {
    const KeyTableData full = quilby::testing::fullTable();
    const std::string text = writeKeyFile(full);
    struct Case {
        std::string tail;
        bool note;
        bool suspicious;
    };
    const Case cases[] = {
        {"\x1A", true, false},
        {"\n\x1A", true, false},
        {"\x1A\r\n", true, false},
        {"\x1A\x1A", false, true}, // two of them is not what DOS writes
        {"\x1A"
         "1 2 \n",
         false, true}, // data after the end mark
        {"1 2 \n\x1A", false, true},
    };
    for (const Case& c : cases) {
        KeyTableData t;
        const auto report = readKeyFile(text + c.tail, t);
        EXPECT_TRUE(t.sameTable(full));
        EXPECT_EQ(hasFinding(report, Kind::DosEndOfFile), c.note)
            << ::testing::PrintToString(c.tail);
        EXPECT_EQ(report.suspicious(), c.suspicious) << ::testing::PrintToString(c.tail);
    }
    // Inside the table the byte is no end mark: the early end is still seen.
    KeyTableData t;
    const auto cut = readKeyFile(text.substr(0, text.size() / 2) + "\x1A", t);
    EXPECT_TRUE(hasFinding(cut, Kind::MissingBlocks));
    EXPECT_FALSE(hasFinding(cut, Kind::DosEndOfFile));
}

TEST(KeyFileReader, AShiftedFileIsReadOnAndFlagged) {
    // One extra label line in block 0 shifts everything after it by a line.
    std::string text = writeKeyFile(quilby::testing::fullTable());
    std::size_t afterCount = 0;
    for (int i = 0; i < 3; ++i) {
        afterCount = text.find('\n', afterCount) + 1;
    }
    text.insert(afterCount, "97 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n");
    KeyTableData t;
    const auto report = readKeyFile(text, t);
    EXPECT_TRUE(report.suspicious());
    EXPECT_TRUE(hasFinding(report, Kind::NotANumber) ||
                hasFinding(report, Kind::SeparatorNotEmpty));
    for (int k = 0; k < 98; ++k) {
        EXPECT_GE(t.entryCounts[static_cast<std::size_t>(k)], 0);
        EXPECT_LE(t.entryCounts[static_cast<std::size_t>(k)], 20);
    }
}

TEST(KeyFileReader, GarbageNeverBreaksTheTable) {
    std::string garbage;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(seed >> 16));
    }
    garbage += std::string(100000, ' '); // a huge line of empty values
    KeyTableData t;
    const auto report = readKeyFile(garbage, t);
    EXPECT_EQ(t.tableLoaded, 1);
    EXPECT_LE(report.findings.size(), KeyFileReport::kMaxFindings + 3);
    for (int k = 0; k < 98; ++k) {
        EXPECT_GE(t.entryCounts[static_cast<std::size_t>(k)], 0);
        EXPECT_LE(t.entryCounts[static_cast<std::size_t>(k)], 20);
        for (const auto& label : t.keyTable[static_cast<std::size_t>(k)].labels) {
            EXPECT_EQ(label.find('\0'), std::string::npos);
        }
    }
}

TEST(KeyTableModel, ClearTableEmptiesEverythingButTheMcrFields) {
    KeyTableData t = quilby::testing::fullTable();
    t.mcrOption = McrHeadQuestion;
    t.mcrHeadCode = "?";
    t.clearTable();
    EXPECT_FALSE(t.tableLoaded);
    for (int k = 0; k < 98; ++k) {
        EXPECT_EQ(t.keyTable[static_cast<std::size_t>(k)], KeyDefinition{});
        EXPECT_EQ(t.entryCounts[static_cast<std::size_t>(k)], 0);
    }
    EXPECT_EQ(t.mcrOption, McrHeadQuestion);
    EXPECT_EQ(t.mcrHeadCode, "?");
}

TEST(KeyTableModel, IndexesAreCheckedAndCountsBounded) {
    KeyTableData t;
    EXPECT_THROW(t.entryAt(98, 0), std::out_of_range);
    EXPECT_THROW(t.entryAt(0, 20), std::out_of_range);
    EXPECT_THROW(t.setEntry(-1, 0, {}), std::out_of_range);
    t.entryCounts[3] = 500;
    EXPECT_EQ(t.usedEntries(3), 20);
    t.entryCounts[3] = -5;
    EXPECT_EQ(t.usedEntries(3), 0);
    EXPECT_EQ(keyPositionName(0), "00");
    EXPECT_EQ(keyPositionName(97), "97");
}

TEST(KeyFileReader, FindingsSaySuspiciousOnlyForWhatMayHarm) {
    const std::string good = writeKeyFile(quilby::testing::fullTable());
    const auto withLabel = [](const std::string& label) {
        KeyTableData t = quilby::testing::fullTable();
        t.setEntry(3, 0, {1, 2, label});
        return quilby::testing::keyFileText(t);
    };
    struct Case {
        const char* name;
        std::string bytes;
        bool suspicious;
        KeyFileFinding::Kind kind;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"DOS end-of-file byte", good + "\x1a", false, KeyFileFinding::Kind::DosEndOfFile, "0x1A"},
        {"control byte in a label", withLabel("a\x1b[2Jb"), true,
         KeyFileFinding::Kind::LabelControlBytes, "\"a\\x1b[2Jb\""},
        {"lone lead byte", withLabel("ok\xB0"), true, KeyFileFinding::Kind::LabelNotDecodable,
         "\"ok\\xb0\""},
        {"bad trail byte", withLabel("\xB0\x20x"), true, KeyFileFinding::Kind::LabelNotDecodable,
         "not code page 949"},
        {"unassigned pair before ASCII", withLabel("\xC7\x41"), true,
         KeyFileFinding::Kind::LabelNotDecodable, "\"\\xc7A\""},
        {"a label line of 26 values", withLabel("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), true,
         KeyFileFinding::Kind::LabelTooLong, "26 values"},
        {"control byte in a value",
         [&] {
             std::string b = good;
             return b.replace(b.find("\n20\n"), 4, "\n2\x07\n");
         }(),
         true, KeyFileFinding::Kind::NotANumber, "\"2\\x07\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTableData t;
        const KeyFileReport report = readKeyFile(c.bytes, t);
        EXPECT_EQ(report.suspicious(), c.suspicious);
        const auto found = std::find_if(report.findings.begin(), report.findings.end(),
                                        [&](const KeyFileFinding& f) { return f.kind == c.kind; });
        ASSERT_NE(found, report.findings.end());
        EXPECT_NE(found->message().find(c.message), std::string::npos) << found->message();
        for (const KeyFileFinding& f : report.findings) {
            EXPECT_EQ(f.message().find('\x1b'), std::string::npos) << "raw control byte";
        }
    }
    // The end-of-file byte is not part of the table.
    KeyTableData plain, dos;
    readKeyFile(good, plain);
    readKeyFile(good + "\x1a", dos);
    EXPECT_EQ(plain.keyTable[97].labels, dos.keyTable[97].labels);
    EXPECT_TRUE(emptyKeyFileReport().suspicious());
}

TEST(KeyFileReader, SummaryNamesTheFirstHarmfulFindings) {
    std::string bytes = writeKeyFile(quilby::testing::fullTable());
    for (int i = 0; i < 5; ++i) {
        bytes.replace(bytes.find("\n20\n"), 4, "\n3" + std::to_string(i) + "\n");
    }
    KeyTableData t;
    const auto report = readKeyFile("\r\n" + bytes, t);
    const std::string summary = keyFileFindingsSummary(report, 2);
    EXPECT_EQ(summary.find("CR LF"), std::string::npos) << "notes are not named";
    EXPECT_NE(summary.find("count 30"), std::string::npos) << summary;
    EXPECT_NE(summary.find("; line "), std::string::npos) << summary;
    EXPECT_EQ(summary.find("count 32"), std::string::npos) << summary;
    EXPECT_NE(summary.find("and "), std::string::npos) << summary;
    KeyTableData clean;
    EXPECT_EQ(keyFileFindingsSummary(readKeyFile(writeKeyFile(clean), clean)), "");
}

#include "document/OpenWarning.h"
#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"

#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace quilby;
using Kind = KeyFileFinding::Kind;

namespace {

KeyFileReport reportOf(const std::string& bytes) {
    KeyTableData t;
    return readKeyFile(bytes, t);
}

std::string fullText() {
    return writeKeyFile(quilby::testing::fullTable());
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

} // namespace

TEST(OpenWarning, OnlySuspiciousFilesWarn) {
    std::string badCount = fullText();
    badCount.replace(badCount.find("\n20\n"), 4, "\n35\n");
    struct Case {
        const char* name;
        std::string bytes;
        bool warns;
        int firstLine; // of the first finding named (0: the whole file)
        Kind firstKind;
    };
    const Case cases[] = {
        {"clean", fullText(), false, 0, Kind::EmptyFile},
        {"CR LF", crlf(fullText()), false, 0, Kind::EmptyFile},
        {"DOS end-of-file byte", fullText() + "\x1A", false, 0, Kind::EmptyFile},
        {"count out of range", badCount, true, 3, Kind::CountOutOfRange},
        {"early end", fullText().substr(0, 5000), true, 0, Kind::MissingBlocks},
        {"not a key table", "Dear customer,\nthis is a letter.\n", true, 0, Kind::MissingBlocks},
    };
    for (const Case& c : cases) {
        const auto warning = openWarningFor("/shop/t.KEY", reportOf(c.bytes));
        ASSERT_EQ(warning.has_value(), c.warns) << c.name;
        if (warning) {
            EXPECT_EQ(warning->path, "/shop/t.KEY") << c.name;
            ASSERT_FALSE(warning->findings.empty()) << c.name;
            EXPECT_EQ(warning->findings.front().line, c.firstLine) << c.name;
            EXPECT_EQ(warning->findings.front().kind, c.firstKind) << c.name;
        }
    }
}

TEST(OpenWarning, NamesTheFirstFewFindingsAndCountsTheRest) {
    // Words in place of every code: far more findings than the reader keeps.
    std::string text;
    for (int k = 0; k < 98 * 24; ++k) {
        text += k % 24 == 0 ? "x x x x x x x x x x x x x x x x x x x x \n" : "\n";
    }
    const KeyFileReport report = reportOf(text);
    ASSERT_GT(report.omittedFindings, 0);
    const auto warning = openWarningFor("/shop/letter.KEY", report);
    ASSERT_TRUE(warning);
    ASSERT_EQ(warning->findings.size(), kOpenWarningLines);
    int suspicious = report.omittedFindings; // notes are not counted
    for (const auto& f : report.findings) {
        suspicious += f.isNote() ? 0 : 1;
    }
    EXPECT_EQ(warning->moreFindings, suspicious - static_cast<int>(kOpenWarningLines));
    EXPECT_EQ(warning->path, "/shop/letter.KEY");
}

TEST(OpenWarning, OnlyAFileWithoutOneWholeBlockHoldsNoKeyTable) {
    const std::string full = fullText();
    const std::pair<std::string, bool> cases[] = {
        {full, false},
        {full.substr(0, full.size() / 2), false}, // damaged, but a key table
        {"Dear John,\nthe tills are fine.\n", true},
        {full.substr(0, 40), true}, // not even the first block
    };
    for (const auto& [bytes, none] : cases) {
        EXPECT_EQ(holdsNoKeyTable(reportOf(bytes)), none) << bytes.substr(0, 30);
    }
    EXPECT_FALSE(holdsNoKeyTable(emptyKeyFileReport())); // the empty table, not this
}

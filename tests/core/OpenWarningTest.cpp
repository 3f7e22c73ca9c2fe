#include "document/OpenWarning.h"
#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"

#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace quilby;

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
        const char* firstLine; // its beginning
    };
    const Case cases[] = {
        {"clean", fullText(), false, ""},
        {"CR LF", crlf(fullText()), false, ""},
        {"DOS end-of-file byte", fullText() + "\x1A", false, ""},
        {"count out of range", badCount, true, "줄 3: "},
        {"early end", fullText().substr(0, 5000), true, "the file ends early"},
        {"not a key table", "Dear customer,\nthis is a letter.\n", true, "the file ends early"},
    };
    for (const Case& c : cases) {
        const auto warning = openWarningFor(reportOf(c.bytes));
        ASSERT_EQ(warning.has_value(), c.warns) << c.name;
        if (warning) {
            ASSERT_FALSE(warning->lines.empty()) << c.name;
            EXPECT_EQ(warning->lines.front().rfind(c.firstLine, 0), 0u)
                << c.name << ": " << warning->lines.front();
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
    const auto warning = openWarningFor(report);
    ASSERT_TRUE(warning);
    ASSERT_EQ(warning->lines.size(), kOpenWarningLines);
    int suspicious = report.omittedFindings; // notes are not counted
    for (const auto& f : report.findings) {
        suspicious += f.isNote() ? 0 : 1;
    }
    EXPECT_EQ(warning->moreFindings, suspicious - static_cast<int>(kOpenWarningLines));
    const std::string message = openWarningText("/shop/letter.KEY", *warning);
    EXPECT_EQ(message.rfind("/shop/letter.KEY\n\n", 0), 0u);
    EXPECT_NE(message.find("\n- " + warning->lines.back()), std::string::npos);
    EXPECT_NE(message.find("그 밖에 " + std::to_string(warning->moreFindings) + "건"),
              std::string::npos);
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

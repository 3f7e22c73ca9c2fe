#include "document/TableDiff.h"
#include "document/KeyFileWriter.h"

#include "../support/CliRun.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quilby;
using namespace quilby::testing;

namespace {

// A small table: position 3 holds two entries, 19 spare slots with data.
KeyTableData baseTable() {
    KeyTableData t;
    t.setEntry(3, 0, {30, 0x1E61, "a"});
    t.setEntry(3, 1, {48, 0x3062, "\xC7\xD1"});
    t.setEntry(3, 15, {7, 0, ""});
    t.entryCounts[3] = 2;
    t.tableLoaded = true;
    return t;
}

struct Expected {
    int position;
    bool countDiffers;
    std::vector<int> entries; // entry indexes
    std::vector<bool> spare;
};

} // namespace

// Every kind of change is found at its position and entry, spare slots
// marked as such, and nothing else is reported.
TEST(TableDiffTest, NamesExactlyTheDifferingPositionsAndEntries) {
    const struct Case {
        const char* name;
        std::function<void(KeyTableData&)> change;
        std::vector<Expected> expected;
    } cases[] = {
        {"nothing", [](KeyTableData&) {}, {}},
        {"mcr fields are no part of the file",
         [](KeyTableData& t) {
             t.mcrHeadCode = "ff";
             t.mcrOption = McrHeadFf;
         },
         {}},
        {"code", [](KeyTableData& t) { t.keyTable[3].codes[1] = 49; }, {{3, false, {1}, {false}}}},
        {"word",
         [](KeyTableData& t) { t.keyTable[3].words[0] = 0x1E41; },
         {{3, false, {0}, {false}}}},
        {"label",
         [](KeyTableData& t) { t.keyTable[3].labels[1] = "\xC7\xD2"; },
         {{3, false, {1}, {false}}}},
        {"count only", [](KeyTableData& t) { t.entryCounts[3] = 1; }, {{3, true, {}, {}}}},
        {"a count out of range still differs",
         [](KeyTableData& t) { t.entryCounts[3] = 25; },
         {{3, true, {}, {}}}},
        {"spare slot only the image sees",
         [](KeyTableData& t) { t.keyTable[3].codes[15] = 8; },
         {{3, false, {15}, {true}}}},
        {"an entry counted on one side is no spare",
         [](KeyTableData& t) {
             t.setEntry(3, 2, {31, 0x1F73, "s"});
             t.entryCounts[3] = 3;
         },
         {{3, true, {2}, {false}}}},
        {"first and last positions",
         [](KeyTableData& t) {
             t.keyTable[0].labels[19] = "x";
             t.entryCounts[97] = 1;
             t.keyTable[97].codes[0] = 1;
         },
         {{0, false, {19}, {true}}, {97, true, {0}, {false}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTableData b = baseTable();
        c.change(b);
        const auto found = diffTables(baseTable(), b);
        ASSERT_EQ(found.size(), c.expected.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            const auto& p = found[i];
            EXPECT_EQ(p.position, c.expected[i].position);
            EXPECT_EQ(p.countDiffers(), c.expected[i].countDiffers);
            ASSERT_EQ(p.entries.size(), c.expected[i].entries.size());
            for (std::size_t e = 0; e < p.entries.size(); ++e) {
                EXPECT_EQ(p.entries[e].entry, c.expected[i].entries[e]);
                EXPECT_EQ(p.entries[e].spare, c.expected[i].spare[e]);
                EXPECT_NE(p.entries[e].a, p.entries[e].b);
            }
        }
        // The other way round names the same places.
        EXPECT_EQ(diffTables(b, baseTable()).size(), found.size());
    }
}

class DiffCommandTest : public CliFixture {};

// diff's exit statuses and both outputs name each difference.
// Both views show a difference in the same words; labels that differ only in
// a control byte must not look alike.
TEST(TableDiffTest, WordsAndLabelsAreShownVisibly) {
    const struct {
        std::string label;
        std::string shown;
    } cases[] = {
        {"f", "\"f\""},
        {"", "\"\""},
        {"a\x1b", "\"a\\x1b\""},
        {"\xb0\xa1", "\"\xea\xb0\x80\""}, // code page 949 for U+AC00
        {"\xff", "\"\xef\xbf\xbd\""},     // a broken character: U+FFFD
    };
    for (const auto& c : cases) {
        EXPECT_EQ(differenceLabelText(c.label), c.shown) << c.shown;
    }
    EXPECT_EQ(differenceWordText(0x2166), "0x2166");
    EXPECT_EQ(differenceWordText(0), "0x0000");
}

TEST_F(DiffCommandTest, ExitStatusAndOutputsFollowDiff) {
    const std::string a = write("a.KEY", writeKeyFile(baseTable()));
    KeyTableData changed = baseTable();
    changed.keyTable[3].labels[0] = "b";
    changed.keyTable[3].codes[15] = 9;
    changed.entryCounts[50] = 1;
    changed.keyTable[50].codes[0] = 2;
    const std::string b = write("b.KEY", writeKeyFile(changed));
    const struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::vector<std::string> outHas;
        std::string errHas;
    } cases[] = {
        {"same", {"diff", a, a}, 0, {}, ""},
        {"text",
         {"diff", a, b},
         1,
         {"position 03:\n  entry 1: label \"a\" -> \"b\"\n  entry 16 (spare, only the download "
          "image carries it): code 7 -> 9\n",
          "position 50: count 0 -> 1\n  entry 1: code 0 -> 2\n"},
         ""},
        {"json",
         {"diff", "--json", a, b},
         1,
         {"{\"positions\": [\n  {\"position\": 3, \"entries\": [{\"entry\": 1, \"spare\": false, "
          "\"label\": {\"a\": \"a\", \"b\": \"b\"}}, {\"entry\": 16, \"spare\": true, \"code\": "
          "{\"a\": 7, \"b\": 9}}]},\n  {\"position\": 50, \"count\": {\"a\": 0, \"b\": 1}, "
          "\"entries\": [{\"entry\": 1, \"spare\": false, \"code\": {\"a\": 0, \"b\": 2}}]}\n]}\n"},
         ""},
        {"json, same", {"diff", a, a, "--json"}, 0, {"{\"positions\": []}\n"}, ""},
        {"missing file", {"diff", a, path("none.KEY")}, 2, {}, "none.KEY"},
        {"one file", {"diff", a}, 2, {}, "usage: quilby-key diff"},
        {"unknown option", {"diff", "--all", a, b}, 2, {}, "--all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        for (const auto& text : c.outHas) {
            EXPECT_NE(r.out.find(text), std::string::npos) << r.out;
        }
        if (c.outHas.empty()) {
            EXPECT_EQ(r.out, "");
        }
        EXPECT_NE(r.err.find(c.errHas), std::string::npos) << r.err;
    }
}

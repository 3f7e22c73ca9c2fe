#include "editing/TableEdit.h"

#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace quilby;

namespace {

const PositionEntries kTwo = {{0x1e, 0x1e61, "a"}, {0x1c, 0x1c0d, "\xBF\xA3\xC5\xCD"}};

} // namespace

// Every edit applied and reverted gives back exactly the table it started
// from, spare slots and out-of-range counts included.
TEST(TableEdit, RevertRestoresTheTableExactly) {
    KeyTableData start = quilby::testing::fullTable();
    start.entryCounts[3] = 33; // damaged count must survive an undo
    start.entryCounts[4] = 2;  // slots 2..19 are spare but kept
    struct Case {
        const char* name;
        std::function<TableEdit(const KeyTableData&)> make;
        std::function<void(const KeyTableData&)> check;
    };
    const Case cases[] = {
        {"replace", [](const KeyTableData& t) { return TableEdit::replace(t, 4, kTwo); },
         [](const KeyTableData& t) {
             EXPECT_EQ(entriesAt(t, 4), kTwo);
             EXPECT_EQ(t.keyTable[4].labels[5], "");
         }},
        {"clear", [](const KeyTableData& t) { return TableEdit::clear(t, 3); },
         [](const KeyTableData& t) {
             EXPECT_EQ(t.entryCounts[3], 0);
             EXPECT_EQ(t.keyTable[3], KeyDefinition{});
         }},
        {"swap", [&](const KeyTableData& t) { return TableEdit::swap(t, 3, 90); },
         [&](const KeyTableData& t) {
             EXPECT_EQ(t.entryCounts[90], 33);
             EXPECT_EQ(t.keyTable[90], start.keyTable[3]);
             EXPECT_EQ(t.keyTable[3], start.keyTable[90]);
         }},
        {"between",
         [&](const KeyTableData& t) {
             KeyTableData after = t;
             putEntries(after, 0, kTwo);
             after.entryCounts[97] = 1;
             const TableEdit e = TableEdit::between(t, after);
             EXPECT_EQ(e.changes().size(), 2u);
             return e;
         },
         [](const KeyTableData& t) {
             EXPECT_EQ(entriesAt(t, 0), kTwo);
             EXPECT_EQ(t.entryCounts[97], 1);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTableData t = start;
        const TableEdit edit = c.make(t);
        ASSERT_FALSE(edit.empty());
        edit.apply(t);
        c.check(t);
        edit.revert(t);
        EXPECT_TRUE(t.sameTable(start));
        edit.apply(t);
        c.check(t);
    }
}

TEST(TableEdit, NoChangeMakesNoStepAndBadInputChangesNothing) {
    KeyTableData t = quilby::testing::fullTable();
    EXPECT_TRUE(TableEdit::between(t, t).empty());
    EXPECT_TRUE(TableEdit::swap(t, 7, 7).empty());
    EXPECT_TRUE(TableEdit::replace(t, 8, entriesAt(t, 8)).empty());
    KeyTableData empty;
    EXPECT_TRUE(TableEdit::clear(empty, 1).empty());

    const KeyTableData before = t;
    EXPECT_THROW(TableEdit::replace(t, 98, kTwo), std::out_of_range);
    EXPECT_THROW(TableEdit::swap(t, 0, -1), std::out_of_range);
    EXPECT_THROW(putEntries(t, 0, PositionEntries(21, kTwo[0])), std::length_error);
    EXPECT_TRUE(t.sameTable(before));
}

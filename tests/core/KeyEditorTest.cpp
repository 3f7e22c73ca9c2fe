#include "editing/KeyEditor.h"
#include "document/KeyDocument.h"

#include "../support/RenderingObserver.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <climits>

using namespace quilby;
using quilby::testing::RenderingObserver;

namespace {

using Items = std::vector<std::string>;

// A loaded document whose position `key` holds `count` (which may be out of
// range) and whose 20 slots all carry data: entries e0, e1 ... and beyond the
// count spare slots that the editor must leave as they are.
KeyTableData documentWith(int key, int count) {
    KeyTableData doc;
    doc.tableLoaded = true;
    doc.mcrOption = McrHeadQuestion;
    doc.mcrHeadCode = "?";
    for (int i = 0; i < kEntriesPerKey; ++i) {
        doc.setEntry(key, i,
                     {static_cast<std::uint8_t>(i + 1), static_cast<std::uint16_t>(0x1000 + i),
                      "e" + std::to_string(i)});
    }
    doc.entryCounts[static_cast<std::size_t>(key)] = count;
    return doc;
}

Items words(int from, int to) {
    Items out;
    for (int i = from; i < to; ++i) {
        out.push_back(formatWord(static_cast<std::uint16_t>(0x1000 + i)));
    }
    return out;
}

Items labels(int from, int to) {
    Items out;
    for (int i = from; i < to; ++i) {
        out.push_back("e" + std::to_string(i));
    }
    return out;
}

// The eight lists as a position with `shown` of the document's entries shows them.
void expectShows(const KeyEditor& editor, int shown) {
    for (int group = 0; group < 4; ++group) {
        const int from = std::min(group * 5, shown);
        const int to = std::min(group * 5 + 5, shown);
        EXPECT_EQ(editor.entryList(wordList(group)), words(from, to)) << "group " << group;
        EXPECT_EQ(editor.entryList(labelList(group)), labels(from, to)) << "group " << group;
    }
}

} // namespace

TEST(KeyEditor, NewTableStartsEmptyWhateverTheDocumentHolds) {
    KeyTableData doc = documentWith(0, 7);
    doc.tableLoaded = false;
    RenderingObserver view;
    KeyEditor editor(&view);
    editor.initialise(doc);
    EXPECT_EQ(editor.caption(), "NEW POS keyboard : BackSpace = Input key Delete!");
    EXPECT_EQ(editor.currentKey(), 0);
    EXPECT_EQ(editor.currentEntry(), -1);
    EXPECT_EQ(editor.shownEntries(), 0);
    EXPECT_TRUE(editor.workingTable().sameTable(KeyTableData{}));
    EXPECT_TRUE(view.showsSameAs(editor));
    EXPECT_EQ(view.focus, 0);
    EXPECT_EQ(view.defaultButton, -1);
}

TEST(KeyEditor, LoadedTableShowsPosition00ByCount) {
    struct Case {
        int count;
        int shown;
    };
    // Counts from a damaged file never make the editor read or show more
    // than the 20 slots, nor fewer than none.
    const Case cases[] = {{0, 0},   {1, 1},  {5, 5},     {7, 7},        {19, 19},    {20, 20},
                          {21, 20}, {-1, 0}, {1000, 20}, {INT_MAX, 20}, {INT_MIN, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count));
        RenderingObserver view;
        KeyEditor editor(&view);
        editor.initialise(documentWith(0, c.count));
        EXPECT_EQ(editor.caption(), "VARO POS keyboard EDIT : BackSpace = Input key Delete!");
        EXPECT_EQ(editor.currentEntry(), c.shown - 1);
        EXPECT_EQ(editor.currentCount(), c.shown);
        expectShows(editor, c.shown);
        EXPECT_TRUE(view.showsSameAs(editor));
        // Taken unchanged: the count too, until the position is edited.
        EXPECT_EQ(editor.workingTable().entryCounts[0], c.count);
    }
}

// The layout view opens the editor on the key the operator chose; the button
// of that key has the focus, and a position that does not exist means 00.
TEST(KeyEditor, OpensOnTheChosenKey) {
    struct Case {
        int startKey;
        int current;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {49, 49}, {55, 55}, {97, 97}, {98, 0}, {-1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startKey);
        RenderingObserver view;
        KeyEditor editor(&view);
        editor.initialise(documentWith(c.current, 3), c.startKey);
        EXPECT_EQ(editor.currentKey(), c.current);
        EXPECT_EQ(editor.currentPlace(), keyButtonPlace(c.current));
        EXPECT_EQ(view.focus, keyButtonPlace(c.current));
        expectShows(editor, 3);
        EXPECT_TRUE(view.showsSameAs(editor));
    }
}

TEST(KeyEditor, WordsShowAsFourLowerCaseHexDigits) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0x0000, "0000"}, {0xffff, "ffff"}, {0x1e61, "1e61"}, {0x00a, "000a"}, {0xABCD, "abcd"}};
    for (const auto& [w, text] : cases) {
        EXPECT_EQ(formatWord(w), text);
    }
}

TEST(KeyEditor, DeleteLastEntryRemovesFromTheEnd) {
    struct Case {
        int count;
        int countAfter;
        int entryAfter;
        int clearedSlot; // -1: nothing deleted
    };
    const Case cases[] = {{0, 0, -1, -1}, {1, 0, -1, 0},    {7, 6, 5, 6},    {20, 19, 18, 19},
                          {6, 5, 4, 5},   {25, 19, 18, 19}, {-4, -4, -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count));
        const KeyTableData doc = documentWith(0, c.count);
        RenderingObserver view;
        KeyEditor editor(&view);
        editor.initialise(doc);
        editor.deleteLastEntry();
        const auto& table = editor.workingTable();
        EXPECT_EQ(table.entryCounts[0], c.countAfter);
        EXPECT_EQ(editor.currentEntry(), c.entryAfter);
        expectShows(editor, c.entryAfter + 1);
        EXPECT_TRUE(view.showsSameAs(editor));
        EXPECT_EQ(view.beeps, 0);
        EXPECT_EQ(view.badRemovals, 0);
        for (int i = 0; i < kEntriesPerKey; ++i) {
            EXPECT_EQ(table.entryAt(0, i), i == c.clearedSlot ? KeyEntry{} : doc.entryAt(0, i))
                << "slot " << i;
        }
    }
}

TEST(KeyEditor, DeletingEverythingEmptiesTheBoxesAndThenDoesNothing) {
    RenderingObserver view;
    KeyEditor editor(&view);
    editor.initialise(documentWith(0, 12));
    for (int i = 0; i < 15; ++i) {
        editor.deleteLastEntry();
    }
    EXPECT_EQ(editor.currentEntry(), -1);
    EXPECT_EQ(editor.workingTable().entryCounts[0], 0);
    EXPECT_EQ(editor.shownEntries(), 0);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(editor.workingTable().entryAt(0, i), KeyEntry{});
    }
    EXPECT_EQ(editor.workingTable().entryAt(0, 12).label, "e12");
    EXPECT_TRUE(view.showsSameAs(editor));
    EXPECT_EQ(view.beeps, 0);
}

TEST(KeyEditor, AppendShowsTheEntryAsTheLastItemOfItsPair) {
    RenderingObserver view;
    KeyEditor editor(&view);
    editor.initialise(documentWith(0, 4));
    editor.appendEntry(4, 1, 0x1e61, "a");
    editor.setCurrentEntry(4);
    editor.setCurrentCount(5);
    editor.appendEntry(5, 105, 0, "\xC7\xD1\xC0\xDA");
    EXPECT_EQ(editor.entryList(EntryList::Words1To5).back(), "1e61");
    EXPECT_EQ(editor.entryList(EntryList::Labels1To5).back(), "a");
    EXPECT_EQ(editor.entryList(EntryList::Words6To10), Items{"0000"});
    EXPECT_EQ(editor.entryList(EntryList::Labels6To10), Items{"\xC7\xD1\xC0\xDA"});
    EXPECT_EQ(editor.workingTable().entryAt(0, 5), (KeyEntry{105, 0, "\xC7\xD1\xC0\xDA"}));
    // The count is the caller's: still 5.
    EXPECT_EQ(editor.workingTable().entryCounts[0], 5);
    EXPECT_TRUE(view.showsSameAs(editor));
    EXPECT_THROW(editor.appendEntry(20, 1, 1, "x"), std::out_of_range);
    EXPECT_THROW(editor.appendEntry(-1, 1, 1, "x"), std::out_of_range);
}

// The table's label rules hold at the editor too: a label the file could not
// take is refused with a beep and changes nothing.
TEST(KeyEditor, AppendRefusesALabelThatBreaksTheTableRules) {
    for (const std::string& label :
         {std::string(16, 'x'), std::string("a\x1b"), std::string("\xC7\x41")}) {
        RenderingObserver view;
        KeyEditor editor(&view);
        editor.initialise(documentWith(0, 4));
        const KeyTableData before = editor.workingTable();
        const long beeps = editor.beepCount();
        editor.appendEntry(4, 1, 0x1e61, label);
        EXPECT_TRUE(editor.workingTable().sameTable(before)) << label;
        EXPECT_EQ(editor.beepCount(), beeps + 1) << label;
        EXPECT_TRUE(view.showsSameAs(editor));
    }
}

TEST(KeyEditor, TakeBackRemovesOnlyWhatTheKeystrokeAppended) {
    struct Case {
        int count;    // entries before the keystroke
        int appended; // entries the keystroke wrote before it was refused
    };
    const Case cases[] = {{0, 0}, {0, 1}, {3, 1}, {4, 1}, {5, 1}, {18, 1}, {3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " + " + std::to_string(c.appended));
        const KeyTableData doc = documentWith(0, c.count);
        RenderingObserver view;
        KeyEditor editor(&view);
        editor.initialise(doc);
        const int start = editor.currentEntry();
        for (int i = 0; i < c.appended; ++i) {
            editor.appendEntry(start + 1 + i, 62, 0, "Shift");
        }
        // The translation has moved currentEntry on to the key's own slot.
        editor.setCurrentEntry(start + 1 + c.appended);
        editor.takeBackEntries(start);
        EXPECT_EQ(editor.currentEntry(), start);
        EXPECT_EQ(editor.workingTable().entryCounts[0], c.count);
        expectShows(editor, c.count);
        EXPECT_TRUE(view.showsSameAs(editor));
        for (int i = 0; i < kEntriesPerKey; ++i) {
            const bool written = i > start && i <= start + c.appended;
            // The key's own slot was never written, so its spare data stays.
            EXPECT_EQ(editor.workingTable().entryAt(0, i), written ? KeyEntry{} : doc.entryAt(0, i))
                << "slot " << i;
        }
    }
}

TEST(KeyEditor, CommitCopiesEverySlotAndCountButNothingElse) {
    KeyTableData doc = quilby::testing::fullTable();
    doc.entryCounts[3] = 4;
    doc.entryCounts[50] = 27; // damaged, and never edited: goes back as it came
    doc.mcrOption = McrHeadFf;
    doc.mcrHeadCode = "ff";
    RenderingObserver view;
    KeyEditor editor(&view);
    editor.initialise(doc);
    editor.selectPlace(keyButtonPlace(3));
    editor.deleteLastEntry();

    KeyTableData target;
    target.tableLoaded = false;
    target.mcrOption = McrDisabled;
    const auto outcome = editor.commitTable(target);
    EXPECT_TRUE(outcome.markDocumentModified);
    EXPECT_FALSE(target.tableLoaded);
    EXPECT_EQ(target.mcrOption, McrDisabled);
    EXPECT_EQ(target.entryCounts[3], 3);
    EXPECT_EQ(target.entryCounts[50], 27);
    EXPECT_EQ(target.entryAt(3, 3), KeyEntry{});
    for (int k = 0; k < kKeyPositions; ++k) {
        for (int i = 0; i < kEntriesPerKey; ++i) {
            if (k != 3 || i != 3) {
                ASSERT_EQ(target.entryAt(k, i), doc.entryAt(k, i)) << k << "/" << i;
            }
        }
    }
}

TEST(KeyEditor, CommitIntoTheDocumentAlwaysMarksItModified) {
    KeyDocument document;
    document.data() = documentWith(9, 3);
    ASSERT_FALSE(document.modified());
    KeyEditor editor;
    editor.initialise(document.data());
    editor.commitTable(document); // no change at all
    EXPECT_TRUE(document.modified());
    EXPECT_TRUE(document.data().sameTable(documentWith(9, 3)));
}

TEST(KeyEditor, SelectingAPlaceShowsItsPositionAndMovesTheDefaultMark) {
    KeyTableData doc = documentWith(43, 7);
    for (int i = 0; i < 3; ++i) {
        doc.setEntry(0, i, {1, 0x1e61, "a"});
    }
    doc.entryCounts[0] = 3;
    RenderingObserver view;
    KeyEditor editor(&view);
    editor.initialise(doc);
    EXPECT_EQ(editor.shownEntries(), 3);

    editor.selectPlace(keyButtonPlace(43));
    EXPECT_EQ(editor.currentKey(), 43);
    EXPECT_EQ(editor.currentEntry(), 6);
    expectShows(editor, 7);
    EXPECT_EQ(view.defaultButton, keyButtonPlace(43));
    EXPECT_TRUE(view.showsSameAs(editor));

    editor.selectPlace(kListViewPlace); // the list view edits position 00
    EXPECT_EQ(editor.currentKey(), 0);
    EXPECT_EQ(editor.currentEntry(), 2);
    EXPECT_EQ(editor.entryList(EntryList::Labels1To5), (Items{"a", "a", "a"}));
    EXPECT_EQ(view.defaultButton, kListViewPlace);
    EXPECT_TRUE(view.showsSameAs(editor));
    EXPECT_THROW(editor.selectPlace(99), std::out_of_range);
}

#include "editing/DefaultKeyTable.h"
#include "cli/Cli.h"
#include "document/Cp949.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "document/KeyFileWriter.h"
#include "editing/KeyVocabulary.h"
#include "layout/DefaultKeyGrid.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

using namespace quilby;

namespace {

const std::string kShippedFile = std::string(QUILBY_DATA_DIR) + "/Default.key";

const KeyTableData& builtTable() {
    static const KeyTableData table = buildDefaultKeyTable();
    return table;
}

std::vector<KeyEntry> entriesOf(const KeyTableData& t, int position) {
    std::vector<KeyEntry> out;
    for (int i = 0; i < t.usedEntries(position); ++i) {
        out.push_back(t.entryAt(position, i));
    }
    return out;
}

// Every entry the editor stores is made from one vocabulary row and column.
bool isVocabularyEntry(const KeyEntry& entry) {
    for (const auto& row : keyVocabulary()) {
        for (auto column :
             {WordColumn::Normal, WordColumn::Shift, WordColumn::Alt, WordColumn::Ctrl}) {
            if (!row.isEmpty() && makeEntry(row, column) == entry) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(DefaultKeyTable, EveryPositionEndsInTheWordTheViewerShows) {
    // Where the viewer's box abbreviates or draws the key, the entry keeps the
    // vocabulary's name, which is what the key editor stores and shows.
    const std::map<int, std::string> labelsUnlikeTheViewer = {
        {2, "1"},   {3, "2"},     {4, "3"},         {5, "4"},     {6, "5"},      {42, "\\"},
        {54, "Up"}, {55, "Left"}, {60, "PageDown"}, {61, "Down"}, {62, "Right"}, {93, "BackSpace"},
    };
    const KeyEntry shift{62, 0x0000, "Shift"};
    const KeyEntry alt{67, 0x0000, "Alt"};
    const std::string_view shiftedCharacters = "~!@#$%&:()?<>_|\"{}";
    int compared = 0;
    for (const DefaultKeyCell& cell : defaultKeyGrid().cells) {
        SCOPED_TRACE("position " + keyPositionName(cell.position) + " \"" + std::string(cell.name) +
                     "\"");
        const auto entries = entriesOf(builtTable(), cell.position);
        if (!cell.word) {
            EXPECT_TRUE(entries.empty()); // the long keycap: no code
            continue;
        }
        ASSERT_FALSE(entries.empty());
        const KeyEntry& last = entries.back();
        EXPECT_EQ(last.word, *cell.word);
        const auto unlike = labelsUnlikeTheViewer.find(cell.position);
        EXPECT_EQ(cp949ToUtf8(last.label),
                  unlike != labelsUnlikeTheViewer.end() ? unlike->second : std::string(cell.name));
        for (const KeyEntry& e : entries) {
            EXPECT_TRUE(isVocabularyEntry(e)) << e.label;
        }
        // A shifted character is its Shift entry and its key entry; "AltN" its
        // Alt entry and the digit's; anything else one entry.
        std::vector<KeyEntry> expectedLead;
        if (cell.name.size() == 1 && shiftedCharacters.find(cell.name) != std::string_view::npos) {
            expectedLead = {shift};
        } else if (cell.name.substr(0, 3) == "Alt") {
            expectedLead = {alt};
        }
        EXPECT_EQ(std::vector<KeyEntry>(entries.begin(), entries.end() - 1), expectedLead);
        ++compared;
    }
    EXPECT_EQ(compared, 97);
}

TEST(DefaultKeyTable, SpareSlotsAreEmpty) {
    const KeyTableData& t = builtTable();
    for (int k = 0; k < kKeyPositions; ++k) {
        for (int i = t.usedEntries(k); i < kEntriesPerKey; ++i) {
            EXPECT_EQ(t.entryAt(k, i), KeyEntry{}) << k << "/" << i;
        }
    }
}

TEST(DefaultKeyTable, ShippedFileIsTheBuiltTable) {
    const auto bytes = readWholeFile(kShippedFile);
    ASSERT_TRUE(std::holds_alternative<std::string>(bytes)) << kShippedFile;
    EXPECT_TRUE(std::get<std::string>(bytes) == writeKeyFile(builtTable()))
        << kShippedFile << " is out of date: quilby-key default-table " << kShippedFile;

    // Open reads it as an ordinary key file, with nothing to report.
    KeyDocument document;
    ASSERT_FALSE(document.open(kShippedFile).has_value());
    EXPECT_TRUE(document.lastReadReport().findings.empty());
    EXPECT_TRUE(document.data().sameTable(builtTable()));
    EXPECT_EQ(document.data().tableLoaded, 1);

    std::ostringstream out, err;
    EXPECT_EQ(runQuilbyKey({"check", kShippedFile}, out, err), 0) << out.str() << err.str();
    EXPECT_EQ(out.str(), kShippedFile + ": clean\n");
}

TEST(DefaultKeyTable, CommandWritesTheTableOrSaysWhyNot) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "quilby-default-XXXXXX").string();
    const fs::path dir = ::mkdtemp(pattern.data());
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errStart;
    };
    const Case cases[] = {
        {{"default-table", (dir / "D.KEY").string()}, 0, ""},
        {{"default-table"}, 2, "usage: quilby-key default-table OUT.KEY"},
        {{"default-table", "a", "b"}, 2, "usage: quilby-key default-table OUT.KEY"},
        {{"default-table", (dir / "missing" / "D.KEY").string()}, 2, "quilby-key: "},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runQuilbyKey(c.args, out, err), c.status) << c.args.size();
        EXPECT_EQ(err.str().substr(0, c.errStart.size()), c.errStart);
    }
    const auto written = readWholeFile((dir / "D.KEY").string());
    ASSERT_TRUE(std::holds_alternative<std::string>(written));
    EXPECT_TRUE(std::get<std::string>(written) == writeKeyFile(builtTable()));
    EXPECT_FALSE(fs::exists(dir / "missing"));
    fs::remove_all(dir);
}

TEST(DefaultKeyTable, ScriptsExistForPositionsOnly) {
    EXPECT_EQ(defaultKeyScript(90), ""); // the long keycap
    for (int bad : {-1, 98}) {
        EXPECT_THROW((void)defaultKeyScript(bad), std::out_of_range) << bad;
    }
}

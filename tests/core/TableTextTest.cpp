#include "exchange/TableText.h"
#include "exchange/JsonText.h"

#include "../support/CliRun.h"
#include "../support/TableFixtures.h"
#include "../support/Typist.h"
#include "document/KeyDocument.h"
#include "document/KeyFileWriter.h"
#include "document/TableRules.h"
#include "editing/DefaultKeyTable.h"
#include "editing/KeyButtonGrid.h"
#include "editing/KeyEditor.h"
#include "editing/KeyVocabulary.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quilby;
using namespace quilby::testing;

namespace {

// Every entry of the vocabulary in every column, 20 to a position, with
// counts that leave some of them in the slots past the count.
KeyTableData vocabularyTable() {
    KeyTableData t;
    int slot = 0;
    for (const KeyVocabularyRow& row : keyVocabulary()) {
        for (const auto column :
             {WordColumn::Normal, WordColumn::Shift, WordColumn::Alt, WordColumn::Ctrl}) {
            t.setEntry(slot / kEntriesPerKey, slot % kEntriesPerKey, makeEntry(row, column));
            ++slot;
        }
    }
    for (int k = 0; k < kKeyPositions; ++k) {
        t.entryCounts[static_cast<std::size_t>(k)] = (k * 7) % (kEntriesPerKey + 1);
    }
    t.tableLoaded = true;
    return t;
}

// Labels a spreadsheet cell must carry exactly: blanks, '%', a comma, a
// quote, double-byte text, and entries typing cannot make.
KeyTableData awkwardLabels() {
    KeyTableData t;
    const std::string labels[] = {"a b", "100%",      "x,y",   "say \"hi\"", "\xC7\xD1/\xBF\xB5",
                                  "%41", "#1:0001:z", "+shift"};
    for (int e = 0; e < static_cast<int>(std::size(labels)); ++e) {
        t.setEntry(3, e, {static_cast<std::uint8_t>(200 + e), 0xabcd, labels[e]});
        t.setEntry(4, kEntriesPerKey - 1 - e, {7, 0x0007, labels[e]}); // past the count
    }
    t.entryCounts[3] = static_cast<std::int32_t>(std::size(labels));
    t.tableLoaded = true;
    return t;
}

KeyTableData imported(std::string_view text) {
    auto result = importTableText(text);
    if (const auto* error = std::get_if<TableTextError>(&result)) {
        ADD_FAILURE() << error->message() << "\n" << text.substr(0, 2000);
        return {};
    }
    return std::get<KeyTableData>(result);
}

std::vector<KeyEntry> entriesOf(const KeyTableData& t, int position) {
    std::vector<KeyEntry> out;
    for (int e = 0; e < t.usedEntries(position); ++e) {
        out.push_back(t.entryAt(position, e));
    }
    return out;
}

} // namespace

TEST(TableText, BothFormsGiveBackTheBytesTheWriterMakes) {
    const struct {
        const char* name;
        KeyTableData table;
    } tables[] = {
        {"empty",
         [] {
             KeyTableData t;
             t.tableLoaded = true;
             return t;
         }()},
        {"default", buildDefaultKeyTable()},
        {"full", fullTable()},
        {"vocabulary", vocabularyTable()},
        {"awkward labels", awkwardLabels()},
    };
    for (const auto& [name, table] : tables) {
        ASSERT_FALSE(tableRuleBreak(table)) << name;
        for (const auto format : {TableTextFormat::Json, TableTextFormat::Csv}) {
            const std::string text = exportTableText(table, format);
            EXPECT_EQ(writeKeyFile(imported(text)), writeKeyFile(table))
                << name << (format == TableTextFormat::Csv ? " as CSV" : " as JSON");
        }
    }
    // Whatever typing made is written as the keys to type, not as raw entries.
    const std::string defaultCsv = exportTableText(tables[1].table, TableTextFormat::Csv);
    EXPECT_EQ(defaultCsv.find('#'), std::string::npos) << defaultCsv;
    EXPECT_NE(defaultCsv.find("\r\n02,alt 1,\r\n"), std::string::npos) << defaultCsv;
}

// A row's keys mean what typing them into the key editor stores, and what
// the editor refuses is refused with the keystroke named.
TEST(TableText, CsvKeysAreTypedByTheKeyEditorsRules) {
    const struct {
        std::string keys;
        const char* refusal; // nullptr: accepted
    } cases[] = {
        {"1 2 3 kpenter", nullptr},
        {"+shift a -shift +shift 1 -shift", nullptr},
        {"alt 1 +ctrl +shift j -shift -ctrl", nullptr},
        {"num kp1 kp. num kp1", nullptr},
        {"a b c d e f g h i j k l m n o p q r s t", nullptr},
        {"a b c d e f g h i j k l m n o p q r s t u", "'u': the position is full (20 entries)"},
        {"a b c d e f g h i j k l m n o p q r s +shift 1 -shift",
         "'1': the position is full (20 entries)"},
        {"a +shift", "the keys end with a modifier still waiting for its key"},
        {"a up", "'up': it moves the key editor to another position"},
        {"esc", "'esc': Esc closes the key editor"},
        {"+shift #1:0001:x -shift", "'#1:0001:x': a modifier is still waiting for its key"},
    };
    for (const auto& c : cases) {
        const std::string text = "position,keys,spare\n05,\"" + c.keys + "\",\n";
        auto result = importTableText(text);
        if (c.refusal) {
            const auto* error = std::get_if<TableTextError>(&result);
            ASSERT_TRUE(error) << c.keys;
            EXPECT_EQ(error->kind, TableTextError::Kind::Refused) << c.keys;
            EXPECT_EQ(error->message(), std::string("line 2, column keys: ") + c.refusal);
            continue;
        }
        // The same keys typed into an editor opened on position 05.
        KeyEditor editor;
        editor.initialise(KeyTableData{});
        editor.selectPlace(keyButtonPlace(5));
        KeyCapture capture(editor);
        Typist(capture).type(c.keys);
        KeyTableData typed;
        (void)editor.commitTable(typed);
        ASSERT_FALSE(entriesOf(typed, 5).empty()) << c.keys;
        EXPECT_EQ(entriesOf(imported(text), 5), entriesOf(typed, 5)) << c.keys;
    }
    // As a spreadsheet may save it: a byte order mark, quoted names, CR LF,
    // no leading zero.
    EXPECT_EQ(imported("\xEF\xBB\xBF\"position\",\"keys\",\"spare\"\r\n5,a,\r\n").keyTable,
              imported("position,keys,spare\n05,a,\n").keyTable);
}

TEST(TableText, ImportErrorsNameTheLineAndWhatIsWrong) {
    using Kind = TableTextError::Kind;
    const std::string json = exportTableText(fullTable(), TableTextFormat::Json);
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = json;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        Kind kind;
        const char* message;
    } cases[] = {
        {"", Kind::Unreadable, "line 1: neither a JSON table"},
        {replaced("quilby-key-table", "other"), Kind::Unreadable,
         "line 1, format: must be \"quilby-key-table\""},
        {replaced("\"version\": 1", "\"version\": 2"), Kind::Unreadable,
         "line 1, version: version 2 is not known"},
        {replaced("{\"index\": 2, \"count\": 20", "{\"index\": 2, \"count\": 21"), Kind::Refused,
         "line 5, positions[2].count: must be a whole number from 0 to 20"},
        {replaced("{\"index\": 3, \"count\": 20, \"codes\": [21", "{\"index\": 3, \"count\": 20, "
                                                                  "\"codes\": [256"),
         Kind::Unreadable, "line 6, positions[3].codes[0]: must be a whole number from 0 to 255"},
        {replaced("{\"index\": 4,", "{\"index\": 3,"), Kind::Unreadable,
         "line 7, positions[4].index: position 03 is given twice"},
        {replaced("\"Esc\"", "\"Sixteen bytes!!!\""), Kind::Refused,
         "positions[0].labels[1]: the label has 16 bytes in code page 949, more than 15"},
        {replaced("\"Esc\"", "\"\\ud83d\\ude00\""), Kind::Refused,
         "positions[0].labels[1]: the label has a character code page 949 lacks"},
        {replaced("\"Esc\"", "\"Esc\\u0007\""), Kind::Refused,
         "positions[0].labels[1]: the label holds control characters"},
        {replaced("], \"labels\"", "], \"colour\": 1, \"labels\""), Kind::Unreadable,
         "line 3, positions[0].colour: is not a member of this form"},
        {json.substr(0, json.size() / 2), Kind::Unreadable, "line 51: a string that never ends"},
        {"{\"format\": \"quilby-key-table\",\n \"version\": 1,\n \"positions\": [}",
         Kind::Unreadable, "line 3: not a JSON value"},
        {"position,keys,spare\n00,a\n01,b foo c\n", Kind::Unreadable,
         "line 3, column keys: 'foo': unknown key name"},
        {"position,keys,spare\n00,a\n00,b\n", Kind::Unreadable,
         "line 3, column position: position 00 is given twice (first on line 2)"},
        {"position,keys,spare\n98,a\n", Kind::Unreadable,
         "line 2, column position: must be a position number from 0 to 97"},
        {"position,keys,spare\n01,\"a\nb\n02,c\n", Kind::Unreadable,
         "line 2: a quoted field that never ends"},
        {"position,keys,spare\n01,a,b,c\n", Kind::Unreadable,
         "line 2: a row has 4 columns, not position,keys,spare"},
        {"position,keys,spare\n\n07,#300:0000:x\n", Kind::Unreadable,
         "line 3, column keys: '#300:0000:x': the code must be a decimal number from 0 to 255"},
        {"position,keys,spare\n07,#3:12:x\n", Kind::Unreadable,
         "line 2, column keys: '#3:12:x': the word must be four hex digits"},
        {"position,keys,spare\n07,a,#3:0012:x a\n", Kind::Unreadable,
         "line 2, column spare: 'a': spare slots hold raw entries"},
        {"position,keys,spare\n07,a b,#0:0000: #0:0000: #0:0000: #0:0000: #0:0000: #0:0000: "
         "#0:0000: #0:0000: #0:0000: #0:0000: #0:0000: #0:0000: #0:0000: #0:0000: #0:0000: "
         "#0:0000: #0:0000: #0:0000: #0:0000:\n",
         Kind::Refused, "line 2, column spare: more spare slots than the 20 a position has"},
        {"position,keys,spare\n07,#3:0012:%E2%82%AC%ZZ\n", Kind::Unreadable,
         "'%' in a label must be followed by two hex digits"},
        {"position,keys,spare\n07,#3:0012:%E2%82\n", Kind::Refused,
         "'#3:0012:%E2%82': the label has a character code page 949 lacks"},
    };
    for (const auto& c : cases) {
        auto result = importTableText(c.text);
        const auto* error = std::get_if<TableTextError>(&result);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(error->kind, c.kind) << c.message;
        EXPECT_NE(error->message().find(c.message), std::string::npos)
            << error->message() << "\n  expected: " << c.message;
    }
}

// The JSON reader takes what RFC 8259 allows and names the line of the
// first thing it does not.
TEST(JsonText, ReadsStrictJsonAndNamesTheLineOfAFault) {
    const struct {
        std::string text;
        const char* result; // a string value's text, "" for other values, or the error
        int line;
    } cases[] = {
        {"\"\\u00e9\\ud83d\\ude00 \xED\x95\x9C\\/\\n\"", "\xC3\xA9\xF0\x9F\x98\x80 \xED\x95\x9C/\n",
         1},
        {" [-0, 1e5, 2.5E-3, true, false, null, {}] ", "", 1},
        {"\"\\ud800\"", "a high surrogate escape without its low half", 1},
        {"\"\\udc00\"", "a lone low surrogate escape", 1},
        {"\"\xC0\xAF\"", "a string that is not UTF-8", 1},
        {"\"\xED\xA0\x80\"", "a string that is not UTF-8", 1},
        {"\"a\tb\"", "a control character inside a string", 1},
        {std::string(65, '[') + std::string(65, ']'), "nesting deeper than 64 levels", 1},
        {"{\"a\": 1,\n \"a\": 2}", "the member \"a\" is given twice", 2},
        {"[1,\n2,\n]", "not a JSON value", 3},
        {"01", "not a JSON value", 1},
        {"[1.]", "a number without digits after its point", 1},
        {"[1]\n x", "more text after the JSON value", 2},
        {"{\"a\" 1}", "expected ':' after a member name", 1},
    };
    for (const auto& c : cases) {
        const auto parsed = parseJson(c.text);
        if (const auto* error = std::get_if<JsonError>(&parsed)) {
            EXPECT_EQ(error->message, c.result) << c.text;
            EXPECT_EQ(error->line, c.line) << c.text;
            continue;
        }
        const auto& value = std::get<JsonValue>(parsed);
        EXPECT_EQ(value.kind == JsonValue::Kind::String ? value.text : "", c.result) << c.text;
    }
    // Only whole numbers in range are integers.
    std::int64_t n = 0;
    const auto numbers = std::get<JsonValue>(parseJson("[20, 21, -1, 1e1, 2.0]")).items;
    EXPECT_TRUE(numbers[0].integerIn(0, 20, n) && n == 20);
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        EXPECT_FALSE(numbers[i].integerIn(0, 20, n)) << numbers[i].text;
    }
}

using TableTextCommands = CliFixture;

// The first "done when": export then import gives what normalize writes,
// both forms, by file and through standard output.
TEST_F(TableTextCommands, ExportThenImportGivesTheBytesNormalizeWrites) {
    const std::string full = write("full.key", writeKeyFile(fullTable()));
    for (const std::string& table : {std::string(QUILBY_DATA_DIR) + "/Default.key", full}) {
        ASSERT_EQ(run({"normalize", table, path("normal.key")}).status, 0);
        const std::string normal = read(path("normal.key"));
        for (const char* out : {"t.json", "t.csv", "t.CSV"}) {
            ASSERT_EQ(run({"export", table, path(out)}).status, 0) << out;
            const CliRun imported = run({"import", path(out), path("back.key")});
            ASSERT_EQ(imported.status, 0) << imported.err;
            EXPECT_EQ(read(path("back.key")), normal) << table << " via " << out;
        }
        EXPECT_EQ(run({"export", "--format=csv", table}).out, read(path("t.csv")));
        EXPECT_EQ(run({"export", table}).out, read(path("t.json")));
    }
}

TEST_F(TableTextCommands, NothingIsWrittenOnAnError) {
    const std::string table = std::string(QUILBY_DATA_DIR) + "/Default.key";
    const std::string bad = write("bad.csv", "position,keys,spare\n00,a\n01,b foo\n");
    const std::string full = write("full.csv", "position,keys,spare\n00,a a a a a a a a a a a a a "
                                               "a a a a a a a a\n");
    const std::string good = write("good.csv", "position,keys,spare\n00,a\n");
    const std::string existing = write("existing.key", "what was there");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
        std::string untouched;
    } cases[] = {
        {{"import", bad, path("new.key")},
         2,
         "bad.csv: line 3, column keys: 'foo': unknown key name",
         path("new.key")},
        {{"import", full, existing},
         1,
         "full.csv: line 2, column keys: 'a': the position is full",
         existing},
        {{"import", path("missing.csv"), existing}, 2, "missing.csv", existing},
        {{"import", good, good}, 1, "good.csv is the input file", good},
        {{"export", table, path("t.txt")}, 2, "give --format=json or --format=csv", path("t.txt")},
        {{"export", "--format=xml", table}, 2, "--format is json or csv", {}},
        {{"export", "--format=json", existing, existing}, 1, "existing.key", existing},
    };
    for (const auto& c : cases) {
        const std::string before =
            std::filesystem::exists(c.untouched) ? read(c.untouched) : std::string("(none)");
        const CliRun result = run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[1] << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        if (!c.untouched.empty()) {
            EXPECT_EQ(std::filesystem::exists(c.untouched) ? read(c.untouched) : "(none)", before)
                << c.args[1];
        }
    }
}

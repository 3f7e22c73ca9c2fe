#include "cli/Cli.h"
#include "document/KeyFileWriter.h"

#include "../support/CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace quilby;
using namespace quilby::testing;

namespace {

class ReplayCommand : public CliFixture {};

// Shift held and a, then Down to position 07, Esc.
const char* kTrace = "# Shift held, a\n"
                     "keydown 0x10 42\n"
                     "keydown 0x41 30\n"
                     "char 0x41 30\n"
                     "keyup 0x41 30\n"
                     "keyup 0x10 42\n"
                     "\n"
                     "keydown 0x28 80 ext\n"
                     "char 0x61 30\n"
                     "keydown 0x1b 1\n";

} // namespace

TEST(KeysCommand, JsonListsThe220RowsInOrder) {
    const auto r = run({"keys", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"rows\": [\n  {\"row\": 0, ", 0), 0u);
    EXPECT_EQ(r.out.substr(r.out.size() - 4), "\n]}\n");
    std::size_t at = 0;
    for (int row = 0; row < 220; ++row) {
        const std::string head = "{\"row\": " + std::to_string(row) + ", ";
        const auto found = r.out.find(head, at);
        ASSERT_NE(found, std::string::npos) << "row " << row;
        at = found + head.size();
    }
    EXPECT_EQ(r.out.find("{\"row\": 220"), std::string::npos);
    std::size_t objects = 0;
    for (auto p = r.out.find("{\"row\""); p != std::string::npos;
         p = r.out.find("{\"row\"", p + 1)) {
        ++objects;
    }
    EXPECT_EQ(objects, 220u);
    // Words and marks as integers, NoWord as 65535, names in UTF-8 and escaped.
    const char* lines[] = {
        "{\"row\": 0, \"code\": 0, \"normal\": 65535, \"shift\": 65535, \"alt\": 65535, "
        "\"ctrl\": 65535, \"name\": \"\"}",
        "{\"row\": 1, \"code\": 1, \"normal\": 3, \"shift\": 65535, \"alt\": 65535, "
        "\"ctrl\": 7681, \"name\": \"A\"}",
        "{\"row\": 34, \"code\": 60, \"normal\": 1, \"shift\": 10274, \"alt\": 65535, "
        "\"ctrl\": 65535, \"name\": \"\\\"\"}",
        "{\"row\": 92, \"code\": 53, \"normal\": 11100, \"shift\": 11132, \"alt\": 11008, "
        "\"ctrl\": 11036, \"name\": \"\\\\\"}",
        "{\"row\": 177, \"code\": 103, \"normal\": 0, \"shift\": 65535, \"alt\": 65535, "
        "\"ctrl\": 65535, \"name\": \"한/영\"}",
        "{\"row\": 186, \"code\": 59, \"normal\": 2, \"shift\": 65535, \"alt\": 9984, "
        "\"ctrl\": 65535, \"name\": \";\"}",
        "{\"row\": 219, \"code\": 61, \"normal\": 57357, \"shift\": 57357, \"alt\": 65535, "
        "\"ctrl\": 65535, \"name\": \"Enter\"}\n]}\n",
    };
    for (const char* line : lines) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    }
}

TEST(KeysCommand, ReadableListingShowsMarksWordsAndNames) {
    const auto r = run({"keys"});
    ASSERT_EQ(r.status, 0) << r.err;
    const char* lines[] = {"\n  1    1 <Ctrl>  -       -       1e01    A\n",
                           "\n 97    1 1e61    1e41    1e00    1e01    a\n",
                           "\n179  105 0000    -       -       -       한자\n",
                           "\n186   59 <Alt>   -       2700    -       ;\n", "\n190  (empty)\n"};
    for (const char* line : lines) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(run({"keys", "--yaml"}).status, 2);
    EXPECT_NE(run({"keys", "extra", "--json"}).err.find("usage: quilby-key keys"),
              std::string::npos);
}

TEST_F(ReplayCommand, PrintsOutcomesBeepsPositionAndTheWorkingTable) {
    const auto r = run({"replay", write("t.trace", kTrace)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("{\"outcomes\": [\"consumed\", \"normal\", \"consumed\", \"normal\", "
                          "\"normal\", \"consumed\", \"consumed\", \"dialog\"],\n"
                          " \"beeps\": 0, \"currentKey\": 7, \"currentEntry\": 0,\n"
                          " \"positions\": [\n  {\"index\": 0, \"count\": 2, \"codes\": [62, 1, 0,",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\"words\": [0, 7745, 0,"), std::string::npos);
    EXPECT_NE(r.out.find("{\"index\": 7, \"count\": 1, \"codes\": [1, 0,"), std::string::npos);
    EXPECT_NE(r.out.find("{\"index\": 97,"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 4), "\n]}\n");
}

TEST_F(ReplayCommand, StartsFromTheGivenTableAsKeyEditDoes) {
    KeyTableData table;
    table.setEntry(0, 0, {27, 0x011b, "Esc"});
    table.entryCounts[0] = 1;
    table.setEntry(7, 19, {9, 9, "spare"});
    const auto key = write("t.KEY", writeKeyFile(table));
    const auto trace = write("t.trace", "keydown 0x08 14\nkeydown 0x08 14\nchar 0x62 48\n"
                                        "capslock on\nchar 0x41 30\n");
    for (const auto& args : {std::vector<std::string>{"replay", trace, "--table", key},
                             std::vector<std::string>{"replay", "--table", key, trace}}) {
        const auto r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("\"beeps\": 0, \"currentKey\": 0, \"currentEntry\": 2,"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("{\"index\": 0, \"count\": 3, \"codes\": [2, 62, 1, 0,"),
                  std::string::npos);
        EXPECT_NE(r.out.find("\"labels\": [\"b\", \"Shift\", \"A\", \"\","), std::string::npos);
        EXPECT_NE(r.out.find("\"spare\"]}"), std::string::npos);
    }
}

TEST_F(ReplayCommand, MalformedLineStopsWithItsNumber) {
    const auto trace = write("bad.trace", "keydown 0x10 42\n# fine\nkeydown 0x41\nchar 0x41 30\n");
    const auto r = run({"replay", trace});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("quilby-key: " + trace + ":3: ", 0), 0u) << r.err;
}

TEST_F(ReplayCommand, UnreadableInputsAndWrongArgumentsFail) {
    const auto trace = write("ok.trace", "keydown 0x41 30\n");
    struct Case {
        std::vector<std::string> args;
        const char* errorText;
    };
    const Case cases[] = {
        {{"replay", dir_ + "/missing.trace"}, "missing.trace"},
        {{"replay", trace, "--table", dir_ + "/missing.KEY"}, "missing.KEY"},
        {{"replay", dir_}, "quilby-key: "},
        {{"replay"}, "usage: quilby-key replay TRACE [--table FILE.KEY]"},
        {{"replay", trace, trace}, "usage:"},
        {{"replay", trace, "--table"}, "usage:"},
        {{"replay", trace, "--tabel", "x"}, "usage:"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.errorText;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.errorText), std::string::npos) << r.err;
    }
}

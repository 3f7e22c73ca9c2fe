#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace quilby;

namespace {

struct Run {
    int status;
    std::string out;
    std::string err;
};

Run run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runQuilbyKey(args, out, err);
    return {status, out.str(), err.str()};
}

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

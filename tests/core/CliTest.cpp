#include "cli/Cli.h"
#include "common/ProgramVersion.h"
#include "document/KeyFileWriter.h"

#include "../support/CliRun.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quilby;
using namespace quilby::testing;
namespace fs = std::filesystem;

namespace {

class CliTest : public CliFixture {};

} // namespace

TEST_F(CliTest, DumpJsonHasAllPositionsWithLabelsInUtf8) {
    KeyTableData t;
    t.setEntry(0, 0, {1, 0x1E61, "a"});
    t.setEntry(97, 19, {255, 0xFFFF, "\xBF\xA3\"\xFF"});
    t.entryCounts[0] = 1;
    const auto r = run({"dump", "--json", write("t.KEY", keyFileText(t))});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"positions\": [", 0), 0u);
    EXPECT_NE(r.out.find("{\"index\": 0, \"count\": 1, \"codes\": [1, 0,"), std::string::npos);
    EXPECT_NE(r.out.find("\"words\": [7777, 0,"), std::string::npos);
    EXPECT_NE(r.out.find("\"labels\": [\"a\", \"\","), std::string::npos);
    EXPECT_NE(r.out.find("{\"index\": 97,"), std::string::npos);
    EXPECT_NE(r.out.find("65535]"), std::string::npos);
    EXPECT_NE(r.out.find("\"엔\\\"\xEF\xBF\xBD\"]}"), std::string::npos);
    std::size_t objects = 0;
    for (std::size_t p = r.out.find("{\"index\""); p != std::string::npos;
         p = r.out.find("{\"index\"", p + 1)) {
        ++objects;
    }
    EXPECT_EQ(objects, 98u);
}

TEST_F(CliTest, CheckExitStatusSaysCleanSuspiciousOrUnreadable) {
    const std::string good = writeKeyFile(quilby::testing::fullTable());
    std::string crlf;
    for (char c : good) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    std::string badCount = good;
    badCount.replace(badCount.find("\n20\n"), 4, "\n35\n");
    struct Case {
        std::string name;
        std::string bytes;
        int status;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {"good.KEY", good, 0, "clean"},
        {"dos.KEY", crlf, 0, "CR LF"},
        {"count.KEY", badCount, 1, "count 35"},
        {"short.KEY", good.substr(0, good.size() / 2), 1, "ends early"},
        {"trail.KEY", good + "junk \n", 1, "after the 98th"},
        // A DOS editor's end-of-file byte is a note; data after it is not.
        {"eof.KEY", good + "\x1A", 0, "note: DOS end-of-file"},
        {"eofjunk.KEY", good + "\x1A" + "junk \n", 1, "after the 98th"},
    };
    for (const auto& c : cases) {
        const auto r = run({"check", write(c.name, c.bytes)});
        EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.out;
        EXPECT_NE(r.out.find(c.mentions), std::string::npos) << c.name << "\n" << r.out;
    }
    const auto missing = run({"check", path("nope.KEY")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("nope.KEY"), std::string::npos);
    EXPECT_NE(missing.err.find("No such file"), std::string::npos);
    EXPECT_EQ(run({"check", dir_}).status, 2);
}

TEST_F(CliTest, NormalizeAndImage) {
    const auto full = quilby::testing::fullTable();
    std::string crlf;
    for (char c : writeKeyFile(full)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const auto in = write("dos.KEY", crlf);
    ASSERT_EQ(run({"normalize", in, path("out.KEY")}).status, 0);
    EXPECT_EQ(read(path("out.KEY")), writeKeyFile(full));

    ASSERT_EQ(run({"image", in, path("image.bin")}).status, 0);
    const std::string image = read(path("image.bin"));
    ASSERT_EQ(image.size(), 1960u);
    for (int k : {0, 1, 49, 97}) {
        for (int j : {0, 7, 19}) {
            EXPECT_EQ(
                static_cast<unsigned char>(image[static_cast<std::size_t>(20 * k + j)]),
                full.keyTable[static_cast<std::size_t>(k)].codes[static_cast<std::size_t>(j)]);
        }
    }
}

TEST_F(CliTest, UsageAndHelp) {
    const auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"dump", "check", "normalize", "image"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(run({}).status, 2);
    const auto wrongArgs = run({"normalize", "only-one"});
    EXPECT_EQ(wrongArgs.status, 2);
    EXPECT_NE(wrongArgs.err.find("usage: quilby-key normalize"), std::string::npos);
    EXPECT_EQ(run({"frobnicate"}).status, 2);

    const auto version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quilby-key " + std::string(programVersion()) + "\n", 0), 0u)
        << version.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
}

TEST_F(CliTest, CheckTakesManyFilesOneLineEachAndTheWorstStatus) {
    const std::string good = writeKeyFile(quilby::testing::fullTable());
    std::string badCount = good;
    badCount.replace(badCount.find("\n20\n"), 4, "\n35\n");
    const auto a = write("a.KEY", good);
    const auto b = write("b.KEY", badCount);
    const auto e = write("e.KEY", "");
    const auto d = write("d.KEY", good + "\x1a");
    struct Case {
        std::vector<std::string> files;
        int status;
        std::size_t lines;
    };
    const std::vector<Case> cases = {
        {{a, d}, 0, 2},
        {{a, b, d}, 1, 3},
        {{e}, 1, 2},
        {{a, path("gone.KEY"), b}, 2, 3},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"check"};
        args.insert(args.end(), c.files.begin(), c.files.end());
        const auto r = run(args);
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_EQ(static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n')), c.lines)
            << r.out;
    }
    const auto many = run({"check", a, b, path("gone.KEY"), e});
    EXPECT_NE(many.out.find(b + ": suspicious: line "), std::string::npos) << many.out;
    EXPECT_NE(many.out.find("gone.KEY: unreadable: "), std::string::npos) << many.out;
    EXPECT_NE(many.out.find(e + ": suspicious: the file is empty"), std::string::npos);
}

TEST_F(CliTest, NothingFromAFileReachesTheTerminalRaw) {
    KeyTableData t = quilby::testing::fullTable();
    t.setEntry(1, 0, {1, 2, "\x1b]0;owned\x07"});
    std::string bytes = keyFileText(t);
    bytes.replace(bytes.find("\n20\n"), 4, "\n\x1b[2J\n");
    // Nor from its name: a name may hold escapes, C1 controls and bytes that
    // are no UTF-8 (a title is set by ESC ] ... BEL).
    const auto file = write("evil\x1b]0;PWNED\x07\xc2\x9b\xff.KEY", bytes);
    const auto dump = run({"dump", file});
    const auto check = run({"check", file});
    const auto missing = run({"check", path("gone\x1b[31m.KEY")});
    const auto several = run({"check", file, path("gone\x1b[31m.KEY")});
    const auto normalize = run({"normalize", "--force", file, path("out\x1b[31m/x.KEY")});
    const auto image = run({"image", "--force", file, file});
    for (const auto& r : {dump, check, missing, several, normalize, image}) {
        for (const std::string& text : {r.out, r.err}) {
            EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
            EXPECT_EQ(text.find('\x07'), std::string::npos) << text;
            EXPECT_EQ(text.find("\xc2\x9b"), std::string::npos) << text;
            EXPECT_EQ(text.find('\xff'), std::string::npos) << text;
        }
    }
    EXPECT_NE(dump.out.find("\\x1b]0;owned\\x07"), std::string::npos);
    EXPECT_NE(check.out.find("holds control bytes"), std::string::npos) << check.out;
    EXPECT_EQ(check.status, 1);
}

TEST_F(CliTest, NormalizeAndImageRefuseASuspiciousTableUnlessForced) {
    std::string badCount = writeKeyFile(quilby::testing::fullTable());
    badCount.replace(badCount.find("\n20\n"), 4, "\n35\n");
    const auto bad = write("bad.KEY", badCount);
    for (const std::string command : {"normalize", "image"}) {
        SCOPED_TRACE(command);
        const auto out = path(command + ".out");
        const auto refused = run({command, bad, out});
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("count 35"), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find("quilby-key check"), std::string::npos);
        EXPECT_FALSE(fs::exists(out));
        EXPECT_EQ(run({command, "--force", bad, out}).status, 0);
        EXPECT_TRUE(fs::exists(out));
    }
    // Even forced, a suspicious reading never replaces the file it came from.
    const auto inPlace = run({"normalize", "--force", bad, bad});
    EXPECT_EQ(inPlace.status, 1);
    EXPECT_NE(inPlace.err.find("another file"), std::string::npos);
    EXPECT_EQ(read(bad), badCount);
}

// One parser rule for every command: options before or after the operands,
// "--" ends them, an unknown option is named, numbers are decimal within
// their documented limits.
TEST_F(CliTest, EveryCommandReadsItsArgumentsByOneRule) {
    const std::string file = write("t.KEY", writeKeyFile(quilby::testing::fullTable()));
    const struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string mentions; // in the output or the errors
    } cases[] = {
        {"option first", {"dump", "--json", file}, 0, "{\"positions\""},
        {"option last", {"dump", file, "--json"}, 0, "{\"positions\""},
        {"option between", {"normalize", file, "--force", path("n.KEY")}, 0, ""},
        {"-- ends the options", {"check", "--", "--json"}, 2, "cannot read --json"},
        {"unknown option of check", {"check", "--bogus", file}, 2, "unknown option --bogus"},
        {"unknown option of dump", {"dump", file, "--jsn"}, 2, "unknown option --jsn"},
        {"unknown option of keys", {"keys", "--jsn"}, 2, "unknown option --jsn"},
        {"unknown option of replay", {"replay", "--bogus", file}, 2, "unknown option --bogus"},
        {"unknown option of image", {"image", "-f", file, path("i.bin")}, 2, "unknown option -f"},
        {"hex timeout", {"download", "--timeout=0x10", file}, 2, "--timeout takes seconds"},
        {"exponent timeout", {"download", "--timeout=1e3", file}, 2, "--timeout takes seconds"},
        {"negative timeout", {"download", "--timeout=-1", file}, 2, "--timeout takes seconds"},
        {"timeout beyond a day", {"download", "--timeout=86401", file}, 2, "0 to 86400"},
        {"blank timeout", {"identify", "--timeout= 5"}, 2, "--timeout takes seconds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((r.out + r.err).find(c.mentions), std::string::npos) << r.out << r.err;
    }
}

#include "link/DownloadRecord.h"
#include "common/Sha256.h"
#include "document/KeyFileWriter.h"
#include "link/SimulatedKeyboard.h"

#include "../support/CliRun.h"
#include "../support/LinkFakes.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

using namespace quilby;
using namespace quilby::testing;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

KeyTableData tableWithCode(std::uint8_t code) {
    KeyTableData t;
    t.setEntry(0, 0, {code, 0x1E61, "a"});
    t.entryCounts[0] = 1;
    return t;
}

DownloadRecord recordOf(const KeyTableData& t, std::string path = "/tills/a.KEY") {
    return downloadRecordOf(path, buildDownloadImage(t), DownloadOutcome::Completed, 1960, 49.0,
                            "varo");
}

std::string imageSha(const KeyTableData& t) {
    const DownloadImage image = buildDownloadImage(t);
    return sha256Hex({reinterpret_cast<const char*>(image.data()), image.size()});
}

std::uint64_t appended(const DownloadHistory& h, const KeyTableData& t) {
    const auto r = h.append(recordOf(t), t);
    EXPECT_TRUE(std::holds_alternative<std::uint64_t>(r));
    return std::holds_alternative<std::uint64_t>(r) ? std::get<std::uint64_t>(r) : 0;
}

std::vector<std::uint64_t> numbers(const DownloadHistory& h) {
    std::vector<std::uint64_t> n;
    const auto log = h.read();
    for (const auto& r : std::get<DownloadLog>(log).records) {
        n.push_back(r.number);
    }
    return n;
}

} // namespace

TEST(Sha256Test, KnownVectors) {
    const struct {
        std::string input;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the block, a second one follows.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sha256Hex(c.input), c.digest) << c.input.size() << " bytes";
        EXPECT_TRUE(isSha256Hex(c.digest));
    }
    EXPECT_FALSE(isSha256Hex(std::string(64, 'A')));
}

// A line reads back as the record it was, whatever the path holds; any line
// cut short, or otherwise not whole, is no record.
TEST(DownloadRecordTest, LineRoundTripsAndACutLineIsNone) {
    DownloadRecord r = recordOf(tableWithCode(30), "/tmp/a\tb\n%c\x7f \xC7\xD1.KEY");
    r.number = 12;
    r.tableSha256 = sha256Hex("t");
    const std::string line = downloadRecordLine(r);
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(parseDownloadRecordLine(std::string_view(line).substr(0, line.size() - 1)), r);
    for (std::size_t cut = 0; cut + 1 < line.size(); ++cut) {
        EXPECT_FALSE(parseDownloadRecordLine(std::string_view(line).substr(0, cut))) << cut;
    }
    r.tableSha256.clear();
    r.model.clear();
    const std::string bare = downloadRecordLine(r);
    EXPECT_EQ(parseDownloadRecordLine(std::string_view(bare).substr(0, bare.size() - 1)), r);
}

// A kill during an append leaves a line without its newline: it is skipped,
// and the next record is a whole line with a number of its own.
TEST(DownloadRecordTest, SurvivesAKillDuringAnAppend) {
    ScratchDir dir;
    const DownloadHistory h(dir.path());
    EXPECT_EQ(appended(h, tableWithCode(1)), 1u);
    EXPECT_EQ(appended(h, tableWithCode(2)), 2u);
    DownloadRecord third = recordOf(tableWithCode(3));
    third.number = 3;
    const std::string line = downloadRecordLine(third);
    std::ofstream(h.logPath(), std::ios::app) << line.substr(0, line.size() / 2);
    auto log = std::get<DownloadLog>(h.read());
    EXPECT_EQ(log.records.size(), 2u);
    EXPECT_EQ(log.skippedLines, 1);

    EXPECT_EQ(appended(h, tableWithCode(4)), 3u);
    log = std::get<DownloadLog>(h.read());
    EXPECT_EQ(numbers(h), (std::vector<std::uint64_t>{1, 2, 3}));
    EXPECT_EQ(log.skippedLines, 1);
    EXPECT_EQ(log.records.back().imageSha256, imageSha(tableWithCode(4)));
}

// Only the newest records stay, with the tables they name; numbers go on
// past every record ever given, even with the log gone.
TEST(DownloadRecordTest, KeepsTheNewestRecordsAndNeverReusesANumber) {
    ScratchDir dir;
    const DownloadHistory h(dir.path(), 3);
    // Tables 1, 2, 1, 3, 4: after the fifth, records 3..5 name tables 1, 3, 4.
    for (const int code : {1, 2, 1, 3, 4}) {
        appended(h, tableWithCode(static_cast<std::uint8_t>(code)));
    }
    EXPECT_EQ(numbers(h), (std::vector<std::uint64_t>{3, 4, 5}));
    auto tableKept = [&](int code) {
        return fs::exists(
            h.tablePath(sha256Hex(writeKeyFile(tableWithCode(static_cast<std::uint8_t>(code))))));
    };
    EXPECT_TRUE(tableKept(1)) << "named by record 3";
    EXPECT_FALSE(tableKept(2));
    EXPECT_TRUE(tableKept(3));
    EXPECT_TRUE(tableKept(4));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(dir.path() + "/tables"), fs::directory_iterator()), 3);

    fs::remove(h.logPath());
    EXPECT_EQ(appended(h, tableWithCode(5)), 6u);
    // The counter behind the log: a damaged counter still yields past the log.
    writeFile(dir.file("downloads.next"), "garbage");
    EXPECT_EQ(appended(h, tableWithCode(5)), 7u);
    EXPECT_EQ(numbers(h), (std::vector<std::uint64_t>{6, 7}));
}

TEST(DownloadRecordTest, TheStateFolderFollowsXdg) {
    EXPECT_EQ(DownloadHistory::folderFor("/s", "/home/u"), "/s/quilby");
    EXPECT_EQ(DownloadHistory::folderFor("relative", "/home/u"), "/home/u/.local/state/quilby");
    EXPECT_EQ(DownloadHistory::folderFor(nullptr, "/home/u"), "/home/u/.local/state/quilby");
    EXPECT_EQ(DownloadHistory::folderFor(nullptr, nullptr), "");
}

namespace {

class HistoryCommandTest : public CliFixture {
protected:
    HistoryCommandTest() {
        env.pacer = &pacer;
        env.simulator = &keyboard;
        env.simulatorAnnounceAfter = 0ms;
        env.portEnv = "sim";
        env.historyFolder = path("state/quilby");
    }
    CliRun runWith(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = runQuilbyKey(args, out, err, env);
        return {status, out.str(), err.str()};
    }
    SimulatedKeyboard keyboard;
    InstantPacer pacer;
    LinkEnvironment env;
};

} // namespace

// A download through quilby-key leaves one record with the image's SHA-256,
// and --table writes back exactly the table that was sent.
TEST_F(HistoryCommandTest, DownloadIsRecordedAndItsTableWrittenBack) {
    const std::string table = writeKeyFile(fullTable());
    const std::string file = write("t.KEY", table);
    ASSERT_EQ(runWith({"download", file}).status, 0);
    const auto listed = runWith({"history", "--json"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out.rfind("{\"downloads\": [\n  {\"number\": 1, ", 0), 0u) << listed.out;
    EXPECT_NE(listed.out.find("\"sha256\": \"" + imageSha(fullTable()) +
                              "\", \"outcome\": \"completed\", \"bytes\": 1960"),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("\"model\": \"varo\", \"table\": \"" + sha256Hex(table) + "\"}"),
              std::string::npos);

    const std::string back = path("back.KEY");
    const auto r = runWith({"history", "--table", "1", back});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(read(back) == table);
    // Through the write guard, and no record that is not there.
    ::chmod(back.c_str(), 0444);
    EXPECT_EQ(runWith({"history", "--table", "1", back}).status, 1);
    EXPECT_EQ(runWith({"history", "--table", "2", path("other.KEY")}).status, 1);
    EXPECT_EQ(runWith({"history", "--table", "x", path("other.KEY")}).status, 2);
    EXPECT_FALSE(fs::exists(path("other.KEY")));
    // A kept table someone changed is not handed out as the recorded one.
    writeFile(env.historyFolder + "/tables/" + sha256Hex(table) + ".KEY", "changed");
    const auto damaged = runWith({"history", "--table", "1", path("other.KEY")});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_NE(damaged.err.find("no longer matches"), std::string::npos) << damaged.err;
}

// A record that cannot be written never fails the download: it is said after.
TEST_F(HistoryCommandTest, AFailedRecordLeavesTheDownloadsOutcome) {
    writeFile(path("state"), "a file where the folder should be");
    const auto r = runWith({"download", "--json", write("t.KEY", writeKeyFile(fullTable()))});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"result\": \"completed\""), std::string::npos);
    EXPECT_NE(r.err.find("warning: the download was not recorded"), std::string::npos) << r.err;
    EXPECT_EQ(keyboard.counters().completedDownloads, 1);
}

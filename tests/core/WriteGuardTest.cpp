#include "document/WriteGuard.h"
#include "document/KeyDocument.h"
#include "document/KeyFileWriter.h"

#include "../support/CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace quilby;
using namespace quilby::testing;
namespace fs = std::filesystem;

namespace {

std::string cleanTable() {
    KeyTableData t;
    t.setEntry(0, 0, {30, 0x1E61, "a"});
    t.entryCounts[0] = 1;
    return writeKeyFile(t);
}

// A count of 25: the reader warns about it, and what it reads is a table
// the writer could write.
std::string damagedTable() {
    std::string bytes = cleanTable();
    return bytes.replace(bytes.find("\n1\n"), 3, "\n25\n");
}

class WriteGuardTest : public CliFixture {};

} // namespace

// Every writer of a table, an image or a picture is handed an output that
// is its input by some name, or a read-only file; it refuses, and the file
// keeps every byte.
TEST_F(WriteGuardTest, NoWriterReplacesItsInputByAnyNameNorAReadOnlyFile) {
    // How the output is spelled, given the input's path (or, for a writer
    // without input, a file of its own).
    const struct Alias {
        const char* name;
        std::function<std::string(const ScratchDir&, const std::string&)> make;
    } aliases[] = {
        {"same path", [](const ScratchDir&, const std::string& in) { return in; }},
        {"other spelling",
         [](const ScratchDir& t, const std::string& in) {
             return t.path() + "/./" + fs::path(in).filename().string();
         }},
        {"symbolic link",
         [](const ScratchDir& t, const std::string& in) {
             const std::string link = t.file("link.KEY");
             fs::create_symlink(in, link);
             return link;
         }},
        {"hard link",
         [](const ScratchDir& t, const std::string& in) {
             const std::string link = t.file("hard.KEY");
             fs::create_hard_link(in, link);
             return link;
         }},
        {"read-only by mode (even for root)",
         [](const ScratchDir& t, const std::string&) {
             const std::string other = t.file("ro.KEY");
             writeFile(other, "keep me");
             ::chmod(other.c_str(), 0444);
             return other;
         }},
    };
    // Each writer: input bytes, and the write itself; true when it wrote.
    const struct Writer {
        const char* name;
        std::string input;
        std::function<bool(const std::string& in, const std::string& out)> write;
        bool readOnlyOnly; // no input of its own: only the read-only rule applies
    } writers[] = {
        {"normalize --force of a damaged file", damagedTable(),
         [](const std::string& in, const std::string& out) {
             return run({"normalize", "--force", in, out}).status == 0;
         },
         false},
        {"image", cleanTable(),
         [](const std::string& in, const std::string& out) {
             return run({"image", in, out}).status == 0;
         },
         false},
        {"default-table", cleanTable(),
         [](const std::string&, const std::string& out) {
             return run({"default-table", out}).status == 0;
         },
         true},
        {"the document's save of a damaged file", damagedTable(),
         [](const std::string& in, const std::string& out) {
             KeyDocument doc;
             return !doc.open(in) && !doc.saveAs(out);
         },
         false},
    };
    for (const Writer& writer : writers) {
        for (const Alias& alias : aliases) {
            const bool readOnly = std::string(alias.name).starts_with("read-only");
            if (writer.readOnlyOnly && !readOnly) {
                continue;
            }
            const ScratchDir t("quilby-guard");
            const std::string in = t.file("in.KEY");
            writeFile(in, writer.input);
            const std::string out = alias.make(t, in);
            const std::string before = readFile(out);
            EXPECT_FALSE(writer.write(in, out)) << writer.name << " / " << alias.name;
            EXPECT_EQ(readFile(out), before) << writer.name << " / " << alias.name;
            EXPECT_EQ(readFile(in), writer.input) << writer.name << " / " << alias.name;
            // The same writer does write a file of its own.
            EXPECT_TRUE(writer.write(in, t.file("fresh.out"))) << writer.name;
        }
    }
}

// The one exception: a clean table rewritten in place in the program's own
// form loses nothing (normalize F F, the window's Save).
TEST_F(WriteGuardTest, ACleanTableMayBeRewrittenInPlace) {
    const std::string in = write("clean.KEY", cleanTable());
    EXPECT_EQ(run({"normalize", in, in}).status, 0);
    KeyDocument doc;
    ASSERT_FALSE(doc.open(in));
    EXPECT_FALSE(doc.save());
    EXPECT_EQ(read(in), cleanTable());
    // A damaged one only when the user, asked, insists.
    const std::string damaged = write("damaged.KEY", damagedTable());
    KeyDocument guess;
    ASSERT_FALSE(guess.open(damaged));
    EXPECT_EQ(guess.saveVerdict(damaged).refusal, WriteRefusal::OverInput);
    EXPECT_TRUE(guess.save());
    EXPECT_EQ(read(damaged), damagedTable());
    EXPECT_FALSE(guess.save(KeyDocument::SaveOver::Confirmed));
    EXPECT_NE(read(damaged), damagedTable());
}

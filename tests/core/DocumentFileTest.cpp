#include "document/Cp949.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "document/KeyFileWriter.h"

#include "../support/TableFixtures.h"
#include "../support/TempFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quilby;
using namespace quilby::testing;
namespace fs = std::filesystem;

namespace {

int errorCode(const FileResult<std::string>& r) {
    const auto* e = std::get_if<FileError>(&r);
    return e ? e->code : 0;
}

} // namespace

TEST(Cp949, DecodesTheWindowsTableAndReplacesBadBytes) {
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"a", "a"},
        {"\xBF\xA3", "엔"},
        {"\xC7\xD1/\xBF\xB5", "한/영"},
        {"\xC7\xD1\xC0\xDA", "한자"},
        {"\x81\x41", "갂"},         // an extended (Windows-only) syllable
        {"\xFF", "\xEF\xBF\xBD"},   // no character starts with 0xFF
        {"a\xBF", "a\xEF\xBF\xBD"}, // cut short at the end
        {"\xC7\xD1\xFFz", "한\xEF\xBF\xBDz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp949ToUtf8(c.bytes), c.utf8);
    }
    EXPECT_EQ(utf8ToCp949("한/영"), std::string("\xC7\xD1/\xBF\xB5"));
    EXPECT_FALSE(utf8ToCp949("\xF0\x9F\x98\x80").has_value()); // emoji: not in the code page
}

TEST(FileIo, ReadingRefusesWhatIsNotAKeyFile) {
    ScratchDir dir;
    EXPECT_EQ(errorCode(readWholeFile(dir.file("missing.KEY"))), ENOENT);
    EXPECT_EQ(errorCode(readWholeFile(dir.path())), EISDIR);
    EXPECT_EQ(errorCode(readWholeFile("/dev/null")), ENODEV);
    writeFile(dir.file("big.KEY"), std::string(2048, '1'));
    EXPECT_EQ(errorCode(readWholeFile(dir.file("big.KEY"), 1024)), EFBIG);
    EXPECT_EQ(errorCode(readWholeFile(dir.file("big.KEY"), 4096)), 0);
    writeFile(dir.file("secret.KEY"), "x");
    ::chmod(dir.file("secret.KEY").c_str(), 0);
    ::chmod(dir.path().c_str(), 0755);
    const auto secret = dir.file("secret.KEY");
    EXPECT_TRUE(asUnprivilegedUser([&] { return errorCode(readWholeFile(secret)) == EACCES; }));
    const FileError e{FileError::Operation::Read, "/x/y.KEY", ENOENT};
    EXPECT_NE(e.message().find("/x/y.KEY"), std::string::npos);
    EXPECT_NE(e.messageKorean().find("/x/y.KEY"), std::string::npos);
}

TEST(FileIo, AtomicSaveReplacesWholeAndKeepsMode) {
    ScratchDir dir;
    const auto target = dir.file("t.KEY");
    writeFile(target, "old");
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(std::holds_alternative<std::monostate>(saveFileAtomically(target, "new")));
    EXPECT_EQ(readFile(target), "new");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);

    // Saving through a symbolic link replaces the file it names.
    const auto link = dir.file("link.KEY");
    fs::create_symlink(target, link);
    ASSERT_TRUE(std::holds_alternative<std::monostate>(saveFileAtomically(link, "via link")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(target), "via link");
}

TEST(FileIo, FailedSaveKeepsTheOldFile) {
    ScratchDir dir;
    const auto target = dir.file("t.KEY");
    writeFile(target, "precious");
    auto code = [](const auto& r) {
        const auto* e = std::get_if<FileError>(&r);
        return e ? e->code : 0;
    };
    EXPECT_EQ(code(saveFileAtomically(dir.path(), "x")), EISDIR);
    EXPECT_EQ(code(saveFileAtomically(dir.file("no/such/dir.KEY"), "x")), ENOENT);
    // A folder the user may not write: the temporary file cannot be made.
    ::chmod(dir.path().c_str(), 0555);
    ::chmod(target.c_str(), 0666);
    EXPECT_TRUE(asUnprivilegedUser(
        [&] { return code(saveFileAtomically(target, "replacement")) == EACCES; }));
    // A read-only file in a folder the user may write is not replaced.
    ::chmod(dir.path().c_str(), 0777);
    ::chmod(target.c_str(), 0444);
    EXPECT_TRUE(asUnprivilegedUser(
        [&] { return code(saveFileAtomically(target, "replacement")) == EACCES; }));
    EXPECT_EQ(readFile(target), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

TEST(FileIo, FullDiskFailsTheSaveAndLeavesNoTemporary) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    // /dev/full is not a regular file: refused before anything is written.
    const auto r = saveFileAtomically("/dev/full", "x");
    ASSERT_TRUE(std::holds_alternative<FileError>(r));
    EXPECT_EQ(std::get<FileError>(r).code, ENODEV);
}

TEST(KeyDocument, OpenSaveAndFailuresFollowTheLifecycle) {
    ScratchDir dir;
    const auto path = dir.file("shop.KEY");
    const KeyTableData full = quilby::testing::fullTable();
    writeFile(path, writeKeyFile(full));

    KeyDocument doc;
    EXPECT_EQ(doc.title(), "제목없음");
    EXPECT_TRUE(doc.untitled());
    doc.data().McrOption = McrHeadFf;
    ASSERT_FALSE(doc.open(path));
    EXPECT_TRUE(doc.data().sameTable(full));
    EXPECT_EQ(doc.data().TableLoaded, 1);
    EXPECT_EQ(doc.title(), "shop.KEY");
    EXPECT_EQ(doc.data().McrOption, McrHeadFf); // MCR fields survive Open

    // A file that cannot be opened leaves the document as it was.
    doc.setModified(true);
    const auto missing = doc.open(dir.file("gone.KEY"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->code, ENOENT);
    EXPECT_TRUE(doc.data().sameTable(full));
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.path(), path);

    // A zero-length file is an empty table with TableLoaded 0.
    writeFile(dir.file("empty.KEY"), "");
    ASSERT_FALSE(doc.open(dir.file("empty.KEY")));
    EXPECT_EQ(doc.data().TableLoaded, 0);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.data().EntryCounts[0], 0);

    // Save after opening a CR LF file writes the writer's form.
    std::string crlf;
    for (char c : writeKeyFile(full)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    writeFile(dir.file("dos.KEY"), crlf);
    ASSERT_FALSE(doc.open(dir.file("dos.KEY")));
    ASSERT_FALSE(doc.save());
    EXPECT_EQ(readFile(dir.file("dos.KEY")), writeKeyFile(full));

    // The same for a file whose codes rows are split over two lines.
    std::string split = writeKeyFile(full);
    {
        std::string out;
        std::size_t lineNo = 0;
        std::size_t start = 0;
        for (std::size_t nl; (nl = split.find('\n', start)) != std::string::npos; start = nl + 1) {
            std::string line = split.substr(start, nl - start);
            if (lineNo % 24 == 0) {
                std::size_t cut = 0;
                for (int v = 0; v < 10; ++v) {
                    cut = line.find(' ', cut) + 1;
                }
                line.insert(cut, "\n");
            }
            out += line + "\n";
            ++lineNo;
        }
        split = out;
    }
    writeFile(dir.file("split.KEY"), split);
    ASSERT_FALSE(doc.open(dir.file("split.KEY")));
    EXPECT_TRUE(doc.data().sameTable(full));
    ASSERT_FALSE(doc.save());
    EXPECT_EQ(readFile(dir.file("split.KEY")), writeKeyFile(full));

    // A failed save keeps path, modified flag and the old file.
    doc.setModified(true);
    const auto failed = doc.saveAs(dir.file("no/such/x.KEY"));
    ASSERT_TRUE(failed);
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.path(), dir.file("split.KEY"));

    doc.NewDocument();
    EXPECT_TRUE(doc.untitled());
    EXPECT_EQ(doc.data().TableLoaded, 0);
    EXPECT_EQ(doc.data().McrOption, McrHeadFf);
}

TEST(KeyDocument, DefaultExtensionOnlyWhenNoneTyped) {
    EXPECT_EQ(withDefaultKeyExtension("/a/shop"), "/a/shop.KEY");
    EXPECT_EQ(withDefaultKeyExtension("/a/shop.key"), "/a/shop.key");
    EXPECT_EQ(withDefaultKeyExtension("/a.b/shop"), "/a.b/shop.KEY");
    EXPECT_EQ(withDefaultKeyExtension("shop.txt"), "shop.txt");
}

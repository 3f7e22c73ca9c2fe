#include "common/TextEscape.h"
#include "document/Cp949.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "document/KeyFileWriter.h"

#include "../support/TableFixtures.h"
#include "../support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace quilby;
using namespace quilby::testing;
namespace fs = std::filesystem;

namespace {

template <typename Result> int errorCode(const Result& r) {
    const auto* e = std::get_if<FileError>(&r);
    return e ? e->code : 0;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t len = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : 4;
        if (i + len > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += len;
    }
    return true;
}

// The real calls of a save, logged by step, with one step made to fail
// (after `partial` bytes, for a write) or to stop the save as a crash would.
struct SaveRecorder {
    struct Crash {};
    std::vector<std::string> steps;
    std::string failing;
    int failCode = 0;
    std::size_t partial = 0;
    std::function<void()> duringRename;

    SaveCalls calls() {
        const SaveCalls real = SaveCalls::system();
        return SaveCalls{
            [this, real](int fd, const char* data, std::size_t size) -> ssize_t {
                steps.push_back("write");
                if (failing == "write") {
                    if (partial > 0) {
                        return real.write(fd, data, std::min(size, std::exchange(partial, 0)));
                    }
                    errno = failCode;
                    return -1;
                }
                return real.write(fd, data, size);
            },
            [this, real](int fd) {
                struct stat st {};
                ::fstat(fd, &st);
                steps.push_back(S_ISDIR(st.st_mode) ? "fsync folder" : "fsync file");
                return step(steps.back()) ? real.fsync(fd) : -1;
            },
            [this, real](int fd) {
                steps.push_back("close");
                const int rc = real.close(fd); // closed even when it reports failure
                return step("close") ? rc : -1;
            },
            [this, real](const char* from, const char* to) {
                steps.push_back("rename");
                if (duringRename) {
                    duringRename();
                }
                return step("rename") ? real.rename(from, to) : -1;
            },
        };
    }

    // Whether the step goes ahead; a failing step sets errno or crashes.
    bool step(const std::string& name) const {
        if (failing != name) {
            return true;
        }
        if (failCode == 0) {
            throw Crash{};
        }
        errno = failCode;
        return false;
    }
};

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
        // A well-formed pair the table leaves unassigned is one character,
        // and what follows it is kept.
        {"\xA2\xE8", "\xEF\xBF\xBD"},
        {"x\xA2\xE8y\xA2\xE8", "x\xEF\xBF\xBDy\xEF\xBF\xBD"},
        // An unassigned pair whose second byte is ASCII: one error, and the
        // ASCII byte is read again on its own, as the standard decoder does.
        {"\xC7\x41", "\xEF\xBF\xBD"
                     "A"},
        {"\xC6\x53z", "\xEF\xBF\xBD"
                      "Sz"}, // 0xC6 takes extended trails up to 0x52 only
        {"\xA1\x30", "\xEF\xBF\xBD"
                     "0"},            // below the trail range
        {"\xA1\xFF", "\xEF\xBF\xBD"}, // a non-ASCII byte outside it goes with the lead
        {"\x80\x41", "\xEF\xBF\xBD"
                     "A"},                            // 0x80 is no lead byte
        {"\x80\xB0\xA1", "\xEF\xBF\xBD\xEA\xB0\x80"}, // ... so the pair after it is read whole
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp949ToUtf8(c.bytes), c.utf8) << printableText(c.bytes);
        // Valid text is exactly what decodes without a replacement.
        EXPECT_EQ(isValidCp949(c.bytes), c.utf8.find("\xEF\xBF\xBD") == std::string::npos)
            << printableText(c.bytes);
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

TEST(FileIo, ReadLimitTakesAFileOfExactlyItsSize) {
    ScratchDir dir;
    constexpr std::size_t kEightMiB = 8u << 20; // the documented default limit
    struct Case {
        std::size_t size;
        std::size_t limit; // 0: the default
        int code;
    };
    const Case cases[] = {
        {1023, 1024, 0},   {1024, 1024, 0},           {1025, 1024, EFBIG},
        {kEightMiB, 0, 0}, {kEightMiB + 1, 0, EFBIG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " bytes, limit " + std::to_string(c.limit));
        const auto path = dir.file("sized.KEY");
        writeFile(path, "1");
        fs::resize_file(path, c.size);
        const auto r = c.limit == 0 ? readWholeFile(path) : readWholeFile(path, c.limit);
        EXPECT_EQ(errorCode(r), c.code);
        if (c.code == 0) {
            EXPECT_EQ(std::get<std::string>(r).size(), c.size);
        }
    }
}

TEST(FileIo, EveryFailingStepOfASaveKeepsTheOldFile) {
    struct Case {
        const char* step;
        int code;
        std::size_t partial;
    };
    const Case cases[] = {
        {"write", ENOSPC, 0},   {"write", ENOSPC, 5}, // full disk at once and part-way
        {"write", EDQUOT, 100}, {"fsync file", EIO, 0}, {"close", EIO, 0}, {"rename", EBUSY, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.step) + " after " + std::to_string(c.partial));
        ScratchDir dir;
        const auto target = dir.file("t.KEY");
        writeFile(target, "precious");
        SaveRecorder recorder{{}, c.step, c.code, c.partial, {}};
        const auto r = saveFileAtomically(target, std::string(4096, '7'), recorder.calls());
        EXPECT_EQ(errorCode(r), c.code);
        EXPECT_EQ(recorder.steps.back(), c.step); // nothing after the failed step
        EXPECT_EQ(readFile(target), "precious");
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"t.KEY"});
    }
}

// A signal that interrupts a write (EINTR, before or after part of the
// bytes went out) is not a failure: the save goes on and writes every byte.
TEST(FileIo, AnInterruptedWriteIsRetried) {
    for (const std::size_t before : {std::size_t{0}, std::size_t{100}}) {
        SCOPED_TRACE(before);
        ScratchDir dir;
        const auto target = dir.file("t.KEY");
        writeFile(target, "old");
        const SaveCalls real = SaveCalls::system();
        int interruptions = 0;
        SaveCalls calls = real;
        calls.write = [&](int fd, const char* data, std::size_t size) -> ssize_t {
            if (interruptions < 2) {
                ++interruptions;
                if (before > 0 && interruptions == 1) {
                    return real.write(fd, data, std::min(size, before));
                }
                errno = EINTR;
                return -1;
            }
            return real.write(fd, data, size);
        };
        const std::string bytes(4096, '7');
        EXPECT_EQ(errorCode(saveFileAtomically(target, bytes, calls)), 0);
        EXPECT_EQ(readFile(target), bytes);
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"t.KEY"});
    }
}

TEST(FileIo, ASaveSyncsTheFileBeforeTheRenameAndTheFolderAfter) {
    ScratchDir dir;
    SaveRecorder recorder;
    ASSERT_EQ(errorCode(saveFileAtomically(dir.file("t.KEY"), "data", recorder.calls())), 0);
    EXPECT_EQ(recorder.steps,
              (std::vector<std::string>{"write", "fsync file", "close", "rename", "fsync folder"}));
}

TEST(FileIo, AWriteStoppedByTheFileSizeLimitSaysSo) {
    ScratchDir dir;
    const auto target = dir.file("t.KEY");
    writeFile(target, "precious");
    // In a child, so the limit and the ignored signal stay there; the first
    // write goes part-way, up to the limit, and the next one is refused.
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto r = saveFileAtomically(target, std::string(5000, '7'));
        ::_exit(errorCode(r) == EFBIG ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(target), "precious");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"t.KEY"});

    const FileError write{FileError::Operation::Write, target, EFBIG};
    EXPECT_NE(write.message().find("size limit"), std::string::npos);
    EXPECT_EQ(write.message().find("key table"), std::string::npos);
    const FileError read{FileError::Operation::Read, target, EFBIG};
    EXPECT_NE(read.message().find("too large to be a key table"), std::string::npos);
}

TEST(FileIo, SavingThroughLinksWritesTheFileTheyName) {
    ScratchDir dir;
    writeFile(dir.file("old.KEY"), "old");
    fs::create_symlink("old.KEY", dir.file("to-old"));
    fs::create_symlink("new.KEY", dir.file("to-new"));             // names a file not made yet
    fs::create_symlink(dir.file("to-new"), dir.file("to-to-new")); // a chain, absolute
    fs::create_symlink("loop-b", dir.file("loop-a"));
    fs::create_symlink("loop-a", dir.file("loop-b"));
    struct Case {
        const char* link;
        const char* file;
        int code;
    };
    const Case cases[] = {
        {"to-old", "old.KEY", 0},
        {"to-new", "new.KEY", 0},
        {"to-to-new", "new.KEY", 0},
        {"loop-a", nullptr, ELOOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const std::string bytes = std::string("via ") + c.link;
        EXPECT_EQ(errorCode(saveFileAtomically(dir.file(c.link), bytes)), c.code);
        EXPECT_TRUE(fs::is_symlink(dir.file(c.link)));
        if (c.file != nullptr) {
            EXPECT_EQ(readFile(dir.file(c.file)), bytes);
        }
    }
    EXPECT_EQ(filesIn(dir.path()),
              (std::vector<std::string>{"loop-a", "loop-b", "new.KEY", "old.KEY", "to-new",
                                        "to-old", "to-to-new"}));
}

TEST(FileIo, ALaterSaveRemovesWhatInterruptedSavesOfTheSameFileLeft) {
    // Names up to the longest one a folder takes, and for each a neighbour
    // that differs only in its last bytes, whose leftovers must stay.
    const std::string hangul = [] {
        std::string s;
        for (int i = 0; i < 84; ++i) {
            s += "한";
        }
        return s;
    }();
    const std::pair<std::string, std::string> names[] = {
        {"t.KEY", "u.KEY"},
        {std::string(236, 'k') + ".KEY", std::string(235, 'k') + "j.KEY"}, // 240 bytes
        {std::string(237, 'k') + ".KEY", std::string(236, 'k') + "j.KEY"}, // 241 bytes
        {std::string(244, 'k') + ".KEY", std::string(243, 'k') + "j.KEY"}, // 248 bytes
        {std::string(251, 'k') + ".KEY", std::string(250, 'k') + "j.KEY"}, // 255 bytes
        {"ab" + hangul + "c", "ab" + hangul + "d"}, // cut falls inside a character
    };
    for (const auto& [name, neighbour] : names) {
        SCOPED_TRACE(std::to_string(name.size()) + " bytes");
        ScratchDir dir;
        for (const auto& crashed : {name, name, neighbour}) {
            SaveRecorder crash{{}, "rename", 0, 0, {}};
            EXPECT_THROW(saveFileAtomically(dir.file(crashed), "cut short", crash.calls()),
                         SaveRecorder::Crash);
        }
        const auto neighbourLeft = filesIn(dir.path());
        ASSERT_EQ(neighbourLeft.size(), 3u);
        for (const auto& f : neighbourLeft) {
            EXPECT_TRUE(validUtf8(f)) << f;
        }

        ASSERT_EQ(errorCode(saveFileAtomically(dir.file(name), "saved")), 0);
        EXPECT_EQ(readFile(dir.file(name)), "saved");
        auto expected = std::vector<std::string>{name};
        std::copy_if(
            neighbourLeft.begin(), neighbourLeft.end(), std::back_inserter(expected),
            [&](const std::string& f) { return f.starts_with(temporaryPrefix(neighbour)); });
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected.size(), 2u);
        EXPECT_EQ(filesIn(dir.path()), expected);
    }
}

TEST(FileIo, ASaveInProgressIsNotTakenForAnInterruptedOne) {
    ScratchDir dir;
    const auto target = dir.file("t.KEY");
    // While the first save is about to rename, a second save of the same
    // file runs to its end, cleaning up as it goes.
    SaveRecorder first;
    std::variant<std::monostate, FileError> second;
    first.duringRename = [&] { second = saveFileAtomically(target, "second"); };
    EXPECT_EQ(errorCode(saveFileAtomically(target, "first", first.calls())), 0);
    EXPECT_EQ(errorCode(second), 0);
    EXPECT_EQ(readFile(target), "first");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"t.KEY"});
}

TEST(FileIo, SavingOverADeviceIsRefused) {
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
    doc.data().mcrOption = McrHeadFf;
    ASSERT_FALSE(doc.open(path));
    EXPECT_TRUE(doc.data().sameTable(full));
    EXPECT_EQ(doc.data().tableLoaded, 1);
    EXPECT_EQ(doc.title(), "shop.KEY");
    EXPECT_EQ(doc.data().mcrOption, McrHeadFf); // MCR fields survive Open

    // A file that cannot be opened leaves the document as it was.
    doc.setModified(true);
    const auto missing = doc.open(dir.file("gone.KEY"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->code, ENOENT);
    EXPECT_TRUE(doc.data().sameTable(full));
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.path(), path);

    // A zero-length file is an empty table with tableLoaded false.
    writeFile(dir.file("empty.KEY"), "");
    ASSERT_FALSE(doc.open(dir.file("empty.KEY")));
    EXPECT_FALSE(doc.data().tableLoaded);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.data().entryCounts[0], 0);

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

    doc.newDocument();
    EXPECT_TRUE(doc.untitled());
    EXPECT_FALSE(doc.data().tableLoaded);
    EXPECT_EQ(doc.data().mcrOption, McrHeadFf);
}

TEST(KeyDocument, DefaultExtensionOnlyWhenNoneTyped) {
    EXPECT_EQ(withDefaultKeyExtension("/a/shop"), "/a/shop.KEY");
    EXPECT_EQ(withDefaultKeyExtension("/a/shop.key"), "/a/shop.key");
    EXPECT_EQ(withDefaultKeyExtension("/a.b/shop"), "/a.b/shop.KEY");
    EXPECT_EQ(withDefaultKeyExtension("shop.txt"), "shop.txt");
}

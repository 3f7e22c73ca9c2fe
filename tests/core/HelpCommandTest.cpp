#include "help/HelpCommand.h"
#include "help/DetachedProcess.h"

#include "../support/TempFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace quilby;
namespace fs = std::filesystem;

namespace {

class TempDir : public quilby::testing::ScratchDir {
public:
    TempDir() : ScratchDir("quilby-launch") {}
    fs::path file(const std::string& name, const std::string& content, fs::perms perms) const {
        const fs::path p = root() / name;
        std::ofstream(p) << content;
        fs::permissions(p, perms);
        return p;
    }
    // A program that does nothing: a copy of true(1), so that nothing reads
    // the folder after the start (it may be gone by then).
    fs::path program(const std::string& name, fs::perms perms) const {
        const fs::path p = root() / name;
        fs::copy_file("/bin/true", p);
        fs::permissions(p, perms);
        return p;
    }
};

// Sets PATH for one test and puts the old one back.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& value) {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        ::setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

constexpr auto kRunnable = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::owner_write;
constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::owner_write;

bool waitForFile(const fs::path& p) {
    // Only a bound against a hang: the test asserts that the file appears.
    for (int i = 0; i < 500 && !fs::exists(p); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fs::exists(p);
}

} // namespace

TEST(HelpCommand, ReportForEachOutcome) {
    struct Case {
        bool manualFound;
        int error;
        HelpReport expected;
    };
    const Case cases[] = {
        {true, 0, HelpReport::None},
        {true, ENOENT, HelpReport::InstallViewer},
        {true, ENOTDIR, HelpReport::InstallViewer},
        {true, EACCES, HelpReport::InvalidExecutable},
        {true, ENOEXEC, HelpReport::InvalidExecutable},
        {true, ENOMEM, HelpReport::StartFailed},
        {true, EAGAIN, HelpReport::StartFailed},
        // Without a manual there is nothing to view, whatever was tried.
        {false, 0, HelpReport::InstallManual},
        {false, EACCES, HelpReport::InstallManual},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(helpReportFor(c.manualFound, c.error), c.expected)
            << c.manualFound << " " << c.error;
    }
}

TEST(DetachedProcess, ReportsWhyAStartFailed) {
    TempDir dir;
    const fs::path script = dir.program("ok", kRunnable);
    const fs::path notExecutable = dir.program("plain", kReadOnly);
    const fs::path noFormat = dir.file("garbage", "this is no program\n", kRunnable);
    fs::create_directories(dir.root() / "folder");
    struct Case {
        std::string program;
        int expected;
    };
    const Case cases[] = {
        {script.string(), 0},
        {"/bin/true", 0},
        {(dir.root() / "missing").string(), ENOENT},
        {(dir.root() / "nofolder" / "prog").string(), ENOENT},
        {(script / "below-a-file").string(), ENOTDIR},
        {notExecutable.string(), EACCES},
        {(dir.root() / "folder").string(), EACCES},
        {noFormat.string(), ENOEXEC},
        {"", EINVAL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(startDetached({c.program}), c.expected) << c.program;
    }
    EXPECT_EQ(startDetached({}), EINVAL);
}

TEST(DetachedProcess, LooksNamesUpAlongPath) {
    TempDir a;
    TempDir b;
    a.program("viewer", kReadOnly);
    b.program("viewer", kRunnable);
    a.program("locked", kReadOnly);
    struct Case {
        std::string path;
        std::string program;
        int expected;
    };
    const Case cases[] = {
        // A runnable one later on the path is found past a locked one.
        {a.root().string() + ":" + b.root().string(), "viewer", 0},
        {a.root().string(), "viewer", EACCES},
        {a.root().string() + ":" + b.root().string(), "locked", EACCES},
        {b.root().string(), "no-such-viewer", ENOENT},
        {"", "no-such-viewer", ENOENT},
    };
    for (const Case& c : cases) {
        ScopedPath path(c.path);
        EXPECT_EQ(startDetached({c.program}), c.expected) << c.path << " " << c.program;
    }
}

TEST(DetachedProcess, RunsWithItsArgumentsAndLeavesNoChildBehind) {
    TempDir dir;
    const fs::path out = dir.root() / "out.txt";
    ASSERT_EQ(startDetached({"/bin/sh", "-c",
                             "printf '%s|%s' \"$0\" \"$1\" > \"$2.tmp\" && "
                             "mv \"$2.tmp\" \"$2\"",
                             "first arg", "second", out.string()}),
              0);
    ASSERT_TRUE(waitForFile(out));
    std::string text;
    std::getline(std::ifstream(out), text);
    EXPECT_EQ(text, "first arg|second");
    // The intermediate process was reaped and the program is not our child.
    int status = 0;
    errno = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(HelpCommand, ReportForEachEndOfTheOpener) {
    struct Case {
        int waitStatus;
        HelpReport expected;
    };
    const Case cases[] = {
        {0, HelpReport::None},
        {3 << 8, HelpReport::InstallViewer}, // no browser for the file
        {1 << 8, HelpReport::ViewerFailed},
        {4 << 8, HelpReport::ViewerFailed}, // e.g. no display
        {127 << 8, HelpReport::ViewerFailed},
        {SIGKILL, HelpReport::ViewerFailed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(helpReportForViewerEnd(c.waitStatus), c.expected) << c.waitStatus;
    }
}

TEST(DetachedProcess, AWatchedProgramTellsHowItEnded) {
    struct Case {
        std::vector<std::string> argv;
        int startError;
        int waitStatus;
    };
    const Case cases[] = {
        {{"/bin/sh", "-c", "exit 0"}, 0, 0},
        {{"/bin/sh", "-c", "sleep 0.1; exit 3"}, 0, 3 << 8},
        {{"/bin/sh", "-c", "kill -TERM $$"}, 0, SIGTERM},
        {{"/no/such/opener"}, ENOENT, 0},
    };
    for (const Case& c : cases) {
        const DetachedStart started = startWatched(c.argv);
        EXPECT_EQ(started.error, c.startError) << c.argv.back();
        if (c.startError != 0) {
            EXPECT_EQ(started.endPipe, -1);
            continue;
        }
        ASSERT_GE(started.endPipe, 0);
        EXPECT_EQ(readProgramEnd(started.endPipe), std::optional(c.waitStatus)) << c.argv.back();
        ::close(started.endPipe);
    }
    // Neither the watcher nor the program is our child.
    int status = 0;
    errno = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

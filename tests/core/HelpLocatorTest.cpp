#include "help/HelpLocator.h"

#include "../support/TempFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <stdlib.h>

using namespace quilby;
namespace fs = std::filesystem;

namespace {

// An installation-like tree: <root>/bin, <root>/share/quilby and a source
// tree <root>/src with data/ and docs/manual/.
class Tree : public quilby::testing::ScratchDir {
public:
    Tree() : ScratchDir("quilby-help") {
        fs::create_directories(bin());
        fs::create_directories(srcData());
    }
    fs::path bin() const { return root() / "bin"; }
    fs::path srcData() const { return root() / "src" / "data"; }
    fs::path installed() const { return root() / "share" / "quilby" / kManualFileName; }
    fs::path beside() const { return bin() / kManualFileName; }
    fs::path inSource() const { return root() / "src" / "docs" / "manual" / kManualFileName; }

    static void put(const fs::path& p) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "<html></html>";
    }
};

} // namespace

TEST(HelpLocator, CandidatesInOrder) {
    const auto c = manualCandidates("/opt/q/bin", "/home/u/quilby/data/");
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0], fs::path("/opt/q/share/quilby/quilby-manual.html"));
    EXPECT_EQ(c[1], fs::path("/opt/q/bin/quilby-manual.html"));
    EXPECT_EQ(c[2], fs::path("/home/u/quilby/docs/manual/quilby-manual.html"));
    // Without a binary folder only the source tree is looked at, and the
    // reverse; nothing is looked for relative to the working folder.
    EXPECT_EQ(manualCandidates("", "/s/data").size(), 1u);
    EXPECT_EQ(manualCandidates("/opt/q/bin", "").size(), 2u);
    EXPECT_TRUE(manualCandidates("", "").empty());
}

TEST(HelpLocator, FindsTheFirstExistingManual) {
    enum Where { Installed = 1, Beside = 2, Source = 4 };
    struct Case {
        int present;
        int expected; // 0: none found
    };
    const Case cases[] = {
        {Installed | Beside | Source, Installed},
        {Beside | Source, Beside},
        {Source, Source},
        {Installed | Source, Installed},
        {0, 0},
    };
    for (const Case& c : cases) {
        Tree t;
        if (c.present & Installed) {
            Tree::put(t.installed());
        }
        if (c.present & Beside) {
            Tree::put(t.beside());
        }
        if (c.present & Source) {
            Tree::put(t.inSource());
        }
        const auto found = findManual(t.bin(), t.srcData());
        SCOPED_TRACE(c.present);
        switch (c.expected) {
        case Installed:
            EXPECT_EQ(found, t.installed().lexically_normal());
            break;
        case Beside:
            EXPECT_EQ(found, t.beside().lexically_normal());
            break;
        case Source:
            EXPECT_EQ(found, t.inSource().lexically_normal());
            break;
        default:
            EXPECT_FALSE(found.has_value());
        }
    }
}

TEST(HelpLocator, SkipsWhatIsNotAFile) {
    Tree t;
    // A folder carrying the manual's name, and a dangling link, are passed over.
    fs::create_directories(t.installed());
    fs::create_symlink(t.bin() / "gone.html", t.beside());
    EXPECT_FALSE(findManual(t.bin(), t.srcData()).has_value());
    Tree::put(t.inSource());
    EXPECT_EQ(findManual(t.bin(), t.srcData()), t.inSource().lexically_normal());
}

TEST(HelpLocator, ManualFileNameFollowsTheLanguage) {
    struct Case {
        const char* language;
        const char* fileName;
    };
    const Case cases[] = {
        {"ko", "quilby-manual.html"},
        {"en", "quilby-manual.en.html"},
        // No translation of its own: the Korean original.
        {"", "quilby-manual.html"},
        {"de", "quilby-manual.html"},
        {"en_US", "quilby-manual.html"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(manualFileName(c.language), c.fileName) << c.language;
    }
    // The English manual is looked for in the same places, in the same order.
    const auto c = manualCandidates("/opt/q/bin", "/s/data", manualFileName("en"));
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0], fs::path("/opt/q/share/quilby/quilby-manual.en.html"));
    EXPECT_EQ(c[2], fs::path("/s/docs/manual/quilby-manual.en.html"));
}

TEST(HelpLocator, SourceTreeManualIsFoundFromAnyBuild) {
    // Every manual ships in the source tree, so a build run from anywhere finds it.
    Tree t;
    for (const char* language : {"ko", "en"}) {
        const auto found = findManual(t.bin(), manualFileName(language));
        ASSERT_TRUE(found.has_value()) << language;
        EXPECT_EQ(found->filename(), manualFileName(language));
        EXPECT_EQ(found->parent_path().filename(), "manual");
    }

    const fs::path self = runningBinaryDir();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(fs::is_regular_file(self / "core_tests"));
}

#include "document/ShippedFiles.h"

#include "../support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quilby;
using quilby::testing::ScratchDir;
using quilby::testing::writeFile;
namespace fs = std::filesystem;

TEST(ShippedFiles, InstalledCopyFirstThenTheSourceTree) {
    // <root>/bin with <root>/share/quilby beside it, and a source data folder.
    enum Where { Installed = 1, Source = 2, InstalledFolder = 4 };
    struct Case {
        int present;
        int expected; // 0: none found
    };
    const Case cases[] = {
        {Installed | Source, Installed},
        {Source, Source},
        {Installed, Installed},
        // A folder of the file's name is no file: the next place is tried.
        {InstalledFolder | Source, Source},
        {InstalledFolder, 0},
        {0, 0},
    };
    for (const Case& c : cases) {
        ScratchDir dir("quilby-shipped");
        const fs::path bin = dir.root() / "bin";
        const fs::path installed = dir.root() / "share" / "quilby" / "MCR.OPN";
        const fs::path source = dir.root() / "src" / "data" / "MCR.OPN";
        fs::create_directories(bin);
        fs::create_directories(installed.parent_path());
        fs::create_directories(source.parent_path());
        if (c.present & Installed) {
            writeFile(installed, "1");
        }
        if (c.present & InstalledFolder) {
            fs::create_directory(installed);
        }
        if (c.present & Source) {
            writeFile(source, "1");
        }
        const auto found = findShippedFile(bin, source.parent_path(), "MCR.OPN");
        SCOPED_TRACE(c.present);
        if (c.expected == Installed) {
            EXPECT_EQ(found, installed);
        } else if (c.expected == Source) {
            EXPECT_EQ(found, source);
        } else {
            EXPECT_FALSE(found.has_value());
        }
    }
    EXPECT_EQ(shippedFileCandidates("/usr/bin", "", "Default.key"),
              std::vector<fs::path>{"/usr/share/quilby/Default.key"});
    EXPECT_TRUE(shippedFileCandidates("", "", "Default.key").empty());
}

#include "app/RecentFileList.h"
#include "document/FileIo.h"

#include <cerrno>

#include <gtest/gtest.h>

using namespace quilby;

TEST(RecentFileList, KeepsFourMostRecentFirstWithoutDuplicates) {
    RecentFileList list;
    for (const char* p : {"/a", "/b", "/c", "/d", "/e"}) {
        list.add(p);
    }
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/e", "/d", "/c", "/b"}));
    list.add("/c");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    list.remove("/e");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/c", "/d", "/b"}));
    list.setEntries({"/x", "", "/y", "/x", "/z", "/w", "/v"});
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/x", "/y", "/z", "/w"}));
    list.setEntries({"/R&D/a.KEY"});
    EXPECT_EQ(list.menuText(0), "&1 /R&&D/a.KEY");
}

TEST(RecentFileList, EntriesThatWouldFailAgainAreDropped) {
    using Op = FileError::Operation;
    struct Case {
        Op op;
        int code;
        bool duringRead;
        bool drop;
    };
    const Case cases[] = {
        {Op::Read, ENOENT, false, true},
        {Op::Read, EISDIR, false, true},
        {Op::Read, EACCES, false, true},
        {Op::Read, ENODEV, false, true},
        {Op::Read, EFBIG, false, true},
        {Op::Read, ENOTDIR, false, true},
        {Op::Read, ELOOP, false, true},
        // Passing faults keep the entry for another try.
        {Op::Read, EIO, true, false},
        {Op::Read, EIO, false, false},
        {Op::Read, ENOMEM, false, false},
        {Op::Read, EMFILE, false, false},
        {Op::Read, EACCES, true, false},
        {Op::Write, EACCES, false, false},
    };
    for (const Case& c : cases) {
        FileError e;
        e.operation = c.op;
        e.code = c.code;
        e.duringRead = c.duringRead;
        EXPECT_EQ(dropsRecentEntry(e), c.drop) << c.code << " " << c.duringRead;
    }
}

#include "document/TableRefusal.h"

#include <gtest/gtest.h>

using namespace quilby;

namespace {

KeyFileReport reportOf(std::initializer_list<KeyFileFinding::Kind> kinds, int completeBlocks) {
    KeyFileReport report;
    report.completeBlocks = completeBlocks;
    for (const auto kind : kinds) {
        report.findings.push_back(KeyFileFinding{kind, 1, 0, 0, {}});
    }
    return report;
}

} // namespace

TEST(TableRefusalTest, DamagedTablesAreSentOnlyWhenForcedAndDrawnUnlessNoTableAtAll) {
    using Kind = KeyFileFinding::Kind;
    const struct {
        const char* name;
        KeyFileReport report;
        TableUse use;
        bool forced;
        TableRefusal expected;
    } cases[] = {
        {"clean, sent", reportOf({}, 98), TableUse::Send, false, TableRefusal::None},
        {"notes only, sent", reportOf({Kind::CrLfLineEnds, Kind::DosEndOfFile}, 98), TableUse::Send,
         false, TableRefusal::None},
        {"count out of range, sent", reportOf({Kind::CountOutOfRange}, 98), TableUse::Send, false,
         TableRefusal::Damaged},
        {"count out of range, sent forced", reportOf({Kind::CountOutOfRange}, 98), TableUse::Send,
         true, TableRefusal::None},
        {"no whole block, sent", reportOf({Kind::MissingBlocks}, 0), TableUse::Send, false,
         TableRefusal::Damaged},
        {"no whole block, sent forced", reportOf({Kind::MissingBlocks}, 0), TableUse::Send, true,
         TableRefusal::None},
        {"empty file, sent", reportOf({Kind::EmptyFile}, 0), TableUse::Send, false,
         TableRefusal::Damaged},
        {"count out of range, drawn", reportOf({Kind::CountOutOfRange}, 98), TableUse::Picture,
         false, TableRefusal::None},
        {"no whole block, drawn", reportOf({Kind::MissingBlocks}, 0), TableUse::Picture, false,
         TableRefusal::NoKeyTable},
        {"no whole block, drawn forced", reportOf({Kind::MissingBlocks}, 0), TableUse::Picture,
         true, TableRefusal::NoKeyTable},
        {"one whole block, drawn", reportOf({Kind::MissingBlocks}, 1), TableUse::Picture, false,
         TableRefusal::None},
        {"empty file, drawn: the empty table", reportOf({Kind::EmptyFile}, 0), TableUse::Picture,
         false, TableRefusal::None},
        {"empty file, exported", reportOf({Kind::EmptyFile}, 0), TableUse::Export, true,
         TableRefusal::Empty},
        {"no whole block, exported", reportOf({Kind::MissingBlocks}, 0), TableUse::Export, true,
         TableRefusal::NoKeyTable},
        {"long row, exported forced", reportOf({Kind::RowTooLong}, 98), TableUse::Export, true,
         TableRefusal::Damaged},
        {"notes only, exported", reportOf({Kind::CrLfLineEnds}, 98), TableUse::Export, false,
         TableRefusal::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableRefusal(c.report, c.use, c.forced), c.expected) << c.name;
    }
}

#pragma once

#include "document/KeyTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quilby {

// One entry of a position that differs between two tables.
struct EntryDifference {
    int entry = 0; // 0..19
    // Past the count in both tables: no key sends it, but the download image
    // still carries its code.
    bool spare = false;
    KeyEntry a, b;

    bool codeDiffers() const { return a.code != b.code; }
    bool wordDiffers() const { return a.word != b.word; }
    bool labelDiffers() const { return a.label != b.label; }
};

// A position whose count or entries differ.
struct PositionDifference {
    int position = 0; // 0..97
    int countA = 0, countB = 0;
    std::vector<EntryDifference> entries; // in entry order

    bool countDiffers() const { return countA != countB; }
};

// Every position where `a` and `b` differ, in position order; empty when
// the tables are the same. All 20 entries of each position are compared,
// since the download image sends the codes of the spare ones too. The MCR
// fields are not part of a table file and are not compared.
std::vector<PositionDifference> diffTables(const KeyTableData& a, const KeyTableData& b);

// A differing word and label as every view of a difference shows them:
// "0x2166", and the label in quotes as UTF-8 with its control bytes made
// visible (\xNN), so two labels that differ only there never look alike.
std::string differenceWordText(std::uint16_t word);
std::string differenceLabelText(const std::string& label);

} // namespace quilby

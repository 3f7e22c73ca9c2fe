#include "document/TableRefusal.h"

#include "document/OpenWarning.h"

#include <algorithm>

namespace quilby {

namespace {

bool isEmptyFile(const KeyFileReport& report) {
    return std::any_of(report.findings.begin(), report.findings.end(), [](const KeyFileFinding& f) {
        return f.kind == KeyFileFinding::Kind::EmptyFile;
    });
}

} // namespace

TableRefusal tableRefusal(const KeyFileReport& report, TableUse use, bool forced) {
    switch (use) {
    case TableUse::Send:
        return report.suspicious() && !forced ? TableRefusal::Damaged : TableRefusal::None;
    case TableUse::Picture:
        break;
    case TableUse::Export:
        if (isEmptyFile(report)) {
            return TableRefusal::Empty;
        }
        if (holdsNoKeyTable(report)) {
            return TableRefusal::NoKeyTable;
        }
        return openWarningFor({}, report) ? TableRefusal::Damaged : TableRefusal::None;
    }
    return holdsNoKeyTable(report) ? TableRefusal::NoKeyTable : TableRefusal::None;
}

} // namespace quilby

#include "document/TableRefusal.h"

#include "document/OpenWarning.h"

namespace quilby {

TableRefusal tableRefusal(const KeyFileReport& report, TableUse use, bool forced) {
    switch (use) {
    case TableUse::Send:
        return report.suspicious() && !forced ? TableRefusal::Damaged : TableRefusal::None;
    case TableUse::Picture:
        break;
    }
    return holdsNoKeyTable(report) ? TableRefusal::NoKeyTable : TableRefusal::None;
}

} // namespace quilby

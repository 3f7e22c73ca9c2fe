#pragma once

#include "exchange/TableText.h"

#include <QCoreApplication>
#include <QString>

namespace quilby {

// The windows' words for what an import found wrong with a text (a typed
// TableTextError): where, and what. Korean is the source text.
class TableTextTexts {
    Q_DECLARE_TR_FUNCTIONS(TableTextTexts)

public:
    // "3행, keys 열: 'foo': 알 수 없는 키 이름입니다"
    static QString error(const TableTextError& error);
    // The problem alone.
    static QString problem(const TableTextError& error);
};

} // namespace quilby

#include "exchange/qt/TableTextTexts.h"

#include "common/qt/QtText.h"

namespace quilby {

QString TableTextTexts::problem(const TableTextError& error) {
    using P = TableTextError::Problem;
    switch (error.problem) {
    case P::NotTableText:
        return tr("JSON 표(\"format\": \"quilby-key-table\")도 CSV 표(머리글 "
                  "position,keys,spare)도 아닙니다");
    case P::JsonSyntax:
        return tr("JSON 문법에 맞지 않습니다");
    case P::NotThisFormat:
        return tr("\"quilby-key-table\"이어야 합니다");
    case P::UnknownVersion:
        return tr("모르는 버전 %1입니다 (이 프로그램은 버전 %2를 읽습니다)")
            .arg(qs(error.detail))
            .arg(kTableJsonVersion);
    case P::MissingField:
        return tr("항목이 없습니다");
    case P::WrongType:
        return tr("값의 종류가 맞지 않습니다");
    case P::UnknownField:
        return tr("이 형식에 없는 항목입니다");
    case P::WrongItemCount:
        return tr("%1개여야 하는데 %2개입니다").arg(error.limit).arg(error.number);
    case P::OutOfRange:
        return tr("0부터 %1까지의 정수여야 합니다").arg(error.limit);
    case P::PositionTwice:
        return tr("키 위치 %1이(가) 두 번 나옵니다")
            .arg(qs(keyPositionName(static_cast<int>(error.number))));
    case P::LabelNoCp949:
        return tr("레이블에 코드 페이지 949에 없는 문자가 있습니다");
    case P::LabelTooLong:
        return tr("레이블이 %1바이트로 15바이트를 넘습니다").arg(error.number);
    case P::LabelControlChars:
        return tr("레이블에 제어 문자가 있습니다");
    case P::CsvSyntax:
        return tr("CSV 형식에 맞지 않습니다");
    case P::CsvHeader:
        return tr("첫 줄은 position,keys,spare여야 합니다");
    case P::CsvColumns:
        return tr("열이 %1개입니다 (position,keys,spare)").arg(error.number);
    case P::BadPosition:
        return tr("0부터 97까지의 키 위치 번호여야 합니다");
    case P::UnknownKeyName:
        return tr("알 수 없는 키 이름입니다");
    case P::BadRawEntry:
        return tr("#코드:워드:레이블 형식이 아닙니다");
    case P::SpareNotRaw:
        return tr("여분 칸에는 #코드:워드:레이블 항목만 쓸 수 있습니다");
    case P::TooManySpare:
        return tr("여분 칸이 20칸을 넘습니다");
    case P::PositionFull:
        return tr("한 키에는 20개까지만 입력할 수 있습니다");
    case P::KeyRefused:
        return tr("키 편집기가 받지 않는 키입니다");
    case P::EscCloses:
        return tr("Esc는 키 편집기를 닫습니다");
    case P::MovesPosition:
        return tr("키 편집기에서 다른 키 위치로 옮기는 키입니다");
    case P::ModifierLeftPending:
        return tr("Shift, Ctrl 또는 Alt가 다음 키를 기다리는 채로 끝납니다");
    case P::RawWhileModifier:
        return tr("Shift, Ctrl 또는 Alt가 다음 키를 기다리는 중입니다");
    }
    return {};
}

QString TableTextTexts::error(const TableTextError& error) {
    QString where;
    if (error.line > 0) {
        where = tr("%1행").arg(error.line);
    }
    if (!error.field.empty()) {
        const QString field = error.csv ? tr("%1 열").arg(qs(error.field)) : qs(error.field);
        where = where.isEmpty() ? field : tr("%1, %2").arg(where, field);
    }
    QString text = problem(error);
    if (!error.word.empty()) {
        text = tr("'%1': %2").arg(qs(error.word), text);
    }
    return where.isEmpty() ? text : tr("%1: %2").arg(where, text);
}

} // namespace quilby

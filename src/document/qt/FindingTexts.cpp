#include "document/qt/FindingTexts.h"

#include "common/qt/QtText.h"
#include "document/KeyTable.h"

#include <QDir>

#include <cstring>

namespace quilby {

namespace {

using Kind = KeyFileFinding::Kind;
using Row = KeyFileFinding::Row;

// A message box wraps its text where a line may break (a blank, after a
// slash): a long stretch without such a place (a damaged row, a long file
// name) would run off the box's edge. A zero-width space every few
// characters of such a stretch lets it wrap there, unseen.
QString breakable(const QString& text) {
    constexpr int kLongestUnbroken = 24;
    constexpr int kBreakEvery = 12;
    QString out;
    out.reserve(text.size() + text.size() / kBreakEvery);
    int run = 0;
    for (const QChar c : text) {
        if (c.isSpace() || c == QLatin1Char('/')) {
            run = 0;
        } else if (++run > kLongestUnbroken && run % kBreakEvery == 1) {
            out += QChar(0x200B);
        }
        out += c;
    }
    return out;
}

QString quoted(const std::string& excerpt) {
    return breakable(QLatin1Char('"') + qs(escapesAsPictures(excerpt)) + QLatin1Char('"'));
}

QString shownPath(const std::string& path) {
    return breakable(QDir::toNativeSeparators(fromLocalPath(path)));
}

} // namespace

QString FindingTexts::finding(const KeyFileFinding& f) {
    const QString at = qs(keyPositionName(f.position));
    const QString row = f.row == Row::Words ? tr("워드") : tr("코드");
    switch (f.kind) {
    case Kind::CrLfLineEnds:
        return tr("줄 끝이 CR LF입니다 (LF와 같이 읽습니다)");
    case Kind::SplitRow:
        return tr("위치 %1의 %2 줄이 다음 줄로 이어집니다").arg(at, row);
    case Kind::RowTooLong:
        return tr("위치 %1의 %2 줄에 값이 %3개 있습니다: 20번째 뒤의 값은 버렸습니다")
            .arg(at, row)
            .arg(f.rawValue);
    case Kind::CountOutOfRange:
        return tr("위치 %1의 개수 %2이(가) 0에서 20 사이를 벗어납니다: %3(으)로 읽었습니다")
            .arg(at)
            .arg(f.rawValue)
            .arg(f.readAs);
    case Kind::ValueOutOfRange:
        switch (f.row) {
        case Row::Words:
            return tr("워드 값 %1을(를) 16비트로 잘랐습니다").arg(f.rawValue);
        case Row::Labels:
            return tr("라벨 바이트 %1이(가) %2에서 %3 사이를 벗어납니다")
                .arg(f.rawValue)
                .arg(kLabelByteMin)
                .arg(kLabelByteMax);
        default:
            return tr("코드 값 %1을(를) 8비트로 잘랐습니다").arg(f.rawValue);
        }
    case Kind::NotANumber:
        if (f.row == Row::Count) {
            return tr("위치 %1의 개수 줄이 %2입니다: 구조가 밀렸을 수 있습니다")
                .arg(at, quoted(f.excerpt));
        }
        // One arg() for both: text from the file may hold a "%1" of its own.
        return tr("%1은(는) 숫자가 아닙니다 (%2(으)로 읽었습니다)")
            .arg(quoted(f.excerpt), QString::number(f.readAs));
    case Kind::SeparatorNotEmpty:
        return tr("위치 %1의 라벨 다음 줄이 비어 있지 않습니다: 구조가 밀렸을 수 있습니다").arg(at);
    case Kind::MissingBlocks:
        return tr("파일이 일찍 끝납니다: 98개 위치 중 %1개만 온전하고, 나머지는 빈 것으로 "
                  "읽었습니다")
            .arg(f.rawValue);
    case Kind::TrailingData:
        return tr("98번째 위치 뒤에 데이터가 있습니다 (무시했습니다)");
    case Kind::DosEndOfFile:
        return tr("마지막 위치 뒤에 DOS 파일 끝 바이트(0x1A)가 있습니다");
    case Kind::EmptyFile:
        return tr("파일이 비어 있습니다: 키 테이블이 없습니다");
    case Kind::LabelControlBytes:
        return tr("위치 %1의 라벨에 제어 바이트가 있습니다: %2").arg(at, quoted(f.excerpt));
    case Kind::LabelNotDecodable:
        return tr("위치 %1의 라벨이 코드 페이지 949 텍스트가 아닙니다: %2")
            .arg(at, quoted(f.excerpt));
    case Kind::LabelTooLong:
        return tr("위치 %1의 라벨 줄에 값이 %2개로 15개를 넘습니다: %3")
            .arg(at, QString::number(f.rawValue), quoted(f.excerpt));
    }
    return {};
}

QString FindingTexts::openWarning(const OpenWarning& warning) {
    QString text = shownPath(warning.path) + QStringLiteral("\n\n") +
                   tr("키 테이블 파일로 보기에 이상한 점이 있습니다:") + QLatin1Char('\n') +
                   findingLines(warning);
    text += QStringLiteral("\n\n") +
            tr("파일은 열었지만, 다운로드하거나 저장하기 전에 내용을 확인하십시오.");
    return text;
}

QString FindingTexts::findingLines(const OpenWarning& warning) {
    QString text;
    for (const KeyFileFinding& f : warning.findings) {
        const QString line =
            f.line > 0 ? tr("줄 %1: %2").arg(QString::number(f.line), finding(f)) : finding(f);
        text += QStringLiteral("\n- ") + line;
    }
    if (warning.moreFindings > 0) {
        text += QStringLiteral("\n- ") + tr("그 밖에 %1건").arg(warning.moreFindings);
    }
    return text;
}

QString FindingTexts::saveOverFindings(const OpenWarning& warning) {
    return shownPath(warning.path) + QStringLiteral("\n\n") +
           tr("이 파일을 열 때 이상한 점이 있었습니다:") + QLatin1Char('\n') +
           findingLines(warning) + QStringLiteral("\n\n") +
           tr("이 파일에 저장하면 원래 내용이 잘못 읽었을 수 있는 내용으로 바뀝니다. "
              "다른 이름으로 저장하시겠습니까?");
}

QString FindingTexts::downloadWithFindings(const OpenWarning& warning) {
    return shownPath(warning.path) + QStringLiteral("\n\n") +
           tr("이 파일을 열 때 이상한 점이 있었습니다:") + QLatin1Char('\n') +
           findingLines(warning) + QStringLiteral("\n\n") +
           tr("잘못 읽었을 수 있는 키 테이블을 키보드로 보내시겠습니까?");
}

QString FindingTexts::fileError(const FileError& error) {
    const QString path = qs(error.path);
    if (error.kind() == FileError::Kind::BeyondSizeLimit) {
        return tr("%1\n파일을 저장할 수 없습니다: 파일 크기 제한을 넘습니다.").arg(path);
    }
    const QString reason = fileErrorReason(error.code);
    return error.operation == FileError::Operation::Read
               ? tr("%1\n파일을 읽을 수 없습니다: %2").arg(path, reason)
               : tr("%1\n파일을 저장할 수 없습니다: %2").arg(path, reason);
}

QString FindingTexts::fileErrorReason(int code) {
    const char* reason = quilby::fileErrorReason(code);
    return reason != nullptr ? trCore("FileError", reason) : qs(std::strerror(code));
}

} // namespace quilby

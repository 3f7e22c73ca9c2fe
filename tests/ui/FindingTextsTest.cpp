#include "document/qt/FindingTexts.h"

#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"

#include "../support/TableFixtures.h"

#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace quilby;
using Kind = KeyFileFinding::Kind;
using Row = KeyFileFinding::Row;

namespace {

bool hasHangul(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3; });
}

// One of each kind, and of each row where the row changes the words; the
// numbers and the quoted text must show in the Korean text as they do in the
// English one.
const std::vector<KeyFileFinding>& findingsOfEveryKind() {
    static const std::vector<KeyFileFinding> findings = {
        {Kind::CrLfLineEnds},
        {Kind::SplitRow, 4, 11, 0, Row::Codes},
        {Kind::SplitRow, 5, 12, 0, Row::Words},
        {Kind::RowTooLong, 9, 13, 23, Row::Codes},
        {Kind::RowTooLong, 9, 14, 24, Row::Words},
        {Kind::CountOutOfRange, 3, 15, -3, Row::Count, 0},
        {Kind::ValueOutOfRange, 1, 16, 256, Row::Codes},
        {Kind::ValueOutOfRange, 2, 17, 70000, Row::Words},
        {Kind::ValueOutOfRange, 8, 18, -129, Row::Labels},
        {Kind::NotANumber, 3, 19, 0, Row::Count, 0, "x\\x07"},
        {Kind::NotANumber, 1, 20, 0, Row::Codes, 12, "12a%1"},
        {Kind::SeparatorNotEmpty, 24, 21},
        {Kind::MissingBlocks, 0, 41, 41},
        {Kind::TrailingData, 2353, 97},
        {Kind::DosEndOfFile, 0, 97},
        {Kind::EmptyFile},
        {Kind::LabelControlBytes, 8, 22, 0, Row::Labels, 0, "a\\x1b[2Jb"},
        {Kind::LabelNotDecodable, 8, 23, 0, Row::Labels, 0, "ok\\xb0"},
        {Kind::LabelTooLong, 8, 24, 26, Row::Labels, 0, "65 66 67"},
    };
    return findings;
}

KeyFileReport reportOf(const std::string& bytes) {
    KeyTableData t;
    return readKeyFile(bytes, t);
}

const QString kFraming = QStringLiteral("\n\n키 테이블 파일로 보기에 이상한 점이 있습니다:\n");
const QString kAdvice =
    QStringLiteral("\n\n파일은 열었지만, 다운로드하거나 저장하기 전에 내용을 확인하십시오.");

} // namespace

class FindingTextsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyFindingKindHasKoreanText() {
        std::set<int> kinds;
        const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
        for (const KeyFileFinding& f : findingsOfEveryKind()) {
            kinds.insert(static_cast<int>(f.kind));
            const QString text = FindingTexts::finding(f);
            const QString english = QString::fromStdString(f.message());
            QVERIFY2(hasHangul(text), qPrintable(english));
            // Every fact the English text names is named in Korean too.
            const QRegularExpression facts(QStringLiteral("-?[0-9]+|\"[^\"]*\""));
            // (The file's own text is shown with control pictures in place
            // of \xNN escapes.)
            const QString shownEnglish = QString::fromStdString(escapesAsPictures(f.message()));
            for (auto it = facts.globalMatch(shownEnglish); it.hasNext();) {
                const QString fact = it.next().captured();
                QVERIFY2(text.contains(fact), qPrintable(english + " / " + text));
            }
            if (!f.excerpt.empty()) {
                QVERIFY2(text.contains(QString::fromStdString(escapesAsPictures(f.excerpt))),
                         qPrintable(text));
                QVERIFY2(!text.contains(QLatin1Char('\\')), qPrintable(text));
            } else {
                QVERIFY2(!text.contains(placeholder), qPrintable(text));
            }
        }
        for (int k = 0; k <= kLastFindingKind; ++k) {
            QVERIFY2(kinds.count(k), qPrintable(QStringLiteral("kind %1").arg(k)));
        }
    }

    void theOpenWarningKeepsItsFraming() {
        const OpenWarning warning{
            "/shop/letter.KEY", {findingsOfEveryKind()[12], findingsOfEveryKind()[5]}, 5};
        QCOMPARE(FindingTexts::openWarning(warning),
                 QStringLiteral("/shop/letter.KEY") + kFraming + QStringLiteral("\n- ") +
                     FindingTexts::finding(warning.findings[0]) + QStringLiteral("\n- 줄 3: ") +
                     FindingTexts::finding(warning.findings[1]) +
                     QStringLiteral("\n- 그 밖에 5건") + kAdvice);
        const OpenWarning noMore{"/shop/t.KEY", {findingsOfEveryKind()[12]}, 0};
        QCOMPARE(FindingTexts::openWarning(noMore),
                 QStringLiteral("/shop/t.KEY") + kFraming + QStringLiteral("\n- ") +
                     FindingTexts::finding(noMore.findings[0]) + kAdvice);
    }

    void theOpenWarningNamesWhatTheReaderFound() {
        // Words in place of every code: far more findings than the reader keeps.
        std::string text;
        for (int k = 0; k < 98 * 24; ++k) {
            text += k % 24 == 0 ? "x x x x x x x x x x x x x x x x x x x x \n" : "\n";
        }
        const auto warning = openWarningFor("/shop/letter.KEY", reportOf(text));
        QVERIFY(warning);
        const QString message = FindingTexts::openWarning(*warning);
        QVERIFY(message.startsWith(QStringLiteral("/shop/letter.KEY\n\n")));
        const KeyFileFinding& last = warning->findings.back();
        QVERIFY(last.line > 0);
        QVERIFY(message.contains(QStringLiteral("\n- 줄 %1: ").arg(last.line) +
                                 FindingTexts::finding(last)));
        QVERIFY(message.contains(QStringLiteral("그 밖에 %1건").arg(warning->moreFindings)));

        std::string badCount = writeKeyFile(quilby::testing::fullTable());
        badCount.replace(badCount.find("\n20\n"), 4, "\n35\n");
        const auto counted = openWarningFor("/shop/t.KEY", reportOf(badCount));
        QVERIFY(counted);
        QVERIFY2(
            FindingTexts::openWarning(*counted).contains(kFraming + QStringLiteral("\n- 줄 3: ")),
            qPrintable(FindingTexts::openWarning(*counted)));
    }

    // A message box wraps only where a line may break: no stretch of the
    // warning may be longer than a short word, yet without the invisible
    // breaks the text is what it was.
    void theOpenWarningWrapsLongStretches_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("excerpt");
        QTest::addColumn<bool>("broken"); // whether invisible breaks were needed
        const QString longName = QStringLiteral("a").repeated(70) + QStringLiteral(".KEY");
        QTest::newRow("short") << QStringLiteral("/shop/t.KEY") << QStringLiteral("x\\x07")
                               << false;
        QTest::newRow("long damaged row")
            << QStringLiteral("/shop/t.KEY") << QStringLiteral("\\x00@").repeated(60) << true;
        QTest::newRow("long file name")
            << (QStringLiteral("/shop/") + longName) << QStringLiteral("12a") << true;
        // A slash is a place to break already.
        QTest::newRow("deep folders")
            << QStringLiteral("/abcdefghij").repeated(20) + QStringLiteral("/t.KEY")
            << QStringLiteral("12a") << false;
    }

    void theOpenWarningWrapsLongStretches() {
        QFETCH(QString, path);
        QFETCH(QString, excerpt);
        QFETCH(bool, broken);
        KeyFileFinding finding{Kind::NotANumber, 1, 20, 0, Row::Codes, 12, excerpt.toStdString()};
        const OpenWarning warning{path.toStdString(), {finding}, 0};
        const QString text = FindingTexts::openWarning(warning);
        const QChar zeroWidthSpace(0x200B);
        for (const QString& stretch :
             text.split(QRegularExpression(QStringLiteral("[\\s/\\x{200B}]")))) {
            QVERIFY2(stretch.size() <= 24, qPrintable(stretch));
        }
        QString plain = text;
        plain.remove(zeroWidthSpace);
        QVERIFY(plain.startsWith(path + QStringLiteral("\n\n")));
        QVERIFY2(plain.contains(QString::fromStdString(escapesAsPictures(excerpt.toStdString()))),
                 qPrintable(plain));
        QCOMPARE(text != plain, broken);
    }

    void everyFileErrorKindHasItsKoreanText() {
        using Op = FileError::Operation;
        struct Case {
            FileError error;
            FileError::Kind kind;
            const char* text;
        };
        const Case cases[] = {
            {{Op::Read, "/x/y.KEY", ENOENT},
             FileError::Kind::Failed,
             "/x/y.KEY\n파일을 읽을 수 없습니다: 파일이나 폴더가 없습니다."},
            {{Op::Write, "/x/y.KEY", EACCES},
             FileError::Kind::Failed,
             "/x/y.KEY\n파일을 저장할 수 없습니다: 접근 권한이 없습니다."},
            {{Op::Read, "/x/big.KEY", EFBIG},
             FileError::Kind::TooLarge,
             "/x/big.KEY\n파일을 읽을 수 없습니다: 파일이 너무 커서 키 파일일 수 없습니다."},
            {{Op::Write, "/x/t.KEY", EFBIG},
             FileError::Kind::BeyondSizeLimit,
             "/x/t.KEY\n파일을 저장할 수 없습니다: 파일 크기 제한을 넘습니다."},
            {{Op::Read, "/dev/null", ENODEV},
             FileError::Kind::NotRegularFile,
             "/dev/null\n파일을 읽을 수 없습니다: 일반 파일이 아닙니다."},
            {{Op::Write, "/dev/null", ENODEV},
             FileError::Kind::NotRegularFile,
             "/dev/null\n파일을 저장할 수 없습니다: 일반 파일이 아닙니다."},
            {{Op::Read, "/x/%1.KEY", EISDIR},
             FileError::Kind::Failed,
             "/x/%1.KEY\n파일을 읽을 수 없습니다: 파일이 아니라 폴더입니다."},
        };
        for (const Case& c : cases) {
            QCOMPARE(c.error.kind(), c.kind);
            const QString text = FindingTexts::fileError(c.error);
            QVERIFY(hasHangul(text));
            QCOMPARE(text, QString::fromUtf8(c.text));
        }
    }

    void everyReasonIsTodays() {
        const std::pair<int, const char*> reasons[] = {
            {ENOENT, "파일이나 폴더가 없습니다."},
            {EACCES, "접근 권한이 없습니다."},
            {EPERM, "접근 권한이 없습니다."},
            {EROFS, "읽기 전용 파일 시스템입니다."},
            {EISDIR, "파일이 아니라 폴더입니다."},
            {ENOSPC, "디스크 공간이 부족합니다."},
            {EDQUOT, "디스크 공간이 부족합니다."},
            {EFBIG, "파일이 너무 커서 키 파일일 수 없습니다."},
            {ENODEV, "일반 파일이 아닙니다."},
            {ENOTDIR, "경로의 일부가 폴더가 아닙니다."},
            {ENAMETOOLONG, "파일 이름이 너무 깁니다."},
            {EIO, "입출력 오류가 발생했습니다."},
        };
        for (const auto& [code, reason] : reasons) {
            QCOMPARE(FindingTexts::fileErrorReason(code), QString::fromUtf8(reason));
        }
        // Without a reason of its own, the system's.
        QCOMPARE(FindingTexts::fileErrorReason(EXDEV),
                 QString::fromLocal8Bit(std::strerror(EXDEV)));
    }
};

QTEST_MAIN(FindingTextsTest)
#include "FindingTextsTest.moc"

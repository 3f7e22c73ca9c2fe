#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainView.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtFonts.h"
#include "document/KeyFileWriter.h"
#include "layout/qt/LabelPrinter.h"
#include "layout/qt/LabelSheetRenderer.h"

#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quilby;
using quilby::testing::readBytes;
using quilby::testing::writeBytes;

namespace {

int pdfPageCount(const std::string& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int pages = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) {
        ++pages;
    }
    return pages;
}

// Pages of a PDF without what changes from run to run.
QByteArray pdfWithoutDates(const std::string& pdf) {
    QByteArray out = QByteArray::fromStdString(pdf);
    static const QRegularExpression dated(QStringLiteral("/CreationDate\\s*\\([^)]*\\)"));
    return QString::fromLatin1(out).remove(dated).toLatin1();
}

bool dark(const QImage& image, int x, int y) {
    return image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
}

// A dark pixel within one pixel of (x, y): the box line is one pixel wide and
// may land on either side of its coordinate.
bool lineNear(const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dark(image, x + dx, y + dy)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class LabelPrintTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    void printTo(const QString& path) {
        app_->printer()->setOutputFormat(QPrinter::PdfFormat);
        app_->printer()->setOutputFileName(path);
    }

    void openFullDocument() {
        writeBytes(file(QStringLiteral("full.KEY")), writeKeyFile(quilby::testing::fullTable()));
        QVERIFY(app_->openDocumentFile(file(QStringLiteral("full.KEY"))));
    }

    // Keeps a copy for a person to look at when QUILBY_SNAPSHOT_DIR is set.
    static void keep(const QString& path, const QString& name) {
        const QString dir = qEnvironmentVariable("QUILBY_SNAPSHOT_DIR");
        if (!dir.isEmpty()) {
            QFile::remove(dir + QLatin1Char('/') + name);
            QFile::copy(path, dir + QLatin1Char('/') + name);
        }
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void printCommandsAreEnabled() {
        start();
        QVERIFY(frame()->action(Command::Print)->isEnabled());
        QVERIFY(frame()->action(Command::PrintPreview)->isEnabled());
        QVERIFY(frame()->action(Command::PrintLayout)->isEnabled());
        QVERIFY(frame()->action(Command::PreviewLayout)->isEnabled());
    }

    void printGoesThroughTheDialogToOnePage_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("printed");
        QTest::newRow("print, accepted") << int(Command::Print) << true << 1 << true;
        QTest::newRow("print, cancelled") << int(Command::Print) << false << 1 << false;
    }

    void printGoesThroughTheDialogToOnePage() {
        QFETCH(int, command);
        QFETCH(bool, accepted);
        QFETCH(int, questions);
        QFETCH(bool, printed);
        start();
        const QString pdf = file(QStringLiteral("sheet-%1.pdf").arg(QTest::currentDataTag()));
        printTo(pdf);
        answers_.printerAccepted = accepted;
        frame()->action(static_cast<Command>(command))->trigger();
        QCOMPARE(answers_.printerQuestions, questions);
        QCOMPARE(QFileInfo::exists(pdf), printed);
        QVERIFY(answers_.errors.isEmpty());
        if (printed) {
            const std::string bytes = readBytes(pdf);
            QVERIFY(bytes.rfind("%PDF", 0) == 0);
            QCOMPARE(pdfPageCount(bytes), 1);
            keep(pdf, QStringLiteral("label-sheet.pdf"));
        }
    }

    // The layout goes to a landscape page whatever the printer was set to,
    // and the label sheet, which shares the printer, keeps its orientation.
    void layoutPrintsLandscapeAndLeavesThePrinterAsItWas() {
        start();
        openFullDocument();
        app_->printer()->setPageOrientation(QPageLayout::Portrait);
        const QString layoutPdf = file(QStringLiteral("layout.pdf"));
        printTo(layoutPdf);
        answers_.printerAccepted = true;
        frame()->action(Command::PrintLayout)->trigger();
        QCOMPARE(app_->printer()->pageLayout().orientation(), QPageLayout::Portrait);
        const auto mediaBox = [](const std::string& pdf) {
            static const QRegularExpression box(
                QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)"));
            const auto match = box.match(QString::fromLatin1(pdf));
            return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
        };
        const std::string layout = readBytes(layoutPdf);
        QVERIFY(mediaBox(layout).width() > mediaBox(layout).height());
        QVERIFY(pdfPageCount(layout) > 1); // the listing follows the picture
        keep(layoutPdf, QStringLiteral("layout-print.pdf"));

        const QString sheetPdf = file(QStringLiteral("sheet.pdf"));
        printTo(sheetPdf);
        frame()->action(Command::Print)->trigger();
        const std::string sheet = readBytes(sheetPdf);
        QVERIFY(mediaBox(sheet).width() < mediaBox(sheet).height());
    }

    void printerThatCannotStartIsReported() {
        start();
        printTo(file(QStringLiteral("no-such-folder/sheet.pdf")));
        answers_.printerAccepted = true;
        frame()->action(Command::Print)->trigger();
        QCOMPARE(answers_.errors.size(), 1);
    }

    void previewShowsExactlyOnePage() {
        start();
        int pages = -1;
        QTimer::singleShot(0, this, [&pages] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            QVERIFY(preview);
            QTRY_VERIFY(preview->pageCount() > 0);
            pages = preview->pageCount();
            const QString dir = qEnvironmentVariable("QUILBY_SNAPSHOT_DIR");
            if (!dir.isEmpty()) {
                dialog->resize(900, 1000);
                preview->fitInView();
                QTest::qWait(200);
                dialog->grab().save(dir + QStringLiteral("/print-preview.png"));
            }
            dialog->reject();
        });
        frame()->action(Command::PrintPreview)->trigger();
        QCOMPARE(pages, 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void pageIsTheSameForAnEmptyAndAFullDocument() {
        start();
        const QImage emptyImage = LabelSheetRenderer().renderImage(100);
        answers_.printerAccepted = true;
        printTo(file(QStringLiteral("empty.pdf")));
        frame()->action(Command::Print)->trigger();
        openFullDocument();
        const QImage fullImage = LabelSheetRenderer().renderImage(100);
        printTo(file(QStringLiteral("full.pdf")));
        frame()->action(Command::Print)->trigger();

        QCOMPARE(emptyImage, fullImage);
        QCOMPARE(pdfWithoutDates(readBytes(file(QStringLiteral("empty.pdf")))),
                 pdfWithoutDates(readBytes(file(QStringLiteral("full.pdf")))));
    }

    void boxesAreThirteenMillimetresSquareWhereTheSheetPutsThem() {
        // At 254 dots per inch one pixel is 0.1 mm, the sheet's unit.
        const QImage image = LabelSheetRenderer().renderImage(254);
        QCOMPARE(image.dotsPerMeterX(), 10000);
        for (const LabelBox& box : labelSheet().boxes) {
            const int left = box.left;
            const int top = -box.top;
            const int right = left + box.width;
            const int bottom = top + box.height;
            const int midX = (left + right) / 2;
            const int midY = (top + bottom) / 2;
            const QString where = QStringLiteral("box at (%1, %2)").arg(box.left).arg(box.top);
            QVERIFY2(lineNear(image, left, midY), qPrintable(where));
            QVERIFY2(lineNear(image, right, midY), qPrintable(where));
            QVERIFY2(lineNear(image, midX, top), qPrintable(where));
            QVERIFY2(lineNear(image, midX, bottom), qPrintable(where));
            // Just inside the corners there is no line: the box is no larger.
            QVERIFY2(!dark(image, left + 3, top + 3), qPrintable(where));
            QVERIFY2(!dark(image, right - 3, bottom - 3), qPrintable(where));
            QVERIFY2(!lineNear(image, left - 4, midY), qPrintable(where));
            QVERIFY2(!lineNear(image, right + 4, midY), qPrintable(where));
        }
    }

    void legendsAreInsideTheirBoxesInAKoreanFace() {
        const LabelSheetRenderer renderer;
        const LabelSheet& sheet = labelSheet();
        for (const LabelLegend& legend : sheet.legends) {
            const auto box = sheet.boxOf(legend);
            QVERIFY(box.has_value());
            const QRectF inside =
                LabelSheetRenderer::boxRect(sheet.boxes[*box]).adjusted(1.5, 1.5, -1.5, -1.5);
            const QRectF ink = renderer.legendInkRect(legend);
            const QString what =
                QStringLiteral("%1 at (%2, %3): ink %4,%5 %6x%7")
                    .arg(QString::fromUtf8(legend.text.data(), qsizetype(legend.text.size())))
                    .arg(legend.x)
                    .arg(legend.y)
                    .arg(ink.x())
                    .arg(ink.y())
                    .arg(ink.width())
                    .arg(ink.height());
            QVERIFY2(!ink.isEmpty(), qPrintable(what));
            QVERIFY2(inside.contains(ink), qPrintable(what));
            // Legible: at least 2 mm tall, except the full stop.
            if (legend.text != ".") {
                QVERIFY2(ink.height() >= 20, qPrintable(what));
            }
        }
        const QFont keypad = LabelSheetRenderer::legendFont(sheet.fonts[0]);
        QCOMPARE(QFontInfo(keypad).family(), QStringLiteral("NanumGothic"));
        QVERIFY(QFontInfo(keypad).bold());
        QVERIFY(QFontMetricsF(keypad).inFontUcs4(U'엔'));
        QVERIFY(QFontMetricsF(keypad).inFontUcs4(U'터'));
    }

    void inkStaysInTheBoxesAndTheSeparatorLine() {
        const QImage image = LabelSheetRenderer().renderImage(254);
        const LabelSheet& sheet = labelSheet();
        const QFontMetricsF separatorFont(LabelSheetRenderer::defaultFont());
        const QRectF separator(sheet.separator.x - 2, -sheet.separator.y - 2, 1600,
                               separatorFont.height() + 4);
        QVector<QRectF> allowed{separator};
        for (const LabelBox& box : sheet.boxes) {
            allowed << LabelSheetRenderer::boxRect(box).adjusted(-2, -2, 2, 2);
        }
        int stray = 0;
        int separatorInk = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!dark(image, x, y)) {
                    continue;
                }
                const QPointF p(x + 0.5, y + 0.5);
                separatorInk += separator.contains(p) ? 1 : 0;
                stray += std::none_of(allowed.begin(), allowed.end(),
                                      [&p](const QRectF& r) { return r.contains(p); })
                             ? 1
                             : 0;
            }
        }
        QCOMPARE(stray, 0);
        QVERIFY(separatorInk > 0);
    }
};

QTEST_MAIN(LabelPrintTest)
#include "LabelPrintTest.moc"

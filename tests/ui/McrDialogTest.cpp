#include "link/qt/McrDialog.h"
#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtText.h"
#include "document/KeyDocument.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/SimulatorWindow.h"

#include "../support/LinkFakes.h"
#include "../support/UiTestSupport.h"

#include <QButtonGroup>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

using namespace quilby;
using quilby::testing::InstantPacer;
using quilby::testing::readBytes;
using quilby::testing::writeBytes;

namespace {

// Escape and Enter as the PC keyboard sends them: Linux input codes, which
// the platform reports as native scan codes + 8.
constexpr int kEvdevEsc = 1;
constexpr int kEvdevEnter = 28;

void tapKey(QWidget* dialog, int evdev, Qt::Key key, const QString& text) {
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, static_cast<quint32>(evdev + 8), 0, 0, text);
        QApplication::sendEvent(target, &event);
    }
}
void tapEscape(QWidget* dialog) {
    tapKey(dialog, kEvdevEsc, Qt::Key_Escape, QStringLiteral("\x1b"));
}
void tapEnter(QWidget* dialog) {
    tapKey(dialog, kEvdevEnter, Qt::Key_Return, QStringLiteral("\r"));
}

QString statusOf(McrDialog& d) {
    return d.statusField()->text();
}

// The radio index the buttons show: -1 when none is checked.
int checkedOption(McrDialog& d) {
    for (int i = 0; i < 4; ++i) {
        if (d.optionButton(i)->isChecked()) {
            return i;
        }
    }
    return -1;
}

const QString kReport = QStringLiteral("\n Version : 567-890 \nCheckSum : 1234");

// One opening of the dialog outside the program: its own document, link
// settings, simulated keyboard with its window, and MCR.OPN in a folder of
// its own. The dialog is modal, so the keyboard's window types into it.
struct Bench {
    QTemporaryDir folder;
    KeyDocument doc;
    LinkSettings settings;
    SimulatedKeyboard keyboard;
    InstantPacer pacer;
    std::unique_ptr<SimulatorWindow> simulator;
    std::unique_ptr<McrDialog> dialog;

    QString opn() const { return folder.filePath(QStringLiteral("MCR.OPN")); }

    [[nodiscard]] bool open(const std::string& fileBytes,
                            KeyboardBrand brand = KeyboardBrand::Varo) {
        writeBytes(opn(), fileBytes);
        startKeyboardLink(settings, keyboard);
        settings.keyboardBrand = brand; // as a version check leaves it
        if (loadMcrOption(toLocalPath(folder.path()), doc.data())) {
            return false;
        }
        simulator = std::make_unique<SimulatorWindow>(&keyboard, doc.data(), nullptr);
        dialog = std::make_unique<McrDialog>(settings, doc.data(), toLocalPath(folder.path()),
                                             keyboard, pacer);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }

    void announceAndWaitForReport(const QString& expected) {
        simulator->announceButton()->click();
        QTRY_COMPARE(dialog->resultLabel()->text(), expected);
    }
};

} // namespace

class McrDialogTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    InstantPacer appPacer_;
    QString oldCurrent_;

    // The program with the simulated keyboard, started in `folder` (where the
    // command looks for MCR.OPN).
    void startIn(const QString& folder) {
        QDir::setCurrent(folder);
        start();
        if (QTest::currentTestFailed()) {
            return;
        }
        app_->replacePacer(&appPacer_);
    }

private Q_SLOTS:
    void initTestCase() {
        setUpCase();
        oldCurrent_ = QDir::currentPath();
    }

    void init() {
        setUpTest();
        appPacer_.clear();
    }

    void cleanup() {
        tearDownTest();
        QDir::setCurrent(oldCurrent_);
    }

    void commandShowsTheStoredOption() {
        struct Case {
            std::string file;
            int option;
            int radio;
            const char* status;
            const char* headCode;
        };
        const Case cases[] = {
            {std::string("2ff\0", 4), 2, 1, "현재 MCR Head Code  'ff' 사용 상태 입니다.", "ff"},
            {std::string("3?\0\0", 4), 3, 2, "현재 MCR Head Code  '?' 사용 상태 입니다.", "?"},
            {std::string("4;\0\0", 4), 4, 3, "현재 MCR Head Code  ';' 사용 상태 입니다.", ";"},
            {"1", 1, 0, "현재 MCR Head Code  사용 안함 상태 입니다.", ""},
            {std::string("0\0\0\0", 4), 0, -1, "현재 MCR Head Code 사용 불가 상태입니다!", ""},
            {"", 0, -1, "현재 MCR Head Code 사용 불가 상태입니다!", ""},
            {"x?", 0, -1, "현재 MCR Head Code 사용 불가 상태입니다!", ""},
            // No button shows 5 to 9: none is selected and the status stays empty.
            {"7ff", 7, -1, "", "ff"},
        };
        QTemporaryDir work;
        startIn(work.path());
        for (const Case& c : cases) {
            writeBytes(work.filePath(QStringLiteral("MCR.OPN")), c.file);
            int radio = -2;
            QString status;
            Qt::WindowModality modality = Qt::NonModal;
            QWidget* parent = nullptr;
            bool selected = true;
            quilby::testing::onNextModal(this, [&](QDialog* d) {
                auto* dialog = qobject_cast<McrDialog*>(d);
                QVERIFY(dialog);
                radio = checkedOption(*dialog);
                status = statusOf(*dialog);
                selected = dialog->statusField()->hasSelectedText();
                modality = dialog->windowModality();
                parent = dialog->parentWidget();
                dialog->reject();
            });
            frame()->action(Command::EpromMcr)->trigger();
            const QByteArray what = QByteArray::fromStdString(c.file).toHex();
            QVERIFY2(radio == c.radio, what);
            QVERIFY2(status == QString::fromUtf8(c.status), what);
            // The field holding the focus shows its text unselected.
            QVERIFY2(!selected, what);
            QVERIFY2(app_->document()->data().mcrOption == c.option, what);
            QVERIFY2(app_->document()->data().mcrHeadCode == c.headCode, what);
            // Modal to the main window alone, so the keyboard's window stays usable.
            QCOMPARE(modality, Qt::WindowModal);
            QCOMPARE(parent, static_cast<QWidget*>(frame()));
        }
        QVERIFY(answers_.errors.isEmpty());
    }

    void commandWithoutAReadableFileSaysWhereItLooked() {
        struct Case {
            const char* name;
            bool folderInstead; // a folder of that name instead of the file
            const char* says;
        };
        const Case cases[] = {
            {"missing", false, "MCR.OPN 파일이 없습니다."},
            {"a folder", true, "MCR.OPN 파일을 읽을 수 없습니다"},
        };
        for (const Case& c : cases) {
            QTemporaryDir work;
            if (c.folderInstead) {
                QVERIFY(QDir(work.path()).mkdir(QStringLiteral("MCR.OPN")));
            }
            startIn(work.path());
            app_->document()->data().mcrOption = 3;
            app_->document()->data().mcrHeadCode = "?";
            answers_.errors.clear();
            bool opened = false;
            QObject watching; // stops looking for a dialog when this case ends
            quilby::testing::onNextModal(&watching, [&](QDialog* d) {
                opened = true;
                d->reject();
            });
            frame()->action(Command::EpromMcr)->trigger();
            QTest::qWait(30); // a dialog would have been seen by now
            QVERIFY2(!opened, c.name);
            QVERIFY2(answers_.errors.size() == 1, c.name);
            const QString text = answers_.errors.constFirst();
            QVERIFY2(text.contains(QString::fromUtf8(c.says)), qPrintable(text));
            QVERIFY2(text.contains(QDir(work.path()).canonicalPath()), qPrintable(text));
            // The program never makes the file itself.
            QCOMPARE(QFileInfo(work.filePath(QStringLiteral("MCR.OPN"))).isFile(), false);
            QCOMPARE(app_->document()->data().mcrOption, 3);
            cleanup();
            init();
        }
    }

    // The whole road in the program: the simulated keyboard's window is
    // clicked while the dialog runs, the keyboard announces itself, receives
    // the command and types its report, which the dialog shows.
    void exchangeWithTheSimulatedKeyboard() {
        QTemporaryDir work;
        writeBytes(work.filePath(QStringLiteral("MCR.OPN")), std::string("3?\0\0", 4));
        startIn(work.path());
        SimulatorWindow* simulator = app_->simulatorWindow();
        QVERIFY(simulator);
        QString result;
        bool stayedOpen = false;
        quilby::testing::onNextModal(this, [&](QDialog* d) {
            auto* dialog = qobject_cast<McrDialog*>(d);
            QVERIFY(dialog);
            const auto close = qScopeGuard([dialog] { dialog->done(QDialog::Rejected); });
            dialog->optionButton(1)->click(); // "ff": chosen, not applied
            QTest::mouseClick(simulator->announceButton(), Qt::LeftButton);
            QTRY_COMPARE(dialog->resultLabel()->text(), kReport);
            result = dialog->resultLabel()->text();
            tapEscape(dialog);
            tapEnter(dialog);
            QTest::qWait(20);
            stayedOpen = dialog->isVisible();
        });
        frame()->action(Command::EpromMcr)->trigger();
        QCOMPARE(result, kReport);
        QVERIFY(stayedOpen);
        const auto received = app_->simulator()->received();
        QCOMPARE(received, (std::vector<std::uint8_t>{0xAA, 0xAA, 0xAA, 0x01}));
        QCOMPARE(appPacer_.pauses(), (std::vector<int>{100, 50, 50, 50, 50}));
        // Enter did not press apply: the file still holds the stored option.
        QCOMPARE(readBytes(work.filePath(QStringLiteral("MCR.OPN"))), std::string("3?\0\0", 4));
        QVERIFY(answers_.errors.isEmpty());
    }

    // The keyboard's typing passes through the dialog's controls without
    // changing the option shown, the status or the file, for either model
    // (one begins its identification with a space).
    void reportsOfBothModelsLeaveTheControlsAlone() {
        struct Case {
            const char* name;
            SimulatedKeyboard::Model model;
            KeyboardBrand brand;
            std::string file;
            int radio;
            std::uint8_t code;
            const char* version;
            const char* checksum;
        };
        using Model = SimulatedKeyboard::Model;
        const Case cases[] = {
            {"varo ;", Model::Varo, KeyboardBrand::Varo, std::string("4;\0\0", 4), 3, 3, "567-890",
             "1234"},
            {"molbrix ;", Model::Molbrix, KeyboardBrand::Molbrix, std::string("4;\0\0", 4), 3, 3,
             "A1B-C2D", "9876"},
            {"molbrix none", Model::Molbrix, KeyboardBrand::Molbrix, std::string("0\0\0\0", 4), -1,
             0, "567-890", "1234"},
            {"molbrix 7", Model::Molbrix, KeyboardBrand::Molbrix, "7", -1, 0, "567-890", "1234"},
        };
        for (const Case& c : cases) {
            Bench bench;
            bench.keyboard.setModel(c.model);
            QVERIFY(bench.keyboard.setEpromReport(c.version, c.checksum));
            QVERIFY(bench.open(c.file, c.brand));
            const QString status = statusOf(*bench.dialog);
            bench.announceAndWaitForReport(
                QStringLiteral("\n Version : %1 \nCheckSum : %2")
                    .arg(QLatin1String(c.version), QLatin1String(c.checksum)));
            QVERIFY2(bench.keyboard.received() ==
                         (std::vector<std::uint8_t>{0xAA, 0xAA, 0xAA, c.code}),
                     c.name);
            QVERIFY2(checkedOption(*bench.dialog) == c.radio, c.name);
            QVERIFY2(statusOf(*bench.dialog) == status, c.name);
            QVERIFY2(readBytes(bench.opn()) == c.file, c.name);
            QCOMPARE(bench.pacer.pauses(), (std::vector<int>{100, 50, 50, 50, 50}));

            // Every further announcement in the same opening gets its
            // exchange: four bytes and a report each time.
            QVERIFY(bench.keyboard.setEpromReport("111-222", "3333"));
            bench.announceAndWaitForReport(
                QStringLiteral("\n Version : 111-222 \nCheckSum : 3333"));
            QCOMPARE(bench.keyboard.counters().mcrCommands, 2);
            QVERIFY(bench.keyboard.setEpromReport("444-555", "6666"));
            bench.announceAndWaitForReport(
                QStringLiteral("\n Version : 444-555 \nCheckSum : 6666"));
            QCOMPARE(bench.keyboard.counters().mcrCommands, 3);
            QCOMPARE(bench.keyboard.received().size(), std::size_t{12});
        }
    }

    void applyWritesTheChosenOption() {
        struct Case {
            int radio; // -1: no button clicked
            std::string firstBytes;
            int option;
            const char* headCode;
            const char* status;
        };
        const Case cases[] = {
            {-1, std::string("0\0\0\0", 4), 0, "", ""},
            {0, std::string("1\0\0\0", 4), 1, "", "Now, MCR Head Code Disabled!"},
            {1, std::string("2ff\0", 4), 2, "ff", "Now, MCR Head Code 'ff' "},
            {2, std::string("3?\0\0", 4), 3, "?", "Now, MCR Head Code '?' "},
            {3, std::string("4;\0\0", 4), 4, ";", "Now, MCR Head Code ';' "},
        };
        for (const Case& c : cases) {
            Bench bench;
            // Digit 9 selects no button, and what follows offset 3 is never touched.
            QVERIFY(bench.open(std::string("9ff\0TAIL", 8)));
            if (c.radio >= 0) {
                QTest::mouseClick(bench.dialog->optionButton(c.radio), Qt::LeftButton);
                QCOMPARE(checkedOption(*bench.dialog), c.radio);
            }
            QTest::mouseClick(bench.dialog->applyButton(), Qt::LeftButton);
            QVERIFY2(readBytes(bench.opn()) == c.firstBytes + "TAIL",
                     qPrintable(QByteArray::fromStdString(readBytes(bench.opn())).toHex()));
            QCOMPARE(bench.doc.data().mcrOption, c.option);
            QCOMPARE(bench.doc.data().mcrHeadCode, std::string(c.headCode));
            QCOMPARE(statusOf(*bench.dialog), QString::fromUtf8(c.status));
            QVERIFY(bench.dialog->isVisible());
            QVERIFY(answers_.linkBoxes.isEmpty());
        }
    }

    void applyThatCannotWriteChangesNothing() {
        struct Case {
            const char* name;
            bool folderInstead;
        };
        const Case cases[] = {{"removed", false}, {"replaced by a folder", true}};
        for (const Case& c : cases) {
            answers_.linkBoxes.clear();
            Bench bench;
            QVERIFY(bench.open(std::string("3?\0\0", 4)));
            const QString before = statusOf(*bench.dialog);
            QVERIFY(QFile::remove(bench.opn()));
            if (c.folderInstead) {
                QVERIFY(QDir(bench.folder.path()).mkdir(QStringLiteral("MCR.OPN")));
            }
            bench.dialog->optionButton(1)->click();
            const QString chosen = statusOf(*bench.dialog);
            bench.dialog->applyButton()->click();
            QVERIFY2(answers_.linkBoxes.size() == 1, c.name);
            const QString text = answers_.linkBoxes.constFirst();
            QVERIFY2(text.startsWith(QStringLiteral("stop|")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("MCR.OPN 파일에 쓸 수 없습니다")),
                     qPrintable(text));
            QVERIFY2(text.contains(QDir(bench.folder.path()).canonicalPath()), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("바뀌지 않았습니다")), qPrintable(text));
            QCOMPARE(bench.doc.data().mcrOption, 3);
            QCOMPARE(bench.doc.data().mcrHeadCode, std::string("?"));
            QCOMPARE(statusOf(*bench.dialog), chosen);
            QVERIFY(chosen != before);
            QVERIFY2(!QFileInfo(bench.opn()).isFile(), "the file is never created");
        }
    }

    void escapeAndEnterNeverCloseIt() {
        Bench bench;
        QVERIFY(bench.open(std::string("2ff\0", 4)));
        bench.dialog->optionButton(0)->click();
        for (QWidget* focus :
             std::vector<QWidget*>{bench.dialog->optionButton(0), bench.dialog->applyButton(),
                                   bench.dialog->statusField()}) {
            focus->setFocus();
            tapEscape(bench.dialog.get());
            tapEnter(bench.dialog.get());
        }
        QTest::qWait(20);
        QVERIFY(bench.dialog->isVisible());
        QCOMPARE(bench.dialog->result(), int(QDialog::Rejected)); // never done
        QCOMPARE(readBytes(bench.opn()), std::string("2ff\0", 4));
        // Quit closes it at once.
        bench.dialog->quitButton()->click();
        QVERIFY(!bench.dialog->isVisible());
    }

    void layoutKeepsEveryTextWhole() {
        Bench bench;
        QVERIFY(bench.open(std::string("2ff\0", 4)));
        QCOMPARE(bench.dialog->windowTitle(),
                 QStringLiteral("MCR 헤더코드 적용 및 버전 & 체크썸 확인"));
        for (QAbstractButton* button : std::vector<QAbstractButton*>{
                 bench.dialog->optionButton(0), bench.dialog->optionButton(1),
                 bench.dialog->optionButton(2), bench.dialog->optionButton(3),
                 bench.dialog->applyButton(), bench.dialog->quitButton()}) {
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        }
        const QPixmap picture = bench.dialog->pictureLabel()->pixmap();
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() <= bench.dialog->pictureLabel()->width());
        QVERIFY(picture.height() <= bench.dialog->pictureLabel()->height());
        const QFontMetrics statusMetrics(bench.dialog->statusField()->font());
        for (int option = 0; option <= 4; ++option) {
            const QString text = qs(*mcrShowStatusText(option));
            QVERIFY2(statusMetrics.horizontalAdvance(text) <
                         bench.dialog->statusField()->width() - 4,
                     qPrintable(text));
        }
        const QFontMetrics metrics(bench.dialog->resultLabel()->font());
        QVERIFY(metrics.boundingRect(QRect(0, 0, 1000, 1000), 0, kReport).height() <=
                bench.dialog->resultLabel()->height());
    }
};

QTEST_MAIN(McrDialogTest)
#include "McrDialogTest.moc"

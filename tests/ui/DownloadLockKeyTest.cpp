#include "common/qt/QtText.h"
#include "link/LinkTexts.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/DownloadDialog.h"
#include "link/qt/QtLinkKeys.h"

#include "../support/LinkFakes.h"
#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace quilby;
using quilby::testing::HoldingPacer;
using State = DownloadSession::State;

// What the download dialog's status field reads behind its message boxes:
// a transfer the user cancelled, or one during which a lock key was pressed
// (the system then writes the keyboard's LED command among the table's
// bytes), is never left looking like a running or a successful one.
class DownloadLockKeyTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    std::unique_ptr<LinkSettings> settings_;
    std::unique_ptr<SimulatedKeyboard> keyboard_;
    std::unique_ptr<QWidget> main_;
    NoConsoleKeys noConsole_;
    std::unique_ptr<HoldingPacer> pacer_;
    std::unique_ptr<DownloadDialog> dialog_;
    // Each box as "status field|box", the field read as the box is shown.
    QStringList boxes_;

    void openAndAnnounce() {
        dialog_ = std::make_unique<DownloadDialog>(
            quilby::testing::fullTable(), DownloadLink{*settings_, *keyboard_, *pacer_, noConsole_},
            main_.get());
        dialog_->show();
        postTypedKeys(dialog_->focusWidget(),
                      SimulatedKeyboard::typingOf("VAROPOSKEYBOARD", false));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(dialog_->session().state(), State::Sending);
        pacer_->allowBytes(980);
        QTRY_COMPARE(dialog_->progressBar()->value(), 50);
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }

    void init() {
        setUpTest();
        boxes_.clear();
        prompts().linkMessage = [this](QWidget*, const QString& text, bool) {
            boxes_ << dialog_->statusField()->text() + QLatin1Char('|') + text;
        };
        settings_ = std::make_unique<LinkSettings>();
        settings_->keyboardBrand = KeyboardBrand::Varo;
        settings_->selectKeyboardId();
        settings_->osFamily = OsFamily::OpenPorts;
        keyboard_ = std::make_unique<SimulatedKeyboard>(SimulatedKeyboard::Model::Varo);
        pacer_ = std::make_unique<HoldingPacer>();
        main_ = std::make_unique<QWidget>();
        main_->show();
    }

    void cleanup() {
        pacer_->open();
        dialog_.reset();
        main_.reset();
        keyboard_.reset();
        pacer_.reset();
        tearDownTest();
    }

    void aLockKeyDuringTheTransferEndsItAsAFailure() {
        openAndAnnounce();
        QTest::keyClick(dialog_->statusField(), Qt::Key_CapsLock);
        pacer_->open();
        QTRY_COMPARE(dialog_->session().state(), State::LockKeyPressed);
        // Every byte went out unchanged: only the ending differs.
        QCOMPARE(keyboard_->counters().bytesReceived, kDownloadImageSize);
        QVERIFY(keyboard_->lastImage() == buildDownloadImage(quilby::testing::fullTable()));
        QCOMPARE(dialog_->statusField()->text(), QStringLiteral("Sending Fail .......!"));
        QVERIFY(dialog_->quitButton()->isEnabled());
        QVERIFY(!dialog_->cancelButton()->isEnabled());
        const QString message = trCore("LinkTexts", texts::kDownloadLockKeyPressed);
        QVERIFY(message.contains(QString::fromUtf8("잠금 키")));
        QCOMPARE(boxes_, QStringList{QStringLiteral("Sending Fail .......!|") + message});
    }

    void aConfirmedCancelNoLongerShowsTheTransferRunning() {
        openAndAnnounce();
        answers_.yesNo = {true};
        dialog_->cancelButton()->click();
        QCOMPARE(boxes_, QStringList{QStringLiteral("Quit Download !|") +
                                     trCore("LinkTexts", texts::kDownloadCancelled)});
    }
};

QTEST_MAIN(DownloadLockKeyTest)
#include "DownloadLockKeyTest.moc"

#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/MainWindow.h"
#include "link/LinkTexts.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/McrDialog.h"
#include "link/qt/SimulatorWindow.h"

#include "../support/LinkFakes.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace quilby;

// The keyboard link as the program shows it: its state in the status bar,
// the commands that refuse up front when the port is out of reach, and the
// simulated keyboard's window.
class KeyboardLinkTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void theStatusBarShowsTheSimulatedKeyboard() {
        start();
        QCOMPARE(frame()->linkIndicator()->text(), QStringLiteral("POS 키보드: 모의 키보드"));
        QVERIFY(frame()->linkIndicator()->isVisible());
    }

    // A port out of reach is told before any dialog waits for a keyboard,
    // with the command's own failure message, the reason and the cure.
    void commandsRefuseUpFrontWhenThePortIsOutOfReach() {
        struct Case {
            Command command;
            std::string_view failure;
        };
        const Case cases[] = {
            {Command::Download, texts::kDownloadFailedRestart},
            {Command::EpromMcr, texts::kMcrSendFailed},
        };
        QTemporaryDir work;
        quilby::testing::writeBytes(work.filePath(QStringLiteral("MCR.OPN")), "1");
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(work.path());
        start();
        LinkSettings& link = app_->linkSettings();
        link.osFamily = OsFamilyPermissionStep;
        link.portReady = false;
        link.portGrant = PortGrant{};
        link.portGrant.instructionsError = EPERM;
        for (const Case& c : cases) {
            answers_.errors.clear();
            // A dialog that opened all the same is found and closed once.
            bool opened = false;
            QTimer::singleShot(50, this, [&opened] {
                if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    opened = true;
                    d->reject();
                }
            });
            frame()->action(c.command)->trigger();
            QTest::qWait(100);
            QVERIFY2(!opened, qPrintable(QString::number(static_cast<int>(c.command))));
            QCOMPARE(answers_.errors.size(), 1);
            const QString& box = answers_.errors.front();
            QVERIFY(box.startsWith(
                QString::fromUtf8(c.failure.data(), static_cast<qsizetype>(c.failure.size()))));
            QVERIFY(box.contains(QStringLiteral("포트 사용 권한 없음")));
            QVERIFY(box.contains(QStringLiteral("sudo setcap cap_sys_rawio+ep ")));
            QVERIFY(app_->simulator()->counters().bytesReceived == 0);
        }
        // Reachable again: the dialog opens as before.
        link.osFamily = OsFamilyOpenPorts;
        answers_.errors.clear();
        bool opened = false;
        quilby::testing::onNextModal(this, [&](QDialog* d) {
            opened = qobject_cast<McrDialog*>(d) != nullptr;
            d->reject();
        });
        frame()->action(Command::EpromMcr)->trigger();
        QVERIFY(opened);
        QVERIFY(answers_.errors.isEmpty());
        QDir::setCurrent(oldCurrent);
    }

    // Its close button only hides the simulator's window; the View menu
    // brings it back, showing the last MCR command the keyboard received.
    void theViewMenuReopensTheSimulator() {
        start();
        QAction* reopen = frame()->action(Command::ShowSimulator);
        QVERIFY(reopen);
        QVERIFY(reopen->isVisible());
        QVERIFY(reopen->isEnabled());
        SimulatorWindow* window = app_->simulatorWindow();
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(window->mcrCommandLabel()->text(), QStringLiteral("없음"));
        window->close();
        QVERIFY(!window->isVisible());
        for (const std::uint8_t b : {0xAA, 0xAA, 0xAA, 0x03}) {
            app_->simulator()->portWriteByte(kKeyboardDataPort, b);
        }
        reopen->trigger();
        QVERIFY(window->isVisible());
        QTRY_COMPARE(window->mcrCommandLabel()->text(), QStringLiteral("AA AA AA 03"));
    }
};

QTEST_MAIN(KeyboardLinkTest)
#include "KeyboardLinkTest.moc"

#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtText.h"
#include "document/FileIo.h"
#include "link/LinkTexts.h"
#include "link/McrOptionFile.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/McrDialog.h"
#include "link/qt/QtLinkPrompts.h"
#include "link/qt/QtLinkState.h"
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
        link.osFamily = OsFamily::PermissionStep;
        link.portReady = false;
        link.portGrant = PortGrant{};
        link.portGrant.refusal = PortGrant::Refusal::NoPermission;
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
            QVERIFY(box.contains(QStringLiteral("sudo adduser ")));
            QVERIFY(app_->simulator()->counters().bytesReceived == 0);
        }
        // Reachable again: the dialog opens as before.
        link.osFamily = OsFamily::OpenPorts;
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

    // The status bar and the up-front refusal render one decision: whether
    // the port can be reached, why not, and whether a permission cures it.
    void theLinkStateIsToldWithReasonAndCure() {
        struct Case {
            const char* name;
            std::int32_t family;
            bool ready;
            PortGrant::Refusal refusal;
            LinkBackEnd backEnd;
            QString status;
            bool refused;
            QString reason;
            bool details;
            bool cure;
        };
        const Case cases[] = {
            {"permission granted",
             1,
             true,
             PortGrant::Refusal::None,
             LinkBackEnd::Hardware,
             QStringLiteral("POS 키보드: 포트 준비됨 (PS/2 포트의 키보드만)"),
             false,
             {},
             false,
             false},
            {"no permission", 1, false, PortGrant::Refusal::NoPermission, LinkBackEnd::Hardware,
             QStringLiteral("POS 키보드: 포트 사용 불가 (포트 사용 권한 없음)"), true,
             QStringLiteral("포트 사용 권한 없음"), true, true},
            {"kernel without ioperm", 1, false, PortGrant::Refusal::KernelRefuses,
             LinkBackEnd::Hardware,
             QStringLiteral("POS 키보드: 포트 사용 불가 (이 커널에서는 포트에 접근할 수 없음)"),
             true, QStringLiteral("이 커널에서는 포트에 접근할 수 없음"), true, false},
            {"no keyboard controller", 1, false, PortGrant::Refusal::NoController,
             LinkBackEnd::Hardware,
             QStringLiteral("POS 키보드: 포트 사용 불가 (키보드 컨트롤러 없음)"), true,
             QStringLiteral("키보드 컨트롤러 없음"), true, false},
            {"helper not installed", 1, false, PortGrant::Refusal::HelperMissing,
             LinkBackEnd::Hardware,
             QStringLiteral("POS 키보드: 포트 사용 불가 (포트 도우미를 실행할 수 없음)"), true,
             QStringLiteral("포트 도우미를 실행할 수 없음"), true, false},
            {"no port instructions", 0, false, PortGrant::Refusal::None, LinkBackEnd::Hardware,
             QStringLiteral("POS 키보드: 포트 사용 불가 (이 컴퓨터에는 포트 명령이 없음)"), true,
             QStringLiteral("이 컴퓨터에는 포트 명령이 없음"), false, false},
            {"simulated keyboard",
             2,
             false,
             PortGrant::Refusal::None,
             LinkBackEnd::Simulated,
             QStringLiteral("POS 키보드: 모의 키보드"),
             false,
             {},
             false,
             false},
        };
        for (const Case& c : cases) {
            LinkSettings settings;
            settings.osFamily = OsFamily{c.family};
            settings.portReady = c.ready;
            settings.portGrant.granted = c.ready;
            settings.portGrant.refusal = c.refusal;
            QCOMPARE(QtLinkState::statusText(settings, c.backEnd), c.status);
            const auto message =
                QtLinkState::refusalMessage(settings, texts::kDownloadFailedRestart, "kim");
            QVERIFY2(message.has_value() == c.refused, c.name);
            if (!message) {
                continue;
            }
            // The command's own failure message comes first, then the reason,
            // the details and the cure.
            QString expected = quilby::qs(texts::kDownloadFailedRestart) +
                               QStringLiteral("\n\n키보드 포트(0x60)에 접근할 수 없습니다: ") +
                               c.reason + QStringLiteral(".");
            if (c.details) {
                expected += QStringLiteral("\n(") + quilby::qs(settings.portGrant.explanation()) +
                            QStringLiteral(")");
            }
            if (c.cure) {
                expected += QStringLiteral(
                    "\n\n키보드 포트는 quilby 그룹의 계정만 쓸 수 있습니다. 관리자가 한 번:\n"
                    "sudo adduser kim quilby\n그리고 다시 로그인하십시오. 그룹 밖의 계정(계산원 "
                    "계정 등)은 키보드를 다시 프로그래밍할 수 없습니다.");
            }
            QCOMPARE(*message, expected);
        }
    }

    // The cure is a command to paste: an odd account name stays one word.
    void theCureQuotesTheAccountName() {
        LinkSettings settings;
        settings.osFamily = OsFamily::PermissionStep;
        settings.portGrant.refusal = PortGrant::Refusal::NoPermission;
        const struct {
            const char* path;
            const char* word;
        } cases[] = {
            {"kim.min-su", "adduser kim.min-su quilby\n"},
            {"POS tools", "adduser 'POS tools' quilby\n"},
            {"it's", "adduser 'it'\\''s' quilby\n"},
            {"$(rm -rf ~)", "adduser '$(rm -rf ~)' quilby\n"},
        };
        for (const auto& c : cases) {
            const auto message =
                QtLinkState::refusalMessage(settings, texts::kMcrSendFailed, c.path);
            QVERIFY(message);
            QVERIFY2(message->contains(QString::fromUtf8(c.word)), qPrintable(*message));
        }
    }

    // MCR.OPN's errors name the file, the folder, the reason and what to do.
    void mcrFileErrorsAreToldWithFolderAndCure() {
        using Op = McrFileError::Operation;
        const QString reasonEacces = quilby::qs(koreanReason(EACCES));
        const QString reasonEnospc = quilby::qs(koreanReason(ENOSPC));
        const struct {
            const char* name;
            McrFileError error;
            QString text;
        } cases[] = {
            {"missing, no shipped copy",
             {Op::Read, "/work/pos", ENOENT, {}},
             QStringLiteral("MCR.OPN 파일이 없습니다.\n찾은 폴더: /work/pos\n(프로그램은 이 "
                            "파일을 만들지 않습니다.)")},
            {"missing, shipped copy",
             {Op::Read, "/work/pos", ENOENT, "/usr/share/quilby/MCR.OPN"},
             QStringLiteral("MCR.OPN 파일이 없습니다.\n찾은 폴더: /work/pos\n(프로그램은 이 "
                            "파일을 만들지 않습니다.)\n기본 파일(헤드 코드 사용 안 함)을 이 "
                            "폴더로 복사하십시오: /usr/share/quilby/MCR.OPN")},
            {"unreadable",
             {Op::Read, "/work/pos", EACCES, {}},
             QStringLiteral("MCR.OPN 파일을 읽을 수 없습니다: ") + reasonEacces +
                 QStringLiteral("\n폴더: /work/pos")},
            {"unwritable",
             {Op::Write, "/work/pos", ENOSPC, {}},
             QStringLiteral("MCR.OPN 파일에 쓸 수 없습니다: ") + reasonEnospc +
                 QStringLiteral("\n폴더: /work/pos\nMCR 설정은 바뀌지 않았습니다.")},
        };
        for (const auto& c : cases) {
            QCOMPARE(QtLinkPrompts::fileErrorText(c.error), c.text);
        }
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

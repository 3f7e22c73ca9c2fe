#include "help/qt/ManualWindow.h"

#include "common/qt/QtPrompts.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "common/qt/QtTranslations.h"
#include "help/DetachedProcess.h"
#include "help/HelpCommand.h"
#include "help/HelpLocator.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSocketNotifier>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace quilby {

namespace {

ManualViewerHooks defaultHooks() {
    ManualViewerHooks hooks;
    // The manual in the language the windows speak.
    hooks.findManual = [] {
        return findManual(runningBinaryDir(), manualFileName(languageCode(runningLanguage())));
    };
    hooks.launch = [](const std::vector<std::string>& argv) { return startWatched(argv); };
    return hooks;
}

QString localPath(const std::filesystem::path& p) {
    return fromLocalPath(p.string());
}

} // namespace

ManualViewerHooks& manualViewerHooks() {
    static ManualViewerHooks hooks = defaultHooks();
    return hooks;
}

void resetManualViewerHooks() {
    manualViewerHooks() = defaultHooks();
}

ManualWindow::ManualWindow(const std::filesystem::path& manual, QWidget* parent)
    : QWidget(parent, Qt::Window), manual_(manual) {
    setObjectName(QStringLiteral("manualWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* back = new QPushButton(QCoreApplication::translate("ManualWindow", "뒤로"), this);
    auto* contents = new QPushButton(QCoreApplication::translate("ManualWindow", "처음으로"), this);
    findField_ = new QLineEdit(this);
    findField_->setPlaceholderText(QCoreApplication::translate("ManualWindow", "찾을 내용"));
    findField_->setClearButtonEnabled(true);
    findField_->setAccessibleName(QCoreApplication::translate("ManualWindow", "찾을 내용"));
    auto* previous = new QPushButton(QCoreApplication::translate("ManualWindow", "이전"), this);
    auto* next = new QPushButton(QCoreApplication::translate("ManualWindow", "다음"), this);
    findStatus_ = new QLabel(this);
    desktopButton_ =
        new QPushButton(QCoreApplication::translate("ManualWindow", "웹 브라우저로 열기"), this);
    desktopButton_->setToolTip(
        QCoreApplication::translate("ManualWindow", "이 설명서를 데스크톱의 웹 브라우저로 엽니다"));

    viewerReport_ = new QLabel(this);
    viewerReport_->setObjectName(QStringLiteral("viewerReport"));
    viewerReport_->setWordWrap(true);
    viewerReport_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    viewerReport_->setStyleSheet(QStringLiteral(
        "QLabel { background: #fff8e0; border-left: 4px solid #e0b000; padding: 4px 8px; }"));
    viewerReport_->hide();

    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    // Anything outside the manual (a web address) goes to the desktop.
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({localPath(manual.parent_path())});
    browser_->setSource(QUrl::fromLocalFile(localPath(manual)));
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QCoreApplication::translate("ManualWindow", "유틸리티 도움말")
                                   : title);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(contents);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QCoreApplication::translate("ManualWindow", "찾기:"), this));
    bar->addWidget(findField_, 1);
    bar->addWidget(previous);
    bar->addWidget(next);
    bar->addWidget(findStatus_);
    bar->addSpacing(12);
    bar->addWidget(desktopButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(viewerReport_);
    layout->addWidget(browser_, 1);
    resize(860, 760);
    keepOnScreen(this);

    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(findField_, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(findField_, &QLineEdit::textChanged, this, [this] {
        findField_->setStyleSheet(QString());
        findStatus_->clear();
    });
    connect(next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(desktopButton_, &QPushButton::clicked, this, &ManualWindow::openInDesktopViewer);

    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        findField_->setFocus();
        findField_->selectAll();
    });
    auto* nextKey = new QShortcut(QKeySequence::FindNext, this);
    connect(nextKey, &QShortcut::activated, this, [this] { findNext(); });
    auto* previousKey = new QShortcut(QKeySequence::FindPrevious, this);
    connect(previousKey, &QShortcut::activated, this, [this] { findNext(true); });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

bool ManualWindow::findNext(bool backwards) {
    const QString text = findField_->text();
    if (text.isEmpty()) {
        return false;
    }
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        // Once round the end, as a reader expects of find.
        const QTextCursor keep = browser_->textCursor();
        browser_->moveCursor(backwards ? QTextCursor::End : QTextCursor::Start);
        found = browser_->find(text, flags);
        if (!found) {
            browser_->setTextCursor(keep);
        }
    }
    findField_->setStyleSheet(found ? QString()
                                    : QStringLiteral("QLineEdit { background: #fdd; }"));
    findStatus_->setText(found ? QString()
                               : QCoreApplication::translate("ManualWindow", "찾을 수 없습니다"));
    return found;
}

ManualWindow::~ManualWindow() {
    stopWatchingViewer();
}

// The opener is not waited for: a failure at its start is said at once, one
// after it started (no browser, no display) when its end arrives.
void ManualWindow::openInDesktopViewer() {
    stopWatchingViewer();
    showViewerReport(HelpReport::None, 0);
    const DetachedStart started = manualViewerHooks().launch(manualViewerCommand(manual_));
    if (started.error != 0 || started.endPipe < 0) {
        showViewerReport(helpReportFor(true, started.error), started.error);
        return;
    }
    viewerEndPipe_ = started.endPipe;
    viewerWatch_ = new QSocketNotifier(viewerEndPipe_, QSocketNotifier::Read, this);
    connect(viewerWatch_, &QSocketNotifier::activated, this, [this] {
        const std::optional<int> status = readProgramEnd(viewerEndPipe_);
        stopWatchingViewer();
        if (status) {
            showViewerReport(helpReportForViewerEnd(*status), *status);
        }
    });
}

void ManualWindow::stopWatchingViewer() {
    delete viewerWatch_;
    viewerWatch_ = nullptr;
    if (viewerEndPipe_ >= 0) {
        ::close(viewerEndPipe_);
        viewerEndPipe_ = -1;
    }
}

void ManualWindow::showViewerReport(HelpReport report, int detail) {
    viewerReport_->setText(helpReportText(report, detail));
    viewerReport_->setVisible(report != HelpReport::None);
}

QString helpReportText(HelpReport report, int detail) {
    switch (report) {
    case HelpReport::None:
        return {};
    case HelpReport::InstallManual:
        // Said as the installation message says it, naming what is missing.
        return QCoreApplication::translate(
                   "ManualWindow",
                   "메뉴얼을 보기 위해선 \n\n메뉴얼 파일(%1)의 설치가 필요합니다. \n\n메뉴얼은 "
                   "%2 자료실 에서 다운로드 하실수 있습니다.")
            .arg(qs(kManualFileName), qs(kProjectPage));
    case HelpReport::InstallViewer:
        return QCoreApplication::translate(
                   "ManualWindow",
                   "메뉴얼을 보기 위해선 \n\n웹 브라우저(HTML 뷰어)의 설치가 필요합니다. "
                   "\n\n메뉴얼은 %1 자료실 에서 다운로드 하실수 있습니다.")
            .arg(qs(kProjectPage));
    case HelpReport::InvalidExecutable:
        return QCoreApplication::translate("ManualWindow", "메모리 오류");
    case HelpReport::StartFailed:
        return QCoreApplication::translate("ManualWindow",
                                           "메뉴얼 보기 프로그램을 시작할 수 없습니다.\n\n%1")
            .arg(qs(std::error_code(detail, std::generic_category()).message()));
    case HelpReport::ViewerFailed:
        return (WIFSIGNALED(detail)
                    ? QCoreApplication::translate("ManualWindow",
                                                  "웹 브라우저를 여는 프로그램(%1)이 신호 %2로 "
                                                  "끝나 설명서를 웹 브라우저로 열지 못했습니다.")
                          .arg(qs(kDesktopOpener))
                          .arg(WTERMSIG(detail))
                    : QCoreApplication::translate(
                          "ManualWindow", "웹 브라우저를 여는 프로그램(%1)이 실패하여(종료 "
                                          "코드 %2) 설명서를 웹 브라우저로 열지 못했습니다.")
                          .arg(qs(kDesktopOpener))
                          .arg(WEXITSTATUS(detail))) +
               QCoreApplication::translate("ManualWindow",
                                           " 웹 브라우저가 설치되어 있는지, 화면에 연결된 "
                                           "세션인지 확인하여 주십시오. 설명서는 이 창에서 "
                                           "계속 볼 수 있습니다.");
    }
    return {};
}

ManualWindow* showManual(QWidget* parent) {
    const auto manual = manualViewerHooks().findManual();
    if (!manual) {
        prompts().information(parent, helpReportText(HelpReport::InstallManual, ENOENT));
        return nullptr;
    }
    ManualWindow* window = parent ? parent->findChild<ManualWindow*>() : nullptr;
    if (!window) {
        window = new ManualWindow(*manual, parent);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace quilby

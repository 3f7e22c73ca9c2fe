#include "app/qt/MainWindow.h"

#include "app/qt/Application.h"
#include "app/qt/CommandAction.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainView.h"
#include "app/qt/ToolbarIcons.h"
#include "common/qt/QtLockState.h"
#include "common/qt/QtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace quilby {

MainWindow::MainWindow(Application* app, DocumentController* document)
    : app_(app), document_(document), view_(new MainView(document, this)) {
    setCentralWidget(view_);
    view_->setPrinterSource([app] { return app->printer(); });
    document_->setDialogParent(this);
    setAcceptDrops(true);

    auto* showToolBar = createCommandAction(Command::ShowToolBar, this);
    connect(showToolBar, &QAction::toggled, this, &MainWindow::setToolBarShown);
    auto* showStatusBar = createCommandAction(Command::ShowStatusBar, this);
    connect(showStatusBar, &QAction::toggled, this, &MainWindow::setStatusBarShown);
    // Stands in the File menu while the recent-file list is empty.
    recentPlaceholder_ = createCommandAction(Command::RecentFile, this);
    recentPlaceholder_->setEnabled(false);
    addActions({showToolBar, showStatusBar, recentPlaceholder_});
    addActions(app_->commandActions());
    addActions(document_->commandActions());
    addActions(view_->commandActions());

    createMenus();
    createToolBar();
    createStatusBar();
    showToolBar->setChecked(true);
    showStatusBar->setChecked(true);

    connect(document_, &DocumentController::titleChanged, this, [this] {
        caption_.documentTitleChanged();
        updateCaption();
    });
    connect(document_, &DocumentController::modifiedChanged, this, &MainWindow::updateCaption);
    updateCaption();
}

void MainWindow::addActions(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        actions_.insert(commandOf(action), action);
        // Shortcuts work while any control of the window has the focus.
        QWidget::addAction(action);
    }
}

void MainWindow::createMenus() {
    for (const MenuLayout& layout : menuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(trCore(kCommandTextContext, layout.title));
        for (const auto& item : layout.items) {
            if (!item) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(actions_.value(*item));
            if (*item == Command::RecentFile) {
                fileMenu_ = menu;
            }
        }
    }
}

void MainWindow::createToolBar() {
    toolBar_ = new QToolBar(tr("도구 모음"), this);
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    toolBar_->setIconSize(QSize(18, 18));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setStyleSheet(QStringLiteral("QToolButton { min-width: 21px; max-width: 21px; "
                                           "min-height: 20px; max-height: 20px; padding: 1px; }"));
    for (const auto& item : toolBarLayout()) {
        if (!item) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.value(*item);
        action->setIcon(toolbarIcon(*item));
        toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void MainWindow::createStatusBar() {
    auto* bar = statusBar();
    auto* idle = new QLabel(trCore(kCommandTextContext, kIdleStatusText), bar);
    bar->addWidget(idle, 1);
    auto indicator = [bar](const QString& text) {
        auto* label = new QLabel(text, bar);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        bar->addPermanentWidget(label);
        return label;
    };
    linkIndicator_ = new QLabel(bar);
    linkIndicator_->setObjectName(QStringLiteral("linkState"));
    linkIndicator_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(linkIndicator_);
    capIndicator_ = indicator(tr("CAP"));
    numIndicator_ = indicator(tr("NUM"));
    scrlIndicator_ = indicator(tr("SCRL"));
    lockTimer_ = new QTimer(this);
    lockTimer_->setInterval(250);
    connect(lockTimer_, &QTimer::timeout, this, &MainWindow::refreshLockIndicators);
    lockTimer_->start();
    refreshLockIndicators();
}

void MainWindow::setToolBarShown(bool shown) {
    toolBar_->setVisible(shown);
}

void MainWindow::setStatusBarShown(bool shown) {
    statusBar()->setVisible(shown);
}

void MainWindow::showLinkState(const QString& text) {
    linkIndicator_->setText(text);
    linkIndicator_->setToolTip(text);
}

void MainWindow::refreshLockIndicators() {
    const KeyboardLights states = queryKeyboardLights();
    // An indicator whose lock is off is shown greyed, as it always was.
    capIndicator_->setEnabled(states.capsLock);
    numIndicator_->setEnabled(states.numLock);
    scrlIndicator_->setEnabled(states.scrollLock);
}

void MainWindow::updateRecentFiles() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const auto& list = app_->recentFiles();
    recentPlaceholder_->setVisible(list.entries().empty());
    for (std::size_t i = 0; i < list.entries().size(); ++i) {
        auto* action = new QAction(fromLocalPath(list.menuText(i)), this);
        action->setStatusTip(
            trCore(kCommandTextContext, commandInfo(Command::RecentFile).statusTip));
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, app_, [this, index] { app_->openRecentFile(index); });
        fileMenu_->insertAction(recentPlaceholder_, action);
        recentActions_.append(action);
    }
}

void MainWindow::updateCaption() {
    setWindowTitle(qs(caption_.text(toUtf8(document_->title()), document_->isModified())));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (document_->maybeSave()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    const QString path = urls.front().toLocalFile();
    // Opened after the drop has finished, so the save prompt is not shown
    // inside the drag-and-drop loop.
    QTimer::singleShot(0, this, [this, path] { app_->openDocumentFile(path); });
}

} // namespace quilby

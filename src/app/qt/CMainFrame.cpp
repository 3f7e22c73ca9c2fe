#include "app/qt/CMainFrame.h"

#include "app/Commands.h"
#include "app/qt/CKeyLayoutView.h"
#include "app/qt/CQuilbyApp.h"
#include "app/qt/CQuilbyDoc.h"
#include "app/qt/CQuilbyView.h"
#include "app/qt/QtToolbarIcons.h"
#include "common/qt/QtLockState.h"
#include "common/qt/QtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

namespace quilby {

CMainFrame::CMainFrame(CQuilbyApp* app, CQuilbyDoc* document)
    : app_(app), document_(document), view_(new CQuilbyView(document, this)) {
    setCentralWidget(view_);
    view_->setPrinterSource([app] { return app->printer(); });
    setAcceptDrops(true);
    createMenus();
    createToolBar();
    createStatusBar();
    addTableViewCommands();
    createAccelerators();
    connect(document_, &CQuilbyDoc::titleChanged, this, [this] {
        caption_.documentTitleChanged();
        updateCaption();
    });
    connect(document_, &CQuilbyDoc::modifiedChanged, this, &CMainFrame::updateCaption);
    updateCaption();
}

QAction* CMainFrame::makeAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    if (const auto prompt = statusPrompt(id)) {
        action->setStatusTip(qs(*prompt));
    }
    // Set always: Qt would otherwise derive it from the menu text, mnemonic and all.
    action->setToolTip(qs(toolbarTooltip(id)));
    action->setEnabled(isCommandEnabled(id));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_.insert(id, action);
    return action;
}

void CMainFrame::createMenus() {
    for (const auto& popup : mainMenu()) {
        QMenu* menu = menuBar()->addMenu(qs(popup.title));
        if (popup.items.front().id == ID_FILE_NEW) {
            fileMenu_ = menu;
        }
        for (const auto& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = makeAction(item.id, qs(item.text));
            if (item.id == ID_FILE_MRU_FILE1) {
                recentPlaceholder_ = action;
                action->setEnabled(false);
            }
            if (item.id == ID_VIEW_TOOLBAR || item.id == ID_VIEW_STATUS_BAR) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            menu->addAction(action);
        }
    }
}

void CMainFrame::createToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("도구 모음"), this);
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    toolBar_->setIconSize(QSize(18, 18));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setStyleSheet(QStringLiteral("QToolButton { min-width: 21px; max-width: 21px; "
                                           "min-height: 20px; max-height: 20px; padding: 1px; }"));
    addToolbarButtons(toolbarLayout());
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

// Buttons in order; 0 is a separator.
void CMainFrame::addToolbarButtons(const std::vector<int>& ids) {
    for (int id : ids) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.value(id);
        action->setIcon(toolbarIcon(id));
        toolBar_->addAction(action);
    }
}

void CMainFrame::createStatusBar() {
    auto* bar = statusBar();
    auto* idle = new QLabel(qs(kIdleStatusText), bar);
    bar->addWidget(idle, 1);
    auto indicator = [bar](const char* text) {
        auto* label = new QLabel(QString::fromLatin1(text), bar);
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
    capIndicator_ = indicator("CAP");
    numIndicator_ = indicator("NUM");
    scrlIndicator_ = indicator("SCRL");
    lockTimer_ = new QTimer(this);
    lockTimer_->setInterval(250);
    connect(lockTimer_, &QTimer::timeout, this, &CMainFrame::refreshLockIndicators);
    lockTimer_->start();
    refreshLockIndicators();
}

void CMainFrame::showLinkState(const QString& text) {
    linkIndicator_->setText(text);
    linkIndicator_->setToolTip(text);
}

void CMainFrame::refreshLockIndicators() {
    const KeyboardLights states = queryKeyboardLights();
    // An indicator whose lock is off is shown greyed, as it always was.
    capIndicator_->setEnabled(states.capsLock);
    numIndicator_->setEnabled(states.numLock);
    scrlIndicator_->setEnabled(states.scrollLock);
}

void CMainFrame::createAccelerators() {
    for (const auto& acc : accelerators()) {
        QAction* action = actions_.value(acc.id);
        const QKeySequence keys(
            QString::fromLatin1(acc.keys.data(), static_cast<qsizetype>(acc.keys.size())));
        if (action) {
            action->setShortcuts(action->shortcuts() << keys);
            continue;
        }
        // Editing and pane keys exist without a handler: they do nothing.
        auto* idle = new QAction(this);
        idle->setShortcut(keys);
        idle->setEnabled(false);
        addAction(idle);
    }
}

namespace {

QSettings viewSettings() {
    return QSettings(qs(kSettingsOrganisation), qs(kApplicationTitle));
}
const QString kLayoutSetting = QStringLiteral("Settings/LayoutView");
const QString kListingSetting = QStringLiteral("Settings/LayoutListing");

} // namespace

void CMainFrame::addTableViewCommands() {
    QMenu* edit = new QMenu(qs(editMenu().title), this);
    for (const auto& item : editMenu().items) {
        if (item.id == 0) {
            edit->addSeparator();
        } else {
            edit->addAction(makeAction(item.id, qs(item.text)));
        }
    }
    const QList<QAction*> popups = menuBar()->actions();
    menuBar()->insertMenu(popups.size() > 1 ? popups.at(1) : nullptr, edit);

    for (const auto& addition : menuAdditions()) {
        QAction* anchor = actions_.value(addition.anchor);
        QMenu* menu = nullptr;
        for (QMenu* m : menuBar()->findChildren<QMenu*>()) {
            if (m->actions().contains(anchor)) {
                menu = m;
            }
        }
        if (!menu) {
            continue;
        }
        const QList<QAction*> items = menu->actions();
        const qsizetype at = items.indexOf(anchor);
        QAction* before = at + 1 < items.size() ? items.at(at + 1) : nullptr;
        for (const auto& item : addition.items) {
            QAction* action = item.id == 0 ? new QAction(this) : makeAction(item.id, qs(item.text));
            action->setSeparator(item.id == 0);
            menu->insertAction(before, action);
        }
    }
    addToolbarButtons(toolbarAdditions());
    for (const auto& acc : acceleratorAdditions()) {
        QAction* action = actions_.value(acc.id);
        action->setShortcuts(action->shortcuts() << QKeySequence(QString::fromLatin1(
                                 acc.keys.data(), static_cast<qsizetype>(acc.keys.size()))));
    }
    // The editing keys belong to the layout, not to whichever control has the focus.
    for (int id :
         {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR}) {
        actions_.value(id)->setShortcutContext(Qt::WindowShortcut);
    }
    view_->layoutView()->setContextActions(
        {actions_.value(ID_EDIT_CUT), actions_.value(ID_EDIT_COPY), actions_.value(ID_EDIT_PASTE),
         actions_.value(ID_EDIT_CLEAR)});
    QAction* layout = actions_.value(ID_VIEW_LAYOUT);
    layout->setCheckable(true);
    view_->showLayout(viewSettings().value(kLayoutSetting, false).toBool());
    layout->setChecked(view_->layoutShown());
    QAction* listing = actions_.value(ID_LAYOUT_LISTING);
    listing->setCheckable(true);
    view_->setLayoutListing(viewSettings().value(kListingSetting, true).toBool());
    listing->setChecked(view_->layoutListing());
    connect(view_, &CQuilbyView::commandStatesChanged, this, &CMainFrame::refreshTableCommands);
    refreshTableCommands();
}

void CMainFrame::refreshTableCommands() {
    for (int id :
         {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR}) {
        actions_.value(id)->setEnabled(view_->isCommandEnabled(id));
    }
    const QUndoStack* undo = document_->undoStack();
    const auto named = [](QString text, const QString& step) {
        if (step.isEmpty()) {
            return text;
        }
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        return text.insert(tab, QLatin1Char(' ') + step);
    };
    actions_.value(ID_EDIT_UNDO)
        ->setText(named(QStringLiteral("실행 취소(&U)\tCtrl+Z"), undo->undoText()));
    actions_.value(ID_EDIT_REDO)
        ->setText(named(QStringLiteral("다시 실행(&R)\tCtrl+Y"), undo->redoText()));
    if (QAction* layout = actions_.value(ID_VIEW_LAYOUT);
        layout && layout->isChecked() != view_->layoutShown()) {
        layout->setChecked(view_->layoutShown());
    }
}

bool CMainFrame::isCommandEnabled(int id) const {
    switch (commandOwner(id)) {
    case CommandOwner::View:
        return view_->isCommandEnabled(id);
    case CommandOwner::Document:
    case CommandOwner::Frame:
        return true;
    case CommandOwner::Application:
        return app_->isCommandEnabled(id);
    case CommandOwner::Nobody:
        return false;
    }
    return false;
}

void CMainFrame::OnCommand(int id) {
    if (view_->OnCommand(id)) {
        if (id == ID_VIEW_LAYOUT) {
            viewSettings().setValue(kLayoutSetting, view_->layoutShown());
            actions_.value(id)->setChecked(view_->layoutShown());
        } else if (id == ID_LAYOUT_LISTING) {
            viewSettings().setValue(kListingSetting, view_->layoutListing());
            actions_.value(id)->setChecked(view_->layoutListing());
        }
        return;
    }
    switch (id) {
    case ID_FILE_SAVE:
        document_->OnFileSave(this);
        return;
    case ID_FILE_SAVE_AS:
        document_->OnFileSaveAs(this);
        return;
    case ID_VIEW_TOOLBAR:
        toolBar_->setVisible(!toolBar_->isVisible());
        actions_.value(id)->setChecked(toolBar_->isVisible());
        return;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(!statusBar()->isVisible());
        actions_.value(id)->setChecked(statusBar()->isVisible());
        return;
    case ID_VIEW_LAYOUT:
        return;
    default:
        app_->OnCommand(id);
        return;
    }
}

void CMainFrame::updateRecentFiles() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const auto& list = app_->recentFiles();
    recentPlaceholder_->setVisible(list.entries().empty());
    for (std::size_t i = 0; i < list.entries().size(); ++i) {
        const int id = ID_FILE_MRU_FILE1 + static_cast<int>(i);
        auto* action = new QAction(fromLocalPath(list.menuText(i)), this);
        action->setStatusTip(qs(*statusPrompt(id)));
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        fileMenu_->insertAction(recentPlaceholder_, action);
        recentActions_.append(action);
    }
}

void CMainFrame::updateCaption() {
    setWindowTitle(qs(caption_.text(toUtf8(document_->title()), document_->isModified())));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (document_->SaveModified(this)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
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

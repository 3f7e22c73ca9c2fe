#pragma once

#include "app/CommandTable.h"
#include "app/StartupOptions.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace quilby {

class Application;
class DocumentController;
class MainView;

// The main window: menu bar, toolbar and status bar (link state and the lock
// indicators). It lays out the actions of the objects that handle them (the
// application, the document, the view) as the command table orders them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Application* app, DocumentController* document);

    MainView* view() const { return view_; }
    // The application object: the keyboard link and the printer live there.
    Application* app() const { return app_; }
    QAction* action(Command command) const { return actions_.value(command); }
    QToolBar* toolBar() const { return toolBar_; }
    // The File menu's entries of the recent files, most recent first.
    const QList<QAction*>& recentFileActions() const { return recentActions_; }

    // Rebuilds the recent-file entries of the File menu.
    void updateRecentFiles();
    void updateCaption();

    // The keyboard link's state, shown for good in the status bar: a program
    // started from a desktop launcher has no standard error to read.
    void showLinkState(const QString& text);
    QLabel* linkIndicator() const { return linkIndicator_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private Q_SLOTS:
    void setToolBarShown(bool shown);
    void setStatusBarShown(bool shown);
    void refreshLockIndicators();

private:
    void addActions(const QList<QAction*>& actions);
    void createMenus();
    void createToolBar();
    void createStatusBar();

    Application* app_;
    DocumentController* document_;
    MainView* view_;
    QHash<Command, QAction*> actions_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QList<QAction*> recentActions_;
    QLabel* linkIndicator_ = nullptr;
    QLabel* capIndicator_ = nullptr;
    QLabel* numIndicator_ = nullptr;
    QLabel* scrlIndicator_ = nullptr;
    QTimer* lockTimer_ = nullptr;
    FrameCaption caption_;
};

} // namespace quilby

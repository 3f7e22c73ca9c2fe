#pragma once

#include "app/StartupOptions.h"

#include <QHash>
#include <QMainWindow>

#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace quilby {

class CQuilbyApp;
class CQuilbyDoc;
class CQuilbyView;

// The main window: menu, toolbar, status bar with the lock indicators, and
// the routing of every command to the view, the document or the application.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CQuilbyApp* app, CQuilbyDoc* document);

    CQuilbyView* view() const { return view_; }
    CQuilbyDoc* GetActiveDocument() const { return document_; }
    // The application object: the keyboard link and the printer live there.
    CQuilbyApp* app() const { return app_; }
    QAction* commandAction(int id) const { return actions_.value(id); }
    QToolBar* toolBar() const { return toolBar_; }

    // Routes a command as the program always has: view first, then the
    // document, the frame, the application.
    void OnCommand(int id);

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

private:
    void createMenus();
    void createToolBar();
    void addToolbarButtons(const std::vector<int>& ids);
    void createStatusBar();
    void createAccelerators();
    // The table views' additions: the Edit menu, items in the other menus,
    // the layout button, the undo texts and the remembered view.
    void addTableViewCommands();
    void refreshTableCommands();
    QAction* makeAction(int id, const QString& text);
    bool isCommandEnabled(int id) const;
    void refreshLockIndicators();

    CQuilbyApp* app_;
    CQuilbyDoc* document_;
    CQuilbyView* view_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QList<QAction*> recentActions_;
    QHash<int, QAction*> actions_;
    QLabel* linkIndicator_ = nullptr;
    QLabel* capIndicator_ = nullptr;
    QLabel* numIndicator_ = nullptr;
    QLabel* scrlIndicator_ = nullptr;
    QTimer* lockTimer_ = nullptr;
    FrameCaption caption_;
};

} // namespace quilby

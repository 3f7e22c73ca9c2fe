#pragma once

#include "editing/qt/KeyTesterWindow.h"
#include "layout/qt/TableDiffWindow.h"

#include <QList>
#include <QPointer>
#include <QScrollArea>

#include <functional>
#include <string_view>

class QAction;
class QPainter;
class QPrinter;

namespace quilby {

class KeyLayoutView;
class Application;
class DocumentController;

// The main view: the fixed usage notes or the layout view, and the commands
// that work on what it shows: the key editor, the link dialogs, printing,
// help and the table edits.
class MainView : public QScrollArea {
    Q_OBJECT
public:
    MainView(DocumentController* document, QWidget* parent = nullptr);

    // Where printing and the preview get the program's printer from (the
    // application owns it, Print Setup shares it); the print commands are
    // enabled from then on.
    void setPrinterSource(std::function<QPrinter*()> source);

    // The actions of the view's commands, for the main window to place.
    const QList<QAction*>& commandActions() const { return actions_; }

    // The notes, drawn at their pixel positions; does not depend on the document.
    static void drawNotes(QPainter& painter);
    static QSize notesSize();

    bool layoutShown() const { return layoutShown_; }
    // Whether the layout's print-outs add the listing of every entry.
    bool layoutListing() const { return layoutListing_; }
    KeyLayoutView* layoutView() const { return layout_; }
    KeyTesterWindow* keyTester() const { return tester_; }
    TableDiffWindow* comparison() const { return comparison_; }

public Q_SLOTS:
    void newFile();
    void editKeys();
    // The key editor on `startKey`; its OK is one undoable step.
    void runKeyEditor(int startKey = 0);
    void showSpecialKeys();
    void download();
    void checkEpromMcr();
    void checkVersion();
    void showDefaultKeys();
    void showHelp();
    void printLabels();
    void previewLabels();
    // The layout view in place of the notes, or the notes back; remembered.
    void setLayoutShown(bool shown);
    void setLayoutListing(bool listing);
    void showKeyTester();
    // "다른 파일과 비교": asks for a file, marks the cells it differs in.
    void compareWithFile();
    // "다운로드 기록": the record; a kept table opens as a new document.
    void showDownloadHistory();
    void printLayout();
    void previewLayout();
    void exportLayoutPdf();
    void cut();
    void copy();
    void paste();
    void deleteKey();

private:
    void createActions();
    void refreshEditActions();
    bool portReachable(std::string_view failureMessage);
    // The application that owns the main window this view sits in.
    Application& app() const;

    DocumentController* document_;
    std::function<QPrinter*()> printerSource_;
    QWidget* notes_;
    KeyLayoutView* layout_;
    bool layoutShown_ = false;
    bool layoutListing_ = true;
    QPointer<KeyTesterWindow> tester_;
    QPointer<TableDiffWindow> comparison_;
    QList<QAction*> actions_;
    QList<QAction*> printActions_;
    QList<QAction*> selectionActions_; // Cut, Copy, Delete
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QAction* layoutAction_ = nullptr;
    QAction* listingAction_ = nullptr;
};

} // namespace quilby

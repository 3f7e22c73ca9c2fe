#pragma once

#include "editing/qt/KeyTesterWindow.h"

#include <QPointer>
#include <QScrollArea>

#include <functional>
#include <string_view>

class QPainter;
class QPrinter;

namespace quilby {
struct KeyTableData;
}

namespace quilby {

class CKeyLayoutView;
class CQuilbyApp;
class CQuilbyDoc;

// The main view: the fixed usage notes, and the place where the program's
// own commands arrive (the key editor, the link dialogs, printing, help).
class CQuilbyView : public QScrollArea {
    Q_OBJECT
public:
    CQuilbyView(CQuilbyDoc* document, QWidget* parent = nullptr);

    CQuilbyDoc* GetDocument() const { return document_; }

    // Where printing, the direct print and the preview get the program's
    // printer from (the application owns it, Print Setup shares it).
    void setPrinterSource(std::function<QPrinter*()> source) { printerSource_ = std::move(source); }

    // Whether the view can run a command now (dialogs that are not part of
    // the program yet keep their commands disabled).
    bool isCommandEnabled(int id) const;

    // Runs a view command; returns false when the view does not handle it.
    bool OnCommand(int id);

    // The notes, drawn at their pixel positions; does not depend on the document.
    static void drawNotes(QPainter& painter);
    static QSize notesSize();

    void OnFileNew();
    void OnKeyEdit();
    // The key editor on `startKey`; its OK is one undoable step.
    void runKeyEditor(int startKey = 0);
    void OnDownload();
    void OnEpromMcr();
    void OnVersionCheck();
    void OnDefaultKey();
    void OnUtilityHelp();
    void OnFilePrint(int id);

    // The layout view in place of the notes, or the notes back.
    void showLayout(bool shown);
    bool layoutShown() const { return layoutShown_; }
    // Whether the layout's print-outs add the listing of every entry.
    bool layoutListing() const { return layoutListing_; }
    void setLayoutListing(bool listing) { layoutListing_ = listing; }
    CKeyLayoutView* layoutView() const { return layout_; }
    KeyTesterWindow* keyTester() const { return tester_; }
    // The layout's pages: print (asks for the printer), preview, PDF.
    void OnLayoutPrint(int id);
    // Writes the layout's PDF for `fileName` of `table`; false on failure.
    static bool exportLayout(const QString& outPath, const QString& fileName,
                             const KeyTableData& table, bool listing);

Q_SIGNALS:
    // Enabled states of the table commands may have changed.
    void commandStatesChanged();

private:
    bool portReachable(std::string_view failureMessage);
    void OnEditCommand(int id);
    void OnKeyTester();
    // The application that owns the main window this view sits in.
    CQuilbyApp& app() const;

    CQuilbyDoc* document_;
    std::function<QPrinter*()> printerSource_;
    QWidget* notes_;
    CKeyLayoutView* layout_;
    bool layoutShown_ = false;
    bool layoutListing_ = true;
    QPointer<KeyTesterWindow> tester_;
};

} // namespace quilby

#pragma once

#include <QScrollArea>

#include <functional>
#include <string_view>

class QPainter;
class QPrinter;

namespace quilby {

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
    void runKeyEditor();
    void OnDownload();
    void OnEpromMcr();
    void OnVersionCheck();
    void OnDefaultKey();
    void OnUtilityHelp();
    void OnFilePrint(int id);

private:
    bool portReachable(std::string_view failureMessage);
    // The application that owns the main window this view sits in.
    CQuilbyApp& app() const;

    CQuilbyDoc* document_;
    std::function<QPrinter*()> printerSource_;
};

} // namespace quilby

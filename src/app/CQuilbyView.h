#pragma once

#include <QScrollArea>

class QPainter;

namespace quilby {

class CQuilbyDoc;

// The main view: the fixed usage notes, and the place where the program's
// own commands arrive (the key editor, the link dialogs, printing, help).
class CQuilbyView : public QScrollArea {
    Q_OBJECT
public:
    CQuilbyView(CQuilbyDoc* document, QWidget* parent = nullptr);

    CQuilbyDoc* GetDocument() const { return document_; }

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

private:
    CQuilbyDoc* document_;
};

} // namespace quilby

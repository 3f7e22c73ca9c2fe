#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>

#include <vector>

class QAction;

namespace quilby {

struct KeyTableData;

// The layout view: the 98 positions as the keyboard has them, one selected.
// It draws the table it is handed through the layout page routine (its owner
// calls update() when the table changed) and turns keys, clicks and drags
// into requests; its owner carries them out.
class KeyLayoutView : public QWidget {
    Q_OBJECT
public:
    explicit KeyLayoutView(const KeyTableData& table, QWidget* parent = nullptr);

    const KeyTableData& table() const { return table_; }
    int selected() const { return selected_; }
    void select(int position);
    // Cells the key tester found, shown filled until the next result.
    void setHighlighted(std::vector<int> positions);
    const std::vector<int>& highlighted() const { return highlighted_; }
    // Cells where the compared file differs, marked until the comparison ends.
    void setDiffering(std::vector<int> positions);
    const std::vector<int>& differing() const { return differing_; }
    // The actions of the cell's context menu (the Edit menu's).
    void setContextActions(QList<QAction*> actions) { contextActions_ = std::move(actions); }

    QRectF gridArea() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void selectionChanged(int position);
    void editRequested(int position);
    void swapRequested(int from, int to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

private:
    int positionAt(QPointF point) const;

    const KeyTableData& table_;
    int selected_ = 0;
    std::vector<int> highlighted_;
    std::vector<int> differing_;
    QList<QAction*> contextActions_;
    QPoint pressPoint_;
    int pressPosition_ = -1;
};

} // namespace quilby

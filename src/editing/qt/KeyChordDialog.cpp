#include "editing/qt/KeyChordDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "editing/KeyChords.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace quilby {

namespace {

QLabel* picture(QWidget* parent, const QRect& rect, const QPixmap& pixmap) {
    auto* label = new QLabel(parent);
    label->setGeometry(rect);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

KeyChordDialog::KeyChordDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("특수키 조합"));
    // Smaller on a screen too small for the designed size.
    setFont(fontFittingScreen(dialogFont("System", 10), 240, 216, availableArea(parent)));
    keepOnScreenWhenShown(this);
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(240), du.y(216));

    const QRect keyboardRect = dluRect(du, 7, 7, 105, 79);
    picture(this, keyboardRect, posKeyboardPicture(keyboardRect.size() - QSize(4, 4)))
        ->setObjectName(QStringLiteral("keyboardPicture"));
    const QRect logoRect = dluRect(du, 34, 100, 54, 44);
    picture(this, logoRect, quilbyLogo(logoRect.size() - QSize(4, 4)))
        ->setObjectName(QStringLiteral("logoPicture"));

    // Names fill the first column and chords the second, 25 to a column, so
    // each chord stands on the line of its key.
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("chordList"));
    list_->setAccessibleName(tr("특수키와 조합키"));
    list_->setGeometry(dluRect(du, 119, 7, 114, 202));
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setFrameShape(QFrame::Box);
    for (const auto& chord : keyChords()) {
        list_->addItem(trCore("KeyChords", chord.name));
    }
    for (const auto& chord : keyChords()) {
        list_->addItem(trCore("KeyChords", chord.chord));
    }
    // A column holds exactly 25 items: the largest font (up to the dialog's)
    // with which both columns fit the list's width and 25 rows its height.
    const int frame = 2 * list_->frameWidth();
    const QSize usable(list_->width() - frame, list_->height() - frame);
    QFont listFont = list_->font();
    QSize cell;
    for (int points = listFont.pointSize(); points >= 6; --points) {
        listFont.setPointSize(points);
        const QFontMetrics metrics(listFont);
        int columnWidth = 0;
        for (int i = 0; i < list_->count(); ++i) {
            columnWidth =
                std::max(columnWidth, metrics.horizontalAdvance(list_->item(i)->text()) + 6);
        }
        cell = QSize(std::max(columnWidth, usable.width() / 2 - 1),
                     (usable.height() - 1) / kKeyChordCount); // a column needs a spare pixel
        if (2 * columnWidth <= usable.width() && metrics.height() <= cell.height()) {
            break;
        }
    }
    list_->setFont(listFont);
    list_->setGridSize(cell);
    for (int i = 0; i < list_->count(); ++i) {
        list_->item(i)->setSizeHint(cell);
    }

    auto* ok = new QPushButton(tr("확인(OK)"), this);
    ok->setGeometry(dluRect(du, 7, 195, 105, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace quilby

#include "editing/qt/KeyEditDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "document/Cp949.h"
#include "editing/KeyButtonGrid.h"
#include "editing/KeyVocabulary.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace quilby {

namespace {

// A one-line list: its items stand side by side, five to a line, unselectable.
QListWidget* makeEntryList(QWidget* parent, const QRect& geometry) {
    auto* list = new QListWidget(parent);
    list->setGeometry(geometry);
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::Box);
    list->setFrameShadow(QFrame::Plain);
    list->setGridSize(QSize((geometry.width() - 2) / kEntriesPerGroup, geometry.height() - 2));
    list->setStyleSheet(QStringLiteral("QListWidget { padding: 0px; } "
                                       "QListWidget::item { padding: 0px 2px; }"));
    return list;
}

} // namespace

KeyEditDialog::KeyEditDialog(KeyTableData& table, QWidget* parent, int startKey)
    : QDialog(parent), table_(table), editor_(this), capture_(editor_), keyboard_(capture_) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The controls sit at fixed places in dialog units: on a small or
    // magnified screen a smaller font shrinks them all, OK and Cancel stay
    // on the screen.
    setFont(fontFittingScreen(dialogFont("굴림", 10), 446, 343, availableArea(parent)));
    keepOnScreenWhenShown(this);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const DialogUnits du = dialogUnitsOf(font());

    group_ = new QGroupBox(this);
    group_->setGeometry(dluRect(du, 7, 7, 432, 198));

    for (int place = 0; place < kKeyButtonCount; ++place) {
        const DialogUnitRect r = keyButtonRect(place);
        auto* button = new QPushButton(qs(keyPositionName(focusPlaceKeyNumber(place))), this);
        button->setObjectName(QStringLiteral("key%1").arg(focusPlaceControlId(place)));
        button->setGeometry(dluRect(du, r.x, r.y, r.width, r.height));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        keyButtons_[static_cast<std::size_t>(place)] = button;
    }

    for (int group = 0; group < kEntryGroups; ++group) {
        // The tops of the words and labels lists of each group, in dialog units.
        static constexpr int kTops[kEntryGroups][2] = {
            {212, 224}, {238, 250}, {264, 276}, {290, 301}};
        const EntryList lists[2] = {wordList(group), labelList(group)};
        const QString names[2] = {QStringLiteral("words%1").arg(group + 1),
                                  QStringLiteral("labels%1").arg(group + 1)};
        for (int row = 0; row < 2; ++row) {
            QListWidget* list = makeEntryList(this, dluRect(du, 8, kTops[group][row], 314, 11));
            list->setObjectName(names[row]);
            const int first = group * kEntriesPerGroup + 1;
            list->setAccessibleName((row == 0 ? tr("워드 %1-%2") : tr("라벨 %1-%2"))
                                        .arg(first)
                                        .arg(first + kEntriesPerGroup - 1));
            entryLists_[entryListIndex(lists[row])] = list;
        }
    }

    specialKeys_ = new QTreeWidget(this);
    specialKeys_->setObjectName(QStringLiteral("list%1").arg(kSpecialKeyListViewId));
    specialKeys_->setGeometry(dluRect(du, 324, 212, 115, 101));
    specialKeys_->setColumnCount(1);
    specialKeys_->setHeaderLabels({tr("Value")});
    specialKeys_->setHeaderHidden(true);
    specialKeys_->setRootIsDecorated(false);
    specialKeys_->setColumnWidth(0, 300);
    specialKeys_->setFocusPolicy(Qt::StrongFocus);
    specialKeys_->setAccessibleName(tr("특수키 목록"));
    for (const auto text : quilby::specialKeyList()) {
        auto* item = new QTreeWidgetItem(specialKeys_);
        item->setText(0, trCore("KeyVocabulary", text));
    }

    ok_ = new QPushButton(tr("확인(OK)"), this);
    ok_->setGeometry(dluRect(du, 7, 318, 215, 18));
    ok_->setDefault(true);
    ok_->setFocusPolicy(Qt::ClickFocus);
    cancel_ = new QPushButton(tr("취소(ESC)"), this);
    cancel_->setGeometry(dluRect(du, 224, 318, 215, 18));
    cancel_->setAutoDefault(false);
    cancel_->setFocusPolicy(Qt::ClickFocus);
    // Every key is a key to edit here, so neither button takes the keyboard focus.
    ok_->setAccessibleDescription(
        tr("이 창은 모든 키를 편집할 키로 받으므로 확인은 마우스로 누릅니다."));
    cancel_->setAccessibleDescription(
        tr("Esc 키를 누르거나 마우스로 누르면 취소합니다. 다른 키는 모두 편집할 키로 받습니다."));
    // The controls sit at fixed places, so the dialog keeps its designed size:
    // smaller would hide OK and Cancel, larger would only add empty space.
    const QSize designed(du.x(446), du.y(343));
    const QPoint farCorner = childrenRect().bottomRight() + QPoint(du.x(7), du.y(7));
    setFixedSize(designed.expandedTo(QSize(farCorner.x(), farCorner.y())));
    connect(ok_, &QPushButton::clicked, this, &KeyEditDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &KeyEditDialog::reject);

    // Every keyboard event of the dialog and its controls goes to the capture first.
    watch(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        watch(child);
    }

    keyboard_.setListener([this](const KeyEvent& event, LockStates locks, CaptureOutcome) {
        adapter_.trace(event, locks);
    });
    setWindowTitle(trCore("KeyEditor", KeyEditor::kNewTableCaption));
    editor_.initialise(table_, startKey);
}

KeyEditDialog::~KeyEditDialog() {
    editor_.setObserver(nullptr);
}

void KeyEditDialog::watch(QObject* object) {
    object->installEventFilter(this);
}

QListWidget* KeyEditDialog::entryList(EntryList list) const {
    const std::size_t index = entryListIndex(list);
    return index < entryLists_.size() ? entryLists_[index] : nullptr;
}

void KeyEditDialog::accept() {
    (void)editor_.commitTable(table_);
    QDialog::accept();
}

void KeyEditDialog::entryListItemAppended(EntryList entries, const std::string& text) {
    if (QListWidget* list = entryList(entries)) {
        // Words arrive as "%04x", labels as code page 949 bytes. Every item
        // takes a fifth of the line so five stand side by side.
        auto* item = new QListWidgetItem(qs(cp949ToUtf8(text)), list);
        item->setSizeHint(list->gridSize());
    }
}

void KeyEditDialog::entryListItemRemoved(EntryList entries, int index) {
    if (QListWidget* list = entryList(entries)) {
        delete list->takeItem(index);
    }
}

void KeyEditDialog::captionChanged(std::string_view caption) {
    setWindowTitle(trCore("KeyEditor", caption));
}

void KeyEditDialog::focusGiven(int place, bool markedDefault) {
    if (place == kListViewPlace) {
        specialKeys_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!validFocusPlace(place)) {
        return;
    }
    QPushButton* button = keyButton(place);
    button->setFocus(Qt::OtherFocusReason);
    if (markedDefault) {
        button->setDefault(true);
    }
}

void KeyEditDialog::buttonMarkedPlain(int place) {
    if (place >= 0 && place < kKeyButtonCount) {
        keyButton(place)->setDefault(false);
    }
}

void KeyEditDialog::beep() {
    QApplication::beep();
}

bool KeyEditDialog::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Keys are the capture's: no shortcut of any window may take them.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        bool swallowed = false;
        if (!alreadySeen(key, swallowed)) {
            swallowed =
                event->type() == QEvent::KeyPress ? handleKeyPress(key) : handleKeyRelease(key);
            remember(key, swallowed);
        }
        return swallowed;
    }
    case QEvent::ChildAdded:
        if (auto* added = static_cast<QChildEvent*>(event)->child();
            added && added->isWidgetType()) {
            watch(added);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool KeyEditDialog::alreadySeen(QKeyEvent* event, bool& swallowed) const {
    const bool same = lastEvent_.event == event && lastEvent_.type == event->type() &&
                      lastEvent_.timestamp == event->timestamp() &&
                      lastEvent_.nativeScanCode == event->nativeScanCode();
    if (same) {
        swallowed = lastEvent_.swallowed;
    }
    return same;
}

void KeyEditDialog::remember(QKeyEvent* event, bool swallowed) {
    lastEvent_ =
        SeenEvent{event, event->type(), event->timestamp(), event->nativeScanCode(), swallowed};
}

bool KeyEditDialog::handleKeyPress(QKeyEvent* event) {
    const auto key = QtKeyAdapter::physicalKey(*event);
    if (!key) {
        // A key no PC keyboard has (or an event without native codes) cannot
        // be entered.
        beep();
        return true;
    }
    keyboard_.setPlatformLocks(QtKeyAdapter::platformLocks());
    const int cancels = keyboard_.cancels();
    const CaptureOutcome outcome = keyboard_.press(*key);
    if (keyboard_.cancels() != cancels) {
        reject(); // Esc given to the dialog's own handling
        return true;
    }
    // Dialog handling has nothing else to do here; no control or shortcut
    // sees the event. Normal delivery goes on to the focused control.
    return outcome != CaptureOutcome::NormalDelivery;
}

bool KeyEditDialog::handleKeyRelease(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        return true; // auto-repeat repeats key-downs only
    }
    const auto key = QtKeyAdapter::physicalKey(*event);
    if (!key) {
        return true;
    }
    keyboard_.setPlatformLocks(QtKeyAdapter::platformLocks());
    return keyboard_.release(*key) != CaptureOutcome::NormalDelivery;
}

} // namespace quilby

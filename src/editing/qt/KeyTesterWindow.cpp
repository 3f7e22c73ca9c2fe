#include "editing/qt/KeyTesterWindow.h"

#include "common/qt/QtText.h"
#include "editing/qt/QtKeyAdapter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quilby {

KeyTesterWindow::KeyTesterWindow(const KeyTableData& table, QWidget* parent)
    : QDialog(parent), tester_(table), timer_(new QTimer(this)), last_(new QLabel(this)),
      list_(new QListWidget(this)) {
    wording_.noMatch = toUtf8(trCore("KeyTester", kNoMatchingKeyText));
    wording_.matches = toUtf8(trCore("KeyTester", kMatchingKeysText));
    wording_.cut = toUtf8(trCore("KeyTester", kCutPressText));
    wording_.refused = toUtf8(trCore("KeyTester", kRefusedKeyText));
    setWindowTitle(tr("키 테스트"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("POS 키보드의 키를 하나씩 누르십시오. 눌린 키의 설정을 열린 "
                                "파일에서 찾아 키 배치에 표시합니다."),
                             this);
    intro->setWordWrap(true); // in English one line would widen the window past the screen
    layout->addWidget(intro);
    QFont big = last_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    last_->setFont(big);
    last_->setWordWrap(true);
    layout->addWidget(last_);
    layout->addWidget(list_, 1);
    auto* clear = new QPushButton(tr("목록 지우기"), this);
    auto* close = new QPushButton(tr("닫기"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(clear);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(clear, &QPushButton::clicked, this, [this] {
        tester_.clearPresses();
        shown_ = 0;
        list_->clear();
        last_->clear();
        Q_EMIT matched({});
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // The keys being tested go to the tester, never to the buttons or list.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->installEventFilter(this);
        w->setFocusPolicy(w == list_ ? Qt::NoFocus : w->focusPolicy());
    }
    clear->setFocusPolicy(Qt::NoFocus);
    close->setFocusPolicy(Qt::NoFocus);
    list_->setAccessibleName(tr("누른 키 목록"));
    for (QPushButton* button : {clear, close}) {
        button->setAccessibleDescription(
            tr("이 창은 모든 키를 시험할 키로 받으므로 이 단추는 마우스로 누릅니다."));
    }
    installEventFilter(this);
    resize(520, 420);
    clock_.start();
    timer_->setInterval(40);
    connect(timer_, &QTimer::timeout, this, &KeyTesterWindow::poll);
    timer_->start();
}

void KeyTesterWindow::poll() {
    if (tester_.idle(clock_.elapsed())) {
        showNewPresses();
    }
}

void KeyTesterWindow::showNewPresses() {
    const auto& presses = tester_.presses();
    for (; shown_ < presses.size(); ++shown_) {
        const auto& press = presses[shown_];
        auto* item = new QListWidgetItem(qs(pressListLine(shown_ + 1, press, wording_)));
        if (press.matches.empty()) {
            item->setForeground(Qt::red);
        }
        if (!press.refusedKey.empty()) {
            QFont refused = item->font();
            refused.setItalic(true);
            item->setFont(refused);
        }
        list_->addItem(item);
        list_->scrollToItem(item);
        last_->setText(qs(pressText(press, wording_)));
        Q_EMIT matched(QList<int>(press.matches.begin(), press.matches.end()));
    }
}

bool KeyTesterWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return QDialog::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched != this && watched != focusWidget()) {
        return true; // each event is taken once, where it arrives
    }
    const auto physical = QtKeyAdapter::physicalKey(*key);
    if (physical) {
        tester_.setPlatformLocks(QtKeyAdapter::platformLocks());
        if (event->type() == QEvent::KeyPress) {
            tester_.press(*physical, clock_.elapsed());
        } else if (!key->isAutoRepeat()) {
            tester_.release(*physical, clock_.elapsed());
        }
        showNewPresses();
    }
    return true;
}

} // namespace quilby

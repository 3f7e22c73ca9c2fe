#include "app/qt/CKeyTesterWindow.h"

#include "common/qt/QtText.h"
#include "document/Cp949.h"
#include "editing/KeyEditor.h"
#include "editing/qt/QtKeyAdapter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quilby {

CKeyTesterWindow::CKeyTesterWindow(const KeyTableData& table, QWidget* parent)
    : QDialog(parent), tester_(table), timer_(new QTimer(this)), last_(new QLabel(this)),
      list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("키 테스트"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("POS 키보드의 키를 하나씩 누르십시오. 눌린 키의 설정을 열린 파일에서 "
                       "찾아 키 배치에 표시합니다."),
        this));
    QFont big = last_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    last_->setFont(big);
    last_->setWordWrap(true);
    layout->addWidget(last_);
    layout->addWidget(list_, 1);
    auto* clear = new QPushButton(QStringLiteral("목록 지우기"), this);
    auto* close = new QPushButton(QStringLiteral("닫기"), this);
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
    installEventFilter(this);
    resize(520, 420);
    clock_.start();
    timer_->setInterval(40);
    connect(timer_, &QTimer::timeout, this, &CKeyTesterWindow::poll);
    timer_->start();
}

QString CKeyTesterWindow::pressText(const KeyTester::Press& press) {
    QStringList words;
    for (const auto& entry : press.entries) {
        words << qs(formatWord(entry.word)) + QLatin1Char(' ') + qs(cp949ToUtf8(entry.label));
    }
    QStringList positions;
    for (int p : press.matches) {
        positions << qs(keyPositionName(p));
    }
    const QString found = positions.isEmpty()
                              ? QStringLiteral("일치하는 키 없음")
                              : QStringLiteral("키 ") + positions.join(QStringLiteral(", "));
    return words.join(QStringLiteral(", ")) + QStringLiteral("  →  ") + found;
}

void CKeyTesterWindow::poll() {
    if (tester_.idle(clock_.elapsed())) {
        showNewPresses();
    }
}

void CKeyTesterWindow::showNewPresses() {
    const auto& presses = tester_.presses();
    for (; shown_ < presses.size(); ++shown_) {
        const auto& press = presses[shown_];
        auto* item = new QListWidgetItem(QString::number(shown_ + 1) + QStringLiteral(". ") +
                                         pressText(press));
        if (press.matches.empty()) {
            item->setForeground(Qt::red);
        }
        list_->addItem(item);
        list_->scrollToItem(item);
        last_->setText(pressText(press));
        Q_EMIT matched(QList<int>(press.matches.begin(), press.matches.end()));
    }
}

bool CKeyTesterWindow::eventFilter(QObject* watched, QEvent* event) {
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

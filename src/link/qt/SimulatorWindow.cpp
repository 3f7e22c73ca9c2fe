#include "link/qt/SimulatorWindow.h"

#include "common/qt/QtScreenFit.h"
#include "link/DownloadImage.h"
#include "link/qt/QtLinkKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quilby {

SimulatorWindow::SimulatorWindow(SimulatedKeyboard* keyboard, const KeyTableData& table,
                                 QWidget* mainWindow)
    // Its own top-level window, so the link dialogs (modal to the main
    // window) leave it usable.
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      keyboard_(keyboard), table_(table), mainWindow_(mainWindow) {
    setWindowTitle(tr("모의 POS 키보드"));
    setObjectName(QStringLiteral("simulatorWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    announce_ = new QPushButton(tr("알림 키 5개 누르기"), this);
    announce_->setFocusPolicy(Qt::NoFocus);
    model_ = new QComboBox(this);
    model_->addItems({tr("VARO"), tr("MOLBRIX")});
    model_->setFocusPolicy(Qt::NoFocus);
    version_ = new QLineEdit(QStringLiteral("567-890"), this);
    checksum_ = new QLineEdit(QStringLiteral("1234"), this);
    bells_ = new QLabel(this);
    bytes_ = new QLabel(this);
    image_ = new QLabel(this);
    mcrCommand_ = new QLabel(this);
    mcrCommand_->setObjectName(QStringLiteral("lastMcrCommand"));

    auto* form = new QFormLayout;
    form->addRow(tr("모델"), model_);
    form->addRow(tr("EPROM 버전"), version_);
    form->addRow(tr("체크썸"), checksum_);
    form->addRow(tr("벨 울림"), bells_);
    form->addRow(tr("받은 바이트"), bytes_);
    form->addRow(tr("마지막 이미지"), image_);
    form->addRow(tr("마지막 MCR 명령"), mcrCommand_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(announce_);
    layout->addLayout(form);

    connect(announce_, &QPushButton::clicked, this, [this] { keyboard_->announce(); });
    connect(model_, &QComboBox::currentIndexChanged, this, [this](int index) {
        keyboard_->setModel(index == 1 ? SimulatedKeyboard::Model::Molbrix
                                       : SimulatedKeyboard::Model::Varo);
    });
    connect(version_, &QLineEdit::editingFinished, this, &SimulatorWindow::applyReport);
    connect(checksum_, &QLineEdit::editingFinished, this, &SimulatorWindow::applyReport);

    timer_ = new QTimer(this);
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, [this] {
        keyboard_->poll(); // an aborted download rings after a quiet second
        refresh();
    });
    timer_->start();

    keyboard_->setListener(this);
    refresh();
    adjustSize();
    move(mainWindow_ ? mainWindow_->frameGeometry().topRight() + QPoint(10, 0) : QPoint(760, 50));
    // Beside the main window where there is room, else over its edge.
    keepOnScreen(this);
}

SimulatorWindow::~SimulatorWindow() {
    keyboard_->setListener(nullptr);
}

void SimulatorWindow::keysTyped() {
    QMetaObject::invokeMethod(this, &SimulatorWindow::deliverTypedKeys, Qt::QueuedConnection);
}

void SimulatorWindow::bellRang(int) {
    QMetaObject::invokeMethod(this, &SimulatorWindow::refresh, Qt::QueuedConnection);
}

QWidget* SimulatorWindow::typingTarget() const {
    QWidget* window = QApplication::activeModalWidget();
    if (!window) {
        window = mainWindow_;
    }
    if (!window) {
        return nullptr;
    }
    return window->focusWidget() ? window->focusWidget() : window;
}

void SimulatorWindow::deliverTypedKeys() {
    postTypedKeys(typingTarget(), keyboard_->takeTypedKeys());
}

void SimulatorWindow::applyReport() {
    const bool ok =
        keyboard_->setEpromReport(version_->text().toStdString(), checksum_->text().toStdString());
    // A report the keyboard could not type (a Z would end it early) is refused.
    version_->setStyleSheet(ok ? QString() : QStringLiteral("color: red"));
    checksum_->setStyleSheet(ok ? QString() : QStringLiteral("color: red"));
}

void SimulatorWindow::refresh() {
    const auto counters = keyboard_->counters();
    bells_->setText(QString::number(counters.bellRings));
    bytes_->setText(QString::number(counters.bytesReceived));
    mcrCommand_->setText(
        counters.lastMcrCommand.empty()
            ? tr("없음")
            : QString::fromStdString(SimulatedKeyboard::hexText(counters.lastMcrCommand)));
    const auto last = keyboard_->lastImage();
    if (!last) {
        image_->setText(tr("없음"));
    } else if (*last == buildDownloadImage(table_)) {
        image_->setText(tr("문서와 같음"));
    } else {
        image_->setText(tr("문서와 다름"));
    }
}

} // namespace quilby

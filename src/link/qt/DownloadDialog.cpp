#include "link/qt/DownloadDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "document/qt/FindingTexts.h"
#include "link/DownloadRecord.h"
#include "link/LinkTexts.h"
#include "link/qt/QtLinkKeys.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <utility>

namespace quilby {

DownloadDialog::DownloadDialog(const KeyTableData& table, const DownloadLink& link, QWidget* parent)
    : QDialog(parent), prompts_(this, [this] { render(); }), table_(table),
      settings_(link.settings), historyFolder_(link.historyFolder), tablePath_(link.tablePath),
      worker_(link.port, link.pacer, link.settings.downloadRunFlag, link.console, *this,
              link.launcher),
      session_(link.settings, table, worker_, prompts_) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // Modal to the main window only: the simulated keyboard's window stays usable.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(trCore("LinkTexts", texts::kDownloadCaption));
    // Smaller on a screen too small for the designed size.
    setFont(fontFittingScreen(dialogFont("System", 10), 201, 243, availableArea(parent)));
    keepOnScreenWhenShown(this);
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(201), du.y(243));

    announceGroup_ =
        templateGroupBox(this, du, trCore("LinkTexts", texts::kAnnouncePrompt), 7, 3, 187, 121);

    const QRect pictureRect = dluRect(du, 11, 16, 179, 103);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("announcePicture"));
    picture_->setPixmap(announcePicture(pictureRect.size()));
    picture_->setGeometry(QRect(pictureRect.topLeft(), picture_->pixmap().size()));
    if (link.settings.osFamily == OsFamily::PermissionStep) {
        // Port 0x60 reaches only a keyboard on the PS/2 port, and this
        // program cannot tell which keyboard types the announcement.
        picture_->setToolTip(tr("키보드는 PS/2 포트에 꽂혀 있어야 합니다. USB나 USB 변환 어댑터로 "
                                "연결한 키보드는 다운로드를 받지 못합니다."));
    }

    caution_ = new QLabel(trCore("LinkTexts", texts::kDownloadCaution), this);
    caution_->setObjectName(QStringLiteral("control1118"));
    caution_->setTextFormat(Qt::PlainText);
    caution_->setWordWrap(true);
    caution_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caution_->setGeometry(dluRect(du, 7, 126, 187, 50));

    progressGroup_ = templateGroupBox(this, du, QString(), 7, 175, 187, 41);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("control1113"));
    progress_->setGeometry(dluRect(du, 11, 183, 179, 14));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    status_ = new QLineEdit(this);
    status_->setObjectName(QStringLiteral("control1114"));
    status_->setGeometry(dluRect(du, 11, 200, 179, 12));
    status_->setReadOnly(true);
    status_->setAccessibleName(tr("다운로드 상태"));
    status_->setAlignment(Qt::AlignCenter);
    status_->setFocusPolicy(Qt::StrongFocus);
    // A read-only field shows the dialog's face, not the white of an entry.
    QPalette readOnly = status_->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    status_->setPalette(readOnly);

    cancel_ = new QPushButton(trCore("LinkTexts", texts::kDownloadCancelButton), this);
    cancel_->setObjectName(QStringLiteral("control2"));
    cancel_->setGeometry(dluRect(du, 19, 222, 81, 14));
    cancel_->setAutoDefault(false);
    quit_ = new QPushButton(trCore("LinkTexts", texts::kDownloadQuitButton), this);
    quit_->setObjectName(QStringLiteral("control3"));
    quit_->setGeometry(dluRect(du, 102, 222, 81, 14));
    quit_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &DownloadDialog::cancelClicked);
    // Quit closes at once, without a question and without touching the run
    // flag: it is only enabled while no transfer runs.
    connect(quit_, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    new QtLinkKeyFilter(this, [this](const KeyMessage& message) {
        const KeyVerdict verdict = session_.onKey(message);
        render();
        return verdict;
    });

    // The X server turns a lock key pressed in any of the program's windows
    // into an LED command on the keyboard's port, so every window counts,
    // not only this one.
    QCoreApplication::instance()->installEventFilter(this);

    status_->setFocus(Qt::OtherFocusReason);
    render();
}

bool DownloadDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
            session_.onLockKeyPressed();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

DownloadDialog::~DownloadDialog() {
    // Before any part of the dialog goes: the worker's last reports are
    // posted to a dialog that still exists and are dropped with it.
    session_.close();
    // A cancelled transfer ends here: Cancel does not wait for the worker.
    record();
}

void DownloadDialog::downloadProgress(std::size_t bytesSent, int position) {
    workerSent_.store(bytesSent);
    QMetaObject::invokeMethod(
        this,
        [this, bytesSent, position] {
            session_.onProgress(bytesSent, position);
            render();
        },
        Qt::QueuedConnection);
}

void DownloadDialog::downloadEnded(DownloadEnd end, PortRefusal refusal) {
    QMetaObject::invokeMethod(
        this,
        [this, end, refusal] {
            session_.onEnded(end, refusal);
            render();
        },
        Qt::QueuedConnection);
}

void DownloadDialog::cancelClicked() {
    if (session_.cancel()) {
        done(QDialog::Rejected);
        return;
    }
    render();
}

void DownloadDialog::reject() {
    if (session_.closeRequested()) {
        done(QDialog::Rejected);
        return;
    }
    render();
}

void DownloadDialog::render() {
    const QString status = trCore("LinkTexts", downloadStatusText(session_.status()));
    if (status_->text() != status) {
        status_->setText(status);
    }
    progress_->setValue(session_.progress());
    cancel_->setEnabled(session_.cancelEnabled());
    quit_->setEnabled(session_.quitEnabled());
    const DownloadSession::State before = std::exchange(shownState_, session_.state());
    switch (session_.state()) {
    case DownloadSession::State::Sending:
        if (before != DownloadSession::State::Sending) {
            sending_.start();
        }
        break;
    case DownloadSession::State::Completed:
    case DownloadSession::State::LockKeyPressed:
    case DownloadSession::State::Failed:
    case DownloadSession::State::Refused:
    case DownloadSession::State::Aborted:
        record();
        break;
    default:
        break;
    }
}

// After the transfer only, so the record never delays a byte.
void DownloadDialog::record() {
    // Each transfer of the dialog (the keyboard may announce itself again
    // after one ended) is recorded once: its count is taken here.
    const std::size_t sent = workerSent_.exchange(0);
    if (sent == 0 || historyFolder_.empty()) {
        return;
    }
    const double seconds = sending_.isValid() ? sending_.elapsed() / 1000.0 : 0.0;
    const auto appended =
        DownloadHistory(historyFolder_)
            .append(downloadRecordOf(tablePath_, session_.image(),
                                     downloadOutcomeOf(session_.state()), sent, seconds,
                                     std::string(recordedModelName(settings_.keyboardBrand))),
                    table_);
    if (const auto* error = std::get_if<FileError>(&appended)) {
        // The dialog may be going away: the box then belongs to its parent.
        prompts().error(
            isVisible() ? static_cast<QWidget*>(this) : parentWidget(),
            tr("다운로드 기록을 남기지 못했습니다. 다운로드 결과는 그대로입니다.\n%1: %2")
                .arg(fromLocalPath(error->path), FindingTexts::fileErrorReason(error->code)));
    }
}

} // namespace quilby

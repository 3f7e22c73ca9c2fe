#include "link/qt/DownloadHistoryWindow.h"

#include "common/qt/QtPrompts.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "document/KeyFileReader.h"
#include "document/qt/FindingTexts.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quilby {

namespace {

QString outcomeText(DownloadOutcome outcome) {
    switch (outcome) {
    case DownloadOutcome::Completed:
        return DownloadHistoryWindow::tr("완료");
    case DownloadOutcome::Aborted:
        return DownloadHistoryWindow::tr("중단");
    case DownloadOutcome::Failed:
        break;
    }
    return DownloadHistoryWindow::tr("실패");
}

QString faultText(const RecordedTableFault& fault) {
    switch (fault.kind) {
    case RecordedTableFault::Kind::NoSuchRecord:
        return DownloadHistoryWindow::tr("%1번 기록이 없습니다.").arg(fault.number);
    case RecordedTableFault::Kind::NotKept:
        return DownloadHistoryWindow::tr("%1번 기록에는 보관된 표가 없습니다.").arg(fault.number);
    case RecordedTableFault::Kind::Unreadable:
        return FindingTexts::fileError(fault.error);
    case RecordedTableFault::Kind::Damaged:
        break;
    }
    return DownloadHistoryWindow::tr("%1\n보관된 표가 기록된 SHA-256과 맞지 않습니다.")
        .arg(fromLocalPath(fault.error.path));
}

} // namespace

DownloadHistoryWindow::DownloadHistoryWindow(std::string folder, TableOpener open, QWidget* parent)
    : QDialog(parent), history_(std::move(folder)), opener_(std::move(open)) {
    setWindowTitle(tr("다운로드 기록"));
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("downloads"));
    list_->setAccessibleName(tr("다운로드 목록"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({tr("번호"), tr("시각"), tr("결과"), tr("바이트"), tr("초"), tr("모델"),
                            tr("파일"), tr("이미지 SHA-256")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(tr("표 열기(&O)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close)->setText(tr("닫기"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, &DownloadHistoryWindow::openSelected);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &DownloadHistoryWindow::openSelected);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(760, 400);
    keepOnScreenWhenShown(this); // wider than a magnified screen

    const auto log = history_.read();
    if (const auto* error = std::get_if<FileError>(&log)) {
        summary_->setText(FindingTexts::fileError(*error));
    } else {
        const DownloadLog& read = std::get<DownloadLog>(log);
        records_ = read.records;
        QString text = tr("%1 파일에 다운로드 %2건이 기록되어 있습니다.")
                           .arg(fromLocalPath(history_.logPath()))
                           .arg(records_.size());
        if (read.skippedLines > 0) {
            text += QLatin1Char('\n') +
                    tr("손상되었거나 끝나지 않은 줄 %1개는 건너뛰었습니다.").arg(read.skippedLines);
        }
        summary_->setText(text);
    }
    // Newest first: the download that matters is usually the last one.
    for (auto r = records_.rbegin(); r != records_.rend(); ++r) {
        auto* item = new QTreeWidgetItem(list_);
        const QDateTime when = QDateTime::fromString(qs(r->time), Qt::ISODate);
        item->setText(0, QString::number(r->number));
        item->setText(1, when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        item->setText(2, outcomeText(r->outcome));
        item->setText(3, QString::number(r->bytes));
        item->setText(4, QString::number(r->seconds, 'f', 1));
        item->setText(5, qs(r->model));
        item->setText(6, r->path.empty() ? tr("(제목없음)") : fromLocalPath(r->path));
        item->setText(7, qs(r->imageSha256.substr(0, 16)));
        item->setToolTip(7, qs(r->imageSha256));
        item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(r->number));
        for (int c : {0, 3, 4}) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    list_->setCurrentItem(list_->topLevelItem(0));
    open_->setEnabled(!records_.empty());
}

void DownloadHistoryWindow::openSelected() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr) {
        return;
    }
    const auto bytes = history_.recordedTable(item->data(0, Qt::UserRole).toULongLong());
    if (const auto* fault = std::get_if<RecordedTableFault>(&bytes)) {
        prompts().error(this, faultText(*fault));
        return;
    }
    // The kept copy is the writer's own output: it reads back whole.
    KeyTableData table;
    readKeyFile(std::get<std::string>(bytes), table);
    if (opener_(table)) {
        accept();
    }
}

} // namespace quilby

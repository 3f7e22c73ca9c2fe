#include "layout/qt/TableDiffWindow.h"

#include "common/qt/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quilby {

TableDiffWindow::TableDiffWindow(const KeyTableData& table, KeyTableData other,
                                 const QString& otherName, QWidget* parent)
    : QDialog(parent), table_(table), other_(std::move(other)), otherName_(otherName) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("다른 파일과 비교"));
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("differences"));
    list_->setAccessibleName(tr("다른 키 목록"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("키 / 항목"), tr("현재 표 → 비교한 파일")});
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->setAlternatingRowColors(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("닫기"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr) {
            Q_EMIT positionChosen(item->data(0, Qt::UserRole).toInt());
        }
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(520, 420);
    refresh();
}

void TableDiffWindow::refresh() {
    differences_ = diffTables(table_, other_);
    summary_->setText(differences_.empty() ? tr("%1 파일과 다른 키가 없습니다.").arg(otherName_)
                                           : tr("%1 파일과 다른 키: %2개 (키 배치에 표시)")
                                                 .arg(otherName_)
                                                 .arg(differences_.size()));
    list_->clear();
    QList<int> positions;
    for (const auto& p : differences_) {
        positions << p.position;
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, tr("%1번 키").arg(qs(keyPositionName(p.position))));
        if (p.countDiffers()) {
            row->setText(1, tr("항목 수 %1 → %2").arg(p.countA).arg(p.countB));
        }
        row->setData(0, Qt::UserRole, p.position);
        for (const auto& e : p.entries) {
            QStringList what;
            if (e.codeDiffers()) {
                what << tr("코드 %1 → %2").arg(e.a.code).arg(e.b.code);
            }
            if (e.wordDiffers()) {
                what << tr("워드 %1 → %2")
                            .arg(qs(differenceWordText(e.a.word)),
                                 qs(differenceWordText(e.b.word)));
            }
            if (e.labelDiffers()) {
                what << tr("라벨 %1 → %2")
                            .arg(qs(differenceLabelText(e.a.label)),
                                 qs(differenceLabelText(e.b.label)));
            }
            auto* entry = new QTreeWidgetItem(row);
            entry->setText(0, e.spare
                                  ? tr("항목 %1 (여분: 다운로드 이미지에만 실림)").arg(e.entry + 1)
                                  : tr("항목 %1").arg(e.entry + 1));
            entry->setText(1, what.join(QStringLiteral(", ")));
            entry->setData(0, Qt::UserRole, p.position);
        }
    }
    list_->expandAll();
    Q_EMIT differingChanged(positions);
}

} // namespace quilby

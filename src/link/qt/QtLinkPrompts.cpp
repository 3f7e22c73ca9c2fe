#include "link/qt/QtLinkPrompts.h"

#include "common/qt/QtPrompts.h"
#include "common/qt/QtText.h"
#include "document/FileIo.h"
#include "link/LinkTexts.h"
#include "link/McrOptionFile.h"

#include <cerrno>
#include <utility>

namespace quilby {

QtLinkPrompts::QtLinkPrompts(QWidget* parent, std::function<void()> beforeShowing)
    : parent_(parent), beforeShowing_(std::move(beforeShowing)) {}

void QtLinkPrompts::bringUpToDate() {
    if (beforeShowing_) {
        beforeShowing_();
    }
}

QString QtLinkPrompts::noticeText(LinkNotice notice) {
    return trCore("LinkTexts", linkNoticeText(notice));
}

QString QtLinkPrompts::fileErrorText(const McrFileError& error) {
    const QString name = qs(kMcrOptionFileName);
    const QString folder = qs(error.folder);
    if (error.operation == McrFileError::Operation::Read && error.code == ENOENT) {
        QString text =
            tr("%1 파일이 없습니다.\n찾은 폴더: %2\n(프로그램은 이 파일을 만들지 않습니다.)")
                .arg(name, folder);
        if (!error.shippedCopy.empty()) {
            text += tr("\n기본 파일(헤드 코드 사용 안 함)을 이 폴더로 복사하십시오: %1")
                        .arg(qs(error.shippedCopy));
        }
        return text;
    }
    const QString reason = qs(koreanReason(error.code));
    if (error.operation == McrFileError::Operation::Read) {
        return tr("%1 파일을 읽을 수 없습니다: %2\n폴더: %3").arg(name, reason, folder);
    }
    return tr("%1 파일에 쓸 수 없습니다: %2\n폴더: %3\nMCR 설정은 바뀌지 않았습니다.")
        .arg(name, reason, folder);
}

void QtLinkPrompts::showNotice(LinkNotice notice) {
    bringUpToDate();
    prompts().linkMessage(parent_, noticeText(notice),
                          linkNoticeIcon(notice) == LinkNoticeIcon::Stop);
}

void QtLinkPrompts::showFileError(const McrFileError& error) {
    bringUpToDate();
    prompts().linkMessage(parent_, fileErrorText(error), true);
}

bool QtLinkPrompts::askCancel() {
    bringUpToDate();
    return prompts().askYesNo(parent_, trCore("LinkTexts", texts::kCancelQuestion));
}

} // namespace quilby

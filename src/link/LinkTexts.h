#pragma once

#include "common/TextMarker.h"
#include "link/LinkPrompts.h"

#include <string_view>

// The texts of the keyboard link that the user sees, exactly as the program
// shows them (UTF-8). The dialogs show them translated in the context
// "LinkTexts"; quilby-key prints a session's message as it stands.
namespace quilby::texts {

inline constexpr std::string_view kAnnouncePrompt =
    QUILBY_TEXT("LinkTexts", "POS 키보드를 눌러주세요!");

// Download
inline constexpr std::string_view kDownloadCaption = QUILBY_TEXT("LinkTexts", "다운로드");
inline constexpr std::string_view kDownloadCaution = QUILBY_TEXT(
    "LinkTexts",
    "       **주  의**\n"
    "1. 다운로드중 벨소리가 3번 울리면 다운로드 \n실패이오니 취소하고 다시 다운로드하여 "
    "주십시요!\n "
    "2. 다운로드가 완료된후 벨소리가 한번 울릴때까지\n   기다려 주십시요");
inline constexpr std::string_view kDownloadCancelButton = QUILBY_TEXT("LinkTexts", "취소(Cancel)");
inline constexpr std::string_view kDownloadQuitButton = QUILBY_TEXT("LinkTexts", "닫기(QUIT)");
inline constexpr std::string_view kSendingFile = QUILBY_TEXT("LinkTexts", "Sending File .......!");
inline constexpr std::string_view kSendingFail = QUILBY_TEXT("LinkTexts", "Sending Fail .......!");
inline constexpr std::string_view kSendingCompleted =
    QUILBY_TEXT("LinkTexts", "Sending Completed!!");
inline constexpr std::string_view kQuitDownload = QUILBY_TEXT("LinkTexts", "Quit Download !");
inline constexpr std::string_view kThreadFailed = QUILBY_TEXT("LinkTexts", "다운로드 실패!!");
inline constexpr std::string_view kDownloadNotCompleted =
    QUILBY_TEXT("LinkTexts", "다운로드를 완성하지 못했습니다.\n다시 시도해 주십시요!");
// A transfer that cannot reach the port.
inline constexpr std::string_view kDownloadFailedRestart =
    QUILBY_TEXT("LinkTexts", "다운로드 실패 처음부터 다시 시작하여 주십시요 !");
// The keyboard typed its identification during the transfer: it left its
// receiving state, and the bytes already sent make no table.
inline constexpr std::string_view kDownloadInterrupted = QUILBY_TEXT(
    "LinkTexts", "다운로드 도중에 키보드가 알림을 다시 보내 다운로드가 중단되었습니다. 키보드는 "
                 "벨을 3번 울리고, 보낸 내용은 키보드에 저장되지 않았습니다.\n\n알림 키를 "
                 "다시 누르면 처음부터 다시 다운로드합니다.");
inline constexpr std::string_view kDownloadCancelled = QUILBY_TEXT(
    "LinkTexts", "다운로드를 취소했습니다. 키보드는 벨을 3번 울리고, 보낸 내용은 키보드에 "
                 "저장되지 않았습니다.\n\n다시 다운로드하려면 다운로드를 다시 여십시오.");
// A lock key pressed during the transfer: the keyboard may have stored its
// LED command as part of the table.
inline constexpr std::string_view kDownloadLockKeyPressed = QUILBY_TEXT(
    "LinkTexts", "다운로드 도중에 잠금 키(Caps Lock, Num Lock, Scroll Lock)가 눌렸습니다. 키보드 "
                 "불빛을 바꾸는 명령이 보낸 내용 사이에 끼어 키보드가 틀린 내용을 저장했을 수 "
                 "있습니다.\n\n다운로드 중에는 잠금 키를 누르지 말고 다시 다운로드하십시오.");
inline constexpr std::string_view kCancelQuestion = QUILBY_TEXT("LinkTexts", "취소하시겠습니까?");

// EPROM & MCR
inline constexpr std::string_view kMcrCaption =
    QUILBY_TEXT("LinkTexts", "MCR 헤더코드 적용 및 버전 & 체크썸 확인");
inline constexpr std::string_view kMcrSendFailed =
    QUILBY_TEXT("LinkTexts", "다운로드에 실패 했습니다. \r 다시 시도해 주십시요");

// Version check
inline constexpr std::string_view kVersionCheckCaption =
    QUILBY_TEXT("LinkTexts", "Pos Keyboard Version Check");

} // namespace quilby::texts

namespace quilby {

// The text of a session's message box, and its icon.
std::string_view linkNoticeText(LinkNotice notice);
LinkNoticeIcon linkNoticeIcon(LinkNotice notice);

} // namespace quilby

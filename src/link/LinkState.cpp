#include "link/LinkState.h"

#include <cerrno>

namespace quilby {

namespace {

// A permission can cure the refusal: the kernel said no to this process, not
// that it has no way to the port at all.
bool permissionWouldHelp(const PortGrant& grant) {
    return grant.instructionsError == EPERM || grant.devPortError == EPERM ||
           grant.devPortError == EACCES;
}

// The path as one shell word, so the step can be pasted as it is.
std::string shellWord(std::string_view path) {
    const bool plain =
        !path.empty() && path.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                                "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                "0123456789/._+-") == std::string_view::npos;
    if (plain) {
        return std::string(path);
    }
    std::string word = "'";
    for (const char c : path) {
        if (c == '\'') {
            word += "'\\''";
        } else {
            word += c;
        }
    }
    return word + "'";
}

} // namespace

std::string portRefusalReason(const LinkSettings& settings) {
    switch (portRefusal(settings.osFamily, settings.portReady)) {
    case PortRefusal::None:
        return {};
    case PortRefusal::NoPortInstructions:
        return "이 컴퓨터에는 포트 명령이 없음";
    case PortRefusal::NoPermission:
        break;
    }
    if (permissionWouldHelp(settings.portGrant)) {
        return "포트 사용 권한 없음";
    }
    return "이 커널에서는 포트에 접근할 수 없음";
}

std::string linkStatusText(const LinkSettings& settings, LinkBackEnd backEnd) {
    if (backEnd == LinkBackEnd::Simulated) {
        return "POS 키보드: 모의 키보드";
    }
    const std::string reason = portRefusalReason(settings);
    if (reason.empty()) {
        return "POS 키보드: 포트 준비됨";
    }
    return "POS 키보드: 포트 사용 불가 (" + reason + ")";
}

std::optional<std::string> portRefusalMessage(const LinkSettings& settings,
                                              std::string_view failureMessage,
                                              std::string_view programPath) {
    const std::string reason = portRefusalReason(settings);
    if (reason.empty()) {
        return std::nullopt;
    }
    std::string text(failureMessage);
    text += "\n\n키보드 포트(0x60)에 접근할 수 없습니다: " + reason + ".";
    const std::string details = settings.portGrant.explanation();
    if (!settings.portGrant.granted && !details.empty() &&
        settings.osFamily == OsFamilyPermissionStep) {
        text += "\n(" + details + ")";
    }
    if (settings.osFamily == OsFamilyPermissionStep && permissionWouldHelp(settings.portGrant)) {
        text += "\n\n설치된 프로그램에 한 번 권한을 주십시오:\nsudo setcap cap_sys_rawio+ep ";
        text += shellWord(programPath);
        text += "\n그리고 프로그램을 다시 시작하십시오.";
    }
    return text;
}

} // namespace quilby

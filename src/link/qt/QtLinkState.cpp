#include "link/qt/QtLinkState.h"

#include "common/qt/QtText.h"

namespace quilby {

QString QtLinkState::reachText(PortReach reach) {
    switch (reach) {
    case PortReach::Ready:
        return {};
    case PortReach::NoPortInstructions:
        return tr("이 컴퓨터에는 포트 명령이 없음");
    case PortReach::NoPermission:
        return tr("포트 사용 권한 없음");
    case PortReach::NoController:
        return tr("키보드 컨트롤러 없음");
    case PortReach::HelperMissing:
        return tr("포트 도우미를 실행할 수 없음");
    case PortReach::KernelRefuses:
        break;
    }
    return tr("이 커널에서는 포트에 접근할 수 없음");
}

QString QtLinkState::statusText(const LinkSettings& settings, LinkBackEnd backEnd) {
    if (backEnd == LinkBackEnd::Simulated) {
        return tr("POS 키보드: 모의 키보드");
    }
    const PortReach reach = portReach(settings);
    if (reach == PortReach::Ready) {
        // This program cannot tell which keyboard types the announcement: say
        // where it must be plugged in.
        return tr("POS 키보드: 포트 준비됨 (PS/2 포트의 키보드만)");
    }
    return tr("POS 키보드: 포트 사용 불가 (%1)").arg(reachText(reach));
}

std::optional<QString> QtLinkState::refusalMessage(const LinkSettings& settings,
                                                   std::string_view failureMessage,
                                                   std::string_view accountName) {
    const auto facts = portRefusalFacts(settings);
    if (!facts) {
        return std::nullopt;
    }
    QString text = trCore("LinkTexts", failureMessage);
    text += tr("\n\n키보드 포트(0x60)에 접근할 수 없습니다: %1.").arg(reachText(facts->reach));
    if (!facts->details.empty()) {
        text += QStringLiteral("\n(") + qs(facts->details) + QStringLiteral(")");
    }
    if (facts->permissionCures) {
        text += tr("\n\n키보드 포트는 quilby 그룹의 계정만 쓸 수 있습니다. 관리자가 한 번:\n"
                   "sudo adduser %1 quilby\n그리고 다시 로그인하십시오. 그룹 밖의 계정(계산원 "
                   "계정 등)은 키보드를 다시 프로그래밍할 수 없습니다.")
                    .arg(qs(shellWord(accountName)));
    }
    return text;
}

} // namespace quilby

#include "help/HelpCommand.h"

#include "help/HelpLocator.h"

#include <cerrno>
#include <system_error>

namespace quilby {

std::vector<std::string> manualViewerCommand(const std::filesystem::path& manual) {
    return {std::string(kDesktopOpener), manual.string()};
}

HelpReport helpReportFor(bool manualFound, int launchError) {
    if (!manualFound) {
        return HelpReport::InstallManual;
    }
    switch (launchError) {
    case 0:
        return HelpReport::None;
    case ENOENT:
    case ENOTDIR:
        return HelpReport::InstallViewer;
    case EACCES:
    case ENOEXEC:
        return HelpReport::InvalidExecutable;
    default:
        return HelpReport::StartFailed;
    }
}

std::string helpReportText(HelpReport report, int launchError) {
    switch (report) {
    case HelpReport::None:
        return {};
    case HelpReport::InstallManual:
        // Said as the installation message says it, naming what is missing.
        return "메뉴얼을 보기 위해선 \n\n메뉴얼 파일(" + std::string(kManualFileName) +
               ")의 설치가 필요합니다. \n\n메뉴얼은 " + std::string(kProjectPage) +
               " 자료실 에서 다운로드 하실수 있습니다.";
    case HelpReport::InstallViewer:
        return "메뉴얼을 보기 위해선 \n\n웹 브라우저(HTML 뷰어)의 설치가 필요합니다. "
               "\n\n메뉴얼은 " +
               std::string(kProjectPage) + " 자료실 에서 다운로드 하실수 있습니다.";
    case HelpReport::InvalidExecutable:
        return "메모리 오류";
    case HelpReport::StartFailed:
        return "메뉴얼 보기 프로그램을 시작할 수 없습니다.\n\n" +
               std::error_code(launchError, std::generic_category()).message();
    }
    return {};
}

} // namespace quilby

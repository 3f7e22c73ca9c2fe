#include "app/qt/QtManualViewer.h"

#include "app/DetachedProcess.h"
#include "app/HelpCommand.h"
#include "app/HelpLocator.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtText.h"

#include <cerrno>

namespace quilby {

namespace {

ManualViewerHooks defaultHooks() {
    ManualViewerHooks hooks;
    hooks.findManual = [] { return findManual(runningBinaryDir()); };
    hooks.launch = [](const std::vector<std::string>& argv) { return startDetached(argv); };
    return hooks;
}

} // namespace

ManualViewerHooks& manualViewerHooks() {
    static ManualViewerHooks hooks = defaultHooks();
    return hooks;
}

void resetManualViewerHooks() {
    manualViewerHooks() = defaultHooks();
}

void showManual(QWidget* parent) {
    const auto manual = manualViewerHooks().findManual();
    const int error = manual ? manualViewerHooks().launch(manualViewerCommand(*manual)) : ENOENT;
    const HelpReport report = helpReportFor(manual.has_value(), error);
    const QString text = qs(helpReportText(report, error));
    switch (report) {
    case HelpReport::None:
        return;
    case HelpReport::InstallViewer:
        prompts().information(parent, text);
        return;
    case HelpReport::InvalidExecutable:
    case HelpReport::StartFailed:
        prompts().error(parent, text);
        return;
    }
}

} // namespace quilby

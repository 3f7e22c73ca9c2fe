#include "app/StartupOptions.h"
#include "app/qt/Application.h"
#include "common/ProgramVersion.h"
#include "common/TextEscape.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtText.h"
#include "common/qt/QtTranslations.h"
#include "layout/qt/LayoutExport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--export-layout") == 0) {
        return quilby::runLayoutExport(argc, argv);
    }
    // Answered before Qt starts, so they work without a display.
    switch (quilby::infoRequest(std::vector<std::string>(argv + 1, argv + argc))) {
    case quilby::InfoRequest::Usage:
        std::fputs(quilby::startupUsage().c_str(), stdout);
        return 0;
    case quilby::InfoRequest::Version:
        std::printf("%s\n%s\n", quilby::versionLine("quilby").c_str(),
                    std::string(quilby::kCopyrightLine).c_str());
        return 0;
    case quilby::InfoRequest::None:
        break;
    }
    // Without a display Qt would abort before the command line is read: a
    // wrong argument is then said here, with the usage (Qt's own options
    // need a display anyway).
    const bool display = std::getenv("DISPLAY") != nullptr ||
                         std::getenv("WAYLAND_DISPLAY") != nullptr ||
                         std::getenv("QT_QPA_PLATFORM") != nullptr;
    if (!display) {
        const char* port = std::getenv("QUILBY_PORT");
        const quilby::StartupOptions options = quilby::parseStartupOptions(
            std::vector<std::string>(argv + 1, argv + argc), port != nullptr ? port : "");
        if (!options.error.empty()) {
            std::fprintf(stderr, "quilby: %s\n%s", quilby::printableText(options.error).c_str(),
                         quilby::startupUsage().c_str());
            return 2;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quilby"));
    QApplication::setApplicationVersion(quilby::qs(quilby::programVersion()));
    quilby::installKoreanFonts();
    QStringList args = QApplication::arguments();
    args.removeFirst();
    // Before any window: windows read their texts once.
    const quilby::Language language = quilby::startupLanguage(args);
    if (!quilby::installProgramTranslations(language) && language == quilby::Language::English) {
        std::fputs("quilby: the English translation is not installed; the windows stay Korean\n",
                   stderr);
    }

    quilby::Application app;
    if (!app.start(args, qEnvironmentVariable("QUILBY_PORT"))) {
        std::fprintf(stderr, "quilby: %s\n", qPrintable(app.errorText()));
        return 2;
    }
    const int status = QApplication::exec();
    app.shutDown();
    return status;
}

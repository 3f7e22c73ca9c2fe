#include "app/StartupOptions.h"
#include "app/qt/CQuilbyApp.h"
#include "app/qt/CQuilbyView.h"
#include "common/ProgramVersion.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtText.h"
#include "common/qt/QtTranslations.h"
#include "document/KeyDocument.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// quilby --export-layout OUT.pdf FILE.KEY: writes the layout's pages and
// exits without a window, so it also runs where there is no display.
int exportLayout(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quilby --export-layout OUT.pdf FILE.KEY\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quilby"));
    quilby::installKoreanFonts();
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString in = QString::fromLocal8Bit(argv[3]);
    quilby::KeyDocument document;
    if (const auto error = document.open(quilby::toLocalPath(QFileInfo(in).absoluteFilePath()))) {
        std::fprintf(stderr, "quilby: %s\n", error->message().c_str());
        return 1;
    }
    // The reader takes anything; a file without one whole key block is not a
    // key table, and a picture of an empty keyboard would hide that.
    const auto& report = document.lastReadReport();
    if (report.completeBlocks == 0 && QFileInfo(in).size() > 0) {
        std::fprintf(stderr, "quilby: %s is not a key table; nothing written\n", argv[3]);
        return 1;
    }
    if (report.suspicious()) {
        std::fprintf(stderr, "quilby: %s: %zu findings while reading; exported as read\n", argv[3],
                     report.findings.size() + static_cast<std::size_t>(report.omittedFindings));
    }
    if (!quilby::CQuilbyView::exportLayout(out, QFileInfo(in).fileName(), document.data(), true)) {
        std::fprintf(stderr, "quilby: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--export-layout") == 0) {
        return exportLayout(argc, argv);
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

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quilby"));
    QApplication::setApplicationVersion(quilby::qs(quilby::programVersion()));
    quilby::installKoreanFonts();
    quilby::installKoreanQtTranslations();

    quilby::CQuilbyApp app;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (!app.InitInstance(args, qEnvironmentVariable("QUILBY_PORT"))) {
        std::fprintf(stderr, "quilby: %s\n", qPrintable(app.errorText()));
        return 2;
    }
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

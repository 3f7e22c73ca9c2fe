#include "layout/qt/LayoutExport.h"

#include "common/qt/QtFonts.h"
#include "common/qt/QtText.h"
#include "document/KeyDocument.h"
#include "document/OpenWarning.h"
#include "layout/qt/LayoutPage.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>

#include <cstdio>

namespace quilby {

int runLayoutExport(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quilby --export-layout OUT.pdf FILE.KEY\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quilby"));
    installKoreanFonts();
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString in = QString::fromLocal8Bit(argv[3]);
    KeyDocument document;
    if (const auto error = document.open(toLocalPath(QFileInfo(in).absoluteFilePath()))) {
        std::fprintf(stderr, "quilby: %s\n", error->message().c_str());
        return 1;
    }
    const auto& report = document.lastReadReport();
    if (holdsNoKeyTable(report)) {
        std::fprintf(stderr, "quilby: %s is not a key table; nothing written\n", argv[3]);
        return 1;
    }
    if (report.suspicious()) {
        std::fprintf(stderr, "quilby: %s: %zu findings while reading; exported as read\n", argv[3],
                     report.findings.size() + static_cast<std::size_t>(report.omittedFindings));
    }
    const LayoutPrintJob job{QFileInfo(in).fileName(), QDateTime::currentDateTime(), true};
    if (!exportKeyLayoutPdf(out, document.data(), job)) {
        std::fprintf(stderr, "quilby: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace quilby

#include "layout/qt/LayoutExport.h"

#include "common/TextEscape.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtText.h"
#include "document/KeyDocument.h"
#include "document/OpenWarning.h"
#include "document/TableRefusal.h"
#include "document/WriteGuard.h"
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
        std::fprintf(stderr, "quilby: %s\n", printableText(error->message()).c_str());
        return 1;
    }
    const auto& report = document.lastReadReport();
    const char* name = argv[3];
    switch (tableRefusal(report, TableUse::Export, false)) {
    case TableRefusal::None:
        break;
    case TableRefusal::Empty:
        std::fprintf(stderr,
                     "quilby: %s is empty: there is no key table to export; nothing "
                     "written\n",
                     printableText(name).c_str());
        return 1;
    case TableRefusal::NoKeyTable:
        std::fprintf(stderr, "quilby: %s is not a key table; nothing written\n",
                     printableText(name).c_str());
        return 1;
    case TableRefusal::Damaged:
        std::fprintf(
            stderr, "quilby: %s looks damaged (%s); see quilby-key check; nothing written\n",
            printableText(name).c_str(), printableText(keyFileFindingsSummary(report)).c_str());
        return 1;
    }
    const std::string target = toLocalPath(QFileInfo(out).absoluteFilePath());
    const std::string source = toLocalPath(QFileInfo(in).absoluteFilePath());
    if (const WriteVerdict verdict = checkWrite(target, {source}, InPlace::Refused)) {
        std::fprintf(stderr, "quilby: %s\n", printableText(verdict.message(argv[2])).c_str());
        return 1;
    }
    const LayoutPrintJob job{QFileInfo(in).fileName(), QDateTime::currentDateTime(), true};
    if (!exportKeyLayoutPdf(out, document.data(), job, {source})) {
        std::fprintf(stderr, "quilby: cannot write %s\n", printableText(argv[2]).c_str());
        return 1;
    }
    return 0;
}

} // namespace quilby

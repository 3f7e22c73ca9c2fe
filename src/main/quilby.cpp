#include "app/qt/CQuilbyApp.h"
#include "common/qt/QtFonts.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quilby"));
    quilby::installKoreanFonts();

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

#pragma once

#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtPrompts.h"
#include "document/KeyFileWriter.h"
#include "editing/qt/KeyTesterWindow.h"
#include "exchange/TableText.h"
#include "help/qt/ManualWindow.h"
#include "link/DownloadRecord.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

namespace quilby::testing {

// One place of the tour: what it shows and how the program gets there.
struct TourStop {
    const char* name;
    std::function<void(Application&)> open;
};

// Triggers a command of the main window, as a menu click would.
inline std::function<void(Application&)> command(Command c) {
    return [c](Application& app) { app.mainWindow()->action(c)->trigger(); };
}

// Runs `c` with a file question answered by `file`, as if the user had
// chosen it there, then puts the real question back.
using FileQuestion = std::function<QString(QWidget*, const QString&)>;
inline std::function<void(Application&)> choosing(FileQuestion QtPrompts::*question,
                                                  const QString& file, Command c) {
    return [question, file, c](Application& app) {
        const FileQuestion real = prompts().*question;
        prompts().*question = [file](QWidget*, const QString&) { return file; };
        command(c)(app);
        prompts().*question = real;
    };
}

// The help window after the desktop's opener failed with exit code 4.
inline void showFailedViewer(Application& app) {
    const ManualViewerHooks real = manualViewerHooks();
    manualViewerHooks().launch = [](const std::vector<std::string>&) {
        DetachedStart started;
        int fds[2];
        if (::pipe(fds) == 0) {
            const int status = 4 << 8; // as waitpid reports exit(4)
            (void)!::write(fds[1], &status, sizeof status);
            ::close(fds[1]);
            started.endPipe = fds[0];
        }
        return started;
    };
    if (ManualWindow* manual = showManual(app.mainWindow())) {
        manual->desktopButton()->click();
        for (int wait = 0; wait < 200 && !manual->viewerReport()->isVisible(); ++wait) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
    }
    manualViewerHooks() = real;
}

// The key tester after Ctrl+Shift+Z, a chord no key can hold.
inline void pressRefusedChord(Application& app) {
    command(Command::KeyTester)(app);
    auto* tester = app.mainWindow()->findChild<KeyTesterWindow*>();
    if (tester == nullptr) {
        return;
    }
    tester->show(); // the tour hid, not closed, the one of the earlier stop
    struct Stroke {
        QEvent::Type type;
        Qt::Key key;
        int evdev;
    };
    const Stroke strokes[] = {
        {QEvent::KeyPress, Qt::Key_Control, 29}, {QEvent::KeyPress, Qt::Key_Shift, 42},
        {QEvent::KeyPress, Qt::Key_Z, 44},       {QEvent::KeyRelease, Qt::Key_Z, 44},
        {QEvent::KeyRelease, Qt::Key_Shift, 42}, {QEvent::KeyRelease, Qt::Key_Control, 29}};
    for (const Stroke& s : strokes) {
        // The platform's native scan code is the X key code, evdev + 8.
        QKeyEvent event(s.type, s.key, Qt::NoModifier, static_cast<quint32>(s.evdev + 8), 0, 0);
        QApplication::sendEvent(tester, &event);
    }
}

// Every window, dialog and message box the tour visits. A new window is one
// more line here; the tests that take the tour check it without a change.
// `folder` is a scratch folder the tour may write to and work in.
inline std::vector<TourStop> tourStops(const QString& folder) {
    using C = Command;
    const QString damagedFile = folder + QStringLiteral("/damaged.KEY");
    const auto write = [](const QString& path, const std::string& bytes) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    };
    // Two tables that differ in key 07, as a JSON table and a key file.
    KeyTableData mine;
    mine.entryCounts[7] = 1;
    mine.setEntry(7, 0, {30, 0x1E61, "a"});
    KeyTableData theirs = mine;
    theirs.entryCounts[7] = 2;
    theirs.setEntry(7, 0, {31, 0x1E41, "A"});
    theirs.setEntry(7, 1, {48, 0x3062, "b"});
    const QString goodTable = folder + QStringLiteral("/table.json");
    const QString badTable = folder + QStringLiteral("/bad.csv");
    const QString keyFile = folder + QStringLiteral("/other.KEY");
    write(goodTable, exportTableText(mine, TableTextFormat::Json));
    write(badTable, "position,keys,spare\n07,a foo,\n");
    write(keyFile, writeKeyFile(theirs));
    return {
        {"main window, menus, toolbar, status bar", [](Application&) {}},
        {"special key combinations", command(C::SpecialKeys)},
        {"Default.key viewer", command(C::ShowDefaultKeys)},
        {"EPROM & MCR without MCR.OPN",
         [folder](Application& app) {
             QDir::setCurrent(folder);
             QFile::remove(folder + QStringLiteral("/MCR.OPN"));
             command(C::EpromMcr)(app);
         }},
        {"EPROM & MCR",
         [folder, write](Application& app) {
             QDir::setCurrent(folder);
             write(folder + QStringLiteral("/MCR.OPN"), std::string("2ff\0", 4));
             command(C::EpromMcr)(app);
         }},
        {"key editor", command(C::EditKeys)},
        {"download", command(C::Download)},
        {"key tester", command(C::KeyTester)},
        {"simulated keyboard", command(C::ShowSimulator)},
        {"manual", command(C::UtilityHelp)},
        {"about", command(C::About)},
        {"version check", command(C::VersionCheck)},
        {"open dialog", command(C::OpenFile)},
        {"save as dialog", command(C::SaveFileAs)},
        {"export dialog", command(C::ExportLayoutPdf)},
        {"print dialog", command(C::Print)},
        {"print preview", command(C::PrintPreview)},
        {"page setup", command(C::PrintSetup)},
        {"layout print dialog", command(C::PrintLayout)},
        {"layout preview", command(C::PreviewLayout)},
        {"open warning of a damaged file",
         [damagedFile, write](Application& app) {
             write(damagedFile, "7\n1 2 x\n");
             app.openDocumentFile(damagedFile);
         }},
        {"save question",
         [](Application& app) {
             app.document()->setModifiedFlag(true);
             app.mainWindow()->action(Command::NewFile)->trigger();
             app.document()->setModifiedFlag(false);
         }},
        {"file error", [](Application& app) { app.openDocumentFile(QStringLiteral("/")); }},
        {"table import dialog", command(C::ImportTable)},
        {"import of a table with an error",
         choosing(&QtPrompts::importTableName, badTable, C::ImportTable)},
        {"import of a table, compared with a differing file",
         [=](Application& app) {
             choosing(&QtPrompts::importTableName, goodTable, C::ImportTable)(app);
             choosing(&QtPrompts::openFileName, keyFile, C::CompareWithFile)(app);
         }},
        {"table export dialog", command(C::ExportTable)},
        {"export over the document's key file",
         [=](Application& app) {
             app.document()->setModifiedFlag(false);
             app.openDocumentFile(keyFile);
             choosing(&QtPrompts::exportTableName, keyFile, C::ExportTable)(app);
         }},
        {"download record",
         [=](Application& app) {
             const DownloadHistory history(DownloadHistory::defaultFolder());
             history.append(downloadRecordOf("", buildDownloadImage(mine), DownloadOutcome::Aborted,
                                             300, 7.5, "varo"),
                            mine);
             QFile log(QString::fromStdString(history.logPath()));
             log.open(QIODevice::Append);
             log.write("a line cut short\n");
             log.close();
             command(C::DownloadHistory)(app);
         }},
        {"help after the web browser failed", showFailedViewer},
        {"key tester after a refused key combination", pressRefusedChord},
        {"language note", command(C::KoreanLanguage)},
    };
}

// Takes the tour: `inspect` sees each window of each stop once, modal ones
// while they are shown (they are then closed, as Esc would), the others after
// the stop's command returned. Only the main window stays open.
inline void takeTour(Application& app, const std::vector<TourStop>& stops,
                     const std::function<void(const char* stop, QWidget* window)>& inspect) {
    for (const TourStop& stop : stops) {
        QSet<QWidget*> seen;
        const auto visit = [&] {
            const auto windows = QApplication::topLevelWidgets();
            for (QWidget* window : windows) {
                if (!window->isVisible()) {
                    continue;
                }
                if (!seen.contains(window)) {
                    seen.insert(window);
                    inspect(stop.name, window);
                } else if (window == QApplication::activeModalWidget()) {
                    window->hide(); // refused to go on reject: ends its loop all the same
                    continue;
                }
                if (auto* dialog = qobject_cast<QDialog*>(window);
                    dialog && window == QApplication::activeModalWidget()) {
                    dialog->reject();
                }
            }
        };
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, visit);
        poll.start();
        stop.open(app);
        QApplication::processEvents();
        poll.stop();
        visit();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != app.mainWindow() && window->isVisible()) {
                window->hide();
            }
        }
    }
}

// Every node of a window's accessibility tree, with a path of class names
// and accessible names that says where it is.
inline void
forEachAccessible(QWidget* window,
                  const std::function<void(QAccessibleInterface*, const QString& path)>& visit) {
    const std::function<void(QAccessibleInterface*, const QString&)> walk =
        [&](QAccessibleInterface* node, const QString& parentPath) {
            if (!node || !node->isValid()) {
                return;
            }
            const QString path =
                parentPath + QLatin1Char('/') +
                (node->object() ? QString::fromLatin1(node->object()->metaObject()->className())
                                : QString()) +
                QLatin1Char('"') + node->text(QAccessible::Name) + QLatin1Char('"');
            visit(node, path);
            for (int i = 0; i < node->childCount(); ++i) {
                walk(node->child(i), path);
            }
        };
    walk(QAccessible::queryAccessibleInterface(window), QString());
}

// Every text a window shows or says: window titles, tooltips, status tips,
// the actions of every widget and menu, combo box items, and what the
// accessibility tree reads out (labels, buttons, list and table items, edit
// fields). `text` is called with a path that names where it is.
inline void
forEachShownText(QWidget* window,
                 const std::function<void(const QString& where, const QString&)>& text) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        // A window of its own (a child dialog) is looked at when it is shown.
        if (w->window() != window) {
            continue;
        }
        const QString where =
            QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
        for (const QString& shown :
             {w->windowTitle(), w->toolTip(), w->statusTip(), w->whatsThis()}) {
            text(where, shown);
        }
        for (QAction* action : w->actions()) {
            for (const QString& shown : {action->text(), action->toolTip(), action->statusTip()}) {
                text(where + QStringLiteral(" action"), shown);
            }
        }
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            text(where, menu->title());
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) {
                text(where, combo->itemText(i));
            }
        }
    }
    forEachAccessible(window, [&](QAccessibleInterface* node, const QString& path) {
        for (const auto kind :
             {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help}) {
            text(path, node->text(kind));
        }
    });
}

} // namespace quilby::testing

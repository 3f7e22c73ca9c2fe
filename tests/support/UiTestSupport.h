#pragma once

#include "app/qt/Application.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <string>

namespace quilby::testing {

// Keeps the program's settings of a test run away from the user's.
inline void isolateSettings(const QTemporaryDir& dir) {
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    // The record of every download, too.
    qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toLocal8Bit());
}

// Answers the program's prompts from a script and records what was asked.
struct ScriptedPrompts {
    QtPrompts::SaveAnswer saveAnswer = QtPrompts::SaveAnswer::Cancel;
    QString openName;
    QString saveName;
    QString exportName;
    QString importTableName;
    QString exportTableName;
    int saveQuestions = 0;
    int openQuestions = 0;
    bool printerAccepted = true;
    QStringList errors;
    QStringList informations;
    int printerQuestions = 0;
    // The link's boxes as "stop|text" or "-|text", its questions as
    // "?|text", in the order shown; questions are answered from the front of
    // `yesNo` (No when it is empty).
    QStringList linkBoxes;
    QList<bool> yesNo;
    // The question before a save over a damaged source, and the one before
    // downloading such a table (answered No unless `goAhead`).
    QtPrompts::DamagedSaveAnswer damagedSaveAnswer = QtPrompts::DamagedSaveAnswer::Cancel;
    QStringList damagedSaveQuestions;
    QStringList goAheadQuestions;
    bool goAhead = false;

    void install() {
        auto& p = prompts();
        p.askSaveChanges = [this](QWidget*, const QString&) {
            ++saveQuestions;
            return saveAnswer;
        };
        p.error = [this](QWidget*, const QString& text) { errors << text; };
        p.information = [this](QWidget*, const QString& text) { informations << text; };
        p.openFileName = [this](QWidget*, const QString&) {
            ++openQuestions;
            return openName;
        };
        p.saveFileName = [this](QWidget*, const QString&) { return saveName; };
        p.exportFileName = [this](QWidget*, const QString&) { return exportName; };
        p.importTableName = [this](QWidget*, const QString&) { return importTableName; };
        p.exportTableName = [this](QWidget*, const QString&) { return exportTableName; };
        p.choosePrinter = [this](QWidget*, QPrinter*) {
            ++printerQuestions;
            return printerAccepted;
        };
        p.linkMessage = [this](QWidget*, const QString& text, bool stopIcon) {
            linkBoxes << (stopIcon ? QStringLiteral("stop|") : QStringLiteral("-|")) + text;
        };
        p.askYesNo = [this](QWidget*, const QString& text) {
            linkBoxes << QStringLiteral("?|") + text;
            return !yesNo.isEmpty() && yesNo.takeFirst();
        };
        p.askSaveOverFindings = [this](QWidget*, const QString& text) {
            damagedSaveQuestions << text;
            return damagedSaveAnswer;
        };
        p.askGoAhead = [this](QWidget*, const QString& text) {
            goAheadQuestions << text;
            return goAhead;
        };
    }
};

// What the UI tests share: settings kept away from the user's, the Korean
// fonts, the scripted prompts, and the whole program started with the
// simulated keyboard (never a real port). A test class's initTestCase, init
// and cleanup slots call setUpCase, setUpTest and tearDownTest.
class UiFixture {
protected:
    void setUpCase() {
        isolateSettings(tmp_);
        installKoreanFonts();
    }
    void setUpTest() {
        answers_ = {};
        answers_.install();
    }
    // Closes the program without a save prompt and puts the real prompts back.
    void tearDownTest() {
        if (app_ && frame()) {
            app_->document()->setModifiedFlag(false);
            frame()->close();
        }
        app_.reset();
        resetPrompts();
    }
    void start(const QStringList& args = {}) {
        app_ = std::make_unique<Application>();
        QVERIFY(app_->start(args, QStringLiteral("sim")));
    }
    QString file(const QString& name) const { return tmp_.filePath(name); }
    MainWindow* frame() const { return app_->mainWindow(); }

    QTemporaryDir tmp_;
    ScriptedPrompts answers_;
    std::unique_ptr<Application> app_;
};

// Runs `act` on the next modal dialog as soon as it is shown (the modal
// loop is entered after this returns), e.g. to reject the key editor.
template <typename Act> void onNextModal(QObject* context, Act act) {
    auto* timer = new QTimer(context);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, context, [timer, act] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

inline void writeBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string readBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll().toStdString();
}

} // namespace quilby::testing

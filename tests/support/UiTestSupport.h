#pragma once

#include "app/QtPrompts.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace quilby::testing {

// Keeps the program's settings of a test run away from the user's.
inline void isolateSettings(const QTemporaryDir& dir) {
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

// Answers the program's prompts from a script and records what was asked.
struct ScriptedPrompts {
    QtPrompts::SaveAnswer saveAnswer = QtPrompts::SaveAnswer::Cancel;
    QString openName;
    QString saveName;
    int saveQuestions = 0;
    bool printerAccepted = true;
    QStringList errors;
    QStringList informations;
    int printerQuestions = 0;

    void install() {
        auto& p = prompts();
        p.askSaveChanges = [this](QWidget*, const QString&) {
            ++saveQuestions;
            return saveAnswer;
        };
        p.error = [this](QWidget*, const QString& text) { errors << text; };
        p.information = [this](QWidget*, const QString& text) { informations << text; };
        p.openFileName = [this](QWidget*, const QString&) { return openName; };
        p.saveFileName = [this](QWidget*, const QString&) { return saveName; };
        p.choosePrinter = [this](QWidget*, QPrinter*) {
            ++printerQuestions;
            return printerAccepted;
        };
    }
};

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

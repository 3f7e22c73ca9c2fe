#include "app/qt/Application.h"

#include "app/qt/CommandAction.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtPrompts.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "common/qt/QtTranslations.h"
#include "help/qt/AboutDialog.h"
#include "link/HelperPortIo.h"
#include "link/LinkState.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/QtLinkState.h"
#include "link/qt/SimulatorWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

#include <cstdio>
#include <unistd.h>

namespace quilby {

bool adoptLegacySettings() {
    QSettings current(qs(kSettingsOrganisation), qs(kApplicationTitle));
    if (!current.allKeys().isEmpty()) {
        return false;
    }
    const QSettings legacy(qs(kLegacySettingsOrganisation), qs(kApplicationTitle));
    const QStringList keys = legacy.allKeys();
    for (const QString& key : keys) {
        current.setValue(key, legacy.value(key));
    }
    return !keys.isEmpty();
}

QSettings programSettings() {
    static bool adopted = false;
    if (!adopted) {
        adopted = true;
        adoptLegacySettings();
    }
    return QSettings(qs(kSettingsOrganisation), qs(kApplicationTitle));
}

namespace {

const QString kLanguageKey = QStringLiteral("Language");

std::vector<std::string> localArguments(const QStringList& args) {
    std::vector<std::string> argv;
    for (const auto& a : args) {
        argv.push_back(toLocalPath(a));
    }
    return argv;
}

} // namespace

std::optional<Language> savedLanguage() {
    return parseLanguage(toUtf8(programSettings().value(kLanguageKey).toString()));
}

Language startupLanguage(const QStringList& args) {
    // A wrong line is reported by start(), which then ends the program.
    const StartupOptions options = parseStartupOptions(localArguments(args), {});
    return chooseLanguage(options.language, savedLanguage(), environmentLanguage());
}

Application::Application() : console_(STDIN_FILENO) {
    createActions();
}

void Application::createActions() {
    const auto add = [this](Command command, auto slot) {
        return addCommandAction(actions_, command, this, slot);
    };
    add(Command::OpenFile, &Application::openFile);
    add(Command::PrintSetup, &Application::setUpPrinter);
    add(Command::About, &Application::showAbout);
    add(Command::Exit, &Application::exit);
    // Present only with the simulated keyboard: the back-end decides.
    showSimulatorAction_ = add(Command::ShowSimulator, &Application::showSimulator);
    showSimulatorAction_->setVisible(false);
    showSimulatorAction_->setEnabled(false);
    // One language at a time; the one checked is the one running.
    auto* languages = new QActionGroup(this);
    for (const auto& [command, language] :
         {std::pair{Command::KoreanLanguage, Language::Korean},
          std::pair{Command::EnglishLanguage, Language::English}}) {
        QAction* action = createCommandAction(command, this);
        action->setObjectName(QStringLiteral("language_") + qs(languageCode(language)));
        action->setChecked(language == runningLanguage());
        languages->addAction(action);
        actions_.append(action);
    }
    connect(languages, &QActionGroup::triggered, this, &Application::chooseLanguage);
}

Application::~Application() {
    // The window listens to the simulated keyboard: it goes first.
    delete simulatorWindow_;
    simulatorWindow_ = nullptr;
}

PortIo& Application::port() {
    if (simulator_) {
        return *simulator_;
    }
    return *hardware_;
}

bool Application::start(const QStringList& args, const QString& portEnv) {
    options_ = parseStartupOptions(localArguments(args), toUtf8(portEnv));
    if (!options_.error.empty()) {
        errorText_ = qs(options_.error);
        return false;
    }

    loadRecentFiles();
    document_ = new DocumentController(this);
    connect(document_, &DocumentController::fileUsed, this, &Application::addRecentFile);
    frame_ = std::make_unique<MainWindow>(this, document_);
    document_->newDocument();
    frame_->updateRecentFiles();

    frame_->show();
    // Outer size 600 x 600 at (150, 50), whatever the window system proposes.
    const QSize decoration = frame_->frameGeometry().size() - frame_->geometry().size();
    frame_->resize(QSize(600, 600) - decoration);
    frame_->move(150, 50);
    // On a small or magnified screen, smaller and moved onto it.
    keepOnScreen(frame_.get());
    frame_->updateCaption();

    createPortBackEnd();
    startLink();

    // A file named on the command line is opened and shown.
    if (!options_.file.empty()) {
        openDocumentFile(fromLocalPath(options_.file));
    }
    return true;
}

void Application::shutDown() {
    stopLink();
}

// The link starts after the main window exists: nothing in the frame or the
// view depends on it.
void Application::createPortBackEnd() {
    if (options_.portMode == PortMode::Simulated) {
        simulator_ = std::make_unique<SimulatedKeyboard>();
        access_ = simulator_.get();
        simulatorWindow_ = new SimulatorWindow(simulator_.get(), document_->data(), frame_.get());
        simulatorWindow_->show();
    } else {
        hardware_ = std::make_unique<HelperPortIo>();
        access_ = hardware_.get();
    }
    // The menu was built before the back-end existed.
    showSimulatorAction_->setVisible(simulatorWindow_ != nullptr);
    showSimulatorAction_->setEnabled(simulatorWindow_ != nullptr);
}

// Brand VARO and its identification, the family, then the permission.
void Application::startLink() {
    startKeyboardLink(link_, *access_);
    const bool simulated = options_.portMode == PortMode::Simulated;
    if (!link_.portGrant.granted && !simulated) {
        std::fprintf(stderr, "quilby: %s\n", link_.portGrant.explanation().c_str());
    }
    frame_->showLinkState(
        QtLinkState::statusText(link_, simulated ? LinkBackEnd::Simulated : LinkBackEnd::Hardware));
}

void Application::stopLink() {
    if (access_) {
        shutdownKeyboardLink(link_, *access_);
    }
}

QPrinter* Application::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return printer_.get();
}

void Application::setUpPrinter() {
    QPageSetupDialog dialog(printer(), frame_.get());
    dialog.exec();
}

void Application::showAbout() {
    AboutDialog dialog(frame_.get());
    dialog.exec();
}

void Application::exit() {
    frame_->close();
}

// Its close button only hid it; the keyboard behind it kept running.
void Application::showSimulator() {
    if (simulatorWindow_) {
        simulatorWindow_->show();
        simulatorWindow_->raise();
    }
}

void Application::chooseLanguage(QAction* action) {
    const Language language =
        commandOf(action) == Command::EnglishLanguage ? Language::English : Language::Korean;
    programSettings().setValue(kLanguageKey, qs(languageCode(language)));
    if (language != runningLanguage()) {
        // Said in the language chosen: the reader may not read the running one.
        prompts().information(frame_.get(),
                              textIn(language, kCommandTextContext, kLanguageRestartNote));
    }
}

void Application::openFile() {
    const QString folder =
        document_->path().isEmpty() ? QDir::currentPath() : QFileInfo(document_->path()).path();
    const QString path = prompts().openFileName(frame_.get(), folder);
    if (path.isEmpty()) {
        return;
    }
    openDocumentFile(path);
}

bool Application::openDocumentFile(const QString& path) {
    if (!document_->maybeSave()) {
        return false;
    }
    return document_->openDocumentFile(path);
}

void Application::openRecentFile(int index) {
    const auto& entries = recentFiles_.entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return;
    }
    const QString path = fromLocalPath(entries[static_cast<std::size_t>(index)]);
    if (!QFileInfo::exists(path)) {
        prompts().error(frame_.get(), tr("%1\n파일을 찾을 수 없어 최근 파일 목록에서 뺍니다.")
                                          .arg(QDir::toNativeSeparators(path)));
        dropRecentFile(path);
        return;
    }
    if (!document_->maybeSave()) {
        return;
    }
    // A folder or a file that cannot be read goes like a missing one.
    if (!document_->openDocumentFile(path, DocumentController::OpenedFrom::RecentList) &&
        document_->lastOpenError() && dropsRecentEntry(*document_->lastOpenError())) {
        dropRecentFile(path);
    }
}

void Application::dropRecentFile(const QString& path) {
    recentFiles_.remove(toLocalPath(path));
    saveRecentFiles();
    frame_->updateRecentFiles();
}

void Application::loadRecentFiles() {
    QSettings settings = programSettings();
    settings.beginGroup(QStringLiteral("Recent File List"));
    std::vector<std::string> paths;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        paths.push_back(toLocalPath(settings.value(QStringLiteral("File%1").arg(i)).toString()));
    }
    recentFiles_.setEntries(paths);
}

void Application::saveRecentFiles() {
    QSettings settings = programSettings();
    settings.beginGroup(QStringLiteral("Recent File List"));
    settings.remove(QString());
    const auto& entries = recentFiles_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), fromLocalPath(entries[i]));
    }
}

void Application::addRecentFile(const QString& path) {
    recentFiles_.add(toLocalPath(path));
    saveRecentFiles();
    if (frame_) {
        frame_->updateRecentFiles();
    }
}

} // namespace quilby

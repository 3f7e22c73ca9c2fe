#include "common/qt/QtPrompts.h"

#include "common/ProgramTexts.h"
#include "common/qt/QtText.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPushButton>

#include <array>
#include <utility>

namespace quilby {

namespace {

QString filterText() {
    return qs(kFileFilter) + QCoreApplication::translate("Prompts", ";;모든 파일 (*)");
}

// A warning with three buttons: the first is the default, the last answers
// Esc. Returns the index of the button clicked; closing the box counts as the
// last.
int askThreeWays(QWidget* parent, const QString& text,
                 const std::array<std::pair<QString, QMessageBox::ButtonRole>, 3>& buttons) {
    QMessageBox box(QMessageBox::Warning, qs(kApplicationTitle), text, QMessageBox::NoButton,
                    parent);
    std::array<QPushButton*, 3> added{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        added[i] = box.addButton(buttons[i].first, buttons[i].second);
    }
    box.setDefaultButton(added[0]);
    box.setEscapeButton(added[2]);
    box.exec();
    for (int i = 0; i < 2; ++i) {
        if (box.clickedButton() == added[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    return 2;
}

QtPrompts defaultPrompts() {
    QtPrompts p;
    p.askSaveChanges = [](QWidget* parent, const QString& title) {
        const int answer = askThreeWays(
            parent,
            QCoreApplication::translate("Prompts", "%1의 변경 내용을 저장하시겠습니까?").arg(title),
            {{{QCoreApplication::translate("Prompts", "예(&Y)"), QMessageBox::YesRole},
              {QCoreApplication::translate("Prompts", "아니요(&N)"), QMessageBox::NoRole},
              {QCoreApplication::translate("Prompts", "취소"), QMessageBox::RejectRole}}});
        return answer == 0   ? QtPrompts::SaveAnswer::Save
               : answer == 1 ? QtPrompts::SaveAnswer::Discard
                             : QtPrompts::SaveAnswer::Cancel;
    };
    p.error = [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, qs(kApplicationTitle), text);
    };
    p.information = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, qs(kApplicationTitle), text);
    };
    p.openFileName = [](QWidget* parent, const QString& directory) {
        return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("Prompts", "열기"),
                                            directory, filterText());
    };
    p.saveFileName = [](QWidget* parent, const QString& proposed) {
        QFileDialog dialog(parent, QCoreApplication::translate("Prompts", "다른 이름으로 저장"),
                           proposed, filterText());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The ".KEY" suffix is added by the document when the user types none.
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };
    p.exportFileName = [](QWidget* parent, const QString& proposed) {
        QFileDialog dialog(parent, QCoreApplication::translate("Prompts", "PDF로 내보내기"),
                           proposed, QStringLiteral("PDF (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };
    p.importTableName = [](QWidget* parent, const QString& directory) {
        return QFileDialog::getOpenFileName(
            parent, QCoreApplication::translate("Prompts", "가져오기"), directory,
            QStringLiteral("JSON, CSV (*.json *.csv);;JSON (*.json);;CSV (*.csv)"));
    };
    p.exportTableName = [](QWidget* parent, const QString& proposed) {
        const QString json = QStringLiteral("JSON (*.json)");
        QFileDialog dialog(parent, QCoreApplication::translate("Prompts", "내보내기"), proposed,
                           json + QStringLiteral(";;CSV (*.csv)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return QString();
        }
        // The chosen type decides the format unless the name already says it.
        QString chosen = dialog.selectedFiles().constFirst();
        const QString suffix = QFileInfo(chosen).suffix().toLower();
        if (suffix != QLatin1String("json") && suffix != QLatin1String("csv")) {
            chosen += dialog.selectedNameFilter() == json ? QStringLiteral(".json")
                                                          : QStringLiteral(".csv");
        }
        return chosen;
    };
    p.choosePrinter = [](QWidget* parent, QPrinter* printer) {
        QPrintDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    p.linkMessage = [](QWidget* parent, const QString& text, bool stopIcon) {
        QMessageBox box(stopIcon ? QMessageBox::Critical : QMessageBox::NoIcon,
                        qs(kApplicationTitle), text, QMessageBox::NoButton, parent);
        box.addButton(QCoreApplication::translate("Prompts", "확인"), QMessageBox::AcceptRole);
        box.exec();
    };
    p.askYesNo = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, qs(kApplicationTitle), text, QMessageBox::NoButton,
                        parent);
        auto* yes =
            box.addButton(QCoreApplication::translate("Prompts", "예(&Y)"), QMessageBox::YesRole);
        auto* no = box.addButton(QCoreApplication::translate("Prompts", "아니요(&N)"),
                                 QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    };
    p.askSaveOverFindings = [](QWidget* parent, const QString& text) {
        const int answer = askThreeWays(
            parent, text,
            {{{QCoreApplication::translate("QtPrompts", "다른 이름으로 저장(&A)"),
               QMessageBox::AcceptRole},
              {QCoreApplication::translate("QtPrompts", "덮어쓰기(&O)"),
               QMessageBox::DestructiveRole},
              {QCoreApplication::translate("QtPrompts", "취소"), QMessageBox::RejectRole}}});
        return answer == 0   ? QtPrompts::DamagedSaveAnswer::SaveAs
               : answer == 1 ? QtPrompts::DamagedSaveAnswer::Overwrite
                             : QtPrompts::DamagedSaveAnswer::Cancel;
    };
    p.askGoAhead = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Warning, qs(kApplicationTitle), text, QMessageBox::NoButton,
                        parent);
        auto* yes =
            box.addButton(QCoreApplication::translate("QtPrompts", "예(&Y)"), QMessageBox::YesRole);
        auto* no = box.addButton(QCoreApplication::translate("QtPrompts", "아니요(&N)"),
                                 QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    };
    return p;
}

} // namespace

QtPrompts& prompts() {
    static QtPrompts instance = defaultPrompts();
    return instance;
}

void resetPrompts() {
    prompts() = defaultPrompts();
}

} // namespace quilby

#include "link/qt/McrDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "link/LinkTexts.h"
#include "link/qt/QtLinkKeys.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quilby {

namespace {

// The status field holds the focus so that a space the keyboard types lands
// where it changes nothing. A dialog that opens hands the focus in as if by
// Tab, which would select the whole text of a line edit: a status shows
// unselected.
class StatusField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
    }
};

} // namespace

McrDialog::McrDialog(LinkSettings& settings, KeyTableData& table, std::string folder, PortIo& port,
                     Pacer& pacer, QWidget* parent)
    : QDialog(parent), prompts_(this),
      session_(settings, table, std::move(folder), port, pacer, prompts_) {
    setWindowTitle(trCore("LinkTexts", texts::kMcrCaption));
    // Modal to the main window only: the simulated keyboard's window stays usable.
    setWindowModality(Qt::WindowModal);
    // Smaller on a screen too small for the designed size.
    setFont(fontFittingScreen(dialogFont("System", 10), 198, 274, availableArea(parent)));
    keepOnScreenWhenShown(this);
    // The keyboard types its identification and report as key events: no
    // input method may compose them.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(198), du.y(274));

    // Controls in the order of the dialog's tab ring.
    // The four options in two rows: in one row of about 44 units each, a
    // label had no room left beside its indicator once the screen's scale
    // made the font smaller than the indicator.
    templateGroupBox(this, du, tr("MCR headcode Apply!"), 7, 4, 184, 32);

    struct Option {
        const char* text;
        int x, y, width;
    };
    static constexpr Option kOptions[] = {
        {QT_TR_NOOP("No Define"), 14, 14, 84},
        {QT_TR_NOOP("Define \"ff\""), 101, 14, 84},
        {QT_TR_NOOP("Define '?'"), 14, 24, 84},
        {QT_TR_NOOP("Define ';'"), 101, 24, 84},
    };
    options_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        const Option& o = kOptions[i];
        auto* button = new QRadioButton(tr(o.text), this);
        button->setObjectName(QStringLiteral("option%1").arg(1109 + i));
        // As wide as its label, within its column: a click beside the label
        // does not choose it.
        const QRect column = dluRect(du, o.x, o.y, o.width, 9);
        button->setGeometry(column.adjusted(
            0, 0, std::min(button->sizeHint().width(), column.width()) - column.width(), 0));
        options_->addButton(button, i);
    }
    connect(options_, &QButtonGroup::idClicked, this, &McrDialog::onOption);

    status_ = new StatusField(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setGeometry(dluRect(du, 7, 38, 184, 12));
    status_->setReadOnly(true);
    status_->setAccessibleName(tr("MCR 헤드 코드 상태"));
    status_->setAlignment(Qt::AlignCenter);

    apply_ = new QPushButton(tr("MCR 적용"), this);
    apply_->setGeometry(dluRect(du, 7, 54, 184, 14));
    apply_->setDefault(true);
    connect(apply_, &QPushButton::clicked, this, &McrDialog::onApply);

    templateGroupBox(this, du, trCore("LinkTexts", texts::kAnnouncePrompt), 7, 72, 184, 115);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("announcePicture"));
    picture_->setGeometry(dluRect(du, 11, 83, 176, 100));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setPixmap(announcePicture(picture_->size()));

    // "&&" shows one ampersand, as in every title that takes a mnemonic.
    templateGroupBox(this, du, tr("EPROM Version && CheckSum"), 7, 190, 184, 59);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setGeometry(dluRect(du, 14, 201, 171, 43));
    result_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    result_->setTextFormat(Qt::PlainText);

    quit_ = new QPushButton(tr("Quit(ESC)"), this);
    quit_->setGeometry(dluRect(du, 7, 253, 184, 14));
    quit_->setAutoDefault(false);
    connect(quit_, &QPushButton::clicked, this, &QDialog::reject);

    // Every key event of the dialog and its controls meets the session first.
    new QtLinkKeyFilter(this, [this](const KeyMessage& message) { return onKey(message); });
    showSession();

    // What the keyboard types passes on to the focused control: the space
    // that begins one model's identification would click an option button
    // that is not the chosen one and send the wrong head code. So the focus
    // starts on the chosen option, or on the read-only status field when no
    // option is chosen; a space there changes nothing.
    if (QAbstractButton* checked = options_->checkedButton()) {
        checked->setFocus(Qt::OtherFocusReason);
    } else {
        status_->setFocus(Qt::OtherFocusReason);
    }
}

QRadioButton* McrDialog::optionButton(int headCodeChoice) const {
    return qobject_cast<QRadioButton*>(options_->button(headCodeChoice));
}

void McrDialog::onOption(int headCodeChoice) {
    session_.selectOption(headCodeChoice);
    showSession();
}

void McrDialog::onApply() {
    // A failed write has been reported by the session and changed nothing.
    static_cast<void>(session_.apply());
    showSession();
}

KeyVerdict McrDialog::onKey(const KeyMessage& message) {
    const KeyVerdict verdict = session_.onKey(message);
    if (verdict == KeyVerdict::Consumed) {
        // A report ended, or a command went out: show where things stand.
        showSession();
    }
    return verdict;
}

void McrDialog::showSession() {
    if (QAbstractButton* button = options_->button(session_.headCodeChoice())) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = options_->checkedButton()) {
        // An exclusive group keeps one button checked: no option is shown
        // by lifting the rule for a moment.
        options_->setExclusive(false);
        checked->setChecked(false);
        options_->setExclusive(true);
    }
    status_->setText(trCore("McrOptionFile", session_.statusText()));
    result_->setText(session_.hasReport()
                         ? tr("\n Version : %1 \nCheckSum : %2")
                               .arg(qs(session_.version()), qs(session_.checksum()))
                         : QString());
}

} // namespace quilby

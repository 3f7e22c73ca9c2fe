#include "editing/qt/QtEntryClipboard.h"

#include "common/qt/QtText.h"

#include <QtTest>

using namespace quilby;

class QtEntryClipboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Untranslated, the window words a refusal exactly as the core does.
    void refusalsReadAsTheCoreWordsThem() {
        using P = ClipboardProblem;
        const ClipboardError errors[] = {
            {P::BadForm, 2, 0},          {P::NotWordAndLabel, 12, 0}, {P::LabelNotCp949, 1, 0},
            {P::UnknownWord, 3, 0x00ff}, {P::TooManyEntries, 0, 0},   {P::NothingToPaste, 0, 0},
        };
        for (const auto& error : errors) {
            QCOMPARE(clipboardErrorText(error), qs(clipboardErrorMessage(error)));
        }
        QCOMPARE(clipboardErrorText({P::UnknownWord, 3, 0x00ff}),
                 QStringLiteral("3번째 줄: 알 수 없는 워드 00ff입니다."));
    }
};

QTEST_MAIN(QtEntryClipboardTest)
#include "QtEntryClipboardTest.moc"

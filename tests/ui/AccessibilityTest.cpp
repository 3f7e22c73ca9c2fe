#include "app/CommandTable.h"
#include "app/qt/MainView.h"
#include "document/KeyTable.h"
#include "layout/qt/KeyLayoutView.h"

#include "../support/UiTestSupport.h"
#include "../support/WindowTour.h"

#include <QAccessible>
#include <QtTest>

using namespace quilby;

// What assistive technology and a keyboard-only user get: a name on every
// control of every window, the layout view as a table of 98 cells, and every
// cell reached and edited without a mouse.
class AccessibilityTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    KeyLayoutView* layoutView() {
        frame()->action(Command::ShowLayout)->setChecked(true);
        auto* view = frame()->findChild<KeyLayoutView*>();
        return view;
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() {
        resetPrompts();
        programSettings().clear();
    }
    void cleanup() { tearDownTest(); }

    void everyControlOfEveryWindowHasAnAccessibleName() {
        const QString oldCurrent = QDir::currentPath();
        start();
        QVERIFY(layoutView());
        const QList<QAccessible::Role> controls = {
            QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
            QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::SpinBox,
            QAccessible::List,       QAccessible::Table,        QAccessible::Tree,
            QAccessible::ButtonMenu, QAccessible::PageTabList,  QAccessible::Slider};
        QStringList unnamed;
        int checked = 0;
        quilby::testing::takeTour(
            *app_, quilby::testing::tourStops(tmp_.path()), [&](const char* stop, QWidget* window) {
                quilby::testing::forEachAccessible(
                    window, [&](QAccessibleInterface* node, const QString& path) {
                        // Qt's own dialogs are Qt's to name.
                        if (!window->inherits("quilby::MainWindow") &&
                            !QByteArray(window->metaObject()->className()).startsWith("quilby::")) {
                            return;
                        }
                        if (!controls.contains(node->role()) || node->state().invisible) {
                            return;
                        }
                        ++checked;
                        if (node->text(QAccessible::Name).trimmed().isEmpty()) {
                            unnamed << QString::fromLatin1(stop) + QStringLiteral(": ") + path;
                        }
                    });
            });
        QDir::setCurrent(oldCurrent);
        unnamed.removeDuplicates();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
        QVERIFY(checked > 50);
    }

    // The cells the view draws, as a 7 x 14 table: number, labels, count.
    void layoutViewIsATableOf98Cells() {
        start();
        auto& table = app_->document()->data();
        table.entryCounts[49] = 2;
        table.setEntry(49, 0, {1, 0x1E61, "a"});
        table.setEntry(49, 1, {1, 0x3062, "b"});
        KeyLayoutView* view = layoutView();
        QVERIFY(view);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(view);
        QCOMPARE(node->role(), QAccessible::Table);
        QVERIFY(!node->text(QAccessible::Name).isEmpty());
        QCOMPARE(node->childCount(), kKeyPositions);
        QAccessibleTableInterface* grid = node->tableInterface();
        QVERIFY(grid);
        QCOMPARE(grid->rowCount() * grid->columnCount(), kKeyPositions);
        QSet<QString> names;
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* cell = node->child(i);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(node->indexOfChild(cell), i);
            QCOMPARE(cell->parent(), node);
            names.insert(cell->text(QAccessible::Name));
            QVERIFY(view->rect().contains(view->mapFromGlobal(cell->rect().center())));
            QCOMPARE(node->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
        }
        QCOMPARE(names.size(), kKeyPositions);
        // Row 0, column 7: the right block starts with 49.
        QAccessibleInterface* cell = grid->cellAt(0, 7);
        QCOMPARE(cell, node->child(49));
        QVERIFY(cell->text(QAccessible::Name).contains(QStringLiteral("49")));
        QCOMPARE(cell->text(QAccessible::Value), QStringLiteral("a b"));
        QVERIFY(cell->text(QAccessible::Description).contains(QLatin1Char('2')));
        QCOMPARE(cell->tableCellInterface()->rowIndex(), 0);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), 7);
    }

    // Arrows move the focus cell (assistive technology follows it), Enter
    // opens the key editor on it, the menu key opens the Edit commands.
    void everyCellIsReachedAndEditedFromTheKeyboard() {
        start();
        KeyLayoutView* view = layoutView();
        frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame()));
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(view);
        QSet<int> reached{view->selected()};
        for (int row = 0; row < 7; ++row) {
            for (int step = 0; step < 13; ++step) {
                QTest::keyClick(view, row % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
                reached.insert(view->selected());
            }
            QTest::keyClick(view, Qt::Key_Down);
            reached.insert(view->selected());
        }
        QCOMPARE(reached.size(), kKeyPositions);
        QCOMPARE(node->focusChild(), node->child(view->selected()));
        QVERIFY(node->focusChild()->state().focused);
        const int position = view->selected();
        int edited = -1;
        quilby::testing::onNextModal(this, [&](QDialog* dialog) {
            edited = view->selected();
            dialog->reject();
        });
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(edited, position);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"

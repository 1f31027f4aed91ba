// SPDX-License-Identifier: GPL-3.0-or-later
// What reaches the form from the keyboard, the mouse and an assistive tool,
// and what a screen reader gets: names, descriptions, actions, locked boxes.
#include <QAccessible>
#include <QTest>

#include <vector>

#include "mainwindow.h"
#include "typing.h"

using platform::Failure;

namespace {

// Collects errors instead of opening a dialog.
class RecordingReporter : public platform::ErrorReporter {
public:
    void report(const platform::CalculationError& error) override {
        failures.push_back(error.failure());
        quantities.push_back(toQString(calc::columnName(calc::Column(error.quantity()))));
    }
    std::vector<Failure> failures;
    QStringList quantities;
};

// Counts a box's changes of lock: each time the form hears of an option it
// locks the grid and unlocks the chosen row.
class LockCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        changes += event->type() == QEvent::ReadOnlyChange;
        return false;
    }
    int changes = 0;
};

// Operates `control` the way named: "click", a key ("Space", "Up", "Enter")
// given to it focused, or an assistive tool's action ("Toggle", "Press").
void operate(QWidget* control, const QString& way) {
    const Qt::Key key = QKeySequence(way)[0].key();
    if (way == "click") {
        static_cast<QAbstractButton*>(control)->click();
    } else if (key != Qt::Key_unknown) {
        control->setFocus();
        QTest::keyClick(control, key);
    } else {
        QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(way);
    }
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Every way of choosing an option reaches the form once, and the
    // program's own choice at load none; focusing one chooses nothing. The
    // arrows go round the nine.
    void optionReachesFormOnce_data() {
        QTest::addColumn<int>("from");  // the option chosen before
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("lockChanges");  // of the chosen row: 1 from locked, 2 from unlocked
        QTest::newRow("click") << 0 << "click" << 3 << 1;
        QTest::newRow("click on the chosen one") << 3 << "click" << 3 << 2;
        QTest::newRow("Space") << 0 << "Space" << 3 << 1;
        QTest::newRow("Down from Вариант 3") << 2 << "Down" << 3 << 1;
        QTest::newRow("Right from Вариант 3") << 2 << "Right" << 3 << 1;
        QTest::newRow("Up from Вариант 5") << 4 << "Up" << 3 << 1;
        QTest::newRow("Left from Вариант 5") << 4 << "Left" << 3 << 1;
        QTest::newRow("Down from Вариант 9") << 8 << "Down" << 0 << 1;
        QTest::newRow("Up from Вариант 1") << 0 << "Up" << 8 << 1;
        QTest::newRow("action Toggle") << 0 << "Toggle" << 3 << 1;
        QTest::newRow("action Press") << 0 << "Press" << 3 << 1;
        QTest::newRow("action SetFocus") << 0 << "SetFocus" << 0 << 0;
    }

    void optionReachesFormOnce() {
        QFETCH(int, from);
        QFETCH(QString, way);
        QFETCH(int, chosen);
        QFETCH(int, lockChanges);
        MainWindow w;
        showActive(w);
        const Controls& c = w.controls();
        c.Option1[from]->click();
        type(c.Text2[5 * from], "7");
        LockCounter locks;
        c.Text2[5 * chosen]->installEventFilter(&locks);
        const bool arrow = QStringList{"Up", "Down", "Left", "Right"}.contains(way);
        operate(c.Option1[arrow ? from : 3], way);
        QTRY_COMPARE(w.selectedVariant(), std::optional<std::int16_t>(chosen));  // Press: a moment
        QCOMPARE(locks.changes, lockChanges);
        QVERIFY(c.Option1[chosen]->isChecked());
        if (arrow) QCOMPARE(QApplication::focusWidget(), c.Option1[chosen]);
        QCOMPARE(unlocked(w), row(chosen));
        QCOMPARE(c.Text2[5 * from]->text(), lockChanges ? QString() : QStringLiteral("7"));
    }

    // "Изчисли" pressed any way, or Enter in any box, calculates once: one
    // error, told to the reporter; the widgets keep what was typed. Enter on
    // "Изчисти" empties the boxes instead, and tells of no error.
    void commandReachesFormOnce_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("way");
        const auto add = [](const char* name, const char* control, const char* way) {
            QTest::newRow(name) << control << way;
        };
        add("click", "Command1_0", "click");
        add("Space", "Command1_0", "Space");
        add("Return on Изчисли", "Command1_0", "Return");
        add("action Press", "Command1_0", "Press");
        add("Return in Вариант 2, R", "Text2_5", "Return");
        add("keypad Enter in the locked Вариант 1, V", "Text2_4", "Enter");
        add("keypad Enter on Изчисти", "Command1_1", "Enter");
    }

    void commandReachesFormOnce() {
        QFETCH(QString, control);
        QFETCH(QString, way);
        const bool clears = control == "Command1_1";
        RecordingReporter errors;
        MainWindow w(&errors);
        showActive(w);
        w.controls().Option1[1]->click();
        type(w.controls().Text2[5], "0");
        type(w.controls().Text2[7], "5");
        operate(w.findChild<QWidget*>(control), way);
        QTRY_COMPARE(errors.failures,
                     std::vector<Failure>(clears ? 0 : 1, Failure::DivisionByZero));
        QCOMPARE(errors.quantities, QStringList(clears ? 0 : 1, "H"));
        QCOMPARE(rowTexts(w, 1), clears ? QStringList(5) : QStringList({"0", "", "5", "", ""}));
        QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(window::AssignmentText));
    }

    // A locked box takes text from the program only: not typed, not from an
    // assistive tool; an unlocked one takes it from both.
    void lockedBoxRefusesText_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("after");
        for (const char* way : {"type", "setText", "insertText", "replaceText"}) {
            QTest::addRow("%s into the locked Вариант 2, R", way) << 5 << way << "";
            QTest::addRow("%s into Вариант 1, R", way) << 0 << way << "5";
        }
    }

    void lockedBoxRefusesText() {
        QFETCH(int, box);
        QFETCH(QString, way);
        QFETCH(QString, after);
        MainWindow w;
        QLineEdit* target = w.controls().Text2[box];
        QAccessibleInterface* tool = QAccessible::queryAccessibleInterface(target);
        if (way == "type")
            typeKeys(target, "5");
        else if (way == "setText")
            tool->setText(QAccessible::Value, "5");
        else if (way == "insertText")
            tool->editableTextInterface()->insertText(0, "5");
        else
            tool->editableTextInterface()->replaceText(0, 0, "5");
        QCOMPARE(target->text(), after);
        QCOMPARE(tool->text(QAccessible::Value), after);
    }

    // After a calculation a computed box's tooltip and accessible description
    // give its step (the fitted box's tooltip then its full number), the
    // report area's the whole solution; an option clears them.
    void solutionInTooltips() {
        MainWindow w;
        const Controls& c = w.controls();
        const auto description = [](QWidget* control) {
            return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
        };
        c.Option1[1]->click();
        type(c.Text2[5], "2");
        type(c.Text2[7], "37.6991118430775");
        c.Command1[0]->click();
        const QString v = "V = πR²H = π · 2² · 3 = 37.6991118430775";
        const QString h = "So = 2πRH ⇒ H = So / (2πR) = 37.6991118430775 / (2π · 2) = 3";
        const struct {
            QWidget* box;
            QString tip, description;
        } rows[] = {
            {c.Text2[9], v + "\n37.6991118430775", v},
            {c.Text2[6], h, h},    // "3" fits
            {c.Text2[5], "", ""},  // given
        };
        for (const auto& row : rows) {
            QCOMPARE(row.box->toolTip(), row.tip);
            QCOMPARE(description(row.box), row.description);
        }
        const QString whole = c.Text1[0]->toolTip();
        QVERIFY2(whole.split('\n').contains(v) && !whole.endsWith('\n'), qPrintable(whole));
        QCOMPARE(description(c.Text1[0]), whole);

        c.Option1[1]->click();
        for (QWidget* control :
             std::initializer_list<QWidget*>{c.Text2[9], c.Text2[6], c.Text1[0]}) {
            QCOMPARE(control->toolTip(), QString());
            QCOMPARE(description(control), QString());
        }
    }

    // What a screen reader names, and what an assistive tool can do: each
    // action is a row of the tests above.
    void namesAndActions() {
        MainWindow w;
        QCOMPARE(w.controls().Text2[11]->accessibleName(), QStringLiteral("Вариант 3, H"));
        QCOMPARE(w.controls().Text2[44]->accessibleName(), QStringLiteral("Вариант 9, V"));
        QVERIFY(!w.controls().Text1[0]->accessibleName().isEmpty());
        const auto actions = [](QWidget* control) {
            return QAccessible::queryAccessibleInterface(control)->actionInterface()->actionNames();
        };
        QCOMPARE(actions(w.controls().Option1[3]), QStringList({"Toggle", "SetFocus"}));
        QCOMPARE(actions(w.controls().Command1[0]), QStringList({"Press", "SetFocus"}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

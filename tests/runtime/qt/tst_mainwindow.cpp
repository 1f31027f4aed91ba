// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QStyleFactory>
#include <QTest>

#include <algorithm>
#include <vector>

#include "focus_chains_data.h"  // tests/data/focus-chains.txt
#include "mainwindow.h"
#include "platform/calculationerror.h"
#include "textconvert.h"
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

QStringList gridTexts(const MainWindow& w) {
    QStringList texts;
    for (const QLineEdit* box : w.controls().Text2) texts << box->text();
    return texts;
}

QStringList rowTexts(const MainWindow& w, int k) {
    return gridTexts(w).mid(5 * k, 5);
}

QString reportOf(const QString& r, const QString& s) {
    return "Радиус на максималната вписана сфера: " + r + "\r\nПовърхнина на сферата: " + s +
           "\r\n";
}

void type(QLineEdit* box, const QString& text) {
    box->clear();
    typeKeys(box, text);
}

// Unlocked boxes, as indices.
QList<int> unlocked(const MainWindow& w) {
    QList<int> boxes;
    for (int i = 0; i < window::BoxCount; ++i)
        if (!w.controls().Text2[i]->isReadOnly()) boxes << i;
    return boxes;
}

QList<int> row(int k) {
    return {5 * k, 5 * k + 1, 5 * k + 2, 5 * k + 3, 5 * k + 4};
}

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

void showActive(MainWindow& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

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

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void loadState();
    void bulgarianLocaleWritesCommas();
    void optionReachesFormOnce_data();
    void optionReachesFormOnce();
    void commandReachesFormOnce_data();
    void commandReachesFormOnce();
    void lockedBoxRefusesText_data();
    void lockedBoxRefusesText();
    void tabFollowsHandWrittenChains();
    void computedBoxesCanBeCopied();
    void wideNumberShowsRounded();
    void solutionInTooltips();
    void layout_data();
    void layout();
    void designRules();
    void colours_data();
    void colours();
    void captionIconAndNames();
};

void TestMainWindow::loadState() {
    MainWindow w;
    QVERIFY(!w.selectedVariant().has_value());
    QCOMPARE(unlocked(w), row(0));
    QVERIFY(w.controls().Option1[0]->isChecked());
    for (const QString& text : gridTexts(w)) QVERIFY(text.isEmpty());
    QCOMPARE(w.reportText(), std::u16string(window::AssignmentText));
    QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(window::AssignmentText));
    QCOMPARE(w.controls().Text1[1]->toPlainText(), toDisplayText(window::QuotationText));
    QVERIFY(w.controls().Text1[0]->isReadOnly() && w.controls().Text1[1]->isReadOnly());
}

void TestMainWindow::bulgarianLocaleWritesCommas() {
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    MainWindow w;
    w.controls().Option1[1]->click();
    type(w.controls().Text2[5], "2");
    type(w.controls().Text2[7], "37,6991118430775");
    w.controls().Command1[0]->click();
    QCOMPARE(rowTexts(w, 1),
             QStringList({"2", "3", "37,6991118430775", "62,8318530717958", "37,6991118430775"}));
    QCOMPARE(toQString(w.reportText()), reportOf("1,5", "28,2743338823081"));
    // The assignment text is gone for good, the report shown in its place.
    QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(w.reportText()));
}

// Every way of choosing "Вариант 4" reaches the form once, and the program's
// own choice at load none (loadState); focusing it chooses nothing.
void TestMainWindow::optionReachesFormOnce_data() {
    QTest::addColumn<int>("from");  // the option chosen before
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("lockChanges");  // of Text2(15): 1 from locked, 2 from unlocked
    QTest::newRow("click") << 0 << "click" << 3 << 1;
    QTest::newRow("click on the chosen one") << 3 << "click" << 3 << 2;
    QTest::newRow("Space") << 0 << "Space" << 3 << 1;
    QTest::newRow("Down from Вариант 3") << 2 << "Down" << 3 << 1;
    QTest::newRow("Up from Вариант 5") << 4 << "Up" << 3 << 1;
    QTest::newRow("action Toggle") << 0 << "Toggle" << 3 << 1;
    QTest::newRow("action Press") << 0 << "Press" << 3 << 1;
    QTest::newRow("action SetFocus") << 0 << "SetFocus" << 0 << 0;
}

void TestMainWindow::optionReachesFormOnce() {
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
    c.Text2[15]->installEventFilter(&locks);
    operate(c.Option1[way == "Up" || way == "Down" ? from : 3], way);
    QTRY_COMPARE(w.selectedVariant(), std::optional<std::int16_t>(chosen));  // Press: a moment
    QCOMPARE(locks.changes, lockChanges);
    QVERIFY(c.Option1[chosen]->isChecked());
    QCOMPARE(unlocked(w), row(chosen));
    QCOMPARE(c.Text2[5 * from]->text(), lockChanges ? QString() : QStringLiteral("7"));
}

// "Изчисли" pressed any way, or Enter in any box, calculates once: one error,
// told to the reporter; the widgets keep what was typed.
void TestMainWindow::commandReachesFormOnce_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("way");
    QTest::newRow("click") << "Command1_0"
                           << "click";
    QTest::newRow("Space") << "Command1_0"
                           << "Space";
    QTest::newRow("action Press") << "Command1_0"
                                  << "Press";
    QTest::newRow("Return in Вариант 2, R") << "Text2_5"
                                            << "Return";
    QTest::newRow("keypad Enter in the locked Вариант 1, V") << "Text2_4"
                                                             << "Enter";
}

void TestMainWindow::commandReachesFormOnce() {
    QFETCH(QString, control);
    QFETCH(QString, way);
    RecordingReporter errors;
    MainWindow w(&errors);
    showActive(w);
    w.controls().Option1[1]->click();
    type(w.controls().Text2[5], "0");
    type(w.controls().Text2[7], "5");
    operate(w.findChild<QWidget*>(control), way);
    QTRY_COMPARE(errors.failures, std::vector<Failure>{Failure::DivisionByZero});
    QCOMPARE(errors.quantities, QStringList{"H"});
    QCOMPARE(rowTexts(w, 1), QStringList({"0", "", "5", "", ""}));
    QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(window::AssignmentText));
}

// A locked box takes text from the program only: not typed, not from an
// assistive tool; an unlocked one takes it from both.
void TestMainWindow::lockedBoxRefusesText_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("after");
    for (const char* way : {"type", "setText", "insertText", "replaceText"}) {
        QTest::addRow("%s into the locked Вариант 2, R", way) << 5 << way << "";
        QTest::addRow("%s into Вариант 1, R", way) << 0 << way << "5";
    }
}

void TestMainWindow::lockedBoxRefusesText() {
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

// Tab and Shift+Tab move Qt's focus along the hand-written chains, round.
void TestMainWindow::tabFollowsHandWrittenChains() {
    MainWindow w;
    showActive(w);
    for (const QString& line : QString::fromUtf8(FocusChainsData).split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        QStringList chain = line.split(' ', Qt::SkipEmptyParts);
        w.controls().Option1[chain.takeFirst().toInt()]->click();
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            w.controls().Text1[0]->setFocus();
            QStringList walked;
            for (qsizetype i = 0; i <= chain.size(); ++i) {
                const QString name = QApplication::focusWidget()->objectName();
                walked << name.section('_', 0, 0) + '(' + name.section('_', 1) + ')';
                QTest::keyClick(QApplication::focusWidget(), key);
            }
            QCOMPARE(walked.front(), walked.back());
            if (key == Qt::Key_Backtab) std::reverse(walked.begin(), walked.end());
            QCOMPARE(walked.mid(0, chain.size()), chain);
        }
    }
}

void TestMainWindow::computedBoxesCanBeCopied() {
    MainWindow w;
    type(w.controls().Text2[0], "1");
    type(w.controls().Text2[1], "1");
    w.controls().Command1[0]->click();
    QLineEdit* computed = w.controls().Text2[2];
    QCOMPARE(computed->focusPolicy(), Qt::ClickFocus);
    computed->selectAll();
    computed->copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("6.28318530717958"));
}

// Without the focus a number too wide for its box shows rounded, drawn as a
// box holding that text would be; the box itself keeps the full text.
void TestMainWindow::wideNumberShowsRounded() {
    MainWindow w;
    type(w.controls().Text2[0], "100000000");
    type(w.controls().Text2[1], "100000000");
    w.controls().Command1[0]->click();
    NumberBox* box = w.controls().Text2[4];
    const QString full = QStringLiteral("3.14159265358979E+24");
    QCOMPARE(box->text(), full);
    const QString shown = toQString(box->state().shownText());
    QVERIFY2(shown.size() < full.size() && shown.startsWith("3.1") && shown.endsWith("E+24"),
             qPrintable(shown));
    const QString fittedTip = box->toolTip();  // the step that found it, then the full number
    QLineEdit plain(shown);
    plain.setFont(box->font());
    plain.setPalette(box->palette());
    plain.resize(box->size());
    // Inside the frame, whose rounded corners show what lies behind.
    const auto picture = [](QWidget* w) {
        const QImage image = w->grab(w->rect().adjusted(2, 2, -2, -2)).toImage();
        return image.convertToFormat(QImage::Format_RGB32);
    };
    QCOMPARE(picture(box), picture(&plain));

    showActive(w);
    box->setFocus();
    QCOMPARE(toQString(box->state().shownText()), full);
    QCOMPARE(box->toolTip() + "\n" + full, fittedTip);  // the step alone
}

// After a calculation a computed box's tooltip and accessible description
// give its step (the fitted box's tooltip then its full number), the
// report area's the whole solution; an option clears them.
void TestMainWindow::solutionInTooltips() {
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
    for (QWidget* control : std::initializer_list<QWidget*>{c.Text2[9], c.Text2[6], c.Text1[0]}) {
        QCOMPARE(control->toolTip(), QString());
        QCOMPARE(description(control), QString());
    }
}

void TestMainWindow::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    for (int i = 0; i < window::BoxCount; ++i)
        QTest::addRow("Text2_%d", i)
            << QString("Text2_%1").arg(i)
            << QRect((1560 + 960 * (i % 5)) / 15, (840 + 360 * (i / 5)) / 15, 65, 27);
    QTest::newRow("Label1_0") << "Label1_0" << QRect(40, 0, 417, 25);
    QTest::newRow("Label1_5") << "Label1_5" << QRect(360, 32, 65, 25);
    QTest::newRow("Option1_8") << "Option1_8" << QRect(8, 248, 97, 25);
    QTest::newRow("Command1_0") << "Command1_0" << QRect(432, 80, 65, 25);
    QTest::newRow("Command1_1") << "Command1_1" << QRect(432, 200, 65, 25);
    QTest::newRow("Text1_0") << "Text1_0" << QRect(8, 296, 489, 121);
    QTest::newRow("Text1_1") << "Text1_1" << QRect(40, 336, 449, 121);
}

void TestMainWindow::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    MainWindow w;
    QCOMPARE(w.size(), QSize(504, 419));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    auto* control = w.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void TestMainWindow::designRules() {
    MainWindow w;
    const Controls& c = w.controls();
    // Text1(1) overlaps Text1(0), lies on top, and is cut by the window's edge.
    QVERIFY(c.Text1[1]->geometry().bottom() >= w.height());
    QVERIFY(c.Text1[0]->geometry().intersects(c.Text1[1]->geometry()));
    QWidget* hit = w.childAt(250, 380);
    QVERIFY(hit == c.Text1[1] || c.Text1[1]->isAncestorOf(hit));
    QCOMPARE(c.Text1[1]->frameShape(), QFrame::NoFrame);
    QCOMPARE(c.Text1[0]->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Fonts: bold on computed boxes and on 22 and 24, the window font elsewhere.
    for (int i : {2, 22, 24, 44}) QVERIFY(c.Text2[i]->font().bold());
    for (int i : {0, 1, 25, 28}) QVERIFY(!c.Text2[i]->font().bold());
    QCOMPARE(c.Text2[0]->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(c.Text2[0]->font().pointSize(), 12);
    QCOMPARE(c.Option1[8]->text(), QStringLiteral("Вариант 9"));
    QCOMPARE(c.Command1[0]->text(), QStringLiteral("Изчисли"));
    QCOMPARE(c.Command1[1]->text(), QStringLiteral("Изчисти"));
    QCOMPARE(c.Label1[0]->text(),
             QStringLiteral("Изчисляване на вписана сфера в прав кръгов цилиндър"));
}

void TestMainWindow::colours_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("where");  // inside the control, clear of text and frame
    QTest::addColumn<QColor>("colour");
    for (const QString& style : QStyleFactory::keys()) {
        const auto add = [&](const char* name, QPoint p, QColor c) {
            QTest::addRow("%s %s", qPrintable(style), name) << style << name << p << c;
        };
        add("window", QPoint(2, 410), QColor(192, 192, 255));
        add("Label1_0", QPoint(3, 3), QColor(255, 192, 128));
        add("Label1_1", QPoint(3, 20), QColor(255, 192, 128));
        add("Option1_0", QPoint(90, 3), QColor(192, 255, 192));
        add("Command1_0", QPoint(5, 5), QColor(128, 255, 128));
        add("Command1_1", QPoint(5, 5), QColor(255, 0, 0));
        add("Text2_2", QPoint(55, 13), QColor(255, 192, 192));
        add("Text2_22", QPoint(55, 13), QColor(255, 255, 255));
        add("Text2_0", QPoint(55, 13), QApplication::palette().color(QPalette::Base));
    }
}

void TestMainWindow::colours() {
    QFETCH(QString, style);
    QFETCH(QString, name);
    QFETCH(QPoint, where);
    QFETCH(QColor, colour);
    QApplication::setStyle(QStyleFactory::create(style));
    MainWindow w;
    w.controls().Option1[0]->setFocus();
    QWidget* control = name == "window" ? &w : w.findChild<QWidget*>(name);
    QVERIFY(control);
    const QImage image = w.grab().toImage();
    const QPoint p = control->mapTo(&w, where);
    QCOMPARE(image.pixelColor(p).rgb(), colour.rgb());
}

void TestMainWindow::captionIconAndNames() {
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Геометрия - прав кръгов цилиндър"));
    QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(w.windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
    const QStringList tips = {"Радиус на основата", "Височина", "Околна повърхнина",
                              "Пълна повърхнина", "Обем"};
    for (int c = 0; c < 5; ++c) QCOMPARE(w.controls().Label1[c + 1]->toolTip(), tips[c]);
    QCOMPARE(w.controls().Text2[11]->accessibleName(), QStringLiteral("Вариант 3, H"));
    QCOMPARE(w.controls().Text2[44]->accessibleName(), QStringLiteral("Вариант 9, V"));
    QVERIFY(!w.controls().Text1[0]->accessibleName().isEmpty());
    // What an assistive tool can do: each is a row of the tests above.
    const auto actions = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->actionInterface()->actionNames();
    };
    QCOMPARE(actions(w.controls().Option1[3]), QStringList({"Toggle", "SetFocus"}));
    QCOMPARE(actions(w.controls().Command1[0]), QStringList({"Press", "SetFocus"}));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

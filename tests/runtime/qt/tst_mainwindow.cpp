// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QStyleFactory>
#include <QTest>

#include <algorithm>
#include <vector>

#include "calc/cylinder.h"
#include "mainwindow.h"
#include "numberbox.h"
#include "platform/calculationerror.h"
#include "textconvert.h"
#include "typing.h"

using platform::Failure;
using window::Kind;

Q_DECLARE_METATYPE(Failure)

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

QColor pixelAt(const QImage& image, QPoint p) {
    return image.pixelColor(p);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void loadState();
    void calculateBeforeAnyOptionUsesFirstVariant();
    void optionClickEmptiesGridKeepsReport();
    void bulgarianLocaleWritesCommas();
    void errorReachesReporter();
    void enterCalculates();
    void arrowKeysChooseVariant();
    void tabOrder();
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

void TestMainWindow::calculateBeforeAnyOptionUsesFirstVariant() {
    RecordingReporter errors;
    MainWindow w(&errors);
    type(w.controls().Text2[0], "2");
    type(w.controls().Text2[1], "3");
    w.controls().Command1[0]->click();
    QCOMPARE(rowTexts(w, 0),
             QStringList({"2", "3", "37.6991118430775", "62.8318530717958", "37.6991118430775"}));
    QCOMPARE(toQString(w.reportText()), reportOf("1.5", "28.2743338823081"));
    QVERIFY(errors.failures.empty());
    // The assignment text is gone for good.
    QVERIFY(!w.controls().Text1[0]->toPlainText().contains("Лудолф"));
}

void TestMainWindow::optionClickEmptiesGridKeepsReport() {
    MainWindow w;
    type(w.controls().Text2[0], "1");
    type(w.controls().Text2[1], "1");
    w.controls().Command1[0]->click();
    const std::u16string report = w.reportText();
    w.controls().Option1[4]->click();
    QCOMPARE(w.selectedVariant(), std::optional<std::int16_t>(4));
    for (const QString& text : gridTexts(w)) QVERIFY(text.isEmpty());
    QCOMPARE(unlocked(w), row(4));
    QCOMPARE(w.reportText(), report);
    // A locked box refuses typing.
    QTest::keyClicks(w.controls().Text2[0], "7");
    QCOMPARE(w.controls().Text2[0]->text(), QString());
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
}

// The widgets keep what was typed; the reporter hears of the error once.
void TestMainWindow::errorReachesReporter() {
    RecordingReporter errors;
    MainWindow w(&errors);
    w.controls().Option1[1]->click();
    type(w.controls().Text2[5], "0");
    type(w.controls().Text2[7], "5");
    w.controls().Command1[0]->click();
    QCOMPARE(errors.failures, std::vector<Failure>{Failure::DivisionByZero});
    QCOMPARE(errors.quantities, QStringList{"H"});
    QCOMPARE(rowTexts(w, 1), QStringList({"0", "", "5", "", ""}));
    QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(window::AssignmentText));
}

void TestMainWindow::enterCalculates() {
    RecordingReporter errors;
    MainWindow w(&errors);
    w.controls().Option1[3]->click();
    type(w.controls().Text2[16], "4");
    type(w.controls().Text2[17], "10");
    QTest::keyClick(w.controls().Text2[17], Qt::Key_Return);
    QCOMPARE(rowTexts(w, 3),
             QStringList({"0.397887357729739", "4", "10", "10.9947183943243", "1.98943678864869"}));
    w.controls().Command1[1]->click();
    type(w.controls().Text2[16], "3");
    type(w.controls().Text2[17], "37.6991118430775");
    QTest::keyClick(w.controls().Text2[4], Qt::Key_Enter);  // keypad Enter, in a locked box
    QCOMPARE(rowTexts(w, 3),
             QStringList({"2", "3", "37.6991118430775", "62.8318530717959", "37.6991118430775"}));
}

void TestMainWindow::arrowKeysChooseVariant() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.controls().Option1[0]->setFocus();
    QTest::keyClick(w.controls().Option1[0], Qt::Key_Down);
    QVERIFY(w.controls().Option1[1]->isChecked());
    QCOMPARE(unlocked(w), row(1));
}

void TestMainWindow::tabOrder() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList expected;
    const auto& designs = window::controlDesigns();
    for (const window::ControlRef ref : window::TabOrder) {
        if (ref.kind == Kind::Label1) continue;
        const auto it = std::find_if(designs.begin(), designs.end(), [&](const auto& d) {
            return d.kind == ref.kind && d.index == ref.index;
        });
        // Tab enters a group of option buttons at the selected one only;
        // the arrow keys move within it.
        if (ref.kind == Kind::Option1 && ref.index != 0) continue;
        if (it->tabStop) expected << w.controls().find(ref)->objectName();
    }
    w.controls().Text1[0]->setFocus();
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, expected);
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.front());  // wraps around
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
    auto* box = qobject_cast<NumberBox*>(w.controls().Text2[4]);
    QVERIFY(box);
    const QString full = QStringLiteral("3.14159265358979E+24");
    QCOMPARE(box->text(), full);
    const QString shown = box->shownText();
    QVERIFY2(shown.size() < full.size() && shown.startsWith("3.1") && shown.endsWith("E+24"),
             qPrintable(shown));
    // A computed box: the step that found it, then the full number.
    const QString fittedTip = box->toolTip();
    QVERIFY2(fittedTip.startsWith("V = ") && fittedTip.endsWith("\n" + full),
             qPrintable(fittedTip));
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

    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    box->setFocus();
    QCOMPARE(box->shownText(), full);
    QCOMPARE(box->toolTip() + "\n" + full, fittedTip);  // the step alone
}

// After the sample calculation a computed box's tooltip and accessible
// description give its step (the fitted box's tooltip then its full
// number), the report area's the whole solution; an option clears them.
void TestMainWindow::solutionInTooltips() {
    MainWindow w;
    const Controls& c = w.controls();
    const auto description = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
    };
    c.Option1[2]->click();
    type(c.Text2[11], "3");
    type(c.Text2[13], "94.2477796076937");
    c.Command1[0]->click();
    const QString v = "V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559";
    const QString so = "So = 2πRH = 2π · 2.65331193145904 · 3 = 50.0137516293231";
    const struct {
        QWidget* box;
        QString tip, description;
    } rows[] = {
        {c.Text2[14], v + "\n66.3510419675559", v},
        {c.Text2[12], so + "\n50.0137516293231", so},
        {c.Text2[11], "", ""},  // given
    };
    for (const auto& row : rows) {
        QCOMPARE(row.box->toolTip(), row.tip);
        QCOMPARE(description(row.box), row.description);
    }
    const QString whole = c.Text1[0]->toolTip();
    QVERIFY2(whole.split('\n').contains(v) && !whole.endsWith('\n'), qPrintable(whole));
    QCOMPARE(description(c.Text1[0]), whole);

    c.Option1[2]->click();
    for (QWidget* control : std::initializer_list<QWidget*>{c.Text2[14], c.Text2[12], c.Text1[0]}) {
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
    QCOMPARE(pixelAt(image, p).rgb(), colour.rgb());
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
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The solution's own window: when it shows and goes, that it leaves the
// focus in the grid, its text, copying and printing.
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "mainwindow.h"
#include "typing.h"
#include "variants.h"  // tests/data/variants.txt

namespace {

// Variant k's given texts typed into its boxes, then Enter in the second.
void calculate(MainWindow& w, const VariantCase& v) {
    const Controls& c = w.controls();
    c.Option1[v.variant]->click();
    for (int i = 0; i < 2; ++i) type(c.Text2[v.boxes[i]], toQString(v.given[i]));
    c.Text2[v.boxes[1]]->setFocus();
    QTest::keyClick(c.Text2[v.boxes[1]], Qt::Key_Return);
}

void sample(MainWindow& w) {
    calculate(w, variantCases()[2]);  // the README's: H = 3, Sp = 94.2477796076937
}

void active(QWidget* window) {
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);  // a transient counts its owner's
}

}  // namespace

class TestSolutionWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // The first calculation makes it and shows it; the grid keeps the focus.
    void opensWithoutTheFocus() {
        MainWindow w;
        showActive(w);
        QVERIFY(!w.solutionWindow());  // not made at start
        sample(w);
        SolutionWindow* s = w.solutionWindow();
        QVERIFY(s && s->isVisible() && s->isWindow());
        QCOMPARE(QApplication::activeWindow(), &w);
        QVERIFY(w.isAncestorOf(QApplication::focusWidget()));
        const QStringList lines = s->plainText().split('\n');
        const VariantCase& v = variantCases()[2];
        QCOMPARE(lines.front(),
                 "Дадено: H = " + toQString(v.given[0]) + ", Sp = " + toQString(v.given[1]) + ".");
        QVERIFY(lines.contains("V = πR²H = π · " + toQString(v.row[0]) + "² · " +
                               toQString(v.row[1]) + " = " + toQString(v.row[4])));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(s);
        QCOMPARE(reader->text(QAccessible::Name), "Решение");
        QCOMPARE(reader->text(QAccessible::Description), s->plainText());
        int start = 0, end = 0;  // read line by line
        const auto line = [&](int at) {
            return reader->textInterface()->textAtOffset(at, QAccessible::LineBoundary, &start,
                                                         &end);
        };
        QCOMPARE(line(0).trimmed(), lines[0]);
        QCOMPARE(line(end).trimmed(), lines[1]);

        active(s);
        QApplication::clipboard()->clear();
        QTest::keyClick(s, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), s->plainText());
    }

    // A task in units, its answer rounded where the window's choice says.
    void roundsInUnits() {
        MainWindow w;
        showActive(w);
        VariantCase task;  // Вариант 1 in units
        task.boxes = {0, 1};
        task.given = {u"3 dm", u"0,2 m"};
        calculate(w, task);
        QCOMPARE(w.controls().Text2[1]->text(), "2");
        SolutionWindow* s = w.solutionWindow();
        auto* choice = s->findChild<QComboBox*>();
        QCOMPARE(choice->accessibleName(), "Закръгляне на отговора");
        active(s);
        choice->setFocus();
        QTest::keyClick(choice, Qt::Key_Down);
        QTest::keyClick(choice, Qt::Key_Down);
        QCOMPARE(choice->currentText(), "до стотните (0.01)");  // the locale's separator
        QVERIFY(s->plainText().contains(
            "Отговор: R = 3 dm, H = 2 dm, So = 12π ≈ 37.70 dm², Sp = 30π ≈ 94.25 dm², V = 18π ≈ "
            "56.55 dm³, r = 1 dm, s = 4π ≈ 12.57 dm², ρ = √10 ≈ 3.16 dm, S = 40π ≈ 125.66 dm²."));
    }

    // The ways in and out reach the window: its frame's close, F2, Escape,
    // the report's menu (what each then does is the view's, tested there).
    void showsAndGoes() {
        MainWindow w;
        showActive(w);
        const struct {
            const char* name;
            void (*act)(MainWindow&);
            bool visible;
        } steps[] = {
            {"first calculation", sample, true},
            {"closed", [](MainWindow& w) { w.solutionWindow()->close(); }, false},
            {"F2", [](MainWindow& w) { active(&w), QTest::keyClick(&w, Qt::Key_F2); }, true},
            {"an option empties it, the task field stays",
             [](MainWindow& w) { w.controls().Option1[4]->click(); }, true},
            {"a calculation again", sample, true},
            {"Escape",
             [](MainWindow& w) {
                 active(w.solutionWindow());
                 QTest::keyClick(w.solutionWindow(), Qt::Key_Escape);
             },
             false},
            {"the report's menu", [](MainWindow& w) { w.showSolution(); }, true},
        };
        for (const auto& step : steps) {
            step.act(w);
            QVERIFY2(w.solutionWindow()->isVisible() == step.visible, step.name);
        }
    }

    // F2 before any calculation opens the window with the keyboard in the
    // task field; Enter there fills the row as typing it by hand does.
    void taskField() {
        MainWindow w;
        showActive(w);
        QTest::keyClick(&w, Qt::Key_F2);
        SolutionWindow* s = w.solutionWindow();
        QVERIFY(s && s->isVisible());
        QTRY_VERIFY(QApplication::focusWidget() &&
                    QApplication::focusWidget()->accessibleName() == "Задача");
        auto* field = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget());
        QVERIFY(field);
        // Tab goes round as the parts stand: the button beside the field, the
        // choice under it, the page, the field again.
        for (const char* next : {"Реши", "Закръгляне на отговора", "Решение", "Задача"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget* now = QApplication::focusWidget();
            const auto* button = qobject_cast<const QPushButton*>(now);
            QCOMPARE(button ? button->text() : now->accessibleName(), QString(next));
        }
        field->insertPlainText("Диаметърът на основата на цилиндър е 10 cm.");  // pasted
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);  // a new line, not solved
        QVERIFY(s->plainText().isEmpty());
        field->insertPlainText(
            "Височината му е с 15 cm по-голяма от диаметъра. Намерете лицето на "
            "повърхнината на цилиндъра.");  // pasted
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(s->plainText().startsWith("Дадено: d = 10 cm, h = d + 15 cm."));
        QVERIFY(s->plainText().contains("Отговор: S₁ = 300π ≈ 942.48 cm²."));
        QVERIFY(
            field->toPlainText().startsWith("Диаметърът на основата на цилиндър е 10 cm.\nВис"));
        MainWindow hand;
        type(hand.controls().Text2[0], "5 cm");
        type(hand.controls().Text2[1], "25 cm");
        hand.controls().Command1[0]->click();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(w.controls().Text2[i]->text(), hand.controls().Text2[i]->text());
        QCOMPARE(w.reportText(), hand.reportText());
    }

    // Every variant's window and solution fit one A4 page.
    void printsOnePage_data() {
        QTest::addColumn<int>("variant");
        for (const VariantCase& v : variantCases())
            QTest::addRow("Вариант %d", v.variant + 1) << v.variant;
    }

    void printsOnePage() {
        QFETCH(int, variant);
        MainWindow w;
        calculate(w, variantCases()[static_cast<std::size_t>(variant)]);
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("solution.pdf"));
        w.solutionWindow()->print(printer);
        QFile pdf(printer.outputFileName());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(pdf.readAll());
        QCOMPARE(text.count(QRegularExpression("/Type\\s*/Page\\b")), 1);
        QCOMPARE(text.count(QRegularExpression("/MediaBox \\[0 0 595(\\.0+)? 842(\\.0+)?\\]")),
                 1);  // A4
    }
};

QTEST_MAIN(TestSolutionWindow)
#include "tst_solutionwindow.moc"

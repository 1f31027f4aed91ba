// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <random>

#include "mainwindow.h"
#include "platform/calculationerror.h"
#include "textconvert.h"
#include "typing.h"
#include "variants.h"

namespace {

class CountingReporter : public platform::ErrorReporter {
public:
    void report(const platform::CalculationError&) override { ++count; }
    int count = 0;
};

// Two texts in a variant's two given boxes and what "Изчисли" makes of them:
// a row of tests/data/variants.txt, or (no row) an error and nothing changed.
struct Input {
    int variant;
    std::array<int, 2> boxes;
    std::array<QString, 2> texts;
    const VariantCase* row = nullptr;
};

std::vector<Input> knownInputs() {
    // A zero divisor, a negative radicand, a result beyond the doubles.
    std::vector<Input> inputs = {
        {1, {5, 7}, {"0", "5"}}, {8, {42, 43}, {"5", "4"}}, {4, {22, 24}, {"1", "1e308"}}};
    for (const VariantCase& c : variantCases())
        inputs.push_back({c.variant, c.boxes, {toQString(c.given[0]), toQString(c.given[1])}, &c});
    return inputs;
}

// The window as the monkey expects it, from nothing but the inputs above.
struct Model {
    QStringList grid = QStringList(window::BoxCount);
    int selected = 0;  // the one row unlocked
    std::u16string report;
    int errors = 0;

    // The input the selected row's given boxes hold, applied; none when they
    // hold texts the model does not know.
    const Input* calculate(const std::vector<Input>& inputs) {
        for (const Input& in : inputs) {
            if (in.variant != selected || grid[in.boxes[0]] != in.texts[0] ||
                grid[in.boxes[1]] != in.texts[1])
                continue;
            errors += in.row ? 0 : 1;  // and nothing else changes
            if (!in.row) return &in;
            for (int c = 0; c < 5; ++c) grid[5 * selected + c] = toQString(in.row->row[c]);
            report = u"Радиус на максималната вписана сфера: " + in.row->r +
                     u"\r\nПовърхнина на сферата: " + in.row->s + u"\r\n";
            return &in;
        }
        return nullptr;
    }
};

}  // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void randomEvents();
};

void TestMonkey::randomEvents() {
    QLocale::setDefault(QLocale::c());
    const unsigned seed = qEnvironmentVariableIsSet("MONKEY_SEED")
                              ? qEnvironmentVariableIntValue("MONKEY_SEED")
                              : 20261208U;
    const int events = qEnvironmentVariableIsSet("MONKEY_EVENTS")
                           ? qEnvironmentVariableIntValue("MONKEY_EVENTS")
                           : 20000;
    std::mt19937 random(seed);
    const auto pick = [&](std::size_t n) { return static_cast<int>(random() % n); };

    const QString alphabet = QStringLiteral("0123456789.,  eE-+\u2212\u00A0abcxyzабвгдежзсм");
    QString pasted;
    for (int i = 0; i < 30000; ++i) pasted += alphabet[pick(alphabet.size())];
    QApplication::clipboard()->setText(pasted);

    const std::vector<Input> inputs = knownInputs();
    CountingReporter errors;
    MainWindow w(&errors);
    const Controls& c = w.controls();
    Model m;
    m.report = w.reportText();  // the assignment, as loaded
    int rows = 0, failures = 0, unknown = 0;

    for (int event = 0; event < events; ++event) {
        const int roll = pick(100);
        QString what;
        int changed = -1;    // an unlocked box pasted into: its text is taken as shown
        bool guess = false;  // a calculation of texts the model does not know
        const auto type = [&](int box, const QString& text, bool over) {
            what +=
                QStringLiteral("type '%1' %2 box %3; ").arg(text, over ? "over" : "into").arg(box);
            over ? c.Text2[box]->selectAll() : c.Text2[box]->end(false);  // or after its text
            typeKeys(c.Text2[box], text);
            if (box / 5 == m.selected) m.grid[box] = over ? text : m.grid[box] + text;
        };

        if (roll < 12) {
            const int option = pick(9);
            what = QStringLiteral("click Вариант %1").arg(option + 1);
            c.Option1[option]->click();
            m.grid.fill(QString());
            m.selected = option;
        } else if (roll == 99) {
            changed = pick(window::BoxCount);
            what = QStringLiteral("paste 30000 characters into box %1").arg(changed);
            QTest::keyClick(c.Text2[changed], Qt::Key_V, Qt::ControlModifier);  // as a user pastes
            if (changed / 5 != m.selected) changed = -1;
        } else if (roll < 62) {
            // A known input, of the selected row half the time; both its texts
            // as a pupil types them, or one of them or a random one anywhere.
            std::vector<const Input*> mine;
            for (const Input& in : inputs)
                if (in.variant == m.selected) mine.push_back(&in);
            const Input& in = pick(2) ? *mine[pick(mine.size())] : inputs[pick(inputs.size())];
            const int which = pick(2);
            QString text = pick(3) ? in.texts[which] : QString();
            for (int n = text.isEmpty() ? pick(6) + 1 : 0; n > 0; --n)
                text += alphabet[pick(alphabet.size())];
            if (pick(4) == 0) {
                type(in.boxes[0], in.texts[0], true);
                type(in.boxes[1], in.texts[1], true);
            } else {
                type(pick(2) ? in.boxes[which] : pick(window::BoxCount), text, pick(4) != 0);
            }
        } else if (roll < 92) {
            if (roll < 80) {
                what = QStringLiteral("click Изчисли");
                c.Command1[0]->click();
            } else {
                const int box = pick(window::BoxCount);
                what = QStringLiteral("Enter in box %1").arg(box);
                QTest::keyClick(c.Text2[box], Qt::Key_Return);
            }
            const Input* in = m.calculate(inputs);
            guess = !in;
            ++(!in ? unknown : in->row ? rows : failures);
        } else {
            what = QStringLiteral("click Изчисти");
            c.Command1[1]->click();
            m.grid.fill(QString());
        }

        const QByteArray where =
            QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(what).toUtf8();
        if (changed >= 0) m.grid[changed] = c.Text2[changed]->text();
        if (guess) {  // at most one error; the selected row and the report as shown
            QVERIFY2(errors.count == m.errors || errors.count == m.errors + 1, where.constData());
            for (int i = 5 * m.selected; i < 5 * m.selected + 5; ++i)
                m.grid[i] = c.Text2[i]->text();
            m.report = w.reportText();
            m.errors = errors.count;
        }
        for (int i = 0; i < window::BoxCount; ++i) {
            const QString shown = c.Text2[i]->text();
            QVERIFY2(shown == m.grid[i],
                     (where + " box " + QByteArray::number(i) + " holds '" +
                      shown.left(40).toUtf8() + "', expected '" + m.grid[i].left(40).toUtf8() + "'")
                         .constData());
            // Exactly the five boxes of the selected row are unlocked.
            QVERIFY2(c.Text2[i]->isReadOnly() == (i / 5 != m.selected), where.constData());
        }
        QVERIFY2(w.reportText() == m.report, where.constData());
        QVERIFY2(errors.count == m.errors, where.constData());
    }
    qInfo("%d events; calculated %d rows of the data file, %d known failures, %d other; seed %u",
          events, rows, failures, unknown, seed);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <random>

#include "calc/cylinder.h"
#include "calc/sphere.h"
#include "mainwindow.h"
#include "platform/calculationerror.h"
#include "platform/numbertext.h"
#include "textconvert.h"
#include "typing.h"

namespace {

class CountingReporter : public platform::ErrorReporter {
public:
    void report(const platform::CalculationError&) override { ++count; }
    int count = 0;
};

class Area : public calc::TextArea {
public:
    std::u16string text() const override { return value; }
    void setText(std::u16string t) override { value = std::move(t); }
    std::u16string value;
};

struct State {
    QStringList grid;
    QList<bool> locked;
    std::u16string report;
    bool operator==(const State&) const = default;
};

State stateOf(const MainWindow& w) {
    State s;
    for (const QLineEdit* box : w.controls().Text2) {
        s.grid << box->text();
        s.locked << box->isReadOnly();
    }
    s.report = w.reportText();
    return s;
}

// What a calculation must leave, worked out from the state before it.
struct Expected {
    bool fails = false;
    State after;
};

Expected expectCalculation(const State& before, int k) {
    Expected e{false, before};
    try {
        const auto given = calc::givenColumns(k);
        const double a =
            platform::toNumber(toView(before.grid[5 * k + static_cast<int>(given[0])]));
        const double b =
            platform::toNumber(toView(before.grid[5 * k + static_cast<int>(given[1])]));
        const calc::CylinderQuantities q = calc::solveCylinder(k, a, b);
        for (int c = 0; c < calc::ColumnCount; ++c)
            e.after.grid[5 * k + c] = toQString(platform::toText(q[static_cast<calc::Column>(c)]));
        Area area;
        try {
            calc::reportInscribedSphere(q.R, q.H, area, u'.');
        } catch (const platform::CalculationError&) {
            e.fails = true;
        }
        e.after.report = area.value;
    } catch (const platform::CalculationError&) {
        e.fails = true;
    }
    return e;
}

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
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    const QString alphabet = QStringLiteral(
        "0123456789012345678901234567890.,.,  eE-+\u2212\u00A0"
        "abcxyzабвгдежзсм\t");
    QString pasted;
    for (int i = 0; i < 30000; ++i) pasted += alphabet[pick(alphabet.size())];
    QApplication::clipboard()->setText(pasted);

    CountingReporter errors;
    MainWindow w(&errors);
    const Controls& c = w.controls();

    for (int event = 0; event < events; ++event) {
        const State before = stateOf(w);
        const int errorsBefore = errors.count;
        const int k = w.selectedVariant().value_or(0);
        const int roll = pick(100);
        QString what;
        State expected = before;
        bool mayChangeBox = false;
        int changedBox = -1;
        bool expectError = false;

        if (roll < 12) {
            const int option = pick(9);
            what = QStringLiteral("click Вариант %1").arg(option + 1);
            c.Option1[option]->click();
            for (int i = 0; i < window::BoxCount; ++i) {
                expected.grid[i].clear();
                expected.locked[i] = i / 5 != option;
            }
        } else if (roll < 62 || roll == 99) {
            changedBox = pick(window::BoxCount);
            mayChangeBox = !before.locked[changedBox];
            if (roll == 99) {
                what = QStringLiteral("paste 30000 characters into box %1").arg(changedBox);
                QTest::keyClick(c.Text2[changedBox], Qt::Key_V,
                                Qt::ControlModifier);  // as a user pastes
            } else {
                QString text;
                for (int n = pick(6) + 1; n > 0; --n) text += alphabet[pick(alphabet.size())];
                what = QStringLiteral("type '%1' into box %2").arg(text).arg(changedBox);
                if (pick(4) == 0) c.Text2[changedBox]->selectAll();  // and type over it
                typeKeys(c.Text2[changedBox], text);
            }
        } else if (roll < 92) {
            const Expected e = expectCalculation(before, k);
            expected = e.after;
            expectError = e.fails;
            if (roll < 80) {
                what = QStringLiteral("click Изчисли");
                c.Command1[0]->click();
            } else {
                const int box = pick(window::BoxCount);
                what = QStringLiteral("Enter in box %1").arg(box);
                QTest::keyClick(c.Text2[box], Qt::Key_Return);
            }
        } else {
            what = QStringLiteral("click Изчисти");
            c.Command1[1]->click();
            for (QString& text : expected.grid) text.clear();
        }

        const State after = stateOf(w);
        const QByteArray where =
            QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(what).toUtf8();
        if (mayChangeBox) expected.grid[changedBox] = after.grid[changedBox];
        for (int i = 0; i < window::BoxCount; ++i) {
            QVERIFY2(after.grid[i] == expected.grid[i],
                     (where + " box " + QByteArray::number(i) + " holds '" +
                      after.grid[i].left(40).toUtf8() + "', expected '" +
                      expected.grid[i].left(40).toUtf8() + "'")
                         .constData());
        }
        QVERIFY2(after == expected, where.constData());
        QVERIFY2(errors.count == errorsBefore + (expectError ? 1 : 0), where.constData());

        // Exactly the five boxes of the selected row are unlocked.
        const int selected = w.selectedVariant().value_or(0);
        for (int i = 0; i < window::BoxCount; ++i)
            QVERIFY2(after.locked[i] == (i / 5 != selected), where.constData());
        if (!expectError && what.contains(QStringLiteral("Изчисли")))
            QVERIFY2(std::count(after.report.begin(), after.report.end(), u'\n') == 2,
                     where.constData());
    }
    qInfo("%d events, %d calculation errors reported, seed %u", events, errors.count, seed);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"

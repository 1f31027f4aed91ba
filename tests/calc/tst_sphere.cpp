#include <QTest>

#include <cfloat>

#include "calc/constants.h"
#include "calc/sphere.h"
#include "exact.h"
#include "platform/calculationerror.h"

class TestSphere : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void report_data();
    void report();
    void surfaceOverflowKeepsFirstLine();
};

// Records every text written, as a report area would hold it.
class RecordingArea : public calc::TextArea {
public:
    std::u16string text() const override { return current; }
    void setText(std::u16string text) override {
        current = std::move(text);
        ++writes;
    }
    std::u16string current = u"Задание";
    int writes = 0;
};

void TestSphere::values_data() {
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("s");
    QTest::newRow("R=1 H=1") << 1.0 << 1.0 << 0.5 << calc::PI_14;
    QTest::newRow("R=2 H=3") << 2.0 << 3.0 << 1.5 << 28.274333882308113;
    QTest::newRow("R=1 H=5") << 1.0 << 5.0 << 1.0 << calc::FOUR_PI_14;
    QTest::newRow("R=1 H=2") << 1.0 << 2.0 << 1.0 << calc::FOUR_PI_14;
    QTest::newRow("R=-1 H=2") << -1.0 << 2.0 << -1.0 << 12.56637061435916;
    QTest::newRow("R=0 H=0") << 0.0 << 0.0 << 0.0 << 0.0;
    // 2·R rounds: H just below it still halves.
    QTest::newRow("R=1 H=2-ulp") << 1.0 << 1.9999999999999998 << 0.9999999999999999
                                 << 12.566370614359156;
}

void TestSphere::values() {
    QFETCH(double, R);
    QFETCH(double, H);
    QFETCH(double, r);
    QFETCH(double, s);
    COMPARE_EXACT(calc::inscribedSphereRadius(R, H), r);
    COMPARE_EXACT(calc::sphereSurface(r), s);
}

void TestSphere::report_data() {
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("H");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("R=2 H=3 '.'") << 2.0 << 3.0 << QChar('.')
                                 << QStringLiteral(
                                        "Радиус на максималната вписана сфера: 1.5\r\n"
                                        "Повърхнина на сферата: 28.2743338823081\r\n");
    QTest::newRow("R=2 H=3 ','") << 2.0 << 3.0 << QChar(',')
                                 << QStringLiteral(
                                        "Радиус на максималната вписана сфера: 1,5\r\n"
                                        "Повърхнина на сферата: 28,2743338823081\r\n");
    QTest::newRow("R=0 H=0") << 0.0 << 0.0 << QChar('.')
                             << QStringLiteral(
                                    "Радиус на максималната вписана сфера: 0\r\n"
                                    "Повърхнина на сферата: 0\r\n");
    QTest::newRow("R=-1 H=2") << -1.0 << 2.0 << QChar('.')
                              << QStringLiteral(
                                     "Радиус на максималната вписана сфера: -1\r\n"
                                     "Повърхнина на сферата: 12.5663706143592\r\n");
}

void TestSphere::report() {
    QFETCH(double, R);
    QFETCH(double, H);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    RecordingArea area;
    calc::reportInscribedSphere(R, H, area, separator.unicode());
    QCOMPARE(QString::fromStdU16String(area.current), expected);
    QCOMPARE(area.writes, 2);
}

void TestSphere::surfaceOverflowKeepsFirstLine() {
    RecordingArea area;
    try {
        calc::reportInscribedSphere(1e300, 1e300, area, u'.');
        QFAIL("no calculation error");
    } catch (const platform::CalculationError& error) {
        QCOMPARE(error.failure(), platform::Failure::Overflow);
        QVERIFY(!error.quantity().empty());
    }
    QCOMPARE(QString::fromStdU16String(area.current),
             QStringLiteral("Радиус на максималната вписана сфера: 5E+299\r\n"));
}

QTEST_APPLESS_MAIN(TestSphere)
#include "tst_sphere.moc"

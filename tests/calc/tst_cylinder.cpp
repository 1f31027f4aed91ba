#include <QTest>

#include <cfloat>

#include "calc/constants.h"
#include "calc/cylinder.h"
#include "exact.h"
#include "platform/calculationerror.h"

using calc::Column;
using platform::Failure;

Q_DECLARE_METATYPE(Failure)

class TestCylinder : public QObject {
    Q_OBJECT

private slots:
    void solve_data();
    void solve();
    void failure_data();
    void failure();
    void givenColumns_data();
    void givenColumns();
    void rejectsUnknownVariant();
};

namespace {

// Expected values come from an independent evaluation of each formula in
// the same order, not from this program.
void row(int k, double first, double second, double R, double H, double So, double Sp, double V) {
    const auto given = calc::givenColumns(k);
    const QByteArray name =
        QByteArray("k=") + QByteArray::number(k) + ' ' +
        QString::fromStdU16String(std::u16string(calc::columnName(given[0]))).toLatin1() + '=' +
        QByteArray::number(first, 'g', 17) + ' ' +
        QString::fromStdU16String(std::u16string(calc::columnName(given[1]))).toLatin1() + '=' +
        QByteArray::number(second, 'g', 17);
    QTest::newRow(name.constData()) << k << first << second << R << H << So << Sp << V;
}

}  // namespace

void TestCylinder::solve_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("So");
    QTest::addColumn<double>("Sp");
    QTest::addColumn<double>("V");

    using namespace calc;
    // The unit cylinder gives the three constants exactly.
    row(0, 1, 1, 1, 1, TWO_PI_14, FOUR_PI_14, PI_14);
    row(0, 0, 0, 0, 0, 0, 0, 0);
    // Signs follow the formulas; nothing is validated.
    row(0, -1, 2, -1, 2, -12.56637061435916, -6.28318530717958, 6.28318530717958);
    row(0, 2.5, 4, 2.5, 4, 62.8318530717958, 102.10176124166817, 78.53981633974475);
    // The rounding of PI_14 and of the given text shows in H.
    row(1, 2, 37.6991118430775, 2, 3.0000000000000018, 37.6991118430775, 62.83185307179582,
        37.6991118430775);
    row(1, 1.5, 10, 1.5, 1.06103295394597, 10, 24.137166941154057, 7.500000000000001);
    row(2, 3, 94.2477796076937, 2.6533119314590374, 3, 50.01375162932309, 94.2477796076937,
        66.35104196755591);
    row(2, 2, 50, 1.9929495743488186, 2, 25.04414296699659, 50, 24.955857033003404);
    // H = 1000: only 3 digits cancel, so the prescribed subtraction stays.
    row(2, 1000, 1, 0.00015915491775331247, 1000, 0.9999998407929874, 1, 7.957744620736674e-05);
    // H = 1e4 and 1e8: most bits would cancel (1e8 would give R = 0).
    row(2, 1e4, 1, 1.5915494283859254e-05, 1e4, 0.9999999984084507, 1, 7.95774712926448e-06);
    row(2, 1e8, 1, 1.5915494309189552e-09, 1e8, 1, 1, 7.957747154594776e-10);
    // A negative H adds instead of cancelling: the prescribed formula holds.
    row(2, -1e8, 1, 1e8, -1e8, -6.28318530717958e16, 1, -3.14159265358979e24);
    row(3, 3, 37.6991118430775, 2.0000000000000013, 3, 37.6991118430775, 62.83185307179587,
        37.69911184307753);
    row(3, 4, 10, 0.39788735772973877, 4, 10, 10.994718394324348, 1.9894367886486939);
    row(4, 37.6991118430775, 37.6991118430775, 2, 3.0000000000000018, 37.6991118430775,
        62.83185307179582, 37.6991118430775);
    row(4, 10, 20, 4, 0.39788735772973877, 10, 110.5309649148733, 20);
    // Sp is read before R.
    row(5, 94.2477796076937, 2, 2, 5.5, 69.11503837897538, 94.2477796076937, 69.11503837897538);
    row(5, 100, 3, 3, 2.3051647697298496, 43.451332235383774, 100, 65.17699835307566);
    row(6, 2, 37.6991118430775, 2, 3.0000000000000018, 37.6991118430775, 62.83185307179582,
        37.6991118430775);
    row(6, 3, 100, 3, 3.536776513153233, 66.66666666666666, 123.2153344312829, 100);
    row(7, 3, 37.6991118430775, 2.0000000000000004, 3, 37.69911184307749, 62.83185307179582,
        37.6991118430775);
    row(7, 5, 100, 2.5231325220201613, 5, 79.26654595212017, 119.26654595212017, 100);
    row(8, 37.6991118430775, 62.8318530717958, 1.999999999999999, 3.0000000000000036,
        37.6991118430775, 62.8318530717958, 37.69911184307748);
    row(8, 10, 30, 1.784124116152772, 0.8920620580763859, 10, 30, 8.920620580763861);
    // Underflow is not an error: tiny results go through.
    row(0, 1e-200, 1e-200, 1e-200, 1e-200, 0, 0, 0);
}

void TestCylinder::solve() {
    QFETCH(int, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, R);
    QFETCH(double, H);
    QFETCH(double, So);
    QFETCH(double, Sp);
    QFETCH(double, V);
    const calc::CylinderQuantities q = calc::solveCylinder(variant, first, second);
    COMPARE_EXACT(q.R, R);
    COMPARE_EXACT(q.H, H);
    COMPARE_EXACT(q.So, So);
    COMPARE_EXACT(q.Sp, Sp);
    COMPARE_EXACT(q.V, V);
}

void TestCylinder::failure_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<Failure>("expected");
    QTest::addColumn<QString>("quantity");

    const auto add = [](const char* name, int k, double a, double b, Failure f, const char* q) {
        QTest::newRow(name) << k << a << b << f << QString::fromUtf8(q);
    };
    add("k=0 R=1e200 H=1e200", 0, 1e200, 1e200, Failure::Overflow, "So");
    add("k=1 R=0 So=5", 1, 0, 5, Failure::DivisionByZero, "H");
    add("k=1 R=0 So=0", 1, 0, 0, Failure::DivisionByZero, "H");
    add("k=1 R=1e-300 So=1e300", 1, 1e-300, 1e300, Failure::Overflow, "H");
    add("k=2 H=1 Sp=-10", 2, 1, -10, Failure::InvalidArgument, "R");
    add("k=2 H=1e200 Sp=1", 2, 1e200, 1, Failure::Overflow, "R");
    add("k=3 H=0 So=5", 3, 0, 5, Failure::DivisionByZero, "R");
    add("k=3 H=1e-300 So=1e300", 3, 1e-300, 1e300, Failure::Overflow, "R");
    add("k=4 So=0 V=5", 4, 0, 5, Failure::DivisionByZero, "R");
    add("k=4 So=1 V=1e308", 4, 1, 1e308, Failure::Overflow, "R");
    add("k=4 So=5 V=0", 4, 5, 0, Failure::DivisionByZero, "H");
    add("k=5 Sp=5 R=0", 5, 5, 0, Failure::DivisionByZero, "H");
    add("k=5 Sp=1 R=1e200", 5, 1, 1e200, Failure::Overflow, "H");
    add("k=6 R=0 V=5", 6, 0, 5, Failure::DivisionByZero, "H");
    add("k=6 R=1e200 V=1", 6, 1e200, 1, Failure::Overflow, "H");
    add("k=7 H=0 V=5", 7, 0, 5, Failure::DivisionByZero, "R");
    add("k=7 H=1 V=-5", 7, 1, -5, Failure::InvalidArgument, "R");
    add("k=7 H=1 V=DBL_MAX", 7, 1, DBL_MAX, Failure::Overflow, "Sp");
    add("k=8 So=5 Sp=4", 8, 5, 4, Failure::InvalidArgument, "R");
    add("k=8 So=5 Sp=5", 8, 5, 5, Failure::DivisionByZero, "H");
    add("k=8 So=-DBL_MAX Sp=DBL_MAX", 8, -DBL_MAX, DBL_MAX, Failure::Overflow, "R");
}

void TestCylinder::failure() {
    QFETCH(int, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(Failure, expected);
    QFETCH(QString, quantity);
    try {
        calc::solveCylinder(variant, first, second);
        QFAIL("no calculation error");
    } catch (const platform::CalculationError& error) {
        QCOMPARE(error.failure(), expected);
        QCOMPARE(QString::fromStdU16String(std::u16string(error.quantity())), quantity);
    }
}

void TestCylinder::givenColumns_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("firstBox");
    QTest::addColumn<int>("secondBox");
    // Boxes as the window reads them: 5·k + column.
    const int boxes[calc::VariantCount][2] = {{0, 1},   {5, 7},   {11, 13}, {16, 17}, {22, 24},
                                              {28, 25}, {30, 34}, {36, 39}, {42, 43}};
    for (int k = 0; k < calc::VariantCount; ++k)
        QTest::addRow("k=%d", k) << k << boxes[k][0] << boxes[k][1];
}

void TestCylinder::givenColumns() {
    QFETCH(int, variant);
    QFETCH(int, firstBox);
    QFETCH(int, secondBox);
    const auto given = calc::givenColumns(variant);
    QCOMPARE(5 * variant + static_cast<int>(given[0]), firstBox);
    QCOMPARE(5 * variant + static_cast<int>(given[1]), secondBox);
    QCOMPARE(calc::variantCaption(variant),
             std::u16string(u"Вариант ") + static_cast<char16_t>(u'1' + variant));
}

void TestCylinder::rejectsUnknownVariant() {
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, calc::solveCylinder(9, 1, 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, calc::givenColumns(-1));
}

QTEST_APPLESS_MAIN(TestCylinder)
#include "tst_cylinder.moc"

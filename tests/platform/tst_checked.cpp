#include <QTest>

#include <cfloat>

#include "exact.h"
#include "platform/calculationerror.h"
#include "platform/checked.h"

using platform::Checked;
using platform::Failure;

Q_DECLARE_METATYPE(Failure)

class TestChecked : public QObject {
    Q_OBJECT

private slots:
    void fails_data();
    void fails();
    void passes_data();
    void passes();
    void describe_data();
    void describe();
};

namespace {
enum Op { Add, Sub, Mul, Div, Sqrt };

Checked apply(int op, double a, double b) {
    switch (op) {
        case Add:
            return Checked(a) + Checked(b);
        case Sub:
            return Checked(a) - Checked(b);
        case Mul:
            return Checked(a) * Checked(b);
        case Div:
            return Checked(a) / Checked(b);
        default:
            return platform::squareRoot(Checked(a));
    }
}
}  // namespace

void TestChecked::fails_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<Failure>("expected");
    QTest::newRow("1/0") << int(Div) << 1.0 << 0.0 << Failure::DivisionByZero;
    QTest::newRow("0/0") << int(Div) << 0.0 << 0.0 << Failure::DivisionByZero;
    QTest::newRow("1/-0") << int(Div) << 1.0 << -0.0 << Failure::DivisionByZero;
    QTest::newRow("max+max") << int(Add) << DBL_MAX << DBL_MAX << Failure::Overflow;
    QTest::newRow("-max-max") << int(Sub) << -DBL_MAX << DBL_MAX << Failure::Overflow;
    QTest::newRow("1e200*1e200") << int(Mul) << 1e200 << 1e200 << Failure::Overflow;
    QTest::newRow("1e300/1e-300") << int(Div) << 1e300 << 1e-300 << Failure::Overflow;
    QTest::newRow("sqrt(-1)") << int(Sqrt) << -1.0 << 0.0 << Failure::InvalidArgument;
    QTest::newRow("sqrt(-min subnormal)")
        << int(Sqrt) << -4.9e-324 << 0.0 << Failure::InvalidArgument;
}

void TestChecked::fails() {
    QFETCH(int, op);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(Failure, expected);
    try {
        apply(op, a, b);
        QFAIL("no calculation error");
    } catch (const platform::CalculationError& error) {
        QCOMPARE(error.failure(), expected);
    }
}

void TestChecked::passes_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");
    // Underflow and inexact results are not errors.
    QTest::newRow("1e-200*1e-200") << int(Mul) << 1e-200 << 1e-200 << 0.0;
    QTest::newRow("min/2") << int(Div) << 4.9e-324 << 2.0 << 0.0;
    QTest::newRow("1/3") << int(Div) << 1.0 << 3.0 << 1.0 / 3.0;
    QTest::newRow("0.1+0.2") << int(Add) << 0.1 << 0.2 << 0.30000000000000004;
    QTest::newRow("max+1") << int(Add) << DBL_MAX << 1.0 << DBL_MAX;
    QTest::newRow("sqrt(-0)") << int(Sqrt) << -0.0 << 0.0 << -0.0;
    QTest::newRow("sqrt(2)") << int(Sqrt) << 2.0 << 0.0 << 1.4142135623730951;
    QTest::newRow("0/5") << int(Div) << 0.0 << 5.0 << 0.0;
}

void TestChecked::passes() {
    QFETCH(int, op);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    COMPARE_EXACT(apply(op, a, b).value(), expected);
}

void TestChecked::describe_data() {
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("reading");
    QTest::addColumn<QString>("expected");
    QTest::newRow("division H") << Failure::DivisionByZero << "H" << false
                                << "Деление на нула.\nНе може да се изчисли H.";
    QTest::newRow("overflow") << Failure::Overflow << "" << false
                              << "Препълване: резултатът е извън допустимия обхват.";
    QTest::newRow("sqrt R") << Failure::InvalidArgument << "R" << false
                            << "Корен квадратен от отрицателно число.\nНе може да се изчисли R.";
    QTest::newRow("overflow reading Sp")
        << Failure::Overflow << "Sp" << true
        << "Препълване: резултатът е извън допустимия обхват.\n"
           "Въведената стойност на Sp не може да се представи като число.";
}

void TestChecked::describe() {
    QFETCH(Failure, failure);
    QFETCH(QString, quantity);
    QFETCH(bool, reading);
    QFETCH(QString, expected);
    static std::u16string name;  // the error keeps a view
    name = quantity.toStdU16String();
    platform::CalculationError error(failure);
    if (!name.empty()) error.nameQuantity(name, reading);
    QCOMPARE(QString::fromStdU16String(platform::describe(error)), expected);
}

QTEST_APPLESS_MAIN(TestChecked)
#include "tst_checked.moc"

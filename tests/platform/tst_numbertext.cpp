#include <QTest>

#include <cfloat>
#include <clocale>
#include <cstdlib>
#include <random>
#include <string>

#include "exact.h"
#include "platform/calculationerror.h"
#include "platform/numbertext.h"

using platform::toNumber;
using platform::toText;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void toNumber_data();
    void toNumber();
    void toNumberOverflows_data();
    void toNumberOverflows();
    void toText_data();
    void toText();
    void roundTripOfRandomDoubles();
    void typicalMagnitudesAndMidpoints();
};

void TestNumberText::toNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    const auto add = [](const char* text, double expected) {
        QTest::newRow(text) << QString::fromUtf8(text) << expected;
    };
    add("", 0);
    add("abc", 0);
    add("-", 0);
    add("+", 0);
    add(".", 0);
    add(",", 0);
    add("e5", 0);
    add("0", 0);
    add("-0", -0.0);
    add("1 000", 1000);
    add("2,5", 2.5);
    add("2.5", 2.5);
    add(".5", 0.5);
    add("5.", 5);
    add("+4", 4);
    add("-3", -3);
    add("\u22123,5", -3.5);
    add("- 7", -7);
    add("5 см", 5);
    add("12abc", 12);
    add("5e", 5);
    add("5e+", 5);
    add("5E-", 5);
    add("5ex", 5);
    add("1,2,3", 1.2);
    add("1.2,3", 1.2);
    add("1e3", 1000);
    add("1E-2", 0.01);
    add("2,5e\u22121", 0.25);
    add("1 e 3", 1000);
    add("\t 7 \r\n", 7);
    add("1\u00A0000,5", 1000.5);
    add("1\u202F000", 1000);
    add("0.1", 0.1);
    add("94.2477796076937", 94.2477796076937);
    add("37.6991118430775", 37.6991118430775);
    add("3.14159265358979", 3.14159265358979);
    add("00012.5000", 12.5);
    add("0.000123", 0.000123);
    add("1.7976931348623157e308", DBL_MAX);
    add("2.2250738585072014E-308", DBL_MIN);
    add("4.9406564584124654e-324", 4.9406564584124654e-324);
    // Half the smallest subnormal ties to even (zero); a hair more rounds up.
    add("2.4703282292062327e-324", 0);
    add("2.4703282292062328e-324", 4.9406564584124654e-324);
    add("1e-400", 0);
    add("-1e-400", -0.0);
    add("1e-99999999999999999999", 0);
    add("0e99999999999999999999", 0);
    add("9007199254740993", 9007199254740992);  // ties to even
    add("12.5.3", 12.5);
    // Thousands of digits are still rounded correctly.
    const QString zeros(30000, QChar('0'));
    QTest::newRow("2^53+1 then 30000 zeros and 1")
        << "9007199254740993." + zeros + "1" << 9007199254740994.0;
    QTest::newRow("2^53+1 then 30000 zeros") << "9007199254740993." + zeros << 9007199254740992.0;
    QTest::newRow("1 and 30000 zeros e-30000") << "1" + zeros + "e-30000" << 1.0;
    QTest::newRow("0.30000 zeros 1 e30001") << "0." + zeros + "1e30001" << 1.0;
}

void TestNumberText::toNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    COMPARE_EXACT(platform::toNumber(text.toStdU16String()), expected);
}

void TestNumberText::toNumberOverflows_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1e309") << "1e309";
    QTest::newRow("-1e309") << "-1e309";
    QTest::newRow("1.79769313486232E+308") << "1.79769313486232E+308";
    QTest::newRow("1e99999999999999999999") << "1e99999999999999999999";
    QTest::newRow("400 digits") << QString(400, QChar('9'));
}

void TestNumberText::toNumberOverflows() {
    QFETCH(QString, text);
    try {
        platform::toNumber(text.toStdU16String());
        QFAIL("no calculation error");
    } catch (const platform::CalculationError& error) {
        QCOMPARE(error.failure(), platform::Failure::Overflow);
    }
}

void TestNumberText::toText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("comma");
    const auto add = [](const char* name, double value, const char* point) {
        QTest::newRow(name) << value << QString::fromLatin1(point)
                            << QString::fromLatin1(point).replace('.', ',');
    };
    add("0", 0, "0");
    add("-0", -0.0, "0");
    add("3.0000000000000018", 3.0000000000000018, "3");
    add("62.83185307179582", 62.83185307179582, "62.8318530717958");
    add("28.274333882308113", 28.274333882308113, "28.2743338823081");
    add("-12.56637061435916", -12.56637061435916, "-12.5663706143592");
    add("1.999999999999999", 1.999999999999999, "2");
    add("1.99999999999999", 1.99999999999999, "1.99999999999999");
    add("0.0001", 0.0001, "0.0001");
    add("0.00001", 0.00001, "1E-05");
    add("1.5e-7", 1.5e-7, "1.5E-07");
    add("999999999999999", 999999999999999.0, "999999999999999");
    add("9999999999999995", 9999999999999995.0, "1E+16");
    add("1e15", 1e15, "1E+15");
    add("123456789012345678", 123456789012345678.0, "1.23456789012346E+17");
    add("1e100", 1e100, "1E+100");
    add("0.5", 0.5, "0.5");
    add("0.1+0.2", 0.1 + 0.2, "0.3");
    add("DBL_MAX", DBL_MAX, "1.79769313486232E+308");
    add("DBL_MIN", DBL_MIN, "2.2250738585072E-308");
    add("min subnormal", 4.9406564584124654e-324, "4.94065645841247E-324");
}

void TestNumberText::toText() {
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, comma);
    QCOMPARE(QString::fromStdU16String(platform::toText(value)), point);
    QCOMPARE(QString::fromStdU16String(platform::toText(value, u',')), comma);
    // What is written reads back as the same text.
    if (value != DBL_MAX) {
        QCOMPARE(
            QString::fromStdU16String(platform::toText(platform::toNumber(comma.toStdU16String()))),
            point);
    }
}

// Random bit patterns cover every exponent evenly. C's own "%.15G" (C locale)
// and strtod serve as the independent oracles.
void TestNumberText::roundTripOfRandomDoubles() {
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(20261208);
    int checked = 0;
    while (checked < 100000) {
        const double x = std::bit_cast<double>(random());
        if (!std::isfinite(x)) continue;
        ++checked;
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", x);
        const std::u16string text = platform::toText(x);
        const QString got = QString::fromStdU16String(text);
        if (x == 0) {
            QCOMPARE(got, QStringLiteral("0"));
            continue;
        }
        if (got != QLatin1String(expected)) QCOMPARE(got, QString::fromLatin1(expected));
        if (std::fabs(x) > 1.797693134862315e308) continue;  // rounds past DBL_MAX
        const double back = platform::toNumber(text);
        if (!sameBits(back, std::strtod(expected, nullptr)))
            COMPARE_EXACT(back, std::strtod(expected, nullptr));
        if (platform::toText(back) != text)
            QCOMPARE(QString::fromStdU16String(platform::toText(back)), got);
    }
}

// The magnitudes pupils meet, and values next to a 15-digit midpoint
// (d.dddddddddddddd5 x 10^e), where a wrong rounding would show.
void TestNumberText::typicalMagnitudesAndMidpoints() {
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> magnitude(-9.0, 16.0);
    std::uniform_int_distribution<std::int64_t> digits(100000000000000, 999999999999999);
    for (int i = 0; i < 100000; ++i) {
        double x = std::pow(10.0, magnitude(random));
        if (i % 2 == 1) {
            char midpoint[40];
            std::snprintf(midpoint, sizeof midpoint, "%lld5e%d",
                          static_cast<long long>(digits(random)),
                          static_cast<int>(magnitude(random)) - 15);
            x = std::strtod(midpoint, nullptr);
            const int step = static_cast<int>(random() % 5) - 2;  // a few ulps either side
            for (int s = 0; s < std::abs(step); ++s) x = std::nextafter(x, step < 0 ? 0.0 : 1e300);
        }
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", x);
        const QString got = QString::fromStdU16String(platform::toText(x));
        if (got != QLatin1String(expected)) {
            qWarning("x = %.17g", x);
            QCOMPARE(got, QString::fromLatin1(expected));
        }
    }
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"

#include "tests/support/TestSupport.h"
#include "widgets/Format.h"

#include <QLocale>
#include <QTest>

using clvn::RoundMode;

// Expected texts are worked by hand from the decimal value a person reads:
// round to the significant digits, then to the decimals, halves as stated.
class TstFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { clvn::test::pinLocale(); }
    void cleanup() { clvn::test::pinLocale(); }

    void currency_data();
    void currency();
    void fixedAndNumber_data();
    void fixedAndNumber();
    void mask_data();
    void mask();
    void general_data();
    void general();
    void germanLocale();
};

void TstFormat::currency_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<RoundMode>("mode");
    QTest::addColumn<QString>("expected");

    // en_US writes negative amounts in parentheses.
    QTest::newRow("grouping and cents") << 1234.5 << 12 << 2 << RoundMode::HalfEven << "$1,234.50";
    QTest::newRow("0.125 half to even down") << 0.125 << 12 << 2 << RoundMode::HalfEven << "$0.12";
    QTest::newRow("0.135 half to even up") << 0.135 << 12 << 2 << RoundMode::HalfEven << "$0.14";
    QTest::newRow("2.5 whole units") << 2.5 << 12 << 0 << RoundMode::HalfEven << "$2";
    QTest::newRow("3.5 whole units") << 3.5 << 12 << 0 << RoundMode::HalfEven << "$4";
    // 1.015 is stored as 1.01499999999999990..., yet people read a half.
    QTest::newRow("1.015 binary below half") << 1.015 << 12 << 2 << RoundMode::HalfEven << "$1.02";
    QTest::newRow("1.005 binary below half") << 1.005 << 12 << 2 << RoundMode::HalfEven << "$1.00";
    QTest::newRow("sum noise 0.1+0.2") << 0.1 + 0.2 << 12 << 2 << RoundMode::HalfEven << "$0.30";
    QTest::newRow("truncate 0.129") << 0.129 << 12 << 2 << RoundMode::Truncate << "$0.12";
    QTest::newRow("truncate negative") << -0.129 << 12 << 2 << RoundMode::Truncate << "($0.12)";
    QTest::newRow("half away 7.125") << 7.125 << 12 << 2 << RoundMode::HalfAwayFromZero << "$7.13";
    QTest::newRow("10 significant digits")
        << 123456789012.0 << 10 << 2 << RoundMode::HalfEven << "$123,456,789,000.00";
    QTest::newRow("digits before decimals")
        << 0.12499999999999 << 12 << 2 << RoundMode::HalfEven << "$0.12";
    QTest::newRow("carry through nines")
        << 999.995 << 12 << 2 << RoundMode::HalfEven << "$1,000.00";
    QTest::newRow("tiny negative is zero") << -0.001 << 12 << 2 << RoundMode::HalfEven << "$0.00";
    QTest::newRow("negative") << -1500.0 << 10 << 0 << RoundMode::HalfEven << "($1,500)";
}

void TstFormat::currency()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(int, decimals);
    QFETCH(RoundMode, mode);
    QFETCH(QString, expected);
    QCOMPARE(clvn::formatCurrency(value, digits, decimals, mode), expected);
}

void TstFormat::fixedAndNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("fixed");  // 5 significant digits, no grouping
    QTest::addColumn<QString>("number"); // grouped

    QTest::newRow("8.75 3 decimals") << 8.75 << 3 << "8.750"
                                     << "8.750";
    QTest::newRow("large") << 1234567.891 << 2 << "1234600.00"
                           << "1,234,567.89";
    QTest::newRow("2.5 to 0") << 2.5 << 0 << "2"
                              << "2";
    QTest::newRow("10.125 to 2") << 10.125 << 2 << "10.12"
                                 << "10.12";
    QTest::newRow("negative") << -0.0625 << 3 << "-0.062"
                              << "-0.062";
}

void TstFormat::fixedAndNumber()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, fixed);
    QFETCH(QString, number);
    QCOMPARE(clvn::formatFixed(value, 5, decimals), fixed);
    QCOMPARE(clvn::formatNumber(value, decimals), number);
}

void TstFormat::mask_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    const QString money = QStringLiteral("$#,###.#0;-$#,###.#0;$0.00");
    QTest::newRow("money positive") << 1234.5 << money << "$1,234.50";
    QTest::newRow("money negative") << -1234.5 << money << "-$1,234.50";
    QTest::newRow("money zero") << 0.0 << money << "$0.00";
    QTest::newRow("money rounds to zero") << -0.001 << money << "$0.00";
    QTest::newRow("money below one keeps 0") << 0.5 << money << "$0.50";
    QTest::newRow("money millions") << 2500000.0 << money << "$2,500,000.00";
    QTest::newRow("premium 4 decimals") << 0.0032 << "#.###0"
                                        << "0.0032";
    QTest::newRow("whole number") << 1234567.4 << "#,##0"
                                  << "1,234,567";
    QTest::newRow("whole half even") << 28.5 << "#,##0"
                                     << "28";
    QTest::newRow("rate 3 decimals") << 8.75 << "#,##0.##0"
                                     << "8.750";
    QTest::newRow("optional decimals trimmed") << 2.5 << "0.##"
                                               << "2.5";
    QTest::newRow("no negative section") << -5.0 << "#,##0"
                                         << "-5";
    QTest::newRow("quoted literal") << 3.0 << "0.00' pts'"
                                    << "3.00 pts";
    QTest::newRow("zero padding") << 7.0 << "000"
                                  << "007";
    QTest::newRow("empty zero section") << 0.0 << "#,##0.00;(#,##0.00);"
                                        << "0.00";
    QTest::newRow("negative section") << -12.5 << "#,##0.00;(#,##0.00)"
                                      << "(12.50)";
}

void TstFormat::mask()
{
    QFETCH(double, value);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(clvn::formatMask(value, mask), expected);
}

void TstFormat::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 360.0 << 15 << "360";
    QTest::newRow("rate") << 8.75 << 15 << "8.75";
    QTest::newRow("small") << 0.0032 << 15 << "0.0032";
    QTest::newRow("hundred thousand") << 100000.0 << 15 << "100000";
    QTest::newRow("786.7") << 786.7 << 15 << "786.7";
    QTest::newRow("general-3 of 7.125") << 7.125 << 3 << "7.13";
    QTest::newRow("G5 of 10.125") << 10.125 << 5 << "10.125";
    QTest::newRow("too many integer digits") << 123456.0 << 3 << "1.23E5";
    QTest::newRow("below 0.00001") << 0.000001 << 15 << "1E-6";
    QTest::newRow("negative") << -2.5 << 15 << "-2.5";
    QTest::newRow("zero") << 0.0 << 15 << "0";
}

void TstFormat::general()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(QString, expected);
    QCOMPARE(clvn::formatGeneral(value, digits), expected);
}

void TstFormat::germanLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(clvn::formatCurrency(1234.5, 12, 2), QStringLiteral("1.234,50\u00a0€"));
    QCOMPARE(clvn::formatFixed(1234.5, 12, 2), QStringLiteral("1234,50"));
    QCOMPARE(clvn::formatNumber(1234.5, 2), QStringLiteral("1.234,50"));
    QCOMPARE(clvn::formatMask(1234.5, QStringLiteral("$#,###.#0")), QStringLiteral("€1.234,50"));
    QCOMPARE(clvn::formatGeneral(8.75), QStringLiteral("8,75"));
    bool ok = false;
    QCOMPARE(clvn::parsePlain(QStringLiteral("-99,75"), &ok), -99.75);
    QVERIFY(ok);
    clvn::parsePlain(QStringLiteral("99.75"), &ok);
    QVERIFY(!ok);
}

QTEST_MAIN(TstFormat)
#include "tst_format.moc"

#include "tests/support/TestSupport.h"
#include "widgets/Format.h"

#include <QLocale>
#include <QTest>

using clvn::RoundMode;

class TstFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { clvn::test::pinLocale(); }
    void cleanup() { clvn::test::pinLocale(); }
    void texts_data();
    void texts();
    void mask_data();
    void mask();
    void germanLocale();
};

// Expected texts are worked by hand from the decimal value a person reads:
// round to the significant digits, then to the decimals, halves as stated.
// Kinds: C currency, F fixed, N grouped number, G general.
void TstFormat::texts_data()
{
    QTest::addColumn<char>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<RoundMode>("mode");
    QTest::addColumn<QString>("expected");
    const auto even = RoundMode::HalfEven;

    QTest::newRow("C cents") << 'C' << 1234.5 << 12 << 2 << even << "$1,234.50";
    QTest::newRow("C 0.125 even down") << 'C' << 0.125 << 12 << 2 << even << "$0.12";
    QTest::newRow("C 0.135 even up") << 'C' << 0.135 << 12 << 2 << even << "$0.14";
    QTest::newRow("C 2.5 whole") << 'C' << 2.5 << 12 << 0 << even << "$2";
    QTest::newRow("C 3.5 whole") << 'C' << 3.5 << 12 << 0 << even << "$4";
    // 1.015 is stored as 1.01499999999999990..., yet people read a half.
    QTest::newRow("C 1.015 stored below half") << 'C' << 1.015 << 12 << 2 << even << "$1.02";
    QTest::newRow("C 0.1+0.2") << 'C' << 0.1 + 0.2 << 12 << 2 << even << "$0.30";
    QTest::newRow("C digits first") << 'C' << 0.12499999999999 << 12 << 2 << even << "$0.12";
    QTest::newRow("C carry nines") << 'C' << 999.995 << 12 << 2 << even << "$1,000.00";
    QTest::newRow("C 10 digits") << 'C' << 123456789012.0 << 10 << 2 << even
                                 << "$123,456,789,000.00";
    QTest::newRow("C truncate") << 'C' << 0.129 << 12 << 2 << RoundMode::Truncate << "$0.12";
    // en_US writes negative amounts in parentheses.
    QTest::newRow("C truncate negative")
        << 'C' << -0.129 << 12 << 2 << RoundMode::Truncate << "($0.12)";
    QTest::newRow("C tiny negative") << 'C' << -0.001 << 12 << 2 << even << "$0.00";
    QTest::newRow("F 8.75 3 dec") << 'F' << 8.75 << 5 << 3 << even << "8.750";
    QTest::newRow("F no grouping") << 'F' << 1234567.891 << 5 << 2 << even << "1234600.00";
    QTest::newRow("F negative") << 'F' << -0.0625 << 5 << 3 << even << "-0.062";
    QTest::newRow("N grouped") << 'N' << 1234567.891 << 17 << 2 << even << "1,234,567.89";
    QTest::newRow("G whole") << 'G' << 360.0 << 15 << 0 << RoundMode::HalfAwayFromZero << "360";
    QTest::newRow("G small") << 'G' << 0.0032 << 15 << 0 << RoundMode::HalfAwayFromZero << "0.0032";
    QTest::newRow("G3 7.125 away")
        << 'G' << 7.125 << 3 << 0 << RoundMode::HalfAwayFromZero << "7.13";
    QTest::newRow("G5 10.125") << 'G' << 10.125 << 5 << 0 << RoundMode::HalfAwayFromZero
                               << "10.125";
    QTest::newRow("G3 too wide") << 'G' << 123456.0 << 3 << 0 << RoundMode::HalfAwayFromZero
                                 << "1.23E5";
    QTest::newRow("G tiny") << 'G' << 0.000001 << 15 << 0 << RoundMode::HalfAwayFromZero << "1E-6";
    QTest::newRow("G negative") << 'G' << -2.5 << 15 << 0 << RoundMode::HalfAwayFromZero << "-2.5";
}

void TstFormat::texts()
{
    QFETCH(char, kind);
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(int, decimals);
    QFETCH(RoundMode, mode);
    QFETCH(QString, expected);
    switch (kind) {
    case 'C':
        QCOMPARE(clvn::formatCurrency(value, digits, decimals, mode), expected);
        break;
    case 'F':
        QCOMPARE(clvn::formatFixed(value, digits, decimals, mode), expected);
        break;
    case 'N':
        QCOMPARE(clvn::formatNumber(value, decimals, mode), expected);
        break;
    default:
        QCOMPARE(clvn::formatGeneral(value, digits, mode), expected);
        break;
    }
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
    QTest::newRow("below one keeps 0") << 0.5 << money << "$0.50";
    QTest::newRow("premium") << 0.0032 << "#.###0"
                             << "0.0032";
    QTest::newRow("whole number") << 1234567.4 << "#,##0"
                                  << "1,234,567";
    QTest::newRow("whole half even") << 28.5 << "#,##0"
                                     << "28";
    QTest::newRow("rate") << 8.75 << "#,##0.##0"
                          << "8.750";
    QTest::newRow("optional decimals") << 2.5 << "0.##"
                                       << "2.5";
    QTest::newRow("no negative section") << -5.0 << "#,##0"
                                         << "-5";
    QTest::newRow("quoted literal") << 3.0 << "0.00' pts'"
                                    << "3.00 pts";
    QTest::newRow("zero padding") << 7.0 << "000"
                                  << "007";
    QTest::newRow("empty zero section") << 0.0 << "0.00;(0.00);"
                                        << "0.00";
    QTest::newRow("negative section") << -12.5 << "0.00;(0.00)"
                                      << "(12.50)";
}

void TstFormat::mask()
{
    QFETCH(double, value);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(clvn::formatMask(value, mask), expected);
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

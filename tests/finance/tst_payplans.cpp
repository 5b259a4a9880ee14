// The two payment-plan comparisons: monthly against biweekly payments, and a
// loan's schedule with and without extra principal payments; and when the
// mortgage insurance of such a schedule ends.

#include "finance/MortgageInsurance.h"
#include "finance/PayPlans.h"
#include "tests/finance/FinanceTestUtil.h"

#include <QStringList>

#include <cmath>

using namespace clvn;
using namespace clvn::test;
using namespace Qt::StringLiterals;

namespace {

QString money(double x)
{
    const qint64 c = cents(x);
    return u"%1%2.%3"_s.arg(c < 0 ? u"-"_s : QString())
        .arg(std::abs(c) / 100)
        .arg(std::abs(c) % 100, 2, 10, QLatin1Char('0'));
}

// What a call gives as "name=figure ..." or the name of its failure.
QString attempt(const std::function<QString()> &call)
{
    QString failure;
    const Formula f = [&]() -> double {
        failure = call();
        return 0;
    };
    const QString thrown = outcome(f, u"0"_s);
    return thrown == u"0" ? failure : thrown;
}

QString biweekly(double loan, double rate, int term)
{
    return attempt([=] {
        const BiweeklyResults r = CalcBiweekly({loan, rate, term});
        return QStringList{u"P=" + money(r.payment),
                           u"total=" + money(r.totalPaid),
                           u"interest=" + money(r.costOfLoan),
                           u"half=" + money(r.halfPayment),
                           u"k=" + QString::number(r.payoffCount, 'f', 4),
                           u"halfTotal=" + money(r.halfTotalPaid),
                           u"halfInterest=" + money(r.halfCostOfLoan),
                           u"months=" + QString::number(r.monthsSaved, 'f', 4),
                           u"years=" + QString::number(r.yearsSaved, 'f', 6),
                           u"saved=" + money(r.interestSaved),
                           u"rows=" + QString::number(r.schedule.NumPayments())}
            .join(u' ');
    });
}

// "<mode> <from> <to> <extra>" on the loan "L R n" with taxes 1200,
// insurance 580 and PMI 600 a year.
QString prepayment(const QString &loan, const QString &extra)
{
    return attempt([=] {
        const QStringList l = loan.split(u' '), e = extra.split(u' ');
        PrepaymentInputs in;
        in.amountBorrowed = l[0].toDouble();
        in.ratePercent = l[1].toDouble();
        in.term = l[2].toInt();
        in.annualTaxes = 1200;
        in.annualInsurance = 580;
        in.annualPmi = 600;
        in.mode = e[0] == u"single"  ? PrepaymentMode::Single
                  : e[0] == u"range" ? PrepaymentMode::Range
                                     : PrepaymentMode::All;
        in.fromPayment = e[1].toInt();
        in.toPayment = e[2].toInt();
        in.extraAmount = e[3].toDouble();
        const PrepaymentResults r = CalcPrepayment(in);
        return QStringList{u"P=" + QString::number(r.payment, 'f', 4),
                           u"full=" + QString::number(r.totalPayment, 'f', 4),
                           u"I=" + money(r.totalInterest),
                           u"IL=" + money(r.totalPrincipalAndInterest),
                           u"new=" + money(r.newPayment),
                           u"newFull=" + QString::number(r.newTotalPayment, 'f', 4),
                           u"J=" + money(r.interestWithPrepayments),
                           u"JL=" + money(r.totalWithPrepayments),
                           u"term=" + QString::number(r.newTerm),
                           u"saved=" + money(r.savings),
                           u"applied=" + money(r.appliedAmount)}
            .join(u' ');
    });
}

// "<mode> <from> <to> <extra>" of the loan "L R n", insured against a home
// value with a monthly premium ("H premium").
QString insurance(const QString &loan, const QString &extra, const QString &insured)
{
    return attempt([=] {
        const QStringList l = loan.split(u' '), e = extra.split(u' '), i = insured.split(u' ');
        MortgageInsuranceInputs in;
        in.loan = l[0].toDouble();
        in.ratePercent = l[1].toDouble();
        in.term = l[2].toInt();
        in.extraMode = e[0] == u"single"  ? PrepaymentMode::Single
                       : e[0] == u"range" ? PrepaymentMode::Range
                                          : PrepaymentMode::All;
        in.extraFrom = e[1].toInt();
        in.extraTo = e[2].toInt();
        in.extraAmount = e[3].toDouble();
        in.homeValue = i[0].toDouble();
        in.monthlyPremium = i[1].toDouble();
        const MortgageInsuranceResults r = AssessMortgageInsurance(in);
        static const char *const refusals[] = {"", "refused: home value", "refused: premium",
                                               "refused: premium needed"};
        if (r.refusal != MortgageInsuranceRefusal::None)
            return QString::fromLatin1(refusals[int(r.refusal)]);
        if (!r.insured)
            return u"ltv=%1 not insured"_s.arg(r.startLtv * 100, 0, 'f', 4);
        QStringList out{
            u"ltv=%1"_s.arg(r.startLtv * 100, 0, 'f', 4),
            u"ask=%1 (%2) %3"_s.arg(r.askAt).arg(money(r.askBalance), money(r.premiumsAsk))};
        if (r.withExtras)
            out << u"actual=%1 (%2) %3 saved=%4"_s.arg(r.askActualAt)
                       .arg(money(r.askActualBalance), money(r.premiumsAskActual), money(r.saved));
        out << u"ends=%1%2 (%3) %4"_s.arg(r.endsAt).arg(r.endsAtMidpoint ? u" midpoint"_s
                                                                         : QString(),
                                                        money(r.endsBalance), money(r.premiumsEnd));
        return out.join(u' ');
    });
}

PmiPremiums defaultPremiums()
{
    return {{0.0032, 0.0052, 0.0078, 0.0090}, {0.0019, 0.0023, 0.0056, 0.0079}};
}

} // namespace

class TestPayPlans : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void biweekly_data();
    void biweekly();
    void prepayment_data();
    void prepayment();
    void insurance_data();
    void insurance();
    void insuranceFigures_data();
    void insuranceFigures() { checkRow(); }
};

void TestPayPlans::biweekly_data()
{
    QTest::addColumn<QString>("loan"); // "L R n"
    QTest::addColumn<QString>("expected");
    // Reference: an independent Python computation in binary doubles (payment
    // rounded as Int(x * 100 + 0.5) / 100, then k = -ln(1 - L/h * b) / ln(1 + b),
    // b = R / 2600).
    // The first row is also the page's worked example.
    QTest::newRow("100k 8.75% 360")
        << u"100000 8.75 360"_s
        << u"P=786.70 total=283212.00 interest=183212.00 half=393.35 k=575.9266 "
           u"halfTotal=226540.72 halfInterest=126540.72 months=94.1877 years=7.849167 "
           u"saved=56671.28 rows=360"_s;
    QTest::newRow("250k 6% 180")
        << u"250000 6 180"_s
        << u"P=2109.64 total=379735.20 interest=129735.20 half=1054.82 k=343.4789 "
           u"halfTotal=362308.38 halfInterest=112308.38 months=21.4713 years=1.789167 "
           u"saved=17426.82 rows=180"_s;
    QTest::newRow("100k 7% 360")
        << u"100000 7 360"_s
        << u"P=665.30 total=239508.00 interest=139508.00 half=332.65 k=616.4057 "
           u"halfTotal=205047.35 halfInterest=105047.35 months=75.5051 years=6.292500 "
           u"saved=34460.65 rows=360"_s;
    // Years come from the months as shown: 75.5051 shows 75.51, and 75.51 / 12 = 6.2925.
    QTest::newRow("rate 0: the count is 0 / 0") << u"100000 0 360"_s << u"InvalidOp"_s;
    QTest::newRow("loan 0: nothing to repay") << u"0 8.75 360"_s << u"InvalidOp"_s;
    QTest::newRow("term 0") << u"100000 8.75 0"_s << u"ZeroDivide"_s;
    QTest::newRow("term above the schedule's maximum") << u"100000 8.75 1201"_s << u"InvalidOp"_s;
    QTest::newRow("negative term") << u"100000 8.75 -12"_s << u"InvalidOp"_s;
}

void TestPayPlans::biweekly()
{
    QFETCH(QString, loan);
    QFETCH(QString, expected);
    const QStringList l = loan.split(u' ');
    QCOMPARE(::biweekly(l[0].toDouble(), l[1].toDouble(), l[2].toInt()), expected);
}

void TestPayPlans::prepayment_data()
{
    QTest::addColumn<QString>("loan");  // "L R n"
    QTest::addColumn<QString>("extra"); // "mode from to amount"
    QTest::addColumn<QString>("expected");
    // Reference: an independent Python schedule in binary doubles, each amount
    // rounded as Int(x * 100 + 0.5) / 100, extras applied row by row; the new
    // term is the first row left owing nothing. (A decimal schedule differs by
    // a cent on a tie in "range with last 0": the rule is the binary one.)
    const QString defaults = u"100000 8.75 360"_s;
    const QString regular = u"P=786.7004 full=985.0337 I=183212.97 IL=283212.97 "_s;
    QTest::newRow("worked example: 100 on all payments")
        << defaults << u"all 0 0 100"_s
        << regular + u"new=886.70 newFull=1085.0333 J=110882.68 JL=210882.68 term=238 "
                     u"saved=72330.29 applied=100.00";
    QTest::newRow("range 12 through 24")
        << defaults << u"range 12 24 100"_s
        << regular + u"new=886.70 newFull=1085.0333 J=169887.56 JL=269887.56 term=342 "
                     u"saved=13325.41 applied=100.00";
    QTest::newRow("range beyond the term counts as the term")
        << defaults << u"range 12 400 100"_s
        << regular + u"new=886.70 newFull=1085.0333 J=115883.43 JL=215883.43 term=245 "
                     u"saved=67329.54 applied=100.00";
    QTest::newRow("range with last 0 is the first payment alone")
        << defaults << u"range 12 0 100"_s
        << regular + u"new=886.70 newFull=1085.0333 J=182062.50 JL=282062.50 term=359 "
                     u"saved=1150.47 applied=100.00";
    // Mended: the row that takes a large single extra is not the end of the
    // loan; payments 2 and 3 still repay what is left.
    QTest::newRow("single 99000 on payment 1 ends at payment 3")
        << defaults << u"single 1 0 99000"_s
        << regular + u"new=99786.70 newFull=99985.0333 J=737.23 JL=100737.23 term=3 "
                     u"saved=182475.74 applied=99000.00";
    const QString unchanged = regular + u"new=786.70 newFull=985.0333 J=183212.97 JL=283212.97 "
                                        u"term=360 saved=0.00 ";
    QTest::newRow("single payment 0 applies nothing")
        << defaults << u"single 0 0 100"_s << unchanged + u"applied=0.00";
    QTest::newRow("single payment beyond the term applies nothing")
        << defaults << u"single 361 0 100"_s << unchanged + u"applied=0.00";
    QTest::newRow("range from 0 applies nothing")
        << defaults << u"range 0 24 100"_s << unchanged + u"applied=0.00";
    QTest::newRow("extra 0: the regular figures")
        << defaults << u"all 0 0 0"_s << unchanged + u"applied=0.00";
    // Mended: a zero rate has a schedule of its own too (no interest, so nothing saved).
    QTest::newRow("rate 0")
        << u"100000 0 360"_s << u"all 0 0 100"_s
        << u"P=277.7778 full=476.1111 I=0.00 IL=100000.00 new=377.78 newFull=576.1133 J=0.00 "
           u"JL=100000.00 term=265 saved=0.00 applied=100.00"_s;
    // Rounding already repays the loan in its last row: 100k at 7 % leaves 2.98.
    QTest::newRow("extra 0, last row leaves a balance")
        << u"100000 7 360"_s << u"all 0 0 0"_s
        << u"P=665.3025 full=863.6358 I=139510.98 IL=239510.98 new=665.30 newFull=863.6333 "
           u"J=139510.98 JL=239510.98 term=360 saved=0.00 applied=0.00"_s;
    QTest::newRow("negative extra is unusable") << defaults << u"all 0 0 -100"_s << u"InvalidOp"_s;
    QTest::newRow("term 0") << u"100000 8.75 0"_s << u"all 0 0 100"_s << u"ZeroDivide"_s;
    QTest::newRow("term above the maximum")
        << u"100000 8.75 1201"_s << u"all 0 0 100"_s << u"InvalidOp"_s;
}

void TestPayPlans::prepayment()
{
    QFETCH(QString, loan);
    QFETCH(QString, extra);
    QFETCH(QString, expected);
    QCOMPARE(::prepayment(loan, extra), expected);
}

void TestPayPlans::insurance_data()
{
    QTest::addColumn<QString>("loan");    // "L R n"
    QTest::addColumn<QString>("extra");   // "mode from to amount"
    QTest::addColumn<QString>("insured"); // "home value, monthly premium"
    QTest::addColumn<QString>("expected");
    const QString loan = u"180000 6.5 360"_s;
    const QString none = u"all 0 0 0"_s;
    // Reference: an independent Python schedule in binary doubles (amounts
    // rounded as Int(x * 100 + 0.5) / 100), balances compared in whole cents.
    // The worked figures: 90 %, asking at 80 % after payment 95, ending at 78 % after 109.
    const QString original = u"ltv=90.0000 ask=95 (159854.20) 7410.00 "_s;
    const QString ends = u"ends=109 (155911.44) 8502.00"_s;
    QTest::newRow("worked figures") << loan << none << u"200000 78"_s << original + ends;
    QTest::newRow("worked figures, 200 extra on every payment")
        << loan << u"all 0 0 200"_s << u"200000 78"_s
        << original + u"actual=49 (159707.28) 3822.00 saved=3588.00 "_s + ends;
    // 80 % of 199,817.75 is the balance after payment 95 to the cent: it counts.
    // (78 % of it is below payment 109's balance, so the end moves to 110.)
    QTest::newRow("balance equal to 80 %")
        << loan << none << u"199817.75 78"_s
        << u"ltv=90.0821 ask=95 (159854.20) 7410.00 ends=110 (155618.24) 8580.00"_s;
    QTest::newRow("a cent below: 80 % one payment later")
        << loan << none << u"199817.74 78"_s
        << u"ltv=90.0821 ask=96 (159582.36) 7488.00 ends=110 (155618.24) 8580.00"_s;
    // 78 % of 217,164.00 is the balance after payment 56 to the cent.
    QTest::newRow("balance equal to 78 %")
        << loan << none << u"217164 60"_s
        << u"ltv=82.8867 ask=36 (173551.12) 2160.00 ends=56 (169387.92) 3360.00"_s;
    QTest::newRow("a cent below: 78 % one payment later")
        << loan << none << u"217163.99 60"_s
        << u"ltv=82.8867 ask=36 (173551.12) 2160.00 ends=57 (169167.72) 3420.00"_s;
    // At 12 % the balance is still 81 % at the middle of the term.
    QTest::newRow("midpoint first")
        << u"190000 12 360"_s << none << u"200000 120"_s
        << u"ltv=95.0000 ask=189 (159789.49) 22680.00 ends=180 midpoint (162842.98) 21600.00"_s;
    QTest::newRow("midpoint of an odd term rounds down")
        << u"190000 12 359"_s << none << u"200000 120"_s
        << u"ltv=95.0000 ask=188 (159834.66) 22560.00 ends=179 midpoint (162889.08) 21480.00"_s;
    QTest::newRow("loan at 80 %: no insurance")
        << u"160000 6.5 360"_s << none << u"200000 78"_s << u"ltv=80.0000 not insured"_s;
    QTest::newRow("loan below 80 %: no insurance")
        << u"100000 6.5 360"_s << u"all 0 0 200"_s << u"200000 0"_s << u"ltv=50.0000 not insured"_s;
    QTest::newRow("extras reach 80 % within the first payment")
        << loan << u"single 1 0 20000"_s << u"200000 78"_s
        << original + u"actual=1 (159837.28) 78.00 saved=7332.00 "_s + ends;
    QTest::newRow("over 97 % with a premium typed")
        << u"200000 6.5 360"_s << none << u"200000 150"_s
        << u"ltv=100.0000 ask=146 (159926.53) 21900.00 ends=156 (155849.44) 23400.00"_s;
    QTest::newRow("97 % with a premium of 0 is taken")
        << u"194000 6.5 360"_s << none << u"200000 0"_s
        << u"ltv=97.0000 ask=133 (159961.79) 0.00 ends=144 (155895.60) 0.00"_s;
    QTest::newRow("refused: home value 0") << loan << none << u"0 78"_s << u"refused: home value"_s;
    QTest::newRow("refused: negative home value")
        << loan << none << u"-200000 78"_s << u"refused: home value"_s;
    QTest::newRow("refused: negative premium")
        << loan << none << u"200000 -0.01"_s << u"refused: premium"_s;
    QTest::newRow("refused: over 97 % without a premium")
        << u"194000.01 6.5 360"_s << none << u"200000 0"_s << u"refused: premium needed"_s;
    QTest::newRow("refused: loan above the home value without a premium")
        << u"210000 6.5 360"_s << none << u"200000 0"_s << u"refused: premium needed"_s;
    QTest::newRow("home value not finite") << loan << none << u"inf 78"_s << u"Overflow"_s;
    QTest::newRow("term 0") << u"180000 6.5 0"_s << none << u"200000 78"_s << u"ZeroDivide"_s;
    QTest::newRow("single extra outside the schedule")
        << loan << u"single 361 0 100"_s << u"200000 78"_s << u"IndexError 361"_s;
}

void TestPayPlans::insurance()
{
    QFETCH(QString, loan);
    QFETCH(QString, extra);
    QFETCH(QString, insured);
    QFETCH(QString, expected);
    QCOMPARE(::insurance(loan, extra, insured), expected);
}

void TestPayPlans::insuranceFigures_data()
{
    addColumns();
    const PmiPremiums table = defaultPremiums();
    // The premium the table proposes: annual fraction of the band * loan / 12, in cents.
    addRow("premium, 90 % over 360", "78.00",
           [=] { return ProposedMonthlyPremium(180000, 200000, 360, table); });
    addRow("premium, 180 payments: 15 years or less", "34.50",
           [=] { return ProposedMonthlyPremium(180000, 200000, 180, table); });
    addRow("premium, 181 payments: over 15 years", "78.00",
           [=] { return ProposedMonthlyPremium(180000, 200000, 181, table); });
    addRow("premium, 80 %", "0.00",
           [=] { return ProposedMonthlyPremium(160000, 200000, 360, table); });
    addRow("premium, a cent above 80 %", "42.67",
           [=] { return ProposedMonthlyPremium(160000.01, 200000, 360, table); });
    addRow("premium, 97 %", "145.50",
           [=] { return ProposedMonthlyPremium(194000, 200000, 360, table); });
    addRow("premium, over 97 %", "0.00",
           [=] { return ProposedMonthlyPremium(194000.01, 200000, 360, table); });
    addRow("premium, home value 0", "0.00",
           [=] { return ProposedMonthlyPremium(180000, 0, 360, table); });
    // Payments that carry insurance when nobody asks: the 78 % payment or the midpoint.
    addRow("insured payments, worked figures", "109",
           [] { return InsuredPayments(180000, 6.5, 360, 200000); });
    addRow("insured payments, 285,000 at 6.75 % on 320,000", "106",
           [] { return InsuredPayments(285000, 6.75, 360, 320000); });
    addRow("insured payments, midpoint", "180",
           [] { return InsuredPayments(190000, 12, 360, 200000); });
    addRow("insured payments, loan at 80 %", "0",
           [] { return InsuredPayments(160000, 6.5, 360, 200000); });
    addRow("insured payments, one payment", "1",
           [] { return InsuredPayments(180000, 6.5, 1, 200000); });
    addRow("insured payments, term 0", "ZeroDivide",
           [] { return InsuredPayments(180000, 6.5, 0, 200000); });
}

QTEST_APPLESS_MAIN(TestPayPlans)
#include "tst_payplans.moc"

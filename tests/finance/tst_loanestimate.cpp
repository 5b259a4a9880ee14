// A Loan Estimate checked figure by figure: the CFPB's sample H-24(B), the
// slips a reader makes in it, and generated estimates with one slip each.

#include "FinanceTestUtil.h"
#include "finance/LoanEstimate.h"
#include "finance/LoanOffers.h"
#include "finance/MortLib.h"
#include "finance/MortgageInsurance.h"
#include "finance/Rounding.h"

#include <random>

using namespace clvn;
using Edit = std::function<void(LoanEstimateInputs &)>;
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(clvn::FinanceCharge)

namespace {

constexpr auto Y = FinanceCharge::Yes, N = FinanceCharge::No, U = FinanceCharge::Uncertain;

LoanEstimateInputs sample()
{
    LoanEstimateInputs in{.term = 360,
                          .propertyValue = 180000,
                          .loanAmount = 162000,
                          .rate = 3.875,
                          .pi = 761.78,
                          .mi = 82,
                          .escrow = 206};
    in.projected = {{1, 7, 761.78, 82, 206, 1050}, {8, 30, 761.78, 0, 206, 968}};
    in.closingCosts = 8054;
    in.cashToClose = 16054;
    in.a = {{"0.25 % of Loan Amount (Points)", 405, Y},
            {"Application Fee", 300, Y},
            {"Underwriting Fee", 1097, Y}};
    in.b = {{"Appraisal Fee", 405, N},          {"Credit Report Fee", 30, N},
            {"Flood Determination Fee", 20, N}, {"Flood Monitoring Fee", 32, Y},
            {"Tax Monitoring Fee", 75, Y},      {"Tax Status Research Fee", 110, N}};
    in.c = {{"Pest Inspection Fee", 135, N},          {"Survey Fee", 65, N},
            {"Title - Insurance Binder", 700, N},     {"Title - Lender's Title Policy", 535, N},
            {"Title - Settlement Agent Fee", 502, U}, {"Title - Title Search", 1261, N}};
    in.d = 5672;
    in.e = {{"Recording Fees and Other Taxes", 85, N}};
    in.hoiMonths = 6;
    in.hoiPremium = 605;
    in.perDiem = 17.44;
    in.prepaidDays = 15;
    in.prepaidInterest = 262;
    in.escrowLines = {{"Homeowner's Insurance", 100.83, 2, 202},
                      {"Property Taxes", 105.30, 2, 211}};
    in.h = {{"Title - Owner's Title Policy (optional)", 1017, N}};
    in.i = 2382;
    in.j = 8054;
    in.downPayment = 18000;
    in.deposit = 10000;
    in.in5Total = 56582;
    in.in5Principal = 15773;
    in.apr = 4.274;
    in.tip = 69.45;
    return in;
}

const LecRow *rowOf(const LoanEstimateResults &r, const QString &caption)
{
    for (const LecRow &row : r.rows)
        if (QString::fromStdString(row.caption) == caption)
            return &row;
    return nullptr;
}

QString sorted(QStringList list)
{
    list.sort();
    return list.join(u"; ");
}

QString verdicts(const LoanEstimateResults &r)
{
    QStringList flagged;
    for (const LecRow &row : r.rows)
        if (row.verdict != LecVerdict::Ok)
            flagged << QString::fromStdString(row.caption + ": " + LecVerdictText(row.verdict));
    return sorted(flagged);
}

// A clean estimate built from the schedule, the insurance rules and the APR
// solver, the way a lender's system fills the form in.
LoanEstimateInputs generated(std::mt19937 &rng)
{
    const auto dollars = [&](int low, int high) {
        return double(std::uniform_int_distribution(low, high)(rng));
    };
    const auto round = [](double x, int decimals) {
        return RoundDecimal(x, kHeldDigits, decimals, RoundMode::HalfAwayFromZero);
    };
    LoanEstimateInputs in;
    in.term = std::array{180, 240, 360}[std::size_t(dollars(0, 2))];
    in.propertyValue = dollars(60, 900) * 1000;
    in.loanAmount = std::floor(in.propertyValue * dollars(50, 97) / 100);
    in.rate = dollars(16, 64) / 8;
    TMortgage m;
    m.Create(in.term, in.loanAmount, in.rate / 100, 12);
    in.pi = m.Payment();
    in.exactMi = in.loanAmount > in.propertyValue * 0.8 ? round(in.loanAmount * 0.006 / 12, 2) : 0;
    in.mi = round(*in.exactMi, 0);
    const std::int32_t insured = InsuredPayments(in.loanAmount, in.rate, in.term, in.propertyValue);
    const int miYears = (insured + 11) / 12, years = in.term / 12;
    in.escrowLines = {{"Property Taxes", dollars(5000, 90000) / 100, 3, 0}};
    in.escrowLines[0].amount = round(in.escrowLines[0].perMonth * 3, 0);
    in.escrow = round(in.escrowLines[0].perMonth, 0);
    for (const auto &[first, last, mi] :
         miYears > 0 && miYears < years
             ? std::vector<std::array<int, 3>>{{1, miYears, 1}, {miYears + 1, years, 0}}
             : std::vector<std::array<int, 3>>{{1, years, miYears > 0}})
        in.projected.push_back(
            {first, last, in.pi, mi * in.mi, in.escrow, round(in.pi + mi * in.mi + in.escrow, 0)});
    const double points = dollars(0, 4) / 4;
    in.a = {{QString::number(points).toStdString() + " % of Loan Amount (Points)",
             round(in.loanAmount * points / 100, 0), Y},
            {"Underwriting Fee", dollars(0, 2000), Y}};
    in.b = {{"Appraisal Fee", dollars(300, 900), N}, {"Flood Monitoring Fee", dollars(0, 50), Y}};
    in.c = {{"Title - Settlement Agent Fee", dollars(0, 900), U}};
    in.e = {{"Recording Fees", dollars(0, 200), N}};
    in.perDiem = round(in.loanAmount * in.rate / 36000, 2);
    in.prepaidDays = int(dollars(0, 30));
    in.prepaidInterest = round(in.perDiem * in.prepaidDays, 0);
    in.hoiPremium = dollars(0, 2000);
    in.d = in.a[0].amount + in.a[1].amount + in.b[0].amount + in.b[1].amount + in.c[0].amount;
    in.i = in.e[0].amount + in.hoiPremium + in.prepaidInterest + in.escrowLines[0].amount;
    in.j = in.closingCosts = in.d + in.i;
    in.downPayment = in.propertyValue - in.loanAmount;
    in.cashToClose = in.j + in.downPayment;
    std::vector<double> stream;
    qint64 paid60 = 0; // cents, so that a half dollar stays one
    double interest = 0;
    for (const TPayment &p : m.Payments()) {
        stream.push_back(
            round(p.Principal + p.Interest + (p.Number == in.term ? p.Balance : 0), 2));
        paid60 += p.Number <= 60 ? qRound64(stream.back() * 100) : 0;
        interest += p.Interest;
        if (p.Number == 60)
            in.in5Principal = round(in.loanAmount - p.Balance, 0);
        stream.back() += p.Number <= insured ? *in.exactMi : 0;
    }
    paid60 += std::min(insured, 60) * qRound64(*in.exactMi * 100) +
              qRound64(in.d + in.prepaidInterest) * 100;
    in.in5Total = round(double(paid60) / 100, 0);
    in.tip = round((interest + in.prepaidInterest) / in.loanAmount * 100, 3);
    const double financed = in.loanAmount - in.a[0].amount - in.a[1].amount - in.b[1].amount -
                            in.prepaidInterest - in.c[0].amount / 2;
    in.apr = round(ActuarialApr(financed, stream, in.prepaidDays / 30.0), 3);
    return in;
}

} // namespace

class TestLoanEstimate : public QObject
{
    Q_OBJECT

private slots:
    // The sample's figures, each recomputed as the form shows it.
    void sample_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("recomputed");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("flagged");
        const Edit none = [](LoanEstimateInputs &) {};
        const QString consistent = u"In 5 Years: total paid: consistent"_qs;
        const auto row = [&](const char *name, const char *caption, const char *recomputed,
                             const char *rule) {
            QTest::newRow(name) << none << QString::fromUtf8(caption)
                                << QString::fromUtf8(recomputed) << QString::fromUtf8(rule)
                                << consistent;
        };
        row("P&I", "Monthly Principal & Interest", "$761.78", "12 CFR 1026.37(b)(3)");
        row("years", "Projected Payments: years", "1-7, 8-30",
            "12 CFR 1026.37(c)(1); 12 U.S.C. 4902");
        row("total 1-7", "Years 1-7: estimated total", "$1,050",
            "12 CFR 1026.37(c)(2)(iv), (o)(4)");
        row("total 8-30", "Years 8-30: estimated total", "$968",
            "12 CFR 1026.37(c)(2)(iv), (o)(4)");
        row("escrow", "Estimated Escrow", "$206", "12 CFR 1026.37(c)(2)(iii), (o)(4)");
        row("points", "A. 0.25 % of Loan Amount (Points)", "$405",
            "12 CFR 1026.37(f)(1)(i), (o)(4)");
        row("D", "D. Total Loan Costs", "$5,672", "12 CFR 1026.37(f)(4), (o)(4)");
        row("per diem", "F. Prepaid interest per day", "$17.44", "12 CFR 1026.37(g)(2)(iii)");
        row("prepaid", "F. Prepaid interest", "$262", "12 CFR 1026.37(g)(2)(iii), (o)(4)");
        row("G insurance", "G. Homeowner's Insurance", "$202", "12 CFR 1026.37(g)(3), (o)(4)");
        row("G taxes", "G. Property Taxes", "$211", "12 CFR 1026.37(g)(3), (o)(4)");
        row("I", "I. Total Other Costs", "$2,382", "12 CFR 1026.37(g)(5), (o)(4)");
        row("J", "J. Total Closing Costs", "$8,054", "12 CFR 1026.37(g)(6), (o)(4)");
        row("cash", "Estimated Cash to Close", "$16,054", "12 CFR 1026.37(h)(1), (o)(4)");
        row("in 5 total", "In 5 Years: total paid", "$56,561",
            "12 CFR 1026.37(l)(1)(i), comment 37(l)(1)(i)-1, (o)(4)");
        row("in 5 principal", "In 5 Years: principal paid off", "$15,773",
            "12 CFR 1026.37(l)(1)(ii), (o)(4)");
        row("TIP", "Total Interest Percentage (TIP)", "69.448%",
            "12 CFR 1026.37(l)(3), comment 37(l)(3)-1");
        row("APR", "Annual Percentage Rate (APR)", "4.274% to 4.301%",
            "12 CFR 1026.22(a)(2), App. J");
        QTest::newRow("in 5 exact insurance")
            << Edit([](LoanEstimateInputs &in) { in.exactMi = 82.35; })
            << u"In 5 Years: total paid"_qs << u"$56,582"_qs
            << u"12 CFR 1026.37(l)(1)(i), comment 37(l)(1)(i)-1, (o)(4)"_qs << QString();
        // The Closing Disclosure's finance charge may be understated by $100, not a cent more.
        const auto disclosed = [](double financeCharge) {
            return Edit([financeCharge](LoanEstimateInputs &in) {
                in.disclosure = LecDisclosure{financeCharge, 159327, 286475.70, 4.274, 69.45};
            });
        };
        QTest::newRow("CD finance charge $100 under")
            << disclosed(120874.70) << u"CD: Finance Charge"_qs << u"$120,974.70 to $121,476.70"_qs
            << u"12 CFR 1026.38(o)(2), 18(d)(1)"_qs << consistent;
        QTest::newRow("CD total of payments")
            << disclosed(120874.70) << u"CD: Total of Payments"_qs << u"$286,475.70"_qs
            << u"12 CFR 1026.38(o)(1), 18(d)(1)"_qs << consistent;
        QTest::newRow("CD amount financed")
            << disclosed(120874.70) << u"CD: Amount Financed"_qs << u"$159,327.00 to $159,829.00"_qs
            << u"12 CFR 1026.38(o)(3)"_qs << consistent;
        QTest::newRow("CD finance charge a cent more under")
            << disclosed(120874.69) << u"CD: Finance Charge"_qs << u"$120,974.70 to $121,476.70"_qs
            << u"12 CFR 1026.38(o)(2), 18(d)(1)"_qs
            << sorted({u"CD: Finance Charge: check this"_qs, consistent});
        // Slips: each is flagged where it was made, and only there.
        const auto slip =
            [](const char *name, Edit edit, const char *caption, const char *recomputed,
               const char *rule) {
                const QString c = QString::fromUtf8(caption);
                QTest::newRow(name)
                    << edit << c << QString::fromUtf8(recomputed) << QString::fromUtf8(rule)
                    << sorted({c + u": check this"_qs, u"In 5 Years: total paid: consistent"_qs});
            };
        slip(
            "P&I 761.87", [](LoanEstimateInputs &in) { in.pi = 761.87; },
            "Monthly Principal & Interest", "$761.78", "12 CFR 1026.37(b)(3)");
        slip(
            "TIP 69.54", [](LoanEstimateInputs &in) { in.tip = 69.54; },
            "Total Interest Percentage (TIP)", "69.448%",
            "12 CFR 1026.37(l)(3), comment 37(l)(3)-1");
        slip(
            "APR 3.900", [](LoanEstimateInputs &in) { in.apr = 3.9; },
            "Annual Percentage Rate (APR)", "4.274% to 4.301%",
            "12 CFR 1026.22(a)(2), (a)(3), App. J");
        slip(
            "In 5 principal 15737", [](LoanEstimateInputs &in) { in.in5Principal = 15737; },
            "In 5 Years: principal paid off", "$15,773", "12 CFR 1026.37(l)(1)(ii), (o)(4)");
        slip(
            "D 5762", [](LoanEstimateInputs &in) { in.d = 5762; }, "D. Total Loan Costs", "$5,672",
            "12 CFR 1026.37(f)(4), (o)(4)");
        QTest::newRow("APR 4.100 within 1/4 point")
            << Edit([](LoanEstimateInputs &in) { in.apr = 4.1; })
            << u"Annual Percentage Rate (APR)"_qs << u"4.274% to 4.301%"_qs
            << u"12 CFR 1026.22(a)(3), App. J"_qs << consistent;
        QTest::newRow("APR 4.200 without the insurance: 1/8 point")
            << Edit([](LoanEstimateInputs &in) {
                   in.apr = 4.2;
                   in.propertyValue = 250000;
               })
            << u"Annual Percentage Rate (APR)"_qs << u"3.973% to 3.999%"_qs
            << u"12 CFR 1026.22(a)(2), App. J"_qs
            << u"Annual Percentage Rate (APR): check this; In 5 Years: total paid: check this; "
               "Projected Payments: years: check this; Years 1-7: mortgage insurance: check this"_qs;
    }
    void sample()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, caption);
        LoanEstimateInputs in = ::sample();
        edit(in);
        const LoanEstimateResults r = CheckLoanEstimate(in);
        const LecRow *row = rowOf(r, caption);
        QVERIFY(row);
        QFETCH(QString, recomputed);
        QFETCH(QString, rule);
        QFETCH(QString, flagged);
        QCOMPARE(QString::fromStdString(row->recomputed), recomputed);
        QCOMPARE(QString::fromStdString(row->rule), rule);
        QCOMPARE(verdicts(r), flagged);
    }

    // Clean estimates pass; one slip in each is flagged where it was made.
    void generated()
    {
        using S = std::pair<const char *, Edit>;
        const S slips[] = {
            {"Monthly Principal & Interest", [](LoanEstimateInputs &in) { in.pi += 0.01; }},
            {"D. Total Loan Costs", [](LoanEstimateInputs &in) { in.d += 1; }},
            {"I. Total Other Costs", [](LoanEstimateInputs &in) { in.i -= 1; }},
            {"J. Total Closing Costs", [](LoanEstimateInputs &in) { in.j += 10; }},
            {"Estimated Cash to Close", [](LoanEstimateInputs &in) { in.cashToClose -= 1; }},
            {"Estimated Closing Costs", [](LoanEstimateInputs &in) { in.closingCosts += 1; }},
            {"In 5 Years: total paid", [](LoanEstimateInputs &in) { in.in5Total += 1; }},
            {"In 5 Years: principal paid off",
             [](LoanEstimateInputs &in) { in.in5Principal -= 1; }},
            {"Total Interest Percentage (TIP)", [](LoanEstimateInputs &in) { in.tip += 0.01; }},
            {"Annual Percentage Rate (APR)", [](LoanEstimateInputs &in) { in.apr += 0.3; }},
            {"Estimated Escrow", [](LoanEstimateInputs &in) { in.escrow += 1; }},
        };
        std::mt19937 rng(36);
        for (int k = 0; k < 300; ++k) {
            const LoanEstimateInputs clean = ::generated(rng);
            QCOMPARE(verdicts(CheckLoanEstimate(clean)), QString());
            const S &slip = slips[std::size_t(k) % std::size(slips)];
            LoanEstimateInputs in = clean;
            slip.second(in);
            QCOMPARE(verdicts(CheckLoanEstimate(in)),
                     QString::fromUtf8(slip.first) + u": check this");
        }
    }

    // An adjustable product: the Adjustable Rate page's 5/1 example (first payment $2,431.53,
    // APR 4.578 % with $860 of prepaid charges), typed into a form without insurance.
    void adjustable_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("recomputed");
        QTest::addColumn<QString>("verdict");
        for (const auto &[caption, recomputed, verdict] :
             std::initializer_list<std::array<const char *, 3>>{
                 {"Monthly Principal & Interest", "$2,431.53", "ok"},
                 {"Projected Payments: years", "1-5, 6, 7, 8-30", "ok"},
                 {"Years 8-30: principal & interest", "$2,147 min / $3,885 max", "ok"},
                 {"Year 6: principal & interest", "$2,147 min / $2,986 max", "check this"},
                 {"Annual Percentage Rate (APR)", "4.578%", "ok"}})
            QTest::newRow(caption) << QString::fromUtf8(caption) << QString::fromUtf8(recomputed)
                                   << QString::fromUtf8(verdict);
    }
    void adjustable()
    {
        LoanEstimateInputs in{.term = 360,
                              .propertyValue = 700000,
                              .loanAmount = 550001,
                              .rate = 3.375,
                              .pi = 2431.53};
        in.adjustable = ArmInputs{.fixedMonths = 60,
                                  .adjustMonths = 12,
                                  .index = 3,
                                  .margin = 2.25,
                                  .rounding = ArmRounding::NearestEighth,
                                  .firstCap = 2,
                                  .periodicCap = 2,
                                  .lifetimeCap = 5};
        in.projected = {{1, 5, 2431.53},
                        {6, 6, 2431, 0, 0, 0, 2949},
                        {7, 7, 2431, 0, 0, 0, 3441},
                        {8, 30, 2147, 0, 0, 0, 3885}};
        in.a = {{"Origination Fee", 860, Y}};
        in.apr = 4.578;
        QFETCH(QString, caption);
        QFETCH(QString, recomputed);
        QFETCH(QString, verdict);
        const LoanEstimateResults r = CheckLoanEstimate(in);
        const LecRow *row = rowOf(r, caption);
        QVERIFY(row);
        QCOMPARE(QString::fromStdString(row->recomputed), recomputed);
        QCOMPARE(QString::fromStdString(LecVerdictText(row->verdict)), verdict);
    }

    void refused_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, Edit edit, const char *what) {
            QTest::newRow(name) << edit
                                << u"invalid floating point operation in CheckLoanEstimate: "_qs +
                                       QString::fromUtf8(what);
        };
        row(
            "no term", [](LoanEstimateInputs &in) { in.term = 0; }, "loan term");
        row(
            "no loan", [](LoanEstimateInputs &in) { in.loanAmount = 0; }, "loan amount");
        row(
            "escrow months", [](LoanEstimateInputs &in) { in.escrowLines[0].months = 1201; },
            "escrow months");
        row(
            "fees over the loan", [](LoanEstimateInputs &in) { in.a[0].amount = 170000; },
            "amount financed");
    }
    void refused()
    {
        QFETCH(Edit, edit);
        LoanEstimateInputs in = ::sample();
        edit(in);
        QTEST(test::message([&in] { CheckLoanEstimate(in); }), "message");
    }

    void captions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<FinanceCharge>("charge");
        QTest::addColumn<double>("points"); // -1: no percent of the loan amount
        const std::pair<const char *, FinanceCharge> rows[] = {
            {"0.25 % of Loan Amount (Points)", Y},
            {"Application Fee", Y},
            {"Underwriting Fee", Y},
            {"Flood Monitoring Fee", Y},
            {"Flood Determination Fee", N},
            {"Tax Monitoring Fee", Y},
            {"Tax Status Research Fee", N},
            {"Prepaid Interest", Y},
            {"Appraisal Fee", N},
            {"Credit Report Fee", N},
            {"Title - Title Search", N},
            {"Recording Fees", N},
            {"Title - Settlement Agent Fee", U},
            {"Courier Fee", U},
            {"1% of loan amount (points)", Y}};
        for (const auto &[caption, charge] : rows)
            QTest::newRow(caption) << QString::fromUtf8(caption) << charge
                                   << (caption[0] == '0'   ? 0.25
                                       : caption[0] == '1' ? 1.0
                                                           : -1.0);
    }
    void captions()
    {
        QFETCH(QString, caption);
        QFETCH(double, points);
        QFETCH(FinanceCharge, charge);
        QCOMPARE(ProposeFinanceCharge(caption.toStdString()), charge);
        QCOMPARE(PointsPercentInCaption(caption.toStdString()).value_or(-1), points);
    }
};

QTEST_GUILESS_MAIN(TestLoanEstimate)
#include "tst_loanestimate.moc"

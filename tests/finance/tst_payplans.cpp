// Biweekly payments, extra principal payments, and when mortgage insurance ends. Reference
// figures: an independent Python schedule in binary doubles, cents as Int(x * 100 + 0.5) / 100.

#include "finance/MortgageInsurance.h"
#include "finance/PayPlans.h"
#include "tests/finance/FinanceTestUtil.h"

using namespace clvn;
using namespace clvn::test;
using enum PrepaymentMode;

class TestPayPlans : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures() { checkRow(); }
};

void TestPayPlans::figures_data()
{
    addColumns();
    // P, n P, interest | h, k, h k, interest | months, years and interest saved; rows.
    const auto biweekly = [](double L, double R, int n) -> Text {
        return [=] {
            const BiweeklyResults r = CalcBiweekly({L, R, n});
            return words({moneys({r.payment, r.totalPaid, r.costOfLoan, r.halfPayment}),
                          fixed(r.payoffCount, 4), moneys({r.halfTotalPaid, r.halfCostOfLoan}),
                          fixed(r.monthsSaved, 4), fixed(r.yearsSaved, 6), money(r.interestSaved),
                          QString::number(r.schedule.NumPayments())});
        };
    };
    addText("biweekly worked example",
            "786.70 283212.00 183212.00 393.35 575.9266 226540.72 126540.72 94.1877 7.849167 "
            "56671.28 360",
            biweekly(1e5, 8.75, 360));
    // Years come from the months as shown: 75.5051 shows 75.51, and 75.51 / 12 = 6.2925.
    addText("biweekly 100k 7% 360",
            "665.30 239508.00 139508.00 332.65 616.4057 205047.35 105047.35 75.5051 6.292500 "
            "34460.65 360",
            biweekly(1e5, 7, 360));
    addText("biweekly rate 0: the count is 0 / 0", "InvalidOp", biweekly(1e5, 0, 360));
    addText("biweekly loan 0: nothing to repay", "InvalidOp", biweekly(0, 8.75, 360));
    addText("biweekly term 0", "ZeroDivide", biweekly(1e5, 8.75, 0));

    // P, with escrows (1200, 580, 600 a year), interest, total | with extras, term, saved, applied.
    const auto prepay = [](double L, double R, int n, PrepaymentMode mode, int from, int to,
                           double extra) -> Text {
        return [=] {
            const PrepaymentResults r =
                CalcPrepayment({L, R, n, 1200, 580, 600, mode, from, to, extra});
            return words({fixed(r.payment, 4), fixed(r.totalPayment, 4),
                          moneys({r.totalInterest, r.totalPrincipalAndInterest}),
                          QStringLiteral("|"), money(r.newPayment), fixed(r.newTotalPayment, 4),
                          moneys({r.interestWithPrepayments, r.totalWithPrepayments}),
                          QString::number(r.newTerm), moneys({r.savings, r.appliedAmount})});
        };
    };
    addText("prepayment worked example: 100 on all payments",
            "786.7004 985.0337 183212.97 283212.97 | 886.70 1085.0333 110882.68 210882.68 238 "
            "72330.29 100.00",
            prepay(1e5, 8.75, 360, All, 0, 0, 100));
    addText("range beyond the term counts as the term",
            "786.7004 985.0337 183212.97 283212.97 | 886.70 1085.0333 115883.43 215883.43 245 "
            "67329.54 100.00",
            prepay(1e5, 8.75, 360, Range, 12, 400, 100));
    // (A decimal schedule differs by a cent on a tie here: the rule is the binary one.)
    addText("range with last 0 is the first payment alone",
            "786.7004 985.0337 183212.97 283212.97 | 886.70 1085.0333 182062.56 282062.56 359 "
            "1150.41 100.00",
            prepay(1e5, 8.75, 360, Range, 12, 0, 100));
    // The row that takes a large single extra is not the end of the loan.
    addText("single 99000 on payment 1 ends at payment 3",
            "786.7004 985.0337 183212.97 283212.97 | 99786.70 99985.0333 737.23 100737.23 3 "
            "182475.74 99000.00",
            prepay(1e5, 8.75, 360, Single, 1, 0, 99000));
    addText("single payment beyond the term applies nothing",
            "786.7004 985.0337 183212.97 283212.97 | 786.70 985.0333 183212.97 283212.97 360 "
            "0.00 0.00",
            prepay(1e5, 8.75, 360, Single, 361, 0, 100));
    // A zero rate has a schedule of its own too (no interest, so nothing saved).
    addText("prepayment rate 0",
            "277.7778 476.1111 0.00 100000.00 | 377.78 576.1133 0.00 100000.00 265 0.00 100.00",
            prepay(1e5, 0, 360, All, 0, 0, 100));
    // Rounding already repays the loan in its last row: 100k at 7 % leaves 2.98.
    addText("extra 0, last row leaves a balance",
            "665.3025 863.6358 139510.98 239510.98 | 665.30 863.6333 139510.98 239510.98 360 "
            "0.00 0.00",
            prepay(1e5, 7, 360, All, 0, 0, 0));
    addText("negative extra is unusable", "InvalidOp", prepay(1e5, 8.75, 360, All, 0, 0, -100));
    addText("prepayment term 0", "ZeroDivide", prepay(1e5, 8.75, 0, All, 0, 0, 100));

    // LTV | asking at 80 % | with extras, premiums saved | ending at 78 % or the midpoint (m).
    const auto insurance = [](double L, double R, int n, double home, double premium,
                              PrepaymentMode mode = All, int from = 0, double extra = 0) -> Text {
        return [=]() -> QString {
            const MortgageInsuranceResults r =
                AssessMortgageInsurance({L, R, n, mode, from, 0, extra, home, premium});
            static const char *const refusals[] = {"", "refused: home value", "refused: premium",
                                                   "refused: premium needed"};
            if (r.refusal != MortgageInsuranceRefusal::None)
                return QString::fromLatin1(refusals[int(r.refusal)]);
            QStringList out{fixed(r.startLtv * 100, 4)};
            if (!r.insured)
                return out.first() + u" not insured";
            out << QStringLiteral("| %1").arg(r.askAt) << moneys({r.askBalance, r.premiumsAsk});
            if (r.withExtras)
                out << QStringLiteral("| %1").arg(r.askActualAt)
                    << moneys({r.askActualBalance, r.premiumsAskActual, r.saved});
            out << QStringLiteral("| %1%2").arg(r.endsAt).arg(r.endsAtMidpoint ? QStringLiteral("m")
                                                                               : QString())
                << moneys({r.endsBalance, r.premiumsEnd});
            return words(out);
        };
    };
    // The worked figures: 90 %, asking at 80 % after payment 95, ending at 78 % after 109.
    addText("worked figures", "90.0000 | 95 159854.20 7410.00 | 109 155911.44 8502.00",
            insurance(180000, 6.5, 360, 200000, 78));
    addText("worked figures, 200 extra on every payment",
            "90.0000 | 95 159854.20 7410.00 | 49 159707.28 3822.00 3588.00 | 109 155911.44 "
            "8502.00",
            insurance(180000, 6.5, 360, 200000, 78, All, 0, 200));
    // 80 % of 199,817.75 is the balance after payment 95 to the cent: it counts.
    addText("balance equal to 80 %", "90.0821 | 95 159854.20 7410.00 | 110 155618.24 8580.00",
            insurance(180000, 6.5, 360, 199817.75, 78));
    addText("a cent below: 80 % one payment later",
            "90.0821 | 96 159582.36 7488.00 | 110 155618.24 8580.00",
            insurance(180000, 6.5, 360, 199817.74, 78));
    // 78 % of 217,164.00 is the balance after payment 56 to the cent.
    addText("balance equal to 78 %", "82.8867 | 36 173551.12 2160.00 | 56 169387.92 3360.00",
            insurance(180000, 6.5, 360, 217164, 60));
    addText("a cent below: 78 % one payment later",
            "82.8867 | 36 173551.12 2160.00 | 57 169167.72 3420.00",
            insurance(180000, 6.5, 360, 217163.99, 60));
    // At 12 % the balance is still 81 % at the middle of the term: nothing is left to cancel
    // after it, so the ask is the midpoint too, also with extras that reach 80 % later.
    addText("midpoint first", "95.0000 | 180 162842.98 21600.00 | 180m 162842.98 21600.00",
            insurance(190000, 12, 360, 200000, 120));
    addText("midpoint first, with extras",
            "95.0000 | 180 162842.98 21600.00 | 180 161344.05 21600.00 0.00 | 180m 162842.98 "
            "21600.00",
            insurance(190000, 12, 360, 200000, 120, All, 0, 3));
    addText("40-year loan at 97 %", "97.0000 | 240 421484.33 87300.00 | 240m 421484.33 87300.00",
            insurance(485000, 9.5, 480, 500000, 363.75));
    // 78 % of 208,773.06 is the balance after payment 180, the midpoint: the 78 % rule names it.
    addText("78 % at the midpoint", "91.0079 | 167 166797.72 20040.00 | 180 162842.98 21600.00",
            insurance(190000, 12, 360, 208773.06, 120));
    addText("midpoint of an odd term rounds down",
            "95.0000 | 179 162889.08 21480.00 | 179m 162889.08 21480.00",
            insurance(190000, 12, 359, 200000, 120));
    addText("loan at 80 %: no insurance", "80.0000 not insured",
            insurance(160000, 6.5, 360, 200000, 78));
    addText("extras reach 80 % within the first payment",
            "90.0000 | 95 159854.20 7410.00 | 1 159837.28 78.00 7332.00 | 109 155911.44 8502.00",
            insurance(180000, 6.5, 360, 200000, 78, Single, 1, 20000));
    addText("over 97 % with a premium typed",
            "100.0000 | 146 159926.53 21900.00 | 156 155849.44 23400.00",
            insurance(200000, 6.5, 360, 200000, 150));
    addText("97 % with a premium of 0 is taken",
            "97.0000 | 133 159961.79 0.00 | 144 155895.60 0.00",
            insurance(194000, 6.5, 360, 200000, 0));
    addText("home value 0", "refused: home value", insurance(180000, 6.5, 360, 0, 78));
    addText("negative premium", "refused: premium", insurance(180000, 6.5, 360, 200000, -0.01));
    addText("over 97 % without a premium", "refused: premium needed",
            insurance(194000.01, 6.5, 360, 200000, 0));
    addText("home value not finite", "Overflow", insurance(180000, 6.5, 360, qInf(), 78));
    addText("insurance term 0", "ZeroDivide", insurance(180000, 6.5, 0, 200000, 78));
    addText("single extra outside the schedule", "IndexError 361",
            insurance(180000, 6.5, 360, 200000, 78, Single, 361, 100));

    // The premium the stored table proposes: the band's annual fraction * loan / 12, in cents.
    const auto premium = [](double loan, double home, int n) -> Formula {
        return [=] {
            const PmiPremiums table{{0.0032, 0.0052, 0.0078, 0.0090},
                                    {0.0019, 0.0023, 0.0056, 0.0079}};
            return ProposedMonthlyPremium(loan, home, n, table);
        };
    };
    addRow("premium, 180 payments: 15 years or less", "34.50", premium(180000, 200000, 180));
    addRow("premium, 181 payments: over 15 years", "78.00", premium(180000, 200000, 181));
    addRow("premium, 80 %", "0.00", premium(160000, 200000, 360));
    addRow("premium, a cent above 80 %", "42.67", premium(160000.01, 200000, 360));
    addRow("premium, over 97 %", "0.00", premium(194000.01, 200000, 360));
    // Payments that carry insurance when nobody asks: the 78 % payment or the midpoint.
    addRow("insured payments, worked figures", "109",
           [] { return InsuredPayments(18e4, 6.5, 360, 2e5); });
    addRow("insured payments, loan at 80 %", "0",
           [] { return InsuredPayments(16e4, 6.5, 360, 2e5); });
    addRow("insured payments, one payment", "1", [] { return InsuredPayments(18e4, 6.5, 1, 2e5); });
    addRow("insured payments, term 0", "ZeroDivide",
           [] { return InsuredPayments(18e4, 6.5, 0, 2e5); });
}

QTEST_GUILESS_MAIN(TestPayPlans)
#include "tst_payplans.moc"

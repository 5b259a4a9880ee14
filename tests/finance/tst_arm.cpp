// Adjustable-rate loans. Reference figures: the two worked examples of the
// issue (the commentary's 9 % example with a lifetime cap, and a lender's 5/1
// offer with its published APR), every one also recomputed step by step in
// Python's decimal module (interest half up on the exact balance, the payment
// formula in doubles rounded half up, the APR by bisection).

#include "finance/Arm.h"
#include "finance/Cents.h"
#include "finance/MortLib.h"
#include "tests/finance/FinanceTestUtil.h"

using namespace clvn;
using namespace clvn::test;

namespace {

// $100,000, 360 months, 9 % for 12 months, 10 % + 2 %, every 12 months, caps 2/2/5.
ArmInputs commentary()
{
    return {.loan = 100000,
            .term = 360,
            .initialRate = 9,
            .fixedMonths = 12,
            .adjustMonths = 12,
            .index = 10,
            .margin = 2,
            .firstCap = 2,
            .periodicCap = 2,
            .lifetimeCap = 5};
}

// $550,001, 360 months, 3.375 % for 60 months, 3 % + 2.25 %, caps 2/2/5, $860 prepaid.
ArmInputs fiveOne()
{
    return {.loan = 550001,
            .term = 360,
            .initialRate = 3.375,
            .fixedMonths = 60,
            .adjustMonths = 12,
            .index = 3,
            .margin = 2.25,
            .firstCap = 2,
            .periodicCap = 2,
            .lifetimeCap = 5,
            .prepaid = 860,
            .fixedRate = 4.125,
            .fixedPrepaid = 860};
}

ArmInputs with(ArmInputs in, const std::function<void(ArmInputs &)> &change)
{
    change(in);
    return in;
}

// The payments of a path as runs, "12x804.62 335x1024.34".
QString runs(const ArmPath &p)
{
    QStringList parts;
    qint64 count = 0;
    for (std::size_t k = 0; k < p.rows.size(); ++k) {
        ++count;
        if (k + 1 == p.rows.size() || p.rows[k + 1].payment != p.rows[k].payment) {
            parts << QStringLiteral("%1x%2").arg(count).arg(money(FromCents(p.rows[k].payment)));
            count = 0;
        }
    }
    return words(parts);
}

Text path(ArmInputs in, std::size_t which)
{
    return [=] { return runs(CalcArm(in).paths.at(which)); };
}

Text shown(ArmInputs in, const std::function<QString(const ArmResults &)> &show)
{
    return [=] { return show(CalcArm(in)); };
}

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

class TestArm : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures() { checkRow(); }
};

void TestArm::figures_data()
{
    addColumns();
    addText("commentary, index unchanged", "12x804.62 12x950.09 335x1024.34 1x1017.18",
            path(commentary(), 0));
    addText("commentary, finance charge, APR", "265227.60 11.527",
            shown(commentary(), [](const ArmResults &r) -> QString {
                return words({money(FromCents(r.financeCharge)), fixed(r.apr, 3)});
            }));
    addText("commentary, worst case", "12x804.62 12x950.09 12x1099.95 323x1175.91 1x1160.59",
            path(commentary(), 1));
    addText("commentary, highest payment", "1175.91 37 14.000",
            shown(commentary(), [](const ArmResults &r) -> QString {
                return words({money(FromCents(r.highestPayment)), QString::number(r.highestAt),
                              fixed(r.highestRate, 3)});
            }));

    addText("5/1, index unchanged", "60x2431.53 299x2949.91 1x2948.78", path(fiveOne(), 0));
    addText("5/1, APR with $860 prepaid", "4.578",
            shown(fiveOne(), [](const ArmResults &r) -> QString { return fixed(r.apr, 3); }));
    addText("5/1, worst case", "60x2431.53 12x2986.32 12x3579.32 275x3885.30 1x3887.76",
            path(fiveOne(), 1));
    addText("one change only", "None",
            shown(with(fiveOne(), [](auto &in) { in.adjustMonths = INT32_MAX; }),
                  [](const ArmResults &r) { return text(r.rateTable.at(5).value); }));
    addText("5/1, rate table",
            "Index + Margin=3% + 2.25%|Initial Interest Rate=3.375%|Minimum/Maximum Interest "
            "Rate=2.25%/8.375%|Change Frequency=|First Change=Beginning of 61st month|Subsequent "
            "Changes=Every 12 months after first change|Limits on Interest Rate Changes=|First "
            "Change=2%|Subsequent Changes=2%",
            shown(fiveOne(), [](const ArmResults &r) -> QString {
                QStringList rows;
                for (const ArmTableRow &row : r.rateTable)
                    rows << text(row.label) + u'=' + text(row.value);
                return rows.join(u'|');
            }));
    addText("5/1, projected payments",
            "Years 1-5=$2,431.53|Year 6=$2,147 min / $2,986 max|Year 7=$2,147 min / $3,579 "
            "max|Years 8-30=$2,147 min / $3,885 max",
            shown(fiveOne(), [](const ArmResults &r) -> QString {
                QStringList columns;
                for (const ArmProjectedColumn &c : r.projected)
                    columns << text(c.heading) + u'=' + text(c.text);
                return columns.join(u'|');
            }));
    addText("5/1, loan terms",
            "Adjusts every year starting in year 6; Can go as high as 8.375% in year 8|Adjusts "
            "every year starting in year 6; Can go as high as $3,885 in year 8",
            shown(fiveOne(), [](const ArmResults &r) -> QString {
                return text(r.rateTermsLine) + u'|' + text(r.paymentTermsLine);
            }));
    addText("5/1, five years and TIP", "$146,752 $57,732 87.429",
            shown(fiveOne(), [](const ArmResults &r) -> QString {
                return words({text(ArmWholeDollars(r.fiveYearTotal)),
                              text(ArmWholeDollars(r.fiveYearPrincipal)),
                              fixed(r.totalInterestPercent, 3)});
            }));
    addText("5/1 against 4.125 % fixed", "2665.58 234.05 107 84",
            shown(fiveOne(), [](const ArmResults &r) -> QString {
                return words({moneys({FromCents(r.fixedPayment), FromCents(r.monthlyDifference)}),
                              QString::number(r.paths[0].breakEven),
                              QString::number(r.paths[1].breakEven)});
            }));
    addText("first cap above the periodic one", "60x2431.53 299x3922.50 1x3921.28",
            path(with(fiveOne(), [](auto &in) { in.firstCap = 5; }), 1));
    // Down by the caps to the floor, the margin.
    addText("5/1, best case", "60x2431.53 299x2146.93 1x2148.64", path(fiveOne(), 2));
    // Index 4, 7, 1 + 2.25: capped at 5.375 and 7.375, down 2 to 5.375 and to 3.375, then 3.25.
    addText("own path within the caps",
            "60x2431.53 12x2986.32 12x3579.32 12x3002.32 12x2494.02 251x2465.16 1x2465.44",
            path(with(fiveOne(),
                      [](auto &in) {
                          in.ownPath = {4, 7, 1};
                      }),
                 3));
    addText(
        "own path held up by a 4 % floor", "4.000",
        shown(with(fiveOne(), [](auto &in) { in.ownPath = {0}, in.floor = 4; }),
              [](const ArmResults &r) -> QString { return fixed(r.paths[3].rows[60].rate, 3); }));
    // Interest only for 120 months: 6 %, then 7 %, then amortized over the 240 months left.
    addText("interest only past the first change", "60x500.00 60x583.33 239x775.30 1x774.77",
            path({.loan = 100000,
                  .term = 360,
                  .initialRate = 6,
                  .fixedMonths = 60,
                  .adjustMonths = 12,
                  .index = 5,
                  .margin = 2,
                  .firstCap = 2,
                  .periodicCap = 2,
                  .lifetimeCap = 5,
                  .interestOnlyMonths = 120},
                 0));
    addText("no change: the fixed-rate schedule", "same", [] {
        const ArmResults r = CalcArm(with(commentary(), [](auto &in) { in.lifetimeCap = 0; }));
        TMortgage m;
        m.Create(360, 100000, 0.09, 12);
        for (std::size_t k = 0; k + 1 < r.paths[0].rows.size(); ++k) {
            const ArmRow &a = r.paths[0].rows[k];
            const TPayment &t = m.Payments()[k];
            if (FromCents(a.interest) != t.Interest || FromCents(a.balance) != t.Balance ||
                FromCents(a.payment) != m.Payment())
                return QStringLiteral("row %1 differs").arg(k + 1);
        }
        return QStringLiteral("same");
    });
    const auto indexed = [](double index, ArmRounding rounding) {
        return shown(with(fiveOne(), [=](auto &in) { in.index = index, in.rounding = rounding; }),
                     [](const ArmResults &r) -> QString { return fixed(r.fullyIndexed, 4); });
    };
    addText("index + margin unrounded", "5.3100", indexed(3.06, ArmRounding::None));
    addText("nearest eighth down", "5.2500", indexed(3.06, ArmRounding::NearestEighth));
    addText("nearest eighth, a tie up", "5.3750", indexed(3.0625, ArmRounding::NearestEighth));
    addText("up to the eighth", "5.3750", indexed(3.01, ArmRounding::UpToEighth));
    addText("up to the eighth, already one", "5.2500", indexed(3, ArmRounding::UpToEighth));

    const auto refused = [](const char *why, const std::function<void(ArmInputs &)> &change) {
        addText(why, (std::string("invalid floating point operation in CalcArm: ") + why).c_str(),
                [change] { return message([&] { CalcArm(with(fiveOne(), change)); }); });
    };
    refused("loan amount must be more than 0", [](auto &in) { in.loan = 0; });
    refused("term must be 1..1200 months", [](auto &in) { in.term = 0; });
    refused("months between changes must be more than 0", [](auto &in) { in.adjustMonths = 0; });
    refused("months at the initial rate must be more than 0 and less than the term",
            [](auto &in) { in.fixedMonths = 360; });
    refused("margin is negative", [](auto &in) { in.margin = -0.25; });
    refused("periodic cap is negative", [](auto &in) { in.periodicCap = -1; });
    refused("initial rate is negative", [](auto &in) { in.initialRate = -1; });
    refused("lifetime cap is required", [](auto &in) { in.lifetimeCap.reset(); });
    refused("interest-only months must be 0..the term",
            [](auto &in) { in.interestOnlyMonths = 361; });
    addText("own path read", "3.5 4 -0.25", [] {
        QStringList xs;
        for (double x : ParseArmIndexPath(" 3,5; 4 ;-0,25;", ','))
            xs << QString::number(x);
        return words(xs);
    });
    addText("own path not a number", "ConvertError",
            [] { return QString::number(ParseArmIndexPath("3.5; 4x", '.').size()); });
}

QTEST_GUILESS_MAIN(TestArm)
#include "tst_arm.moc"

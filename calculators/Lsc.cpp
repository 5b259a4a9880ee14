#include "calculators/Lsc.h"

#include "calculators/LsPage.h"
#include "widgets/Format.h"

namespace clvn {

namespace {

QString currency(double v, int digits, int decimals)
{
    return formatCurrency(v, digits, decimals);
}

QString fixed(double v, int digits, int decimals)
{
    return formatFixed(v, digits, decimals);
}

QString general5(double v)
{
    return formatGeneral(v == 0 ? 0.0 : v, 5);
}

const QString blank = QStringLiteral(" ");
const QString twoBlanks = QStringLiteral("  ");

void build(LsPage &page, SpreadMode mode, bool active)
{
    // What the mode reads: throws ConvertError before anything is written.
    SpreadInputs in;
    in.mode = mode;
    switch (mode) {
    case SpreadMode::Payment:
        in.loan = page.loanValue();
        in.term = page.termValue();
        in.ratePercent = page.rateValue();
        break;
    case SpreadMode::LoanAmount:
        in.ratePercent = page.rateValue();
        in.term = page.termValue();
        in.payment = page.paymentValue();
        break;
    case SpreadMode::Rate:
        in.loan = page.loanValue();
        in.term = page.termValue();
        in.payment = page.paymentValue();
        break;
    case SpreadMode::Term:
        in.loan = page.loanValue();
        in.ratePercent = page.rateValue();
        in.payment = page.paymentValue();
        break;
    }
    const bool loanAxis = mode != SpreadMode::LoanAmount;
    const bool rateAxis = mode == SpreadMode::Payment || mode == SpreadMode::LoanAmount;
    const bool paymentAxis = mode != SpreadMode::Payment;
    if (loanAxis)
        in.loanStep = page.takeIncrement(LsPage::Axis::Loan);
    if (rateAxis)
        in.rateStep = page.takeIncrement(LsPage::Axis::Rate);
    if (paymentAxis)
        in.paymentStep = page.takeIncrement(LsPage::Axis::Payment);

    const SpreadTable table = BuildSpreadTable(in);
    page.showSpread(mode, table, spreadTexts(mode, table), active);
}

} // namespace

QString spreadCorner(SpreadMode mode)
{
    switch (mode) {
    case SpreadMode::Payment:
        return QStringLiteral(" Loan / Rate");
    case SpreadMode::LoanAmount:
        return QStringLiteral(" Pmt / Rate");
    case SpreadMode::Rate:
    case SpreadMode::Term:
        break;
    }
    return QStringLiteral(" Loan / Pmt");
}

SpreadTexts spreadTexts(SpreadMode mode, const SpreadTable &table)
{
    SpreadTexts t;
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
        const double v = table.columns[c];
        const bool rates = mode == SpreadMode::Payment || mode == SpreadMode::LoanAmount;
        t.columns[c] = twoBlanks + (rates ? general5(v) + u'%' : currency(v, 5, 2));
    }
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const double v = table.rows[r];
        t.rows[r] =
            blank + (mode == SpreadMode::LoanAmount ? currency(v, 10, 2) : currency(v, 10, 0));
    }
    for (std::size_t c = 0; c < t.cells.size(); ++c) {
        for (std::size_t r = 0; r < t.cells[c].size(); ++r) {
            const double v = table.cells[c][r];
            QString &text = t.cells[c][r];
            switch (mode) {
            case SpreadMode::Payment:
                text = blank + currency(v, 10, 2);
                break;
            case SpreadMode::LoanAmount:
                text = blank + currency(v, 10, 0);
                break;
            case SpreadMode::Rate:
                text = blank + fixed(v, 5, 3) + u'%';
                break;
            case SpreadMode::Term:
                // The first column has no leading blank.
                text = (c == 0 ? QString() : blank) + fixed(v, 5, 2);
                break;
            }
        }
    }
    return t;
}

void BuildPaymentSpread(LsPage &page, bool active)
{
    build(page, SpreadMode::Payment, active);
}

void BuildLoanAmountSpread(LsPage &page, bool active)
{
    build(page, SpreadMode::LoanAmount, active);
}

void BuildRateSpread(LsPage &page, bool active)
{
    build(page, SpreadMode::Rate, active);
}

void BuildTermSpread(LsPage &page, bool active)
{
    build(page, SpreadMode::Term, active);
}

} // namespace clvn

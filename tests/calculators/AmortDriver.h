#pragma once

// The Loan Amortizations page's own steps on the page harness: Calculate,
// the extra-payment panel and the mortgage-insurance panel.

#include "calculators/AmortPage.h"
#include "tests/support/PageFixture.h"

#include <QAbstractButton>

namespace clvn::test {

using AmortFixture = PageFixture<AmortPage>;

inline void click(const AmortFixture &f, const QString &name)
{
    QTest::mouseClick(f.get<QAbstractButton>(name), Qt::LeftButton);
}

// Loan, rate and term typed (none: the figures shown), then Calculate.
inline void calculate(AmortFixture &f, const QStringList &figures)
{
    const char *names[] = {"edtMortAmt", "EdtIRate", "EdtNumPmts"};
    for (int i = 0; i < figures.size(); ++i)
        f.type(QLatin1String(names[i]), figures[i]);
    click(f, QStringLiteral("btnCalculate"));
}

// Mode (rbOnePmt, rbRangePmts, rbAllPmts), from, to and amount through the
// open panel, typed where the mode takes them, then Re-Calculate.
inline void addExtra(AmortFixture &f, const QStringList &extra)
{
    click(f, QStringLiteral("btnAddExtraPayments"));
    click(f, extra[0]);
    const char *names[] = {"edtFromPmt", "edtToPmt", "edtExtraAmount"};
    for (int i = 0; i < 3; ++i)
        if (f.get(QLatin1String(names[i]))->isEnabled())
            f.type(QLatin1String(names[i]), extra[i + 1]);
    click(f, QStringLiteral("btnAddExtra"));
}

// A home value through the mortgage-insurance panel, with the proposed premium.
inline void applyInsurance(AmortFixture &f, const QString &homeValue)
{
    click(f, QStringLiteral("btnMortgageInsurance"));
    f.type(QStringLiteral("edtMIHomeValue"), homeValue);
    click(f, QStringLiteral("btnApplyMI"));
}

} // namespace clvn::test

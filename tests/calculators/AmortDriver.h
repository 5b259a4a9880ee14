#pragma once

// Drives a real Loan Amortizations page inside a FakeHost the way a user
// does, for the tests of its chart, its export and its copy.

#include "calculators/AmortPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace clvn::test {

class AmortDriver
{
public:
    AmortDriver() : host(std::make_unique<FakeHost>()), page(std::make_unique<AmortPage>(*host))
    {
        page->show();
        // Typing needs the page's window active, as a user's is.
        if (!QTest::qWaitForWindowExposed(page.get()))
            qWarning("the amortization page did not show");
        page->activateWindow();
        if (!QTest::qWaitForWindowActive(page.get()))
            qWarning("the amortization page did not become active");
    }
    ~AmortDriver() { page.reset(); } // before the host it uses

    template <class T = QLineEdit> T *child(const QString &name) const
    {
        return find<T>(page.get(), name);
    }
    void click(const QString &name)
    {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void type(const QString &name, const QString &text) { test::type(child(name), text); }
    // "loan|rate|term" then Calculate; "" leaves the figures of entry.
    void calculate(const QString &figures)
    {
        const QStringList typed = figures.split(u'|', Qt::SkipEmptyParts);
        const char *fields[] = {"edtMortAmt", "EdtIRate", "EdtNumPmts"};
        for (int i = 0; i < typed.size() && i < 3; ++i)
            type(QLatin1String(fields[i]), typed[i]);
        click(QStringLiteral("btnCalculate"));
    }
    // "mode|from|to|amount" (mode rbOnePmt, rbRangePmts or rbAllPmts) through
    // the extra-payment panel; "" adds nothing.
    void addExtra(const QString &extra)
    {
        if (extra.isEmpty())
            return;
        const QStringList typed = extra.split(u'|');
        click(QStringLiteral("btnAddExtraPayments"));
        click(typed[0]);
        const char *fields[] = {"edtFromPmt", "edtToPmt", "edtExtraAmount"};
        for (int i = 0; i < 3; ++i)
            if (child(QLatin1String(fields[i]))->isEnabled())
                type(QLatin1String(fields[i]), typed[i + 1]);
        click(QStringLiteral("btnAddExtra"));
        click(QStringLiteral("btnCancel"));
    }
    // A home value through the mortgage-insurance panel, with the proposed
    // premium; "" applies nothing.
    void applyInsurance(const QString &homeValue)
    {
        if (homeValue.isEmpty())
            return;
        click(QStringLiteral("btnMortgageInsurance"));
        type(QStringLiteral("edtMIHomeValue"), homeValue);
        click(QStringLiteral("btnApplyMI"));
        click(QStringLiteral("btnCancelMI"));
    }

    std::unique_ptr<FakeHost> host;
    std::unique_ptr<AmortPage> page;
};

// A schedule computed apart from TMortgage by the documented rule: the level
// payment L i / (1 - (1 + i)^-n) rounded to cents as Int(x * 100 + 0.5) / 100,
// each month's interest on the running balance (dollars, binary double, as
// the rule has it) rounded the same way, the principal (extra included)
// never more than the balance; it ends when the balance reaches zero or
// after n payments. Totals are whole cents.
struct ReferenceSchedule
{
    qint64 totalInterestCents = 0;
    int payments = 0;
};

inline ReferenceSchedule referenceSchedule(double loan, double percent, int n,
                                           const std::function<qint64(int)> &extraCents)
{
    auto cents = [](double x) { return std::trunc(x * 100 + 0.5) / 100; };
    const double i = percent / 1200;
    const double payment = cents(i == 0 ? loan / n : loan * i / (1 - std::pow(1 + i, -n)));
    double balance = loan;
    ReferenceSchedule out;
    for (int k = 1; k <= n && balance > 0; ++k) {
        const double interest = cents(balance * i);
        const double principal =
            std::min(payment - interest + double(extraCents(k)) / 100, balance);
        balance -= principal;
        out.totalInterestCents += qRound64(interest * 100);
        out.payments = k;
    }
    return out;
}

} // namespace clvn::test

#include "calculators/MqPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "finance/Errors.h"
#include "finance/Qualifier.h"
#include "state/BuyerValues.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QFont>
#include <QLabel>
#include <QScopedValueRollback>

#include <cstdint>
#include <type_traits>

namespace clvn {

MqPage::MqPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("MQ"), parent)
{
    buildIncomeRows();
    buildRatios();
    buildScenarios();
    addLabel(this,
             QStringLiteral("This calculator provides a 'starting point' to help you determine the "
                            "maximum monthly payment and loan amounts for which you may qualify "
                            "under the common underwriting guidelines."),
             QRect(8, 310, 571, 40));
    // Rate 1 starts with its followers already set: the handler is bound
    // only now, so building the page does not run it.
    bindHandlers();
}

void MqPage::buildIncomeRows()
{
    static constexpr int Left = 84;
    static constexpr int Step = 100;
    static constexpr int Width = 96;
    const QString headings[] = {
        QStringLiteral("Monthly Income"),
        QStringLiteral("Other Monthly Income"),
        QStringLiteral("Monthly Minimum Due on Credit Cards"),
        QStringLiteral("Monthly Auto Loan Payment(s)"),
        QStringLiteral("Monthly Due on Student Loan & Other Notes Payable"),
    };
    for (int column = 0; column < 5; ++column)
        addLabel(this, headings[column], QRect(Left + column * Step, 0, Width, 60),
                 Qt::AlignHCenter | Qt::AlignBottom);
    addLabel(this, QStringLiteral("Borrower"), QRect(8, 62, 76, FieldHeight));
    addLabel(this, QStringLiteral("Co-Borrower"), QRect(8, 86, 76, FieldHeight));

    struct Start
    {
        double income, otherIncome, cards, autoLoans, notes;
    };
    static constexpr Start starts[2] = {{4000, 1000, 350, 450, 50}, {0, 0, 0, 0, 0}};
    for (int row = 0; row < 2; ++row) {
        const QString n = QString::number(row + 1);
        const int y = 62 + row * 24;
        const auto at = [&](int column) {
            return QRect(Left + column * Step, y, Width, FieldHeight);
        };
        m_edtIncome[row] = addMoney(this, u"edtIncome" + n, at(0), starts[row].income);
        m_edtOIncome[row] = addMoney(this, u"edtOIncome" + n, at(1), starts[row].otherIncome);
        m_edtCards[row] = addMoney(this, u"edtCards" + n, at(2), starts[row].cards);
        m_edtAuto[row] = addMoney(this, u"edtAuto" + n, at(3), starts[row].autoLoans);
        m_edtNotes[row] = addMoney(this, u"edtNotes" + n, at(4), starts[row].notes);
    }
}

void MqPage::buildRatios()
{
    addHeading(this, QStringLiteral("Qualifying Ratios"), QRect(8, 116, 130, 18));
    addLabel(this, QStringLiteral("Housing"), QRect(8, 134, 56, 16), Qt::AlignCenter);
    addLabel(this, QStringLiteral("Debt"), QRect(70, 134, 56, 16), Qt::AlignCenter);
    m_edtHousingRatio =
        addNumber(this, QStringLiteral("edtHousingRatio"), QRect(8, 152, 56, FieldHeight), 0, 28);
    m_edtDebtRatio =
        addNumber(this, QStringLiteral("edtDebtRatio"), QRect(70, 152, 56, FieldHeight), 0, 36);

    addLabel(this, QStringLiteral("Cash You have Available for Down Payment"),
             QRect(176, 116, 150, 34), Qt::AlignLeft | Qt::AlignBottom);
    m_edtMQDownPayment = addMoney(this, QStringLiteral("edtMQDownPayment"),
                                  QRect(176, 152, 120, FieldHeight), 20000);

    addHeading(this, QStringLiteral("Your Ratios"), QRect(440, 116, 130, 18));
    addLabel(this, QStringLiteral("Housing"), QRect(440, 134, 56, 16), Qt::AlignCenter);
    addLabel(this, QStringLiteral("Debt"), QRect(502, 134, 56, 16), Qt::AlignCenter);
}

void MqPage::buildScenarios()
{
    struct Column
    {
        const char16_t *heading;
        int x, width;
    };
    static constexpr Column columns[] = {
        {u"Interest Rate", 40, 72},           {u"Term (Years)", 118, 64},
        {u"Monthly Payment (P&I)", 188, 120}, {u"Loan Amount", 314, 128},
        {u"Purchase Price", 448, 128},
    };
    for (const Column &c : columns)
        addLabel(this, QString::fromUtf16(c.heading), QRect(c.x, 186, c.width, 32),
                 Qt::AlignHCenter | Qt::AlignBottom);

    static constexpr int StartTerms[ScenarioCount] = {30, 20, 15};
    for (int k = 0; k < ScenarioCount; ++k) {
        const QString n = QString::number(k + 1);
        const int y = 220 + k * 24;
        addLabel(this, n + u'.', QRect(8, y, 28, FieldHeight), Qt::AlignRight | Qt::AlignVCenter);
        const auto at = [&](const Column &c) { return QRect(c.x, y, c.width, FieldHeight); };
        m_edtMQir[k] = addNumber(this, u"edtMQir" + n, at(columns[0]), 3, 7);
        m_edtMQTerm[k] = addNumber(this, u"edtMQTerm" + n, at(columns[1]), 0, StartTerms[k]);
        m_edtMQPayment[k] = addMoneyResult(this, u"edtMQPayment" + n, at(columns[2]));
        m_edtMQLoan[k] = addMoneyResult(this, u"edtMQLoan" + n, at(columns[3]));
        m_edtMQPurchasePrice[k] = addMoneyResult(this, u"edtMQPurchasePrice" + n, at(columns[4]));
    }

    // Created last so that they do not sit in the middle of the tab chain;
    // result fields are no tab stops anyway.
    m_edtCalculatedHousingRatio = addNumber(this, QStringLiteral("edtCalculatedHousingRatio"),
                                            QRect(440, 152, 56, FieldHeight), 0, 28);
    m_edtCalculatedHousingRatio->setResultField(true);
    m_edtCalculatedDebtRatio = addNumber(this, QStringLiteral("edtCalculatedDebtRatio"),
                                         QRect(502, 152, 56, FieldHeight), 0, 36);
    m_edtCalculatedDebtRatio->setResultField(true);
}

void MqPage::bindHandlers()
{
    QList<NumberField *> fields;
    for (int row = 0; row < 2; ++row)
        fields << m_edtIncome[row] << m_edtOIncome[row] << m_edtCards[row] << m_edtAuto[row]
               << m_edtNotes[row];
    fields << m_edtHousingRatio << m_edtDebtRatio << m_edtMQDownPayment;
    for (int k = 0; k < ScenarioCount; ++k)
        fields << m_edtMQir[k] << m_edtMQTerm[k] << m_edtMQPayment[k] << m_edtMQLoan[k]
               << m_edtMQPurchasePrice[k];
    fields << m_edtCalculatedHousingRatio << m_edtCalculatedDebtRatio;
    calculateOnLeave(fields, [this] {
        if (!m_resetting)
            CalcMQ();
    });

    connectGuarded(m_edtMQir[0], &QLineEdit::textChanged, this, [this] { edtMQir1Change(); });
}

void MqPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    const BuyerValues &values = host().buyerValues();
    m_edtHousingRatio->setValue(values.HRatio);
    m_edtDebtRatio->setValue(values.DRatio);
    m_edtIncome[0]->setFocus();
}

void MqPage::CalcMQ()
{
    host().setResetEnabled(true);
    host().AllowPrinting();

    QualifierInputs in;
    in.housingRatio = m_edtHousingRatio->value();
    in.debtRatio = m_edtDebtRatio->value();
    BuyerValues &values = host().buyerValues();
    values.HRatio = in.housingRatio;
    values.DRatio = in.debtRatio;
    for (int row = 0; row < 2; ++row)
        in.borrowers[row] = {m_edtIncome[row]->value(), m_edtOIncome[row]->value(),
                             m_edtCards[row]->value(), m_edtAuto[row]->value(),
                             m_edtNotes[row]->value()};
    const QualifyingPayment qualifying = QualifyPayment(in);

    // Each scenario shows as soon as it is worked out: one that fails stops
    // here, and those above it keep their new figures.
    double payment = qualifying.payment;
    for (int k = 0; k < ScenarioCount; ++k) {
        const double rate = m_edtMQir[k]->value();
        const std::int32_t years = m_edtMQTerm[k]->asInteger();
        const QualifierScenario scenario =
            QualifyScenario(payment, rate, years, m_edtMQDownPayment->value());
        m_edtMQPayment[k]->setValue(scenario.payment);
        m_edtMQLoan[k]->setValue(scenario.loan);
        m_edtMQPurchasePrice[k]->setValue(scenario.purchasePrice);
        payment = scenario.payment;
    }

    const QualifierRatios ratios = ActualRatios(payment, qualifying.debts, qualifying.income);
    m_edtCalculatedHousingRatio->setValue(ratios.housing);
    m_edtCalculatedDebtRatio->setValue(ratios.debt);
}

void MqPage::edtMQir1Change()
{
    double rate = 0;
    try {
        rate = m_edtMQir[0]->value();
    } catch (const ConvertError &) {
        // A text caught half-typed ("", "-") is no rate yet: the followers
        // wait for a number, and leaving the field reports a text that
        // stays unusable.
        return;
    }
    m_edtMQir[1]->setValue(rate - 0.25);
    m_edtMQir[2]->setValue(rate - 0.5);
}

void MqPage::Reset()
{
    const QScopedValueRollback resetting(m_resetting, true);
    static constexpr double Income[2] = {4000, 0};
    static constexpr double OtherIncome[2] = {1000, 0};
    static constexpr double Cards[2] = {350, 0};
    static constexpr double AutoLoans[2] = {450, 0};
    static constexpr double Notes[2] = {50, 0};
    for (int row = 0; row < 2; ++row) {
        m_edtIncome[row]->setValue(Income[row]);
        m_edtOIncome[row]->setValue(OtherIncome[row]);
        m_edtCards[row]->setValue(Cards[row]);
        m_edtAuto[row]->setValue(AutoLoans[row]);
        m_edtNotes[row]->setValue(Notes[row]);
    }
    m_edtMQDownPayment->setValue(20000);
    m_edtHousingRatio->setValue(28);
    m_edtDebtRatio->setValue(40);
    // Rate 1 first: when its text changes the followers move (rate 3 to
    // 6.5), and rate 2 is then put back to 7 explicitly.
    m_edtMQir[0]->setValue(7);
    m_edtMQir[1]->setValue(7);
    m_edtMQTerm[0]->setValue(30);
    m_edtMQTerm[1]->setValue(15);
    for (int k = 0; k < 2; ++k) {
        m_edtMQPayment[k]->setValue(0);
        m_edtMQLoan[k]->setValue(0);
        m_edtMQPurchasePrice[k]->setValue(0);
    }
    m_edtIncome[0]->setFocus();
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<MqPage>> MqPage::fields()
{
    using P = MqPage;
    static constexpr PageField<P> table[] = {
        {"Income1", item<&P::m_edtIncome, 0>, FieldKind::Number},
        {"Income2", item<&P::m_edtIncome, 1>, FieldKind::Number},
        {"OtherIncome1", item<&P::m_edtOIncome, 0>, FieldKind::Number},
        {"OtherIncome2", item<&P::m_edtOIncome, 1>, FieldKind::Number},
        {"Cards1", item<&P::m_edtCards, 0>, FieldKind::Number},
        {"Cards2", item<&P::m_edtCards, 1>, FieldKind::Number},
        {"Auto1", item<&P::m_edtAuto, 0>, FieldKind::Number},
        {"Auto2", item<&P::m_edtAuto, 1>, FieldKind::Number},
        {"Notes1", item<&P::m_edtNotes, 0>, FieldKind::Number},
        {"Notes2", item<&P::m_edtNotes, 1>, FieldKind::Number},
        {"HousingRatio", at<&P::m_edtHousingRatio>, FieldKind::Number},
        {"DebtRatio", at<&P::m_edtDebtRatio>, FieldKind::Number},
        {"DownPayment", at<&P::m_edtMQDownPayment>, FieldKind::Number},
        {"Rate1", item<&P::m_edtMQir, 0>, FieldKind::Number},
        {"Rate2", item<&P::m_edtMQir, 1>, FieldKind::Number},
        {"Rate3", item<&P::m_edtMQir, 2>, FieldKind::Number},
        {"Term1", item<&P::m_edtMQTerm, 0>, FieldKind::Number},
        {"Term2", item<&P::m_edtMQTerm, 1>, FieldKind::Number},
        {"Term3", item<&P::m_edtMQTerm, 2>, FieldKind::Number},
    };
    return table;
}

void MqPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void MqPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn

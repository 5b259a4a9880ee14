#pragma once

// The "MQ" page: the largest monthly payment that the incomes, debts and
// qualifying ratios of a borrower and a co-borrower allow, and the loan and
// purchase price that payment buys at three rate and term scenarios. Its two
// ratio fields double as the suite's stored qualifying ratios: every
// calculation copies them into the buyer defaults.

#include "calculators/CalculatorPage.h"

#include <array>
#include <span>

namespace clvn {

class TFnpNumericEdit;
class TNumEdit;

class MqPage : public CalculatorPage
{
    Q_OBJECT

public:
    explicit MqPage(CalculatorHost &host, QWidget *parent = nullptr);

    void enter() override;
    void Reset() override;
    void saveState(PageState &state) const override;
    void restoreState(const PageState &state) override;

    // Recomputes the payment, the three scenarios and the actual ratios.
    // Throws ConvertError for a ratio, rate or term text that is not a number
    // and FloatError for a rate of 0; each scenario is written whole once
    // worked out, so scenarios before the failing one keep their new figures.
    void CalcMQ();
    // Rates 2 and 3 follow rate 1 a quarter and a half point lower.
    void edtMQir1Change();

    static constexpr int ScenarioCount = 3;

private:
    // The inputs the page keeps, in the order they are restored.
    static std::span<const PageField<MqPage>> fields();
    void buildIncomeRows();
    void buildRatios();
    void buildScenarios();
    void bindHandlers();

    // Reset moves the focus but must not recalculate on the field it leaves.
    bool m_resetting = false;

    // Borrower is row 0, co-borrower row 1.
    std::array<TNumEdit *, 2> m_edtIncome{};
    std::array<TNumEdit *, 2> m_edtOIncome{};
    std::array<TNumEdit *, 2> m_edtCards{};
    std::array<TNumEdit *, 2> m_edtAuto{};
    std::array<TNumEdit *, 2> m_edtNotes{};

    TFnpNumericEdit *m_edtHousingRatio = nullptr;
    TFnpNumericEdit *m_edtDebtRatio = nullptr;
    TNumEdit *m_edtMQDownPayment = nullptr;
    TFnpNumericEdit *m_edtCalculatedHousingRatio = nullptr;
    TFnpNumericEdit *m_edtCalculatedDebtRatio = nullptr;

    std::array<TFnpNumericEdit *, ScenarioCount> m_edtMQir{};
    std::array<TFnpNumericEdit *, ScenarioCount> m_edtMQTerm{};
    std::array<TNumEdit *, ScenarioCount> m_edtMQPayment{};
    std::array<TNumEdit *, ScenarioCount> m_edtMQLoan{};
    std::array<TNumEdit *, ScenarioCount> m_edtMQPurchasePrice{};
};

} // namespace clvn

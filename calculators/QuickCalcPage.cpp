#include "calculators/QuickCalcPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "finance/QuickSolve.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace clvn {

const QString QuickCalcPage::FailureMessage =
    QStringLiteral("Cannot calculate using the values you entered.  Please try again.");

namespace {

constexpr int PageWidth = 587;
constexpr int PageHeight = 380;
constexpr char LookProperty[] = "clvnLook";

QLabel *makeStepLabel(QWidget *parent, const QString &name, const QString &text,
                      const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

} // namespace

QuickCalcPage::QuickCalcPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("QC"), parent)
{
    setFixedSize(PageWidth, PageHeight);

    constexpr int buttonX = 30;
    constexpr int buttonW = 125;
    constexpr int fieldX = 165;
    constexpr int fieldW = 120;
    constexpr int top = 120;
    constexpr int step = 40;

    makeStepLabel(this, QStringLiteral("lblStep1"),
                  QStringLiteral("STEP 1  Click The Variable You Wish to Calculate"),
                  QRect(buttonX, top - 30, 300, 16));
    makeStepLabel(
        this, QStringLiteral("lblStep2"),
        QStringLiteral(
            "STEP 2   Enter the 3 required values, use the Tab key to move between fields."),
        QRect(320, top + 2, 240, 44));
    makeStepLabel(this, QStringLiteral("lblStep3"), QStringLiteral("STEP 3   Click 'Calculate'"),
                  QRect(320, top + 2 * step + 2, 240, 16));

    m_btnCalcLA = addButton(this, QStringLiteral("btnCalcLA"), QStringLiteral("&Loan Amount"),
                            QStringLiteral("Click to calculate loan amount"),
                            QRect(buttonX, top, buttonW, 25));
    m_btnCalcIR = addButton(this, QStringLiteral("btnCalcIR"), QStringLiteral("Interest &Rate "),
                            QStringLiteral("Click to calculate interest rate"),
                            QRect(buttonX, top + step, buttonW, 25));
    m_btnCalcPMT = addButton(this, QStringLiteral("btnCalcPMT"), QStringLiteral("Pa&yment Amount"),
                             QStringLiteral("Click to calculate payment amount"),
                             QRect(buttonX, top + 2 * step, buttonW, 25));
    m_btnCalcN = addButton(this, QStringLiteral("btnCalcN"), QStringLiteral("&Number Payments"),
                           QStringLiteral("Click to calculate number of payments"),
                           QRect(buttonX, top + 3 * step, buttonW, 25));
    m_btnCalcQuickCalc =
        addButton(this, QStringLiteral("BtnCalcQuickCalc"), QStringLiteral("Calculate"),
                  QStringLiteral("Click to calculate."), QRect(320, top + 2 * step + 24, 100, 27));
    m_btnCalcQuickCalc->setEnabled(false);

    m_edtLA = new TNumEdit(this);
    m_edtLA->setObjectName(QStringLiteral("edtLA"));
    m_edtLA->setGeometry(fieldX, top + 2, fieldW, 21);
    m_edtIR = new TFnpNumericEdit(this);
    m_edtIR->setObjectName(QStringLiteral("EdtIR"));
    m_edtIR->setDecimals(3);
    m_edtIR->setGeometry(fieldX, top + step + 2, fieldW, 21);
    m_edtPMT = new TNumEdit(this);
    m_edtPMT->setObjectName(QStringLiteral("edtPMT"));
    m_edtPMT->setGeometry(fieldX, top + 2 * step + 2, fieldW, 21);
    m_edtN = new TFnpNumericEdit(this);
    m_edtN->setObjectName(QStringLiteral("EdtN"));
    m_edtN->setDecimals(0);
    m_edtN->setGeometry(fieldX, top + 3 * step + 2, fieldW, 21);

    m_edtLA->setValue(0);
    m_edtIR->setValue(0);
    m_edtPMT->setValue(0);
    m_edtN->setValue(0);
    for (NumberField *field :
         {static_cast<NumberField *>(m_edtLA), static_cast<NumberField *>(m_edtIR),
          static_cast<NumberField *>(m_edtPMT), static_cast<NumberField *>(m_edtN)})
        setLook(field, Look::Input);

    // The Tab key walks the four figures, then Calculate.
    setTabOrder(m_edtLA, m_edtIR);
    setTabOrder(m_edtIR, m_edtPMT);
    setTabOrder(m_edtPMT, m_edtN);
    setTabOrder(m_edtN, m_btnCalcQuickCalc);
    setTabOrder(m_btnCalcQuickCalc, m_btnCalcLA);
    setTabOrder(m_btnCalcLA, m_btnCalcIR);
    setTabOrder(m_btnCalcIR, m_btnCalcPMT);
    setTabOrder(m_btnCalcPMT, m_btnCalcN);

    connectGuarded(m_btnCalcLA, &QPushButton::clicked, this, [this] { BtnCalcLAClick(); });
    connectGuarded(m_btnCalcIR, &QPushButton::clicked, this, [this] { BtnCalcIRClick(); });
    connectGuarded(m_btnCalcPMT, &QPushButton::clicked, this, [this] { BtnCalcPMTClick(); });
    connectGuarded(m_btnCalcN, &QPushButton::clicked, this, [this] { BtnCalcNClick(); });
    connectGuarded(m_btnCalcQuickCalc, &QPushButton::clicked, this,
                   [this] { BtnCalcQuickCalcClick(); });
    setDefaultButton(m_btnCalcQuickCalc);
}

void QuickCalcPage::enter()
{
    host().DisallowPrinting();
    setFocus();
}

void QuickCalcPage::Reset()
{
    clearAfterFailure();
    m_btnCalcLA->setFocus();
}

void QuickCalcPage::BtnCalcLAClick()
{
    choose(Unknown::LoanAmount);
}

void QuickCalcPage::BtnCalcIRClick()
{
    choose(Unknown::InterestRate);
}

void QuickCalcPage::BtnCalcPMTClick()
{
    choose(Unknown::Payment);
}

void QuickCalcPage::BtnCalcNClick()
{
    choose(Unknown::NumPayments);
}

NumberField *QuickCalcPage::fieldFor(Unknown unknown) const
{
    switch (unknown) {
    case Unknown::LoanAmount:
        return m_edtLA;
    case Unknown::InterestRate:
        return m_edtIR;
    case Unknown::Payment:
        return m_edtPMT;
    case Unknown::NumPayments:
        return m_edtN;
    case Unknown::None:
        break;
    }
    return nullptr;
}

void QuickCalcPage::choose(Unknown unknown)
{
    m_unknown = unknown;
    m_btnCalcQuickCalc->setEnabled(true);
    // Every choice clears all four figures; the known ones are typed afresh.
    m_edtLA->setValue(0);
    m_edtIR->setValue(0);
    m_edtPMT->setValue(0);
    m_edtN->setValue(1);
    for (Unknown u :
         {Unknown::LoanAmount, Unknown::InterestRate, Unknown::Payment, Unknown::NumPayments})
        setLook(fieldFor(u), u == unknown ? Look::Unknown : Look::Input);
    if (unknown == Unknown::LoanAmount)
        m_edtIR->setFocus();
    else
        m_edtLA->setFocus();
}

void QuickCalcPage::BtnCalcQuickCalcClick()
{
    // The page answers every failure of its own calculation itself: nothing
    // of it reaches the application-wide handler.
    try {
        calculate();
    } catch (...) {
        clearAfterFailure();
        showInfo(host().dialogParent(), FailureMessage);
    }
}

void QuickCalcPage::calculate()
{
    QuickUnknown unknown{};
    switch (m_unknown) {
    case Unknown::None:
        return;
    case Unknown::LoanAmount:
        unknown = QuickUnknown::LoanAmount;
        break;
    case Unknown::InterestRate:
        unknown = QuickUnknown::InterestRate;
        break;
    case Unknown::Payment:
        unknown = QuickUnknown::Payment;
        break;
    case Unknown::NumPayments:
        unknown = QuickUnknown::NumPayments;
        break;
    }
    // The three known figures; the unknown's field holds no figure of the user's.
    QuickFigures known;
    if (m_unknown != Unknown::LoanAmount)
        known.loanAmount = m_edtLA->value();
    if (m_unknown != Unknown::InterestRate)
        known.rate = m_edtIR->value();
    if (m_unknown != Unknown::Payment)
        known.payment = m_edtPMT->value();
    if (m_unknown != Unknown::NumPayments)
        known.numPayments = m_edtN->value();
    const double solved = SolveQuick(unknown, known);

    NumberField *result = fieldFor(m_unknown);
    result->setValue(solved);
    setLook(result, Look::Result);
}

void QuickCalcPage::clearAfterFailure()
{
    for (NumberField *field :
         {static_cast<NumberField *>(m_edtLA), static_cast<NumberField *>(m_edtIR),
          static_cast<NumberField *>(m_edtPMT), static_cast<NumberField *>(m_edtN)})
        setLook(field, Look::Input);
    m_edtLA->setValue(0);
    m_edtIR->setValue(0);
    m_edtPMT->setValue(0);
    m_edtN->setValue(1);
    m_btnCalcQuickCalc->setEnabled(false);
}

void QuickCalcPage::setLook(NumberField *field, Look look)
{
    field->setResultField(look == Look::Result);
    field->setEnabled(look != Look::Unknown);
    if (look == Look::Unknown) {
        // Waiting for its figure: the window colour behind grey text.
        QPalette palette = field->palette();
        palette.setColor(QPalette::Disabled, QPalette::Base,
                         palette.color(QPalette::Active, QPalette::Base));
        palette.setColor(QPalette::Disabled, QPalette::Text,
                         palette.color(QPalette::Disabled, QPalette::WindowText));
        field->setPalette(palette);
    }
    field->setProperty(LookProperty, int(look));
}

QuickCalcPage::Look QuickCalcPage::look(const QLineEdit *field) const
{
    return static_cast<Look>(field->property(LookProperty).toInt());
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<QuickCalcPage>> QuickCalcPage::fields()
{
    using P = QuickCalcPage;
    static constexpr PageField<P> table[] = {
        {"Loan", at<&P::m_edtLA>, FieldKind::Number},
        {"Interest", at<&P::m_edtIR>, FieldKind::Number},
        {"Payment", at<&P::m_edtPMT>, FieldKind::Number},
        {"Term", at<&P::m_edtN>, FieldKind::Number},
    };
    return table;
}

void QuickCalcPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void QuickCalcPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn

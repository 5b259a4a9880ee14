#include "calculators/EccEscrowPanel.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/EccPanelHost.h"
#include "calculators/StateFields.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QPushButton>

namespace clvn {

EccEscrowPanel::EccEscrowPanel(EccPanelHost &page, QWidget *parent)
    : EccPanel(page, QStringLiteral("pnlEscrow"), QRect(96, 70, 400, 236), parent)
{
    addHeading(this, QStringLiteral("Estimated Prepaids & Reserves"), QRect(8, 6, 384, 20),
               Qt::AlignCenter);

    int y = 34;
    const auto row = [&](const QString &amount, const QString &count, const QString &caption,
                         TNumEdit *&amountEdit, TFnpNumericEdit *&countEdit) {
        addLabel(this, caption, QRect(12, y, 226, FieldHeight));
        amountEdit = addMoneyResult(this, amount, QRect(240, y, 100, FieldHeight));
        countEdit = addNumber(this, count, QRect(346, y, 42, FieldHeight), 0, 0);
        countEdit->setAlignment(Qt::AlignCenter);
        y += 24;
    };
    row(QStringLiteral("edtII"), QStringLiteral("edtIIDays"),
        QStringLiteral("Prepaid Interest / Days"), m_edtII, m_edtIIDays);
    row(QStringLiteral("edtPTI"), QStringLiteral("edtPTIMonths"),
        QStringLiteral("Real Estate Taxes / Months"), m_edtPTI, m_edtPTIMonths);
    row(QStringLiteral("edtHOIP"), QStringLiteral("edtHOIPMonths"),
        QStringLiteral("Homeowner's Insurance (First Year) / Months"), m_edtHOIP, m_edtHOIPMonths);
    row(QStringLiteral("edtHOII"), QStringLiteral("edtHOIIMonths"),
        QStringLiteral("Homeowner's Insurance (Renewal) / Months"), m_edtHOII, m_edtHOIIMonths);
    row(QStringLiteral("edtPMII"), QStringLiteral("edtPMIIMonths"), QStringLiteral("PMI"),
        m_edtPMII, m_edtPMIIMonths);
    m_edtPMIIMonths->setValue(1);
    m_edtPMIIMonths->hide();

    addLabel(this, QStringLiteral("PMI Premium Rate"), QRect(12, y + 6, 226, FieldHeight));
    m_edtPMIPercent =
        addNumber(this, QStringLiteral("edtPMIPercent"), QRect(240, y + 6, 100, FieldHeight), 4, 0);
    m_edtPMIPercent->setResultField(true);

    m_btnClosePnlEscrow = addButton(this, QStringLiteral("btnClosePnlEscrow"), QStringLiteral("OK"),
                                    QStringLiteral("Click to close Estimated Prepaids & Reserves"),
                                    QRect(160, y + 40, 80, 26));
    connectGuarded(m_btnClosePnlEscrow, &QPushButton::clicked, this,
                   [this] { BtnClosePnlEscrowClick(); });
    watchOkButton(m_btnClosePnlEscrow);
}

EscrowCounts EccEscrowPanel::counts(const PurchaseEstimate &purchase) const
{
    const bool insurance = purchase.monthlyInsurance > 0;
    EscrowCounts n;
    n.pmiMonths = m_edtPMIIMonths->asInteger();
    n.insuranceFirstYearMonths = insurance ? m_edtHOIPMonths->asInteger() : 0;
    n.interestDays = m_edtIIDays->asInteger();
    n.insuranceRenewalMonths = insurance ? m_edtHOIIMonths->asInteger() : 0;
    n.taxMonths = purchase.monthlyTax > 0 ? m_edtPTIMonths->asInteger() : 0;
    return n;
}

void EccEscrowPanel::showFigures(const EscrowAmounts &amounts, double premium)
{
    m_edtPMII->setValue(amounts.pmi);
    m_edtHOIP->setValue(amounts.insuranceFirstYear);
    m_edtII->setValue(amounts.interimInterest);
    m_edtHOII->setValue(amounts.insuranceRenewal);
    m_edtPTI->setValue(amounts.taxes);
    m_edtPMIPercent->setValue(premium);
}

void EccEscrowPanel::startFrom(const BuyerValues &values)
{
    m_edtIIDays->setValue(values.InterimInterestDays);
    m_edtPTIMonths->setValue(values.PropertyTaxMonths);
    m_edtHOIPMonths->setValue(values.HomeownersFirstYear);
    m_edtHOIIMonths->setValue(values.HomeownersRenewalMonths);
}

void EccEscrowPanel::reset()
{
    m_edtIIDays->setValue(30);
    m_edtPTIMonths->setValue(3);
    m_edtHOIPMonths->setValue(12);
    m_edtHOIIMonths->setValue(2);
    m_edtPMIIMonths->setValue(2);
    for (TNumEdit *amount : {m_edtII, m_edtPTI, m_edtHOIP, m_edtHOII, m_edtPMII})
        amount->setValue(0);
    m_edtPMIPercent->setValue(0);
}

void EccEscrowPanel::open()
{
    page().setPanelKeysEnabled(false);
    show();
    raise();
    m_edtIIDays->setFocus();
}

void EccEscrowPanel::BtnClosePnlEscrowClick()
{
    EscrowAmounts shown;
    shown.interimInterest = m_edtII->value();
    shown.taxes = m_edtPTI->value();
    shown.insuranceFirstYear = m_edtHOIP->value();
    shown.insuranceRenewal = m_edtHOII->value();
    shown.pmi = m_edtPMII->value();
    const double total = EscrowPanelTotal(shown);
    CalculatorHost &host = page().calculatorHost();
    BuyerValues &values = host.buyerValues();
    values.InterimInterestDays = m_edtIIDays->value();
    values.PropertyTaxMonths = m_edtPTIMonths->value();
    values.HomeownersFirstYear = m_edtHOIPMonths->value();
    values.HomeownersRenewalMonths = m_edtHOIIMonths->value();
    page().setPanelKeysEnabled(true);
    host.setResetEnabled(true);
    hide();
    page().showEscrowTotal(total);
    host.settingsFile().saveEscrows(values);
}

void EccEscrowPanel::btnClosePnlEscrowExit()
{
    // Only a focus that left the open panel is brought back; a click into
    // one of its own fields stays where the user put it.
    if (isVisible() && !isAncestorOf(QApplication::focusWidget()))
        m_edtIIDays->setFocus(Qt::TabFocusReason);
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<EccEscrowPanel>> EccEscrowPanel::fields()
{
    using P = EccEscrowPanel;
    static constexpr PageField<P> table[] = {
        {"InterimInterestDays", at<&P::m_edtIIDays>, FieldKind::Number},
        {"PropertyTaxMonths", at<&P::m_edtPTIMonths>, FieldKind::Number},
        {"HomeownersFirstYear", at<&P::m_edtHOIPMonths>, FieldKind::Number},
        {"HomeownersRenewalMonths", at<&P::m_edtHOIIMonths>, FieldKind::Number},
        {"PmiMonths", at<&P::m_edtPMIIMonths>, FieldKind::Number},
    };
    return table;
}

void EccEscrowPanel::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void EccEscrowPanel::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn

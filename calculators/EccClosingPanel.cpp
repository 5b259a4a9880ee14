#include "calculators/EccClosingPanel.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/EccPanelHost.h"
#include "calculators/StateFields.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QPushButton>

namespace clvn {

EccClosingPanel::EccClosingPanel(EccPanelHost &page, QWidget *parent)
    : EccPanel(page, QStringLiteral("pnlClosing"), QRect(144, 2, 300, 376), parent)
{
    addHeading(this, QStringLiteral("Estimated Closing Costs"), QRect(8, 6, 284, 20),
               Qt::AlignCenter);

    int y = 32;
    const auto row = [&](const QString &name, const QString &caption, bool computed) {
        addLabel(this, caption, QRect(12, y, 160, FieldHeight));
        TNumEdit *edit = computed ? addMoneyResult(this, name, QRect(176, y, 110, FieldHeight))
                                  : addMoney(this, name, QRect(176, y, 110, FieldHeight), 0);
        y += 23;
        return edit;
    };
    m_edtOriginationFee =
        row(QStringLiteral("edtOriginationFee"), QStringLiteral("Loan Origination Fee"), true);
    m_edtLOF = row(QStringLiteral("edtLOF"), QStringLiteral("Discount Points"), true);
    m_edtAF = row(QStringLiteral("edtAF"), QStringLiteral("Appraisal Fee"), false);
    m_edtCR = row(QStringLiteral("edtCR"), QStringLiteral("Credit Report"), false);
    m_edtTSF = row(QStringLiteral("edtTSF"), QStringLiteral("Tax-related Service Fee"), false);
    m_edtLPF = row(QStringLiteral("edtLPF"), QStringLiteral("Lender's Inspection Fee"), false);
    m_edtTIF = row(QStringLiteral("edtTIF"), QStringLiteral("Title Insurance"), false);
    m_edtTS = row(QStringLiteral("edtTS"), QStringLiteral("Title Search"), false);
    m_edtSTT = row(QStringLiteral("edtSTT"), QStringLiteral("Escrow Closing Fee"), false);
    m_edtRF = row(QStringLiteral("edtRF"), QStringLiteral("Recording Fee"), false);
    m_edtClosingPMI = row(QStringLiteral("edtClosingPMI"), QStringLiteral("PMI"), true);
    m_edtOF = row(QStringLiteral("edtOF"), QStringLiteral("Other Fees"), false);
    m_edtSellerPaid =
        row(QStringLiteral("edtSellerPaid"), QStringLiteral("Seller Paid Costs"), false);

    m_btnClosePnlClosing = addButton(
        this, QStringLiteral("btnClosePnlClosing"), QStringLiteral("OK"),
        QStringLiteral("Click to close Estimated Closing Costs"), QRect(110, y + 10, 80, 26));
    connectGuarded(m_btnClosePnlClosing, &QPushButton::clicked, this,
                   [this] { BtnClosePnlClosingClick(); });
    watchOkButton(m_btnClosePnlClosing);
}

ClosingFees EccClosingPanel::fees() const
{
    ClosingFees fees;
    fees.creditReport = m_edtCR->value();
    fees.appraisal = m_edtAF->value();
    fees.taxService = m_edtTSF->value();
    fees.lendersInspection = m_edtLPF->value();
    fees.escrowClosing = m_edtSTT->value();
    fees.titleSearch = m_edtTS->value();
    fees.titleInsurance = m_edtTIF->value();
    fees.recording = m_edtRF->value();
    fees.other = m_edtOF->value();
    return fees;
}

double EccClosingPanel::sellerPaid() const
{
    return m_edtSellerPaid->value();
}

void EccClosingPanel::showFigures(double originationFee, double discountFee, double monthlyPmi)
{
    m_edtClosingPMI->setValue(monthlyPmi);
    m_edtOriginationFee->setValue(originationFee);
    m_edtLOF->setValue(discountFee);
}

void EccClosingPanel::showFees(const BuyerValues &values)
{
    m_edtAF->setValue(values.AppraisalFee);
    m_edtCR->setValue(values.CreditReport);
    m_edtTSF->setValue(values.TaxServiceFee);
    m_edtLPF->setValue(values.LendersInspectionFee);
    m_edtTIF->setValue(values.TitleInsurance);
    m_edtTS->setValue(values.TitleSearch);
    m_edtSTT->setValue(values.EscrowClosingFee);
    m_edtRF->setValue(values.RecordingFee);
    m_edtOF->setValue(values.OtherFees);
    m_edtSellerPaid->setValue(values.SellerPaid);
}

void EccClosingPanel::startFrom(const BuyerValues &values)
{
    showFees(values);
}

void EccClosingPanel::reset()
{
    m_edtAF->setValue(275);
    m_edtCR->setValue(47);
    m_edtTSF->setValue(275);
    m_edtLPF->setValue(525);
    m_edtTIF->setValue(0);
    m_edtTS->setValue(55);
    m_edtSTT->setValue(0);
    m_edtRF->setValue(125);
    m_edtOF->setValue(25);
    m_edtLOF->setValue(0);
}

void EccClosingPanel::open()
{
    page().setPanelKeysEnabled(false);
    show();
    raise();
    CalculatorHost &host = page().calculatorHost();
    SettingsFile &file = host.settingsFile();
    BuyerValues &values = host.buyerValues();
    const LoadReport report = file.loadClosingFees(values);
    showFees(values);
    m_edtAF->setFocus();
    if (!report.ok())
        showInfo(host.dialogParent(), ignoredKeysMessage(file.path(), report.ignoredKeys));
}

void EccClosingPanel::BtnClosePnlClosingClick()
{
    const ClosingFees typed = fees();
    const double total = ClosingCostTotal(m_edtLOF->value(), m_edtOriginationFee->value(), typed,
                                          m_edtClosingPMI->value());
    CalculatorHost &host = page().calculatorHost();
    BuyerValues &values = host.buyerValues();
    values.AppraisalFee = typed.appraisal;
    values.CreditReport = typed.creditReport;
    values.TaxServiceFee = typed.taxService;
    values.LendersInspectionFee = typed.lendersInspection;
    values.TitleInsurance = typed.titleInsurance;
    values.TitleSearch = typed.titleSearch;
    values.EscrowClosingFee = typed.escrowClosing;
    values.RecordingFee = typed.recording;
    values.OtherFees = typed.other;
    values.SellerPaid = m_edtSellerPaid->value();
    page().setPanelKeysEnabled(true);
    host.setResetEnabled(true);
    hide();
    page().showClosingCostTotal(total);
    // The file is written last: a refused write is reported, yet the panel
    // closes and the fees stay in force (the exit save tries again).
    host.settingsFile().saveClosingFees(values);
}

void EccClosingPanel::btnClosePnlClosingExit()
{
    // Only a focus that left the open panel is brought back; a click into
    // one of its own fields stays where the user put it.
    if (isVisible() && !isAncestorOf(QApplication::focusWidget()))
        m_edtAF->setFocus(Qt::TabFocusReason);
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<EccClosingPanel>> EccClosingPanel::fields()
{
    using P = EccClosingPanel;
    static constexpr PageField<P> table[] = {
        {"AppraisalFee", at<&P::m_edtAF>, FieldKind::Number},
        {"CreditReport", at<&P::m_edtCR>, FieldKind::Number},
        {"TaxServiceFee", at<&P::m_edtTSF>, FieldKind::Number},
        {"LendersInspectionFee", at<&P::m_edtLPF>, FieldKind::Number},
        {"TitleInsurance", at<&P::m_edtTIF>, FieldKind::Number},
        {"TitleSearch", at<&P::m_edtTS>, FieldKind::Number},
        {"EscrowClosingFee", at<&P::m_edtSTT>, FieldKind::Number},
        {"RecordingFee", at<&P::m_edtRF>, FieldKind::Number},
        {"OtherFees", at<&P::m_edtOF>, FieldKind::Number},
        {"SellerPaid", at<&P::m_edtSellerPaid>, FieldKind::Number},
    };
    return table;
}

void EccClosingPanel::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void EccClosingPanel::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn

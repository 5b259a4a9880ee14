#include "reports/ReportFields.h"

#include <algorithm>
#include <array>

namespace clvn::report {

namespace {

constexpr std::array kFields = std::to_array<ReadField>({
    // MQ
    {u"MQ", u"edtAuto1", FieldKind::Money},
    {u"MQ", u"edtAuto2", FieldKind::Money},
    {u"MQ", u"edtCalculatedDebtRatio", FieldKind::Number},
    {u"MQ", u"edtCalculatedHousingRatio", FieldKind::Number},
    {u"MQ", u"edtCards1", FieldKind::Money},
    {u"MQ", u"edtCards2", FieldKind::Money},
    {u"MQ", u"edtDebtRatio", FieldKind::Number},
    {u"MQ", u"edtHousingRatio", FieldKind::Number},
    {u"MQ", u"edtIncome1", FieldKind::Money},
    {u"MQ", u"edtIncome2", FieldKind::Money},
    {u"MQ", u"edtMQDownPayment", FieldKind::Money},
    {u"MQ", u"edtMQir1", FieldKind::Number},
    {u"MQ", u"edtMQir2", FieldKind::Number},
    {u"MQ", u"edtMQir3", FieldKind::Number},
    {u"MQ", u"edtMQLoan1", FieldKind::Money},
    {u"MQ", u"edtMQLoan2", FieldKind::Money},
    {u"MQ", u"edtMQLoan3", FieldKind::Money},
    {u"MQ", u"edtMQPayment1", FieldKind::Money},
    {u"MQ", u"edtMQPayment2", FieldKind::Money},
    {u"MQ", u"edtMQPayment3", FieldKind::Money},
    {u"MQ", u"edtMQPurchasePrice1", FieldKind::Money},
    {u"MQ", u"edtMQPurchasePrice2", FieldKind::Money},
    {u"MQ", u"edtMQPurchasePrice3", FieldKind::Money},
    {u"MQ", u"edtMQTerm1", FieldKind::Number},
    {u"MQ", u"edtMQTerm2", FieldKind::Number},
    {u"MQ", u"edtMQTerm3", FieldKind::Number},
    {u"MQ", u"edtNotes1", FieldKind::Money},
    {u"MQ", u"edtNotes2", FieldKind::Money},
    {u"MQ", u"edtOIncome1", FieldKind::Money},
    {u"MQ", u"edtOIncome2", FieldKind::Money},
    // LS
    {u"LS", u"EdtInterest", FieldKind::Number},
    {u"LS", u"edtInterestPaid", FieldKind::Money},
    {u"LS", u"edtLoan", FieldKind::Money},
    {u"LS", u"edtPayment", FieldKind::Money},
    {u"LS", u"EdtTerm", FieldKind::Number},
    {u"LS", u"edtTotalPaid", FieldKind::Money},
    {u"LS", u"grdLS", FieldKind::Table},
    // Amort
    {u"Amort", u"chtAmortization", FieldKind::Chart},
    {u"Amort", u"edtAmortPayment", FieldKind::Money},
    {u"Amort", u"EdtIRate", FieldKind::Number},
    {u"Amort", u"edtMortAmt", FieldKind::Money},
    {u"Amort", u"EdtNumPmts", FieldKind::Number},
    {u"Amort", u"grdAmortization", FieldKind::Table},
    {u"Amort", u"lblAmortSavings", FieldKind::Label},
    {u"Amort", u"pnlAmortChart", FieldKind::Panel},
    // ECC
    {u"ECC", u"edtAF", FieldKind::Money},
    {u"ECC", u"edtCR", FieldKind::Money},
    {u"ECC", u"edtEccAssociationFee", FieldKind::Money},
    {u"ECC", u"edtEccCClosingCosts", FieldKind::Money},
    {u"ECC", u"edtEccCDebtRatio", FieldKind::Number},
    {u"ECC", u"edtEccCDownPayment", FieldKind::Money},
    {u"ECC", u"edtEccCEscrows", FieldKind::Money},
    {u"ECC", u"edtEccCHousingRatio", FieldKind::Number},
    {u"ECC", u"edtEccCLoanAmount", FieldKind::Money},
    {u"ECC", u"edtEccCMonthlyInsurance", FieldKind::Money},
    {u"ECC", u"edtEccCMonthlyPayment", FieldKind::Money},
    {u"ECC", u"edtEccCMonthlyTax", FieldKind::Money},
    {u"ECC", u"edtEccCPandI", FieldKind::Money},
    {u"ECC", u"edtEccCpmi", FieldKind::Money},
    {u"ECC", u"edtEccCPurchasePrice", FieldKind::Money},
    {u"ECC", u"edtEccDebt", FieldKind::Money},
    {u"ECC", u"edtEccDiscountPoints", FieldKind::Number},
    {u"ECC", u"edtEccDownPaymentPercent", FieldKind::Number},
    {u"ECC", u"edtEccIncome", FieldKind::Money},
    {u"ECC", u"edtEccInterest", FieldKind::Number},
    {u"ECC", u"edtEccOriginationPoints", FieldKind::Number},
    {u"ECC", u"edtEccTerm", FieldKind::Number},
    {u"ECC", u"edtHOII", FieldKind::Money},
    {u"ECC", u"edtHOIP", FieldKind::Money},
    {u"ECC", u"edtII", FieldKind::Money},
    {u"ECC", u"edtLOF", FieldKind::Money},
    {u"ECC", u"edtLPF", FieldKind::Money},
    {u"ECC", u"edtOF", FieldKind::Money},
    {u"ECC", u"edtOriginationFee", FieldKind::Money},
    {u"ECC", u"edtPMII", FieldKind::Money},
    {u"ECC", u"edtPTI", FieldKind::Money},
    {u"ECC", u"edtRF", FieldKind::Money},
    {u"ECC", u"edtSellerPaid", FieldKind::Money},
    {u"ECC", u"edtSTT", FieldKind::Money},
    {u"ECC", u"edtTIF", FieldKind::Money},
    {u"ECC", u"edtTS", FieldKind::Money},
    {u"ECC", u"edtTSF", FieldKind::Money},
    // RC
    {u"RC", u"edtEquitySavings", FieldKind::Money},
    {u"RC", u"edtMonthsUntilSell", FieldKind::Number},
    {u"RC", u"edtNewEquity", FieldKind::Money},
    {u"RC", u"edtNewInterestRate", FieldKind::Number},
    {u"RC", u"edtNewLoan", FieldKind::Money},
    {u"RC", u"edtNewPayment", FieldKind::Money},
    {u"RC", u"edtNewTerm", FieldKind::Number},
    {u"RC", u"edtOldEquity", FieldKind::Money},
    {u"RC", u"edtOldInterestRate", FieldKind::Number},
    {u"RC", u"edtOldLoan", FieldKind::Money},
    {u"RC", u"edtOldPayment", FieldKind::Money},
    {u"RC", u"edtOldPaymentsMade", FieldKind::Number},
    {u"RC", u"edtOldPaymentsRemaining", FieldKind::Number},
    {u"RC", u"edtOldTerm", FieldKind::Number},
    {u"RC", u"edtPaymentSaved", FieldKind::Money},
    {u"RC", u"edtRefiClosingCosts", FieldKind::Number},
    {u"RC", u"edtTotalPaymentSaved", FieldKind::Money},
    {u"RC", u"edtTotalSaved", FieldKind::Money},
    {u"RC", u"lblSell", FieldKind::Label},
    // RVB
    {u"RVB", u"edtRVBAnnualMaintenance", FieldKind::Money},
    {u"RVB", u"edtRVBAppreciation", FieldKind::Money},
    {u"RVB", u"edtRVBDownPayment", FieldKind::Money},
    {u"RVB", u"edtRVBEstimatedReturn", FieldKind::Number},
    {u"RVB", u"edtRVBGain", FieldKind::Money},
    {u"RVB", u"edtRVBHousePrice", FieldKind::Money},
    {u"RVB", u"edtRVBIncomeTax", FieldKind::Number},
    {u"RVB", u"edtRVBInterestRate", FieldKind::Number},
    {u"RVB", u"edtRVBInvestmentValue", FieldKind::Money},
    {u"RVB", u"edtRVBLoanTerm", FieldKind::Number},
    {u"RVB", u"edtRVBMonthlyRent", FieldKind::Money},
    {u"RVB", u"edtRVBPropertyAppreciation", FieldKind::Number},
    {u"RVB", u"edtRVBPropertyTax", FieldKind::Number},
    {u"RVB", u"edtRVBRentIncrease", FieldKind::Number},
    {u"RVB", u"edtRVBRentSpent", FieldKind::Money},
    {u"RVB", u"edtRVBSellingCostPercent", FieldKind::Number},
    {u"RVB", u"edtRVBTaxDeductions", FieldKind::Money},
    {u"RVB", u"edtRVBTerm", FieldKind::Number},
    {u"RVB", u"edtRVBValueOfPurchase", FieldKind::Money},
    {u"RVB", u"edtRVBValueOfRenting", FieldKind::Money},
    // BW
    {u"BW", u"edtInterestSaved", FieldKind::Money},
    {u"BW", u"edtMortgageAmount", FieldKind::Money},
    {u"BW", u"edtMortgageCostOfLoan", FieldKind::Money},
    {u"BW", u"edtMortgageHalfCostOfLoan", FieldKind::Money},
    {u"BW", u"edtMortgageHalfPayments", FieldKind::Money},
    {u"BW", u"edtMortgageHalfTotalPaid", FieldKind::Money},
    {u"BW", u"EdtMortgageInterest", FieldKind::Number},
    {u"BW", u"edtMortgagePayments", FieldKind::Money},
    {u"BW", u"EdtMortgagePeriods", FieldKind::Number},
    {u"BW", u"edtMortgageTotalPaid", FieldKind::Money},
    {u"BW", u"EdtTimeSavedMonths", FieldKind::Number},
    {u"BW", u"EdtTimeSavedYears", FieldKind::Number},
    // PPC
    {u"PPC", u"edtPPCAmountBorrowed", FieldKind::Money},
    {u"PPC", u"edtPPCInsurance", FieldKind::Money},
    {u"PPC", u"edtPPCInterest", FieldKind::Number},
    {u"PPC", u"edtPPCNewPayment", FieldKind::Money},
    {u"PPC", u"edtPPCNewTerm", FieldKind::Number},
    {u"PPC", u"edtPPCNewTotalPayment", FieldKind::Money},
    {u"PPC", u"edtPPCPayment", FieldKind::Money},
    {u"PPC", u"edtPPCPMI", FieldKind::Money},
    {u"PPC", u"edtPPCPropertyTaxes", FieldKind::Money},
    {u"PPC", u"edtPPCSavings", FieldKind::Money},
    {u"PPC", u"edtPPCTerm", FieldKind::Number},
    {u"PPC", u"edtPPCTotalInterest", FieldKind::Money},
    {u"PPC", u"edtPPCTotalInterestAndPrincipalWithPrepayments", FieldKind::Money},
    {u"PPC", u"edtPPCTotalInterestWithPrepayments", FieldKind::Money},
    {u"PPC", u"edtPPCTotalPayment", FieldKind::Money},
    {u"PPC", u"edtPPCTotalPrincipalAndInterest", FieldKind::Money},
    // HSP
    {u"HSP", u"cbHSPClosingMonth", FieldKind::MonthList},
    {u"HSP", u"edtHSPCosts", FieldKind::Money},
    {u"HSP", u"edtHSPFirstLoanBalance", FieldKind::Money},
    {u"HSP", u"edtHSPHouseSalesPrice", FieldKind::Money},
    {u"HSP", u"edtHSPNetGain", FieldKind::Money},
    {u"HSP", u"edtHSPOtherFees", FieldKind::Money},
    {u"HSP", u"edtHSPOtherLoans", FieldKind::Money},
    {u"HSP", u"edtHSPOtherSalesCommission", FieldKind::Money},
    {u"HSP", u"edtHSPPropertyTaxes", FieldKind::Money},
    {u"HSP", u"edtHSPPropertyTaxesPaid", FieldKind::Money},
    {u"HSP", u"edtHSPSalesCommission", FieldKind::Money},
    {u"HSP", u"edtHSPSecondLoanBalance", FieldKind::Money},
    {u"HSP", u"edtHSPTransferTaxesPaid", FieldKind::Money},
    {u"HSP", u"edtHSPTransferTaxPercent", FieldKind::Number},
    // CMP
    {u"CMP", u"chtCompare", FieldKind::Chart},
    {u"CMP", u"edtCmpHomeValue", FieldKind::Money},
    {u"CMP", u"grdCompare", FieldKind::Table},
    {u"CMP", u"lblCmpBreakEven", FieldKind::Label},
});

} // namespace

std::span<const ReadField> readFields()
{
    return kFields;
}

bool mayRead(QStringView page, QStringView name)
{
    bool known = false;
    for (const ReadField &f : kFields) {
        if (page != QStringView(f.page))
            continue;
        known = true;
        if (name == QStringView(f.name))
            return true;
    }
    return !known;
}

} // namespace clvn::report

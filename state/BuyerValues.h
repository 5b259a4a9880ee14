#pragma once

#include <cstdint>

namespace clvn {

// The buyer defaults kept in memory for the whole run and mirrored in
// CLVN.INI. Fields follow the file's key order; rates and ratios are
// percentages except the PMI premiums, which are fractions of the loan.
struct BuyerValues
{
    // [LastValues]
    double Loan = 100000;
    double Interest = 8.75;  // annual percent
    std::int32_t Term = 360; // months
    double Payment = 786.7;
    // [PmiValues]: premium rates by term column and loan-to-value band
    double Pmip308085 = 0.0032;
    double Pmip308590 = 0.0052;
    double Pmip309095 = 0.0078;
    double Pmip309597 = 0.0090;
    double Pmip158085 = 0.0019;
    double Pmip158590 = 0.0023;
    double Pmip159095 = 0.0056;
    double Pmip159597 = 0.0079;
    // [Ratios]: percent
    double HRatio = 28;
    double DRatio = 36;
    // [ClosingCosts]
    double AppraisalFee = 300;
    double CreditReport = 42;
    double TaxServiceFee = 85;
    double LendersInspectionFee = 0;
    double TitleInsurance = 200;
    double TitleSearch = 100;
    double EscrowClosingFee = 75;
    double RecordingFee = 50;
    double OtherFees = 300;
    double SellerPaid = 0;
    double OriginationPoints = 1.0; // percent of the loan
    double DiscountPoints = 0;      // percent of the loan
    double DownPaymentPercent = 20;
    double RealEstateTax = 800; // annual
    double Insurance = 580;     // annual
    double AssociationFee = 0;  // monthly
    // [Escrows]
    double InterimInterestDays = 15;
    double PropertyTaxMonths = 3;
    double HomeownersFirstYear = 12;
    double HomeownersRenewalMonths = 2;

    bool operator==(const BuyerValues &) const = default;
};

// The values the program ships with, before the user stores any: the
// pages' starting loan and their reset figures come from here.
inline constexpr BuyerValues FactoryValues{};

} // namespace clvn

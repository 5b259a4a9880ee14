#pragma once

// A Loan Estimate (form H-24) checked figure by figure: every figure that can
// be recomputed from the others is, and judged against the rounding and the
// tolerance Regulation Z (12 CFR 1026) allows it.
//
// Figures go in as the form shows them, in currency units (whole dollars where
// the form rounds to dollars); rates are ANNUAL PERCENT; terms MONTHS. The
// results are texts the way the form writes them, with a verdict and the rule
// each check rests on.

#include "finance/Arm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clvn {

// Whether a fee is part of the finance charge (12 CFR 1026.4).
enum class FinanceCharge : std::uint8_t
{
    Yes,
    No,
    Uncertain // the rule turns on facts the form does not show
};

// What the caption of a fee usually means: lender's charges and prepaid
// interest are finance charges (1026.4(b)); real-estate fees such as title,
// appraisal, credit report and recording are not (1026.4(c)(7)); a
// settlement agent's fee, or a caption we do not know, is uncertain
// (1026.4(a)(2)).
FinanceCharge ProposeFinanceCharge(std::string_view caption);

// The percent in a points caption ("0.25 % of Loan Amount (Points)"), or
// nothing when the caption names no percent of the loan amount.
std::optional<double> PointsPercentInCaption(std::string_view caption);

struct LecFee
{
    std::string description;
    double amount = 0;
    FinanceCharge charge = FinanceCharge::Uncertain;
};

// One column of Projected Payments.
struct LecProjected
{
    std::int32_t firstYear = 0;
    std::int32_t lastYear = 0;
    double pi = 0; // principal & interest, to the cent; the minimum of a range
    double mi = 0; // mortgage insurance, whole dollars; 0 for "-"
    double escrow = 0;
    double total = 0; // none for a range of principal & interest
    double piMax = 0; // the maximum of a range, in whole dollars; 0 for a single figure
};

// One line of G. Initial Escrow Payment at Closing.
struct LecEscrowLine
{
    std::string item;
    double perMonth = 0;
    std::int32_t months = 0;
    double amount = 0;
};

// The Closing Disclosure's Loan Calculations.
struct LecDisclosure
{
    double financeCharge = 0;
    double amountFinanced = 0;
    double totalOfPayments = 0;
    double apr = 0;
    double tip = 0;
};

struct LoanEstimateInputs
{
    // Page 1.
    std::int32_t term = 0; // months
    // An adjustable-rate product: its rate terms (loan, term and initial rate
    // are the form's); none for a fixed rate.
    std::optional<ArmInputs> adjustable;
    double propertyValue = 0;
    double loanAmount = 0;
    double rate = 0; // percent
    double pi = 0;   // monthly principal & interest
    double mi = 0;   // monthly mortgage insurance as shown
    double escrow = 0;
    std::vector<LecProjected> projected;
    double closingCosts = 0;
    double cashToClose = 0;
    // Page 2: Loan Costs.
    std::vector<LecFee> a, b, c;
    double d = 0;
    // Other Costs.
    std::vector<LecFee> e;
    std::int32_t hoiMonths = 0;
    double hoiPremium = 0;
    double miPremium = 0; // paid at closing: a finance charge
    double perDiem = 0;
    std::int32_t prepaidDays = 0;
    double prepaidInterest = 0;
    std::vector<LecEscrowLine> escrowLines;
    std::vector<LecFee> h;
    double i = 0;
    double lenderCredits = 0; // as a magnitude
    double j = 0;
    // Calculating Cash to Close, as magnitudes; adjustments keep their sign.
    double financed = 0;
    double downPayment = 0;
    double deposit = 0;
    double fundsForBorrower = 0;
    double sellerCredits = 0;
    double adjustments = 0;
    // Page 3.
    double in5Total = 0;
    double in5Principal = 0;
    double apr = 0;
    double tip = 0;
    // The monthly mortgage insurance to the cent, when known.
    std::optional<double> exactMi;
    std::optional<LecDisclosure> disclosure;
};

enum class LecVerdict : std::uint8_t
{
    Ok,         // equal after the form's rounding
    Consistent, // the form's rounding of the typed inputs explains the difference
    CheckThis   // beyond that
};

// "ok", "consistent", "check this".
std::string LecVerdictText(LecVerdict v);

struct LecRow
{
    std::string caption;
    std::string typed;
    std::string recomputed;
    LecVerdict verdict = LecVerdict::Ok;
    std::string rule; // "12 CFR 1026.37(o)(4)"
};

struct LoanEstimateResults
{
    std::vector<LecRow> rows;
    // The APR with every uncertain fee left out of, and put into, the
    // finance charge; equal when no fee is uncertain.
    double aprLow = 0;
    double aprHigh = 0;
    std::int32_t insuredPayments = 0; // payments carrying mortgage insurance
    // Mortgage insurance ends before the loan, or the rate adjusts: the
    // payments are irregular.
    bool irregular = false;
    int ok = 0;
    int consistent = 0;
    int checkThis = 0;
};

// Every check the figures allow. Throws FloatError (InvalidOp), returning
// nothing, for a loan, term or property value of 0 or less, a term over
// 1200 months, a negative rate, prepaid days outside 0..366, escrow months
// outside 0..1200, fees that leave no amount financed, or a figure that is
// not finite; and what CalcArm throws for an adjustable product's terms.
LoanEstimateResults CheckLoanEstimate(const LoanEstimateInputs &in);

} // namespace clvn

#include "finance/LoanEstimate.h"

#include "finance/Arm.h"
#include "finance/Cents.h"
#include "finance/Errors.h"
#include "finance/LoanOffers.h"
#include "finance/MortLib.h"
#include "finance/MortgageInsurance.h"
#include "finance/Rounding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace clvn {

namespace {

constexpr const char *kWhere = "CheckLoanEstimate";

std::int64_t centsOf(double x)
{
    return ToCents(x, kWhere);
}

// Cents to the nearest whole dollar, half away from zero, as the form rounds.
std::int64_t wholeDollars(std::int64_t c)
{
    const std::int64_t a = c < 0 ? -c : c;
    const std::int64_t r = (a + 50) / 100 * 100;
    return c < 0 ? -r : r;
}

// a * b / d in cents, rounded half up, for the non-negative figures it serves.
std::int64_t scaled(std::int64_t a, double b, double d)
{
    return centsOf(FromCents(a) * b / d);
}

std::string lower(std::string_view s)
{
    std::string out(s);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char ch) { return char(std::tolower(ch)); });
    return out;
}

bool contains(const std::string &text, std::string_view word)
{
    return text.find(word) != std::string::npos;
}

std::int64_t sumOf(const std::vector<LecFee> &fees)
{
    std::int64_t s = 0;
    for (const LecFee &f : fees)
        s = AddCents(s, centsOf(f.amount), kWhere);
    return s;
}

// The prepaid finance charges of the fee lines: those marked yes, and those
// marked uncertain.
struct Charges
{
    std::int64_t sure = 0;
    std::int64_t uncertain = 0;
};

void addCharges(Charges &c, const std::vector<LecFee> &fees)
{
    for (const LecFee &f : fees) {
        if (f.charge == FinanceCharge::Yes)
            c.sure = AddCents(c.sure, centsOf(f.amount), kWhere);
        else if (f.charge == FinanceCharge::Uncertain)
            c.uncertain = AddCents(c.uncertain, centsOf(f.amount), kWhere);
    }
}

// The decimals a typed percent shows, kept to the two or three the form uses.
int shownDecimals(double typed)
{
    const DecimalDigits d = ShortestDecimal(typed);
    const int decimals = int(d.digits.size()) - d.exponent;
    return std::clamp(decimals, 2, 3);
}

double roundTo(double x, int decimals)
{
    return RoundDecimal(x, kHeldDigits, decimals, RoundMode::HalfAwayFromZero);
}

std::string years(std::int32_t first, std::int32_t last)
{
    return first == last ? std::to_string(first)
                         : std::to_string(first) + "-" + std::to_string(last);
}

std::string range(const std::string &low, const std::string &high)
{
    return low == high ? low : low + " to " + high;
}

// The rules the checks rest on.
constexpr const char *kRounding = ", (o)(4)";
const std::string kCfr = "12 CFR 1026.";

class Checker
{
public:
    explicit Checker(LoanEstimateResults &r) : m_r(r) {}

    void add(std::string caption, std::string typed, std::string recomputed, LecVerdict v,
             const std::string &rule)
    {
        (v == LecVerdict::Ok           ? m_r.ok
         : v == LecVerdict::Consistent ? m_r.consistent
                                       : m_r.checkThis)++;
        m_r.rows.push_back(
            {std::move(caption), std::move(typed), std::move(recomputed), v, kCfr + rule});
    }

    // A figure the form shows to the cent.
    void cents(std::string caption, double typed, std::int64_t recomputed, const std::string &rule)
    {
        const std::int64_t t = centsOf(typed);
        add(std::move(caption), ArmDollars(t), ArmDollars(recomputed),
            t == recomputed ? LecVerdict::Ok : LecVerdict::CheckThis, rule);
    }

    // A figure the form rounds to whole dollars.
    void dollars(std::string caption, double typed, std::int64_t recomputed,
                 const std::string &rule)
    {
        const std::int64_t t = centsOf(typed);
        add(std::move(caption), ArmWholeDollars(t), ArmWholeDollars(recomputed),
            t == wholeDollars(recomputed) ? LecVerdict::Ok : LecVerdict::CheckThis,
            rule + kRounding);
    }

private:
    LoanEstimateResults &m_r;
};

void requireInputs(const LoanEstimateInputs &in)
{
    const auto refuse = [](const char *what) {
        throw FloatError(FloatError::Kind::InvalidOp, std::string(kWhere) + ": " + what);
    };
    if (in.term <= 0 || in.term > TMortgage::MaxPayments)
        refuse("loan term");
    if (!(in.loanAmount > 0) || !std::isfinite(in.loanAmount))
        refuse("loan amount");
    if (!(in.propertyValue > 0) || !std::isfinite(in.propertyValue))
        refuse("property value");
    if (!(in.rate >= 0) || !std::isfinite(in.rate))
        refuse("interest rate");
    if (in.prepaidDays < 0 || in.prepaidDays > 366)
        refuse("prepaid interest days");
    for (const LecEscrowLine &e : in.escrowLines)
        if (e.months < 0 || e.months > TMortgage::MaxPayments)
            refuse("escrow months");
    for (const double percent : {in.apr, in.tip})
        if (!std::isfinite(percent))
            refuse("percentage");
}

// The schedule's figures the form's are checked against, in cents: the
// loan's, or an adjustable loan's with the index unchanged.
struct Schedule
{
    std::int64_t payment = 0;
    std::vector<double> stream; // each payment, the last clearing the balance
    std::int64_t interest = 0;
    std::int64_t principal60 = 0;
    std::int64_t paid60 = 0;
    std::int32_t insured = 0;
    // The lowest and highest payment due in each month on any rate path
    // (the last payment's clearing adjustment left out).
    std::vector<std::pair<std::int64_t, std::int64_t>> range;
    // The adjustable loan's columns of Projected Payments; empty when fixed.
    std::vector<ArmProjectedColumn> armColumns;
};

Schedule schedule(const LoanEstimateInputs &in, bool insuredLoan)
{
    const std::int64_t loan = centsOf(in.loanAmount);
    std::vector<TPayment> rows;
    Schedule s;
    if (in.adjustable) {
        ArmInputs arm = *in.adjustable;
        arm.loan = in.loanAmount;
        arm.term = in.term;
        arm.initialRate = in.rate;
        const ArmResults r = CalcArm(arm);
        s.payment = r.firstPayment;
        s.armColumns = r.projected;
        for (const ArmRow &row : r.paths.front().rows)
            rows.push_back({.Number = row.number,
                            .Principal = FromCents(row.principal),
                            .Interest = FromCents(row.interest),
                            .Balance = FromCents(row.balance)});
        for (std::size_t k = 0; k < rows.size(); ++k) {
            std::int64_t low = r.paths.front().rows[k].payment, high = low;
            for (const ArmPath &p : r.paths) {
                low = std::min(low, p.rows[k].payment);
                high = std::max(high, p.rows[k].payment);
            }
            s.range.emplace_back(low, high);
        }
    } else {
        TMortgage m;
        m.Create(in.term, in.loanAmount, in.rate / 100, 12);
        rows = m.Payments();
        s.payment = centsOf(m.Payment());
        s.range.assign(rows.size(), {s.payment, s.payment});
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        std::int64_t pay = centsOf(rows[k].Principal + rows[k].Interest);
        if (k + 1 == rows.size() && !in.adjustable)
            pay = AddCents(pay, centsOf(rows[k].Balance), kWhere);
        s.stream.push_back(FromCents(pay));
        s.interest = AddCents(s.interest, centsOf(rows[k].Interest), kWhere);
        if (k < 60) {
            s.paid60 = AddCents(s.paid60, pay, kWhere);
            s.principal60 = k + 1 == rows.size() ? loan : loan - centsOf(rows[k].Balance);
        }
    }
    s.insured = insuredLoan ? InsuredPayments(rows, in.loanAmount, in.propertyValue) : 0;
    return s;
}

// The columns of Projected Payments: a new one where the payment's range
// changes (an adjustable rate) or the insurance ends; beyond four, the
// fourth holds every later year.
std::vector<std::pair<std::int32_t, std::int32_t>> projectedYears(const Schedule &s,
                                                                  std::int32_t term)
{
    const std::int32_t termYears = (term + 11) / 12;
    const std::int32_t miYears = s.insured > 0 ? (s.insured + 11) / 12 : 0;
    std::vector<std::int32_t> starts{1};
    for (const ArmProjectedColumn &c : s.armColumns)
        starts.push_back(c.firstYear);
    if (miYears > 0 && miYears < termYears)
        starts.push_back(miYears + 1);
    std::ranges::sort(starts);
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    if (starts.size() > 4)
        starts.resize(4);
    std::vector<std::pair<std::int32_t, std::int32_t>> columns;
    for (std::size_t k = 0; k < starts.size(); ++k)
        columns.emplace_back(starts[k], k + 1 < starts.size() ? starts[k + 1] - 1 : termYears);
    return columns;
}

void checkProjected(Checker &ck, const LoanEstimateInputs &in, const Schedule &s,
                    std::int64_t miCents, std::int64_t escrowCents)
{
    const std::int32_t miYears = s.insured > 0 ? (s.insured + 11) / 12 : 0;
    std::string typedYears, wantYears;
    for (const LecProjected &p : in.projected)
        typedYears += (typedYears.empty() ? "" : ", ") + years(p.firstYear, p.lastYear);
    for (const auto &[first, last] : projectedYears(s, in.term))
        wantYears += (wantYears.empty() ? "" : ", ") + years(first, last);
    ck.add("Projected Payments: years", typedYears, wantYears,
           typedYears == wantYears ? LecVerdict::Ok : LecVerdict::CheckThis,
           "37(c)(1); 12 U.S.C. 4902");

    // The regular payments: the last one's clearing adjustment is no column's.
    const std::int32_t regular = std::max<std::int32_t>(1, std::int32_t(s.range.size()) - 1);
    for (const LecProjected &p : in.projected) {
        const std::string col = (p.firstYear == p.lastYear ? "Year " : "Years ") +
                                years(p.firstYear, p.lastYear) + ": ";
        std::int64_t low = std::numeric_limits<std::int64_t>::max(), high = 0;
        for (std::int32_t m = std::max(1, (p.firstYear - 1) * 12 + 1);
             m <= std::min(regular, p.lastYear * 12); ++m) {
            low = std::min(low, s.range[std::size_t(m - 1)].first);
            high = std::max(high, s.range[std::size_t(m - 1)].second);
        }
        if (high == 0)
            low = 0; // no payment falls in years outside the term
        if (low == high) {
            ck.cents(col + "principal & interest", p.pi, low, "37(c)(2)(i)");
        } else {
            // A range is shown in whole dollars, minimum over maximum.
            const std::int64_t tLow = centsOf(p.pi), tHigh = centsOf(p.piMax);
            ck.add(col + "principal & interest",
                   ArmWholeDollars(tLow) + " min / " + ArmWholeDollars(tHigh) + " max",
                   ArmWholeDollars(low) + " min / " + ArmWholeDollars(high) + " max",
                   tLow == wholeDollars(low) && tHigh == wholeDollars(high) ? LecVerdict::Ok
                                                                            : LecVerdict::CheckThis,
                   std::string("37(c)(2)(i)") + kRounding);
        }
        const bool insured = miYears > 0 && p.firstYear <= miYears;
        ck.dollars(col + "mortgage insurance", p.mi, insured ? miCents : 0, "37(c)(2)(ii)");
        ck.dollars(col + "estimated escrow", p.escrow, escrowCents, "37(c)(2)(iii)");
        if (low == high) {
            const std::int64_t total =
                low + wholeDollars(centsOf(p.mi)) + wholeDollars(centsOf(p.escrow));
            ck.dollars(col + "estimated total", p.total, total, "37(c)(2)(iv)");
        }
    }
}

// The In 5 Years total with a monthly insurance of `mi` cents: payments,
// insurance, loan costs and prepaid interest (comment 37(l)(1)(i)-1).
std::int64_t fiveYearTotal(const Schedule &s, std::int64_t mi, std::int64_t loanCosts,
                           std::int64_t prepaidInterest)
{
    const std::int64_t months = std::min<std::int32_t>(60, s.insured);
    std::int64_t t = AddCents(s.paid60, mi * months, kWhere);
    t = AddCents(t, loanCosts, kWhere);
    return AddCents(t, prepaidInterest, kWhere);
}

// Whether `typed` is within `tolerance` points of the range low..high.
bool within(double typed, double low, double high, double tolerance)
{
    constexpr double kSlack = 1e-9;
    return typed >= low - tolerance - kSlack && typed <= high + tolerance + kSlack;
}

void checkApr(Checker &ck, const std::string &caption, double typed, const LoanEstimateResults &r)
{
    const std::string shown =
        range(ArmPercent(roundTo(r.aprLow, 3)), ArmPercent(roundTo(r.aprHigh, 3)));
    if (within(typed, r.aprLow, r.aprHigh, 0.125))
        ck.add(caption, ArmPercent(typed), shown, LecVerdict::Ok, "22(a)(2), App. J");
    else if (r.irregular && within(typed, r.aprLow, r.aprHigh, 0.25))
        ck.add(caption, ArmPercent(typed), shown, LecVerdict::Ok, "22(a)(3), App. J");
    else
        ck.add(caption, ArmPercent(typed), shown, LecVerdict::CheckThis,
               r.irregular ? "22(a)(2), (a)(3), App. J" : "22(a)(2), App. J");
}

void checkTip(Checker &ck, const std::string &caption, double typed, double tip,
              const std::string &rule)
{
    const int decimals = shownDecimals(typed);
    ck.add(caption, ArmPercent(typed), ArmPercent(roundTo(tip, 3)),
           roundTo(tip, decimals) == roundTo(typed, decimals) ? LecVerdict::Ok
                                                              : LecVerdict::CheckThis,
           rule);
}

// A Closing Disclosure amount that may be understated by $100 at most and
// overstated by any amount (1026.38(o), 1026.18(d)(1)).
void checkTolerant(Checker &ck, const std::string &caption, double typed, std::int64_t low,
                   std::int64_t high, const std::string &rule)
{
    const std::int64_t t = centsOf(typed);
    ck.add(caption, ArmDollars(t), range(ArmDollars(low), ArmDollars(high)),
           t >= low - 10000 ? LecVerdict::Ok : LecVerdict::CheckThis, rule);
}

} // namespace

FinanceCharge ProposeFinanceCharge(std::string_view caption)
{
    const std::string c = lower(caption);
    // The settlement agent's fee first: "closing" or "title - settlement" also
    // reads as a title charge, but whether a lender requires it is a fact
    // the caption cannot tell.
    static constexpr std::array kUncertain = {"settlement", "closing fee", "closing agent",
                                              "attorney", "escrow fee"};
    // Checks of the property made before closing (a flood-zone determination,
    // the tax status) are excluded with the appraisal; monitoring the loan's
    // life long is not.
    static constexpr std::array kNo = {"appraisal",  "credit report",
                                       "title",      "recording",
                                       "survey",     "pest",
                                       "inspection", "notary",
                                       "deed",       "transfer tax",
                                       "homeowner",  "property tax",
                                       "government", "flood determination",
                                       "flood cert", "flood zone",
                                       "tax status"};
    static constexpr std::array kYes = {
        "points",   "origination",    "underwriting", "application",         "processing",
        "flood",    "tax monitoring", "tax service",  "prepaid interest",    "mortgage insurance",
        "discount", "lender",         "commitment",   "document preparation"};
    for (const char *w : kUncertain)
        if (contains(c, w))
            return FinanceCharge::Uncertain;
    for (const char *w : kNo)
        if (contains(c, w))
            return FinanceCharge::No;
    for (const char *w : kYes)
        if (contains(c, w))
            return FinanceCharge::Yes;
    return FinanceCharge::Uncertain;
}

std::optional<double> PointsPercentInCaption(std::string_view caption)
{
    const std::string c = lower(caption);
    const std::size_t at = c.find("% of loan amount");
    if (at == std::string::npos)
        return std::nullopt;
    std::size_t from = at;
    while (from > 0 && (std::isdigit(static_cast<unsigned char>(c[from - 1])) ||
                        c[from - 1] == '.' || c[from - 1] == ' '))
        --from;
    while (from < at && c[from] == ' ')
        ++from;
    std::size_t to = at;
    while (to > from && c[to - 1] == ' ')
        --to;
    double v = 0;
    const auto res = std::from_chars(c.data() + from, c.data() + to, v);
    if (res.ec != std::errc{} || res.ptr != c.data() + to)
        return std::nullopt;
    return v;
}

std::string LecVerdictText(LecVerdict v)
{
    switch (v) {
    case LecVerdict::Ok:
        return "ok";
    case LecVerdict::Consistent:
        return "consistent";
    case LecVerdict::CheckThis:
        break;
    }
    return "check this";
}

LoanEstimateResults CheckLoanEstimate(const LoanEstimateInputs &in)
{
    FpeScope scope;
    requireInputs(in);
    LoanEstimateResults r;
    Checker ck(r);

    const std::int64_t loan = centsOf(in.loanAmount);
    const std::int64_t miCents = centsOf(in.exactMi.value_or(in.mi));
    const Schedule s = schedule(in, miCents > 0);
    r.insuredPayments = s.insured;
    r.irregular = (s.insured > 0 && s.insured < in.term) || in.adjustable.has_value();

    // Page 1.
    ck.cents("Monthly Principal & Interest", in.pi, s.payment, "37(b)(3)");
    // The escrow a month is what G collects a month for, when G lists it.
    std::int64_t escrow = centsOf(in.escrow);
    if (!in.escrowLines.empty()) {
        escrow = 0;
        for (const LecEscrowLine &e : in.escrowLines)
            escrow = AddCents(escrow, centsOf(e.perMonth), kWhere);
        ck.dollars("Estimated Escrow", in.escrow, escrow, "37(c)(2)(iii)");
    }
    checkProjected(ck, in, s, miCents, escrow);

    // Loan Costs.
    for (const LecFee &f : in.a)
        if (const std::optional<double> p = PointsPercentInCaption(f.description))
            ck.dollars("A. " + f.description, f.amount, scaled(loan, *p, 100), "37(f)(1)(i)");
    const std::int64_t d =
        AddCents(AddCents(sumOf(in.a), sumOf(in.b), kWhere), sumOf(in.c), kWhere);
    ck.dollars("D. Total Loan Costs", in.d, d, "37(f)(4)");

    // Other Costs.
    // A day's interest on a 360- or 365-day year, rounded to the cent either way.
    const std::int64_t perDiem = centsOf(in.perDiem);
    const double exact360 = FromCents(loan) * in.rate / 36000;
    const double exact365 = FromCents(loan) * in.rate / 36500;
    const bool on365 = std::abs(in.perDiem - exact365) < std::abs(in.perDiem - exact360);
    const double exact = on365 ? exact365 : exact360;
    ck.add("F. Prepaid interest per day", ArmDollars(perDiem),
           ArmDollars(centsOf(roundTo(exact, 2))),
           std::abs(FromCents(perDiem) - exact) < 0.01 ? LecVerdict::Ok : LecVerdict::CheckThis,
           "37(g)(2)(iii)");
    const std::int64_t prepaidInterest = centsOf(in.prepaidInterest);
    ck.dollars("F. Prepaid interest", in.prepaidInterest, perDiem * in.prepaidDays,
               "37(g)(2)(iii)");
    const std::int64_t f = AddCents(AddCents(centsOf(in.hoiPremium), centsOf(in.miPremium), kWhere),
                                    prepaidInterest, kWhere);
    std::int64_t g = 0;
    for (const LecEscrowLine &e : in.escrowLines) {
        ck.dollars("G. " + e.item, e.amount, centsOf(e.perMonth) * e.months, "37(g)(3)");
        g = AddCents(g, centsOf(e.amount), kWhere);
    }
    const std::int64_t i =
        AddCents(AddCents(AddCents(sumOf(in.e), f, kWhere), g, kWhere), sumOf(in.h), kWhere);
    ck.dollars("I. Total Other Costs", in.i, i, "37(g)(5)");
    const std::int64_t j =
        SubtractCents(AddCents(d, i, kWhere), centsOf(std::abs(in.lenderCredits)), kWhere);
    ck.dollars("J. Total Closing Costs", in.j, j, "37(g)(6)");

    // Page 1 again, from J as recomputed: a slip in J is flagged once, at J.
    ck.dollars("Estimated Closing Costs", in.closingCosts, j, "37(d)(1)");
    std::int64_t cash = SubtractCents(wholeDollars(j), centsOf(std::abs(in.financed)), kWhere);
    cash = AddCents(cash, centsOf(std::abs(in.downPayment)), kWhere);
    for (const double credit : {in.deposit, in.fundsForBorrower, in.sellerCredits})
        cash = SubtractCents(cash, centsOf(std::abs(credit)), kWhere);
    cash = AddCents(cash, centsOf(in.adjustments), kWhere);
    ck.dollars("Estimated Cash to Close", in.cashToClose, cash, "37(h)(1)");

    // Page 3: In 5 Years.
    const std::int64_t in5 = fiveYearTotal(s, miCents, d, prepaidInterest);
    const std::int64_t typedIn5 = centsOf(in.in5Total);
    LecVerdict v5 = typedIn5 == wholeDollars(in5) ? LecVerdict::Ok : LecVerdict::CheckThis;
    if (v5 == LecVerdict::CheckThis && !in.exactMi && miCents > 0 && miCents % 100 == 0) {
        // A premium shown in whole dollars may be anything that rounds to it.
        const std::int64_t low = fiveYearTotal(s, miCents - 50, d, prepaidInterest);
        const std::int64_t high = fiveYearTotal(s, miCents + 49, d, prepaidInterest);
        if (typedIn5 >= wholeDollars(low) && typedIn5 <= wholeDollars(high))
            v5 = LecVerdict::Consistent;
    }
    ck.add("In 5 Years: total paid", ArmWholeDollars(typedIn5), ArmWholeDollars(in5), v5,
           std::string("37(l)(1)(i), comment 37(l)(1)(i)-1") + kRounding);
    ck.dollars("In 5 Years: principal paid off", in.in5Principal, s.principal60, "37(l)(1)(ii)");

    // The APR by Appendix J: the prepaid-interest days make the first period
    // longer than a month; insurance is paid until it ends by law.
    Charges charges;
    for (const std::vector<LecFee> *fees : {&in.a, &in.b, &in.c, &in.e, &in.h})
        addCharges(charges, *fees);
    charges.sure =
        AddCents(charges.sure, AddCents(prepaidInterest, centsOf(in.miPremium), kWhere), kWhere);
    const std::int64_t amountHigh = SubtractCents(loan, charges.sure, kWhere);
    const std::int64_t amountLow = SubtractCents(amountHigh, charges.uncertain, kWhere);
    if (amountLow <= 0)
        throw FloatError(FloatError::Kind::InvalidOp, std::string(kWhere) + ": amount financed");
    std::vector<double> stream = s.stream;
    for (std::int32_t k = 0; k < s.insured && k < std::int32_t(stream.size()); ++k)
        stream[std::size_t(k)] =
            FromCents(AddCents(centsOf(stream[std::size_t(k)]), miCents, kWhere));
    const double odd = in.prepaidDays / 30.0;
    r.aprLow = ActuarialApr(FromCents(amountHigh), stream, odd);
    r.aprHigh = charges.uncertain > 0 ? ActuarialApr(FromCents(amountLow), stream, odd) : r.aprLow;
    checkApr(ck, "Annual Percentage Rate (APR)", in.apr, r);

    // TIP: the interest of the term, prepaid interest included (comment 37(l)(3)-1).
    const std::int64_t interest = AddCents(s.interest, prepaidInterest, kWhere);
    const double tip = scope.check(FromCents(interest) / FromCents(loan) * 100, kWhere);
    checkTip(ck, "Total Interest Percentage (TIP)", in.tip, tip, "37(l)(3), comment 37(l)(3)-1");

    if (in.disclosure) {
        const LecDisclosure &cd = *in.disclosure;
        const std::int64_t insurance = miCents * s.insured;
        const std::int64_t fcLow =
            AddCents(AddCents(s.interest, insurance, kWhere), charges.sure, kWhere);
        checkTolerant(ck, "CD: Finance Charge", cd.financeCharge, fcLow,
                      AddCents(fcLow, charges.uncertain, kWhere), "38(o)(2), 18(d)(1)");
        const std::int64_t af = centsOf(cd.amountFinanced);
        ck.add("CD: Amount Financed", ArmDollars(af),
               range(ArmDollars(amountLow), ArmDollars(amountHigh)),
               af >= amountLow && af <= amountHigh ? LecVerdict::Ok : LecVerdict::CheckThis,
               "38(o)(3)");
        std::int64_t top = AddCents(loan, AddCents(s.interest, insurance, kWhere), kWhere);
        top = AddCents(top, d, kWhere);
        checkTolerant(ck, "CD: Total of Payments", cd.totalOfPayments, top, top,
                      "38(o)(1), 18(d)(1)");
        checkApr(ck, "CD: Annual Percentage Rate (APR)", cd.apr, r);
        checkTip(ck, "CD: Total Interest Percentage (TIP)", cd.tip, tip, "38(o)(5)");
    }
    return r;
}

} // namespace clvn

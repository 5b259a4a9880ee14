#pragma once

// What extra principal payments change: the same loan's schedule with and
// without them, compared as a borrower reads them (cents and payments).

#include "finance/MortLib.h"

#include <cstdint>
#include <vector>

namespace clvn {

// The number of payments a schedule lists: every row up to the one that
// repays the loan. A row after it shows neither principal nor a balance
// (both round to 0.00) and is not a payment. Rows are TMortgage's.
std::int32_t PaymentsMade(const std::vector<TPayment> &rows);

// Total interest of the listed payments in cents, a whole number (the last
// listed row's InterestToDate rounded to cents); 0 for an empty schedule.
// Held as a double: exact up to 2^53 cents, and no overflow beyond.
double TotalInterestCents(const std::vector<TPayment> &rows);

struct ExtraPaymentSavings
{
    // Interest of the schedule without extras minus that with them, in
    // whole cents; negative when the "extras" cost interest (negative amounts).
    double interestSavedCents = 0;
    // Payments without extras minus payments with them; negative when the
    // loan ends later.
    std::int32_t paymentsSooner = 0;
};

// Compares the schedule with extra payments to the same loan's without.
ExtraPaymentSavings CompareSchedules(const std::vector<TPayment> &withExtras,
                                     const std::vector<TPayment> &withoutExtras);

} // namespace clvn

// What reaches each one-page report from its real page: captions, values in their formats and
// the locale's, the refinancing and prepayment sentences.

#include "tests/reports/FakePages.h"

using namespace clvn;
using namespace clvn::report;
using namespace clvn::test;
using namespace Qt::StringLiterals;

class TestWorksheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { pinLocale(); }
    void figures_data();
    void figures();
};

void TestWorksheets::figures_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("fields"); // entered in order, see test::fill
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("labels"); // none: `texts` is a run of the page's texts
    QTest::addColumn<QStringList>("texts");
    const auto add = [](const char *row, const QString &page, const QString &fields,
                        const QString &values, const QString &labels, QString texts,
                        const QString &locale = u"en_US"_s) {
        if (locale == u"de_DE") // "$" stands for a space and the euro sign
            texts.replace(u"$"_s, u"\u00A0\u20AC"_s);
        QTest::newRow(row) << page << locale << split(fields) << split(values) << split(labels)
                           << split(texts);
    };
    // The closing-cost page's start: 20 % down on 146,000, 7 % over 30 years.
    add("closing costs", u"ECC"_s, {}, {},
        u"lblPQPandI|lblPQTotalDebt|lblTotalFundsToClose|lblPQTerm|lblPQHousingRatio|"
        u"lblPQDebtRatio"_s,
        u"$777.07|$1,407.07|$31,558.00|30|24%|35%"_s);
    add("closing costs: percents general-3 and -5", u"ECC"_s,
        u"edtEccDownPaymentPercent|edtEccInterest|edtEccOriginationPoints|edtEccDiscountPoints"_s,
        u"12.125|7.125|1.5|0.25"_s,
        u"lblPQDownPaymentPercent|lblPQInterest|lblPQOFee|lblPQPoints"_s,
        u"12.1%|7.125%|Origination Fee  1.5%|Discount Points  0.25%"_s);
    // $957.00 and $450.00 as shown, but the sum of 957.004 and 450.004 prints $1,407.01.
    add("closing costs: total debt at full precision", u"ECC"_s,
        u"edtEccCMonthlyPayment|edtEccDebt"_s, u"957.004|450.004"_s, u"lblPQTotalDebt"_s,
        u"$1,407.01"_s);
    add("closing costs: seller pays more than the funds", u"ECC"_s, u"edtSellerPaid"_s, u"32000"_s,
        u"lblBuyerPaidTotal"_s, u"($442.00)"_s);
    add("qualifier", u"MQ"_s, u"edtHousingRatio"_s, u"28"_s,
        u"lblHousingRatio|lblir1|lblterm2|lblMQLoan1"_s, u"28|7%|20|$142,792.19"_s);
    // Never calculated: the page's start values as they stand, under their captions.
    add("refinancing", u"RC"_s, {}, {}, {},
        u"Original Loan|Current Balance|$100,000.00|Term in Months|360|Interest Rate|8.75%|"
        u"Payments Made|0|Payment|$786.70|New Loan|New Balance|$100,000.00|Term in Months|240|"
        u"Interest Rate|7.25%|Closing Costs|$0.00|Payment|$790.38|Savings from Refinancing|"
        u"If you sell in 240 months, your new loan will save you money as indicated below.|"
        u"Payments Remaining on Original Loan|360|Months Until You Plan To Sell|240|"
        u"Monthly Payment Savings|($3.68)|Total Monthly Payment Savings|($882.14)|"
        u"Equity in Old Loan|$37,228.05|Equity in New Loan|$100,000.00|Total Equity Savings|"
        u"$62,771.95|TOTAL SAVED|$61,889.81"_s);
    // The sentence shows the months counted; the row shows the months typed.
    add("refinancing: sale after the new term", u"RC"_s,
        u"edtRefiClosingCosts|edtMonthsUntilSell|edtNewInterestRate"_s, u"1234.5|300|7.125"_s,
        u"qrlblWhenYouSell|qrEdtMonthsUntilSell|qrEdtNewInterestRate|qrEdtRefiClosingCosts"_s,
        u"If you sell in 240 months, your new loan will save you money as indicated below.|300|"
        u"7.125%|$1,234.50"_s);
    // The defaults' results: the same steps in 40-digit decimal arithmetic.
    add("rent vs buy: German figures", u"RVB"_s, u"edtRVBTerm"_s, u"5"_s, {},
        u"Current Monthly Rent:|950,00$|Estimated Annual Rent Increase Percentage:|3,5%|"
        u"Years Before You Will Move:|5|Total You Will Spend on Rent:|61.132,11$|"
        u"Cash Available for Downpayment:|5.000,00$|Estimated Annual Return if Invested:|4,5%|"
        u"Value of Investment:|6.258,98$|Interest Rate of Home Loan:|7%|"
        u"Term of Home Loan in Years:|30|"
        u"Price of Home You Can Afford at Your Current Rent Payment:|147.793,00$|"
        u"Personal Income Tax Rate % (Include Federal + State):|33%|"
        u"Annual Real Estate Tax Rate:|1,2%|Total of Interest Tax Deductions:|20.304,28$|"
        u"Property Appreciation Rate:|7%|Appreciation of Property:|57.481,24$|"
        u"Estimated Annual Home Maintenance Expenses:|500,00$|"
        u"Estimated Selling Costs as a Percentage of House Value:|7%|"
        u"Effective Gain of Owning:|8.870,38$|Actual Cost of Renting:|-59.873,13$|"
        u"Effective Gain of Owning vs. Renting:|68.743,51$"_s,
        u"de_DE"_s);
    add("rent vs buy: percents general-3", u"RVB"_s,
        u"edtRVBInterestRate|edtRVBPropertyAppreciation|edtRVBRentIncrease"_s, u"7.125|8.5|12.25"_s,
        u"lblRVBInterestRate|lblRVBPropertyAppreciation|lblRVBRentIncrease"_s,
        u"7.13%|8.5%|12.3%"_s);
    // The page's worked example: the stored loan, 100,000 at 8.75 % over 360.
    add("biweekly: German figures", u"BW"_s, u"EdtMortgagePeriods"_s, u"360"_s, {},
        u"Your Mortgage Variables|Loan Amount|100.000,00$|Interest Rate|8,75|Number of|Payments|"
        u"360|Your Monthly Payment Information|Monthly Payment|786,70$|Total Paid|283.212,00$|"
        u"Interest|Paid|183.212,00$|Your Biweekly Payment Information|Biweekly|Payment Amount|"
        u"393,35$|Total Paid|226.540,72$|Interest|Paid|126.540,72$|"
        u"Your Savings in Time and Interest by Making Biweekly Payments|Months Saved|94,19|"
        u"Years Saved|7,85|Interest|Saved|56.671,28$"_s,
        u"de_DE"_s);
    add("biweekly: months and years general-4", u"BW"_s, u"EdtTimeSavedMonths|EdtTimeSavedYears"_s,
        u"123.46|10.29"_s, u"lblMonths|lblYears"_s, u"123.5|10.29"_s);
    // Negative amounts take the locale's form: parentheses in the United States.
    add("seller's proceeds: loans above the price", u"HSP"_s,
        u"edtHSPFirstLoanBalance|edtHSPSecondLoanBalance|cbHSPClosingMonth|"
        u"edtHSPTransferTaxPercent"_s,
        u"90000|15000|11|1.250"_s, {},
        u"Before selling a home, the primary question for the seller is, \"What will I have when "
        u"the deal is complete?\"|This is an estimate of the Net Gain after the costs of selling "
        u"a home have been subtracted from the Sales Price.|What's the Net Gain After the Sale?|"
        u"House Sales Price:|$100,000.00|First Loan Balance:|$90,000.00|Second Loan Balance:|"
        u"$15,000.00|Other Loans:|$0.00|Estimated Closing Month:|December|"
        u"Annual Property Taxes:|$580.00|Property Taxes Paid:|$580.00|Transfer Taxes:|1.25%|"
        u"Transfer Taxes Paid:|$1,250.00|Sales Commission:|$5,000.00|Other Sales Commission:|"
        u"$0.00|Other Fees:|$750.00|COSTS:|$113,580.00|NET GAIN:|($13,580.00)"_s);
    // A general-10 percent: ten significant digits at most.
    add("seller's proceeds: percent general-10", u"HSP"_s,
        u"edtHSPOtherFees|edtHSPTransferTaxPercent"_s, u"0.5|1.125"_s,
        u"qrlblTransferTaxes|qrlblOtherFees|qrlblNetGain"_s, u"1.125%|$0.50|$92,536.17"_s);
    // The prepayment page's figures: an independent Python schedule (see the page's tests).
    // Each row chooses again at its end: the report describes what was calculated.
    const QString range = u"rbtnRangePmts|edtPPCFromPmt|edtPPCToPmt|edtPPCInterest|rbtnOnePmt"_s;
    add("prepayment: German figures", u"PPC"_s, range, u"|12|24|8.75|"_s, {},
        u"Based upon your prepayment amount of |100,00$, applied to payments 12 through 24,|"
        u"your mortgage details will be changed as indicated below.|Loan Information|"
        u"Amount Borrowed|100.000,00$|Interest Rate|8,750%|Term in Months|360|"
        u"Annual Property Taxes|1.200,00$|Annual Insurance|580,00$|Annual PMI Premiums|600,00$|"
        u"Monthly Payment (P&I)|786,70$|Regular Payment Amount|with Taxes and Insurance|"
        u"985,03$|Total Interest Paid Over Term|183.212,97$|Total Interest and Principal|"
        u"283.212,97$|Prepayment Results|New Monthly Payment|886,70$|New Payment Amount|"
        u"with Taxes and Insurance|1.085,03$|New Interest Over Term|169.887,56$|"
        u"Total Interest and Principal|269.887,56$|New Term in Months|342|"
        u"Amount Saved by Prepaying|13.325,41$"_s,
        u"de_DE"_s);
    add("prepayment: range", u"PPC"_s, range, u"|12|24|8.75|"_s, u"qrlblPrepayDetails"_s,
        u"$100.00, applied to payments 12 through 24,"_s);
    add("prepayment: all payments, rate 8.5", u"PPC"_s,
        u"rbtnAllPmts|edtPPCInterest|rbtnRangePmts"_s, u"|8.5|"_s,
        u"qrlblPrepayDetails|qrlblInterestRate"_s, u"$100.00, applied to all payments,|8.500%"_s);
    add("prepayment: single payment", u"PPC"_s,
        u"rbtnOnePmt|edtPPCFromPmt|edtPPCExtraAmount|rbtnAllPmts"_s, u"|1|99000|"_s,
        u"qrlblPrepayDetails|qrlblNewTerm"_s, u"$99,000.00, applied to payment 1,|3"_s);
    // A range that ends before it starts pays its first payment alone.
    add("prepayment: range ending before it starts", u"PPC"_s, range, u"|24|12|8.75|"_s,
        u"qrlblPrepayDetails"_s, u"$100.00, applied to payment 24,"_s);
    // No extra applied: the sentence says so and why, never another choice. The page refuses
    // to leave a payment number outside the schedule; another page's choice can bring one.
    const QString none = u"qrlblPrepayDetails|qrlblSavings"_s;
    add("prepayment: before any calculation", u"PPC"_s, u"rbtnRangePmts|rbtnAllPmts"_s, u"|"_s,
        none, u"$0.00, since no prepayment has been calculated,|$0.00"_s);
    add("prepayment: after reset", u"PPC"_s, u"rbtnOnePmt|edtPPCFromPmt|edtPPCInterest|Reset"_s,
        u"|12|8.75|"_s, none, u"$0.00, since no prepayment has been calculated,|$0.00"_s);
    add("prepayment: after clear", u"PPC"_s, u"rbtnAllPmts|edtPPCInterest|btnPPCClear"_s,
        u"|8.75|"_s, none, u"$0.00, since the prepayments were cleared,|$0.00"_s);
    add("prepayment: no payment 0", u"PPC"_s, u"rbtnOnePmt|edtPPCFromPmt|edtPPCInterest"_s,
        u"|=0|8.75"_s, none, u"$0.00, since there is no payment 0,|$0.00"_s);
    add("prepayment: payment past the last", u"PPC"_s, u"rbtnOnePmt|edtPPCFromPmt|edtPPCInterest"_s,
        u"|=361|8.75"_s, none, u"$0.00, since payment 361 is past the last payment (360),|$0.00"_s);
    add("prepayment: range starting past the last", u"PPC"_s, range, u"|=400|=500|8.75|"_s, none,
        u"$0.00, since the range starts at payment 400, past the last payment (360),|$0.00"_s);
    add("prepayment: range starting at 0", u"PPC"_s, range, u"|=0|=12|8.75|"_s, none,
        u"$0.00, since the range starts at payment 0, which does not exist,|$0.00"_s);
}

void TestWorksheets::figures()
{
    QFETCH(QString, page);
    QFETCH(QString, locale);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, values);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, texts);
    QLocale::setDefault(QLocale(locale));
    FakeHost host;
    const auto real = realPage(host, page);
    const MessageBoxCatcher boxes; // a payment number outside the schedule is reported
    fill(real.get(), fields, values);
    Printer printer;
    const PreparedPage &p = printer.print(real.get());
    const QStringList all = p.texts(); // in drawing order
    QCOMPARE(labels.isEmpty() ? all.mid(all.indexOf(texts[0]), texts.size())
                              : Printer::texts(p, labels),
             texts);
    if (page == u"PPC") { // the details follow the opening words on their line
        const PageItem *opening = p.findText(u"Based upon your prepayment amount of "_s);
        const PageItem *details = p.findText(p.textOf(u"qrlblPrepayDetails"_s));
        QVERIFY(opening && details && qAbs(details->rect.left() - opening->rect.right()) < 1);
        QCOMPARE(details->rect.top(), opening->rect.top());
    }
}

QTEST_MAIN(TestWorksheets)
#include "tst_worksheets.moc"

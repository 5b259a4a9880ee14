#include "reports/Qrcalc.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/ValueFormats.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

QString suffixed(const char *stem, int n)
{
    return QString::fromLatin1(stem) + QString::number(n);
}

} // namespace

TQRCalcs::TQRCalcs() : m_rep(QStringLiteral("QRCalcs"))
{
    // Calculation reports are one short page: no progress window.
    m_rep.setShowProgress(false);
    addTitleBand(m_rep, QString());
    buildBandMQ();
    buildBandBW();
    buildBandRefi();
    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { RepBeforePrint(); };
}

void TQRCalcs::RepBeforePrint()
{
    fillFooter(m_rep);
}

bool TQRCalcs::setKind(Kind kind)
{
    ReportBand *mq = m_rep.band(QStringLiteral("BandMQ"));
    mq->setEnabled(kind == Kind::MortgageQualifier);
    m_rep.band(QStringLiteral("BandBW"))->setEnabled(kind == Kind::Biweekly);
    m_rep.band(QStringLiteral("BandRefi"))->setEnabled(kind == Kind::Refinancing);
    return kind == Kind::MortgageQualifier || kind == Kind::Biweekly || kind == Kind::Refinancing;
}

void TQRCalcs::buildBandMQ()
{
    const qreal w = m_rep.contentWidth();
    ReportBand *band = m_rep.addBand(BandKind::Detail, QStringLiteral("BandMQ"), 330);
    const QFont heading = reportFont(px(16), true);
    const QFont bold = reportFont(px(12), true);
    const QFont plain = reportFont(px(12));
    const QFont statement = reportFont(px(15), true);

    band->addLabel(QStringLiteral("QRLabelVariables"),
                   QStringLiteral("Your Personal Financial Variables"), QRectF(0, 6, w, 18),
                   heading, Qt::AlignHCenter);

    // Five money columns after the row captions; headings sit on a common
    // bottom line.
    const qreal captionWidth = 90;
    const qreal col = (w - captionWidth) / 5;
    const QList<QStringList> headings{
        {QStringLiteral("Monthly"), QStringLiteral("Income")},
        {QStringLiteral("Other"), QStringLiteral("Monthly"), QStringLiteral("Income")},
        {QStringLiteral("Monthly"), QStringLiteral("Minimum Due"),
         QStringLiteral("On Credit Cards")},
        {QStringLiteral("Monthly"), QStringLiteral("Auto"), QStringLiteral("Payment(s)")},
        {QStringLiteral("Monthly Student"), QStringLiteral("Loans / Other"),
         QStringLiteral("Notes Payable")},
    };
    const qreal lineStep = 11.5;
    const qreal headingBottom = 30 + 3 * lineStep;
    for (int c = 0; c < 5; ++c) {
        const QStringList &lines = headings[c];
        qreal y = headingBottom - lines.size() * lineStep;
        for (int i = 0; i < lines.size(); ++i, y += lineStep) {
            band->addLabel(QStringLiteral("QRLabelHeading%1_%2").arg(c + 1).arg(i + 1), lines[i],
                           QRectF(captionWidth + c * col, y, col, lineStep), bold,
                           Qt::AlignHCenter);
        }
    }
    band->addHLine(QStringLiteral("QRShapeHeadings"), headingBottom + 3, 0, w);
    const char *stems[] = {"lblIncome", "lblOIncome", "lblCards", "lblAuto", "lblNotes"};
    const QString rowCaptions[] = {QStringLiteral("Borrower"), QStringLiteral("Co-Borrower")};
    for (int r = 0; r < 2; ++r) {
        const qreal y = headingBottom + 7 + r * 15;
        band->addLabel(QStringLiteral("QRLabelRow%1").arg(r + 1), rowCaptions[r],
                       QRectF(0, y, captionWidth, 14), bold);
        for (int c = 0; c < 5; ++c) {
            band->addLabel(suffixed(stems[c], r + 1), QString(),
                           QRectF(captionWidth + c * col, y, col - 14, 14), plain, Qt::AlignRight);
        }
    }

    qreal y = headingBottom + 48;
    band->addLabel(QStringLiteral("QRLabelCash"),
                   QStringLiteral("Cash Available for Down Payment:"), QRectF(0, y, w / 2 + 40, 14),
                   bold, Qt::AlignRight);
    band->addLabel(QStringLiteral("lblDownpayment"), QString(), QRectF(w / 2 + 46, y, 90, 14),
                   plain, Qt::AlignHCenter);

    y += 26;
    const QString sentence[] = {
        QStringLiteral("Based upon your personal financial variables and the"),
        QStringLiteral("mortgage variables you have entered, you meet the"),
        QStringLiteral("criteria to qualify for monthly payments and/or loan amounts"),
        QStringLiteral("as indicated below."),
    };
    int n = 0;
    for (const QString &line : sentence) {
        band->addLabel(QStringLiteral("QRLabelStatement%1").arg(++n), line, QRectF(0, y, w, 15),
                       statement, Qt::AlignHCenter);
        y += 15;
    }
    band->addHLine(QStringLiteral("QRShapeStatement"), y + 5, 0, w);

    // Ratios: captions right-aligned against two value columns.
    y += 14;
    const qreal ratioCaptionRight = 250;
    const qreal ratioCol = 80;
    band->addLabel(QStringLiteral("QRLabelHousing"), QStringLiteral("Housing"),
                   QRectF(ratioCaptionRight + 10, y, ratioCol, 14), bold, Qt::AlignRight);
    band->addLabel(QStringLiteral("QRLabelDebt"), QStringLiteral("Debt"),
                   QRectF(ratioCaptionRight + 10 + ratioCol, y, ratioCol, 14), bold,
                   Qt::AlignRight);
    const QString ratioRows[][3] = {
        {QStringLiteral("Qualifying Ratios:"), QStringLiteral("lblHousingRatio"),
         QStringLiteral("lblDebtRatio")},
        {QStringLiteral("Your Ratios:"), QStringLiteral("lblYourHousingRatio"),
         QStringLiteral("lblYourDebtRatio")},
    };
    n = 0;
    for (const auto &row : ratioRows) {
        y += 15;
        band->addLabel(QStringLiteral("QRLabelRatios%1").arg(++n), row[0],
                       QRectF(0, y, ratioCaptionRight, 14), bold, Qt::AlignRight);
        band->addLabel(row[1], QString(), QRectF(ratioCaptionRight + 10, y, ratioCol, 14), plain,
                       Qt::AlignRight);
        band->addLabel(row[2], QString(),
                       QRectF(ratioCaptionRight + 10 + ratioCol, y, ratioCol, 14), plain,
                       Qt::AlignRight);
    }

    // Results: one row per scenario.
    y += 30;
    const qreal rc = w / 5;
    const QList<QStringList> resultHeadings{
        {QStringLiteral("Interest Rate")},
        {QStringLiteral("Term in Years")},
        {QStringLiteral("Monthly"), QStringLiteral("Payment")},
        {QStringLiteral("Loan Amount")},
        {QStringLiteral("Purchase Price")},
    };
    for (int c = 0; c < 5; ++c) {
        const QStringList &lines = resultHeadings[c];
        qreal hy = y + (2 - lines.size()) * lineStep;
        for (int i = 0; i < lines.size(); ++i, hy += lineStep) {
            band->addLabel(QStringLiteral("QRLabelResult%1_%2").arg(c + 1).arg(i + 1), lines[i],
                           QRectF(c * rc, hy, rc, lineStep), bold, Qt::AlignHCenter);
        }
    }
    y += 2 * lineStep + 6;
    for (int r = 1; r <= 3; ++r) {
        band->addLabel(suffixed("lblir", r), QString(), QRectF(0, y, rc, 14), plain,
                       Qt::AlignHCenter);
        band->addLabel(suffixed("lblterm", r), QString(), QRectF(rc, y, rc, 14), plain,
                       Qt::AlignHCenter);
        band->addLabel(suffixed("lblMQPayment", r), QString(), QRectF(2 * rc, y, rc, 14), plain,
                       Qt::AlignHCenter);
        band->addLabel(suffixed("lblMQLoan", r), QString(), QRectF(3 * rc, y, rc - 16, 14), plain,
                       Qt::AlignRight);
        band->addLabel(suffixed("lblMQPurchasePrice", r), QString(), QRectF(4 * rc, y, rc - 16, 14),
                       plain, Qt::AlignRight);
        y += 15;
    }
    band->setHeight(y + 10);
}

void TQRCalcs::fillMQ(const QWidget *page)
{
    auto value = [page](const QString &field) { return fieldValue(page, field); };
    auto money = [&](const QString &label, const QString &field) {
        m_rep.setText(label, fmt::currency(value(field)));
    };
    const char *stems[] = {"Income", "OIncome", "Cards", "Auto", "Notes"};
    for (int r = 1; r <= 2; ++r) {
        for (const char *stem : stems) {
            money(QStringLiteral("lbl") + QString::fromLatin1(stem) + QString::number(r),
                  QStringLiteral("edt") + QString::fromLatin1(stem) + QString::number(r));
        }
    }
    money(QStringLiteral("lblDownpayment"), QStringLiteral("edtMQDownPayment"));
    m_rep.setText(QStringLiteral("lblHousingRatio"),
                  fmt::general(value(QStringLiteral("edtHousingRatio"))));
    m_rep.setText(QStringLiteral("lblDebtRatio"),
                  fmt::general(value(QStringLiteral("edtDebtRatio"))));
    m_rep.setText(QStringLiteral("lblYourHousingRatio"),
                  fmt::general(value(QStringLiteral("edtCalculatedHousingRatio"))));
    m_rep.setText(QStringLiteral("lblYourDebtRatio"),
                  fmt::general(value(QStringLiteral("edtCalculatedDebtRatio"))));
    for (int r = 1; r <= 3; ++r) {
        m_rep.setText(suffixed("lblir", r),
                      fmt::percent(fmt::general(value(suffixed("edtMQir", r)))));
        m_rep.setText(suffixed("lblterm", r), fmt::general(value(suffixed("edtMQTerm", r))));
        money(suffixed("lblMQPayment", r), suffixed("edtMQPayment", r));
        money(suffixed("lblMQLoan", r), suffixed("edtMQLoan", r));
        money(suffixed("lblMQPurchasePrice", r), suffixed("edtMQPurchasePrice", r));
    }
}

void TQRCalcs::buildBandBW()
{
    const qreal w = m_rep.contentWidth();
    ReportBand *band = m_rep.addBand(BandKind::Detail, QStringLiteral("BandBW"), 330);
    const QFont heading = reportFont(px(16), true);
    const QFont columnHeading = reportFont(px(13), true);
    const QFont plain = reportFont(px(12));
    const qreal lineStep = lineHeight(columnHeading);
    const qreal col = w / 3;
    const qreal valueWidth = px(100);

    struct Section
    {
        const char16_t *name;
        const char16_t *heading;
        QStringList columns[3]; // each heading's lines
        const char16_t *values[3];
    };
    const Section sections[] = {
        {u"QRLabelVariables",
         u"Your Mortgage Variables",
         {{QStringLiteral("Loan Amount")},
          {QStringLiteral("Interest Rate")},
          {QStringLiteral("Number of"), QStringLiteral("Payments")}},
         {u"lblLA", u"lblIR", u"lblNP"}},
        {u"QRLabelMonthly",
         u"Your Monthly Payment Information",
         {{QStringLiteral("Monthly Payment")},
          {QStringLiteral("Total Paid")},
          {QStringLiteral("Interest"), QStringLiteral("Paid")}},
         {u"lblMP", u"lblTP", u"lblIP"}},
        {u"QRLabelBiweekly",
         u"Your Biweekly Payment Information",
         {{QStringLiteral("Biweekly"), QStringLiteral("Payment Amount")},
          {QStringLiteral("Total Paid")},
          {QStringLiteral("Interest"), QStringLiteral("Paid")}},
         {u"lblBWP", u"lblBWTP", u"lblBWIP"}},
        {u"QRLabelSavings",
         u"Your Savings in Time and Interest by Making Biweekly Payments",
         {{QStringLiteral("Months Saved")},
          {QStringLiteral("Years Saved")},
          {QStringLiteral("Interest"), QStringLiteral("Saved")}},
         {u"lblMonths", u"lblYears", u"lblInterest"}},
    };
    qreal y = 10;
    for (const Section &s : sections) {
        const QString stem = QString::fromUtf16(s.name);
        band->addLabel(stem, QString::fromUtf16(s.heading), QRectF(0, y, w, 18), heading,
                       Qt::AlignHCenter);
        // Column headings of one or two lines sit on a common bottom line.
        const qreal headingBottom = y + 24 + 2 * lineStep;
        for (int c = 0; c < 3; ++c) {
            const QStringList &lines = s.columns[c];
            qreal hy = headingBottom - lines.size() * lineStep;
            for (int i = 0; i < lines.size(); ++i, hy += lineStep)
                band->addLabel(stem + QStringLiteral("_%1_%2").arg(c + 1).arg(i + 1), lines[i],
                               QRectF(c * col, hy, col, lineStep), columnHeading, Qt::AlignHCenter);
            band->addLabel(
                QString::fromUtf16(s.values[c]), QString(),
                QRectF(c * col + (col - valueWidth) / 2, headingBottom + 4, valueWidth, 14), plain,
                Qt::AlignHCenter);
        }
        y = headingBottom + 40;
    }
    band->setHeight(y);
}

void TQRCalcs::fillBW(const QWidget *page)
{
    auto value = [page](const char *field) { return fieldValue(page, QLatin1String(field)); };
    auto set = [this](const char *label, const QString &text) {
        m_rep.setText(QLatin1String(label), text);
    };
    set("lblLA", fmt::currency(value("edtMortgageAmount")));
    set("lblIR", fmt::general(value("EdtMortgageInterest")));
    set("lblNP", fmt::general(value("EdtMortgagePeriods")));
    set("lblMP", fmt::currency(value("edtMortgagePayments")));
    set("lblTP", fmt::currency(value("edtMortgageTotalPaid")));
    set("lblIP", fmt::currency(value("edtMortgageCostOfLoan")));
    set("lblBWP", fmt::currency(value("edtMortgageHalfPayments")));
    set("lblBWTP", fmt::currency(value("edtMortgageHalfTotalPaid")));
    set("lblBWIP", fmt::currency(value("edtMortgageHalfCostOfLoan")));
    set("lblMonths", fmt::general(value("EdtTimeSavedMonths"), 4));
    set("lblYears", fmt::general(value("EdtTimeSavedYears"), 4));
    set("lblInterest", fmt::currency(value("edtInterestSaved")));
}

namespace {

struct RefiRow
{
    const char16_t *caption;
    const char16_t *label;
    const char16_t *field;
    bool money; // currency, else general
};

// The savings rows under the sentence, top to bottom.
constexpr RefiRow kRefiRows[] = {
    {u"Payments Remaining on Original Loan", u"qrEdtOldPaymentsRemaining",
     u"edtOldPaymentsRemaining", false},
    {u"Months Until You Plan To Sell", u"qrEdtMonthsUntilSell", u"edtMonthsUntilSell", false},
    {u"Monthly Payment Savings", u"qrEdtPaymentSaved", u"edtPaymentSaved", true},
    {u"Total Monthly Payment Savings", u"qrEdtTotalPaymentSaved", u"edtTotalPaymentSaved", true},
    {u"Equity in Old Loan", u"qrEdtOldReduction", u"edtOldEquity", true},
    {u"Equity in New Loan", u"qrEdtNewReduction", u"edtNewEquity", true},
    {u"Total Equity Savings", u"qrEdtReductionSavings", u"edtEquitySavings", true},
    {u"TOTAL SAVED", u"qrEdtTotalSaved", u"edtTotalSaved", true},
};

enum class Form
{
    Currency,
    General,
    PercentGeneral
};

struct LoanColumn
{
    const char16_t *heading;
    const char16_t *label;
    const char16_t *field;
    Form form;
};

constexpr LoanColumn kOldLoan[] = {
    {u"Current Balance", u"qrEdtOldLoan", u"edtOldLoan", Form::Currency},
    {u"Term in Months", u"qrEdtOldTerm", u"edtOldTerm", Form::General},
    {u"Interest Rate", u"qrEdtOldInterestRate", u"edtOldInterestRate", Form::PercentGeneral},
    {u"Payments Made", u"qrEdtOldPaymentsMade", u"edtOldPaymentsMade", Form::General},
    {u"Payment", u"qrEdtOldPayment", u"edtOldPayment", Form::Currency},
};

constexpr LoanColumn kNewLoan[] = {
    {u"New Balance", u"qrEdtNewLoan", u"edtNewLoan", Form::Currency},
    {u"Term in Months", u"qrEdtNewTerm", u"edtNewTerm", Form::General},
    {u"Interest Rate", u"qrEdtNewInterestRate", u"edtNewInterestRate", Form::PercentGeneral},
    {u"Closing Costs", u"qrEdtRefiClosingCosts", u"edtRefiClosingCosts", Form::Currency},
    {u"Payment", u"qrEdtNewPayment", u"edtNewPayment", Form::Currency},
};

QString u16(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

void TQRCalcs::buildBandRefi()
{
    const qreal w = m_rep.contentWidth();
    ReportBand *band = m_rep.addBand(BandKind::Detail, QStringLiteral("BandRefi"), 400);
    band->setEnabled(false);
    const QFont heading = reportFont(px(16), true);
    const QFont bold = reportFont(px(12), true);
    const QFont plain = reportFont(px(12));
    const qreal col = w / 5;

    qreal y = 6;
    const auto loanSection = [&](const QString &name, const QString &title,
                                 const LoanColumn(&columns)[5]) {
        band->addLabel(name, title, QRectF(0, y, w, 18), heading, Qt::AlignHCenter);
        y += 26;
        for (int c = 0; c < 5; ++c) {
            band->addLabel(name + QStringLiteral("Heading%1").arg(c + 1), u16(columns[c].heading),
                           QRectF(c * col, y, col, 14), bold, Qt::AlignHCenter);
            band->addLabel(u16(columns[c].label), QString(), QRectF(c * col, y + 17, col, 14),
                           plain, Qt::AlignHCenter);
        }
        y += 46;
    };
    loanSection(QStringLiteral("QRLabelOriginalLoan"), QStringLiteral("Original Loan"), kOldLoan);
    loanSection(QStringLiteral("QRLabelNewLoan"), QStringLiteral("New Loan"), kNewLoan);

    band->addLabel(QStringLiteral("QRLabelSavings"), QStringLiteral("Savings from Refinancing"),
                   QRectF(0, y, w, 18), heading, Qt::AlignHCenter);
    y += 24;
    band->addLabel(QStringLiteral("qrlblWhenYouSell"), QString(), QRectF(0, y, w, 15), plain,
                   Qt::AlignHCenter);
    y += 28;
    const qreal captionRight = w / 2 + 40;
    int n = 0;
    for (const RefiRow &row : kRefiRows) {
        band->addLabel(QStringLiteral("QRLabelRefiRow%1").arg(++n), u16(row.caption),
                       QRectF(0, y, captionRight, 14), bold, Qt::AlignRight);
        band->addLabel(u16(row.label), QString(), QRectF(captionRight + 10, y, 110, 14), plain,
                       Qt::AlignRight);
        y += 18;
    }
    band->setHeight(y + 10);
}

void TQRCalcs::fillRefi(const QWidget *page)
{
    const auto *sell = qobject_cast<const QLabel *>(pageWidget(page, QStringLiteral("lblSell")));
    if (!sell)
        throw std::runtime_error("the refinancing page has no sentence lblSell");
    const auto shown = [&](const char16_t *field, Form form) {
        const double v = fieldValue(page, u16(field));
        switch (form) {
        case Form::Currency:
            return fmt::currency(v);
        case Form::General:
            return fmt::general(v);
        case Form::PercentGeneral:
            break;
        }
        return fmt::percent(fmt::general(v));
    };
    // Every value is read before any label changes: a field that does not
    // read leaves the report as it was.
    QList<std::pair<QString, QString>> texts;
    for (const auto *columns : {kOldLoan, kNewLoan})
        for (int c = 0; c < 5; ++c)
            texts.append({u16(columns[c].label), shown(columns[c].field, columns[c].form)});
    for (const RefiRow &row : kRefiRows)
        texts.append(
            {u16(row.label), shown(row.field, row.money ? Form::Currency : Form::General)});
    texts.append(
        {QStringLiteral("qrlblWhenYouSell"),
         sell->text() + QStringLiteral(" your new loan will save you money as indicated below.")});
    for (const auto &[label, text] : texts)
        m_rep.setText(label, text);
}

} // namespace clvn

#include "calculators/CmpPage.h"

#include "calculators/CalculatorHost.h"
#include "calculators/CompareChart.h"
#include "calculators/PageControls.h"
#include "calculators/StateFields.h"
#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "state/SettingsFile.h"
#include "widgets/ExtraRoom.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <type_traits>
#include <utility>

namespace clvn {

const QString CmpPage::SettingsSection = QStringLiteral("Loan Offers");
const QString CmpPage::HomeValueMessage =
    QStringLiteral("Mortgage insurance needs the home value to know when it ends.\n\r"
                   "Please enter the home value, the lower of the purchase price and the "
                   "appraised value,\n\ras an amount above 0.");

namespace {

// Pixel grid of the page: a caption column, then one column per offer.
constexpr int CaptionX = 4, CaptionW = 150, ColumnX = 158, ColumnStep = 102, FieldW = 98;
constexpr int InputTop = 56, InputStep = 25;
constexpr int GridTop = InputTop + 8 * InputStep + 6, GridRowH = 19, GridHeaderH = 20;
constexpr int GridH = GridHeaderH + CmpPage::RowCount * GridRowH + 2;
// Room for the sentences of six pairs and the insurance note.
constexpr int SentencesTop = GridTop + GridH + 8, SentencesH = 112;
constexpr int ChartTop = SentencesTop + SentencesH + 6, ChartH = 240;
constexpr int ContentW = 566, ContentH = ChartTop + ChartH + 6;

// One offer as the page starts and as Reset puts it back: the first two
// show, the others wait behind Add Offer.
struct StartOffer
{
    double loan, rate, term, points, fees, other, insurance;
};
constexpr StartOffer kStart[CmpPage::MaxOffers] = {
    {300000, 6.875, 360, 0, 1500, 2000, 0},
    {300000, 6.5, 360, 1.5, 1200, 2000, 0},
    {285000, 6.75, 360, 0, 1000, 2000, 95},
    {300000, 6.25, 360, 2.5, 0, 2000, 0},
};
constexpr double kStartHomeValue = 320000;

// The grid's caption column, its frame and `offers` columns.
int gridWidth(int offers)
{
    return ColumnX - CaptionX - 2 + offers * ColumnStep;
}

QString letter(int index)
{
    return QString(QChar(u'A' + index));
}

// Decimals each row is shown with, and whether a larger figure is the better one.
struct RowForm
{
    int decimals;
    bool percent;
    bool higherIsBetter;
};
constexpr RowForm kRowForms[CmpPage::RowCount] = {
    {2, false, false}, {2, false, false}, {3, true, false},  {2, false, false},
    {2, false, true},  {2, false, false}, {3, true, false},  {2, false, false},
    {2, false, true},  {2, false, false}, {0, false, false},
};

double figure(const LoanOfferResults &r, int row)
{
    switch (row) {
    case CmpPage::Payment:
        return r.payment;
    case CmpPage::FinalPayment:
        return r.finalPayment;
    case CmpPage::Apr:
        return r.apr;
    case CmpPage::FinanceCharge:
        return r.financeCharge;
    case CmpPage::AmountFinanced:
        return r.amountFinanced;
    case CmpPage::TotalOfPayments:
        return r.totalOfPayments;
    case CmpPage::TotalInterestPercent:
        return r.totalInterestPercent;
    case CmpPage::FiveYearTotal:
        return r.fiveYearTotal;
    case CmpPage::FiveYearPrincipal:
        return r.fiveYearPrincipal;
    case CmpPage::CashAtClosing:
        return r.cashAtClosing;
    default:
        return double(r.insuredPayments);
    }
}

QString cellText(double v, int row)
{
    const RowForm &form = kRowForms[row];
    if (form.percent)
        return formatFixed(v, 15, form.decimals) + u'%';
    if (row == CmpPage::InsuredPayments)
        return QString::number(qint64(v));
    return formatCurrency(v, 10, form.decimals);
}

} // namespace

CmpPage::CmpPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("CMP"), parent)
{
    // Four offers, their results, the sentences and the chart are more than
    // the page's height: they scroll, the inputs first.
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrCompare"));
    m_scroll->setGeometry(0, 0, 587, 380);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("pnlCompare"));
    // A larger window shows more of the panel at once and widens its chart.
    auto *pageRoom = new ExtraRoom(this, QSize(587, 380));
    auto *panelRoom = new ExtraRoom(panel, QSize(ContentW, ContentH));
    buildInputs(panel);
    buildResults(panel);
    m_scroll->setWidget(panel);
    pageRoom->grow(m_scroll).grow(panel, 1, 0);
    panelRoom->grow(m_chtCompare, 1, 0).grow(m_lblCmpBreakEven, 1, 0);
    putStartValues();
    bindHandlers();
}

const QStringList &CmpPage::rowCaptions()
{
    static const QStringList captions = {
        QStringLiteral("Monthly Principal & Interest"),
        QStringLiteral("Final Payment"),
        QStringLiteral("APR"),
        QStringLiteral("Finance Charge"),
        QStringLiteral("Amount Financed"),
        QStringLiteral("Total of Payments"),
        QStringLiteral("Total Interest Percentage"),
        QStringLiteral("Paid in Five Years"),
        QStringLiteral("Principal Paid in Five Years"),
        QStringLiteral("Cash for the Loan at Closing"),
        QStringLiteral("Payments with Insurance"),
    };
    return captions;
}

QString CmpPage::breakEvenSentence(const QString &costlier, double extraAtClosing, qint64 payment,
                                   qint64 within, const QString &cheaper)
{
    const QString pays =
        payment > 0 ? QStringLiteral("pays for itself after payment %1").arg(payment)
                    : QStringLiteral("does not pay for itself within %1 payments").arg(within);
    // With two offers "more" can only mean more than the other one; with three
    // or four the sentence has to say which.
    const QString than = cheaper.isEmpty() ? QString() : QStringLiteral(" than ") + cheaper;
    return QStringLiteral("%1 costs %2 more at closing%3 and %4.")
        .arg(costlier, formatCurrency(extraAtClosing, 10, 2), than, pays);
}

QString CmpPage::noInsuranceSentence(const QStringList &offers)
{
    const QString names = offers.size() < 2
                              ? offers.value(0)
                              : offers.first(offers.size() - 1).join(QStringLiteral(", ")) +
                                    QStringLiteral(" and ") + offers.last();
    return QStringLiteral("No mortgage insurance is charged on %1: %2 at or below 80% of the "
                          "home value.")
        .arg(names,
             offers.size() < 2 ? QStringLiteral("its loan is") : QStringLiteral("each loan is"));
}

void CmpPage::buildInputs(QWidget *panel)
{
    addLabel(panel, QStringLiteral("Home Value (all offers)"),
             QRect(CaptionX, 6, CaptionW, FieldHeight));
    m_edtCmpHomeValue = addMoney(panel, QStringLiteral("edtCmpHomeValue"),
                                 QRect(ColumnX, 6, FieldW, FieldHeight), kStartHomeValue);
    m_btnCmpAddOffer =
        addButton(panel, QStringLiteral("btnCmpAddOffer"), QStringLiteral("&Add Offer"),
                  QStringLiteral("Add a column for another offer"),
                  QRect(ColumnX + 2 * ColumnStep, 4, FieldW, 25));
    m_btnCmpRemoveOffer =
        addButton(panel, QStringLiteral("btnCmpRemoveOffer"), QStringLiteral("&Remove Offer"),
                  QStringLiteral("Remove the last offer's column"),
                  QRect(ColumnX + 3 * ColumnStep, 4, FieldW, 25));

    const QString captions[] = {
        QStringLiteral("Lender"),
        QStringLiteral("Loan Amount"),
        QStringLiteral("Note Rate (%)"),
        QStringLiteral("Term in Months"),
        QStringLiteral("Points (% of loan)"),
        QStringLiteral("Lender Fees"),
        QStringLiteral("Other Loan Costs"),
        QStringLiteral("Mortgage Insurance / Month"),
    };
    for (int row = 0; row < 8; ++row)
        addLabel(panel, captions[row],
                 QRect(CaptionX, InputTop + row * InputStep, CaptionW, FieldHeight));
    for (int k = 0; k < MaxOffers; ++k) {
        Column &c = m_columns[std::size_t(k)];
        const int x = ColumnX + k * ColumnStep;
        const QString n = QString::number(k + 1);
        auto at = [&](int row) {
            return QRect(x, InputTop + row * InputStep, FieldW, FieldHeight);
        };
        c.heading = addHeading(panel, QStringLiteral("Offer ") + letter(k),
                               QRect(x, InputTop - 20, FieldW, 18), Qt::AlignCenter);
        c.lender = new QLineEdit(panel);
        c.lender->setObjectName(QStringLiteral("edtCmpLender") + n);
        c.lender->setGeometry(at(0));
        c.lender->setMaxLength(40);
        c.lender->setPlaceholderText(QStringLiteral("Offer ") + letter(k));
        c.loan = addMoney(panel, QStringLiteral("edtCmpLoan") + n, at(1), 0);
        c.rate = addNumber(panel, QStringLiteral("edtCmpRate") + n, at(2), 3, 0);
        c.term = addNumber(panel, QStringLiteral("edtCmpTerm") + n, at(3), 0, 0);
        c.points = addNumber(panel, QStringLiteral("edtCmpPoints") + n, at(4), 3, 0);
        c.fees = addMoney(panel, QStringLiteral("edtCmpFees") + n, at(5), 0);
        c.other = addMoney(panel, QStringLiteral("edtCmpOther") + n, at(6), 0);
        c.insurance = addMoney(panel, QStringLiteral("edtCmpMI") + n, at(7), 0);
        // Four fields share each caption: a screen reader says whose it is.
        QWidget *const fields[] = {c.lender, c.loan, c.rate,  c.term,
                                   c.points, c.fees, c.other, c.insurance};
        for (int row = 0; row < 8; ++row)
            fields[row]->setAccessibleName(captions[row] + QStringLiteral(" Offer ") + letter(k));
    }
    // Tab walks each offer down its column before the next.
    QWidget *previous = m_edtCmpHomeValue;
    for (const Column &c : m_columns) {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 c.lender, c.loan, c.rate, c.term, c.points, c.fees, c.other, c.insurance}) {
            setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, m_btnCmpAddOffer);
    setTabOrder(m_btnCmpAddOffer, m_btnCmpRemoveOffer);
}

void CmpPage::buildResults(QWidget *panel)
{
    m_grdCompare = new QTableWidget(RowCount, MaxOffers, panel);
    m_grdCompare->setObjectName(QStringLiteral("grdCompare"));
    m_grdCompare->setAccessibleName(QStringLiteral("Comparison of the offers"));
    m_grdCompare->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control instead of walking its cells.
    m_grdCompare->setTabKeyNavigation(false);
    m_grdCompare->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdCompare->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdCompare->setWordWrap(false);
    m_grdCompare->setVerticalHeaderLabels(rowCaptions());
    QHeaderView *rows = m_grdCompare->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(GridRowH);
    rows->setFixedWidth(ColumnX - CaptionX - 4);
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView *columns = m_grdCompare->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setDefaultSectionSize(ColumnStep);
    columns->setFixedHeight(GridHeaderH);
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < MaxOffers; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grdCompare->setItem(r, c, item);
        }
    }
    m_grdCompare->setGeometry(CaptionX, GridTop, gridWidth(MinOffers), GridH);
    installTableCopy(m_grdCompare, *this);

    m_lblCmpBreakEven = addLabel(panel, QString(),
                                 QRect(CaptionX, SentencesTop, ContentW - 2 * CaptionX, SentencesH),
                                 Qt::AlignLeft | Qt::AlignTop);
    m_lblCmpBreakEven->setObjectName(QStringLiteral("lblCmpBreakEven"));

    m_chtCompare = new CompareChartView(panel);
    m_chtCompare->setObjectName(QStringLiteral("chtCompare"));
    m_chtCompare->setGeometry(CaptionX, ChartTop, ContentW - 2 * CaptionX, ChartH);
    addResultWidget(m_lblCmpBreakEven);
    addResultWidget(m_chtCompare);
}

void CmpPage::putStartValues()
{
    m_edtCmpHomeValue->setValue(kStartHomeValue);
    for (int k = 0; k < MaxOffers; ++k) {
        const Column &c = m_columns[std::size_t(k)];
        const StartOffer &s = kStart[k];
        c.lender->clear();
        c.loan->setValue(s.loan);
        c.rate->setValue(s.rate);
        c.term->setValue(s.term);
        c.points->setValue(s.points);
        c.fees->setValue(s.fees);
        c.other->setValue(s.other);
        c.insurance->setValue(s.insurance);
    }
    showOffers(MinOffers);
}

void CmpPage::showOffers(int count)
{
    m_offerCount = count;
    for (int k = 0; k < MaxOffers; ++k) {
        const Column &c = m_columns[std::size_t(k)];
        for (QWidget *w :
             std::initializer_list<QWidget *>{c.heading, c.lender, c.loan, c.rate, c.term, c.points,
                                              c.fees, c.other, c.insurance})
            w->setVisible(k < count);
    }
    m_btnCmpAddOffer->setEnabled(count < MaxOffers);
    m_btnCmpRemoveOffer->setEnabled(count > MinOffers);
}

void CmpPage::bindHandlers()
{
    QList<NumberField *> fields{m_edtCmpHomeValue};
    for (const Column &c : m_columns) {
        fields << c.loan << c.fees << c.other << c.insurance << c.rate << c.term << c.points;
        c.lender->installEventFilter(this);
    }
    calculateOnLeave(fields, [this] {
        if (!m_quiet)
            CalcCMP();
    });
    connectGuarded(m_btnCmpAddOffer, &QPushButton::clicked, this,
                   [this] { btnCmpAddOfferClick(); });
    connectGuarded(m_btnCmpRemoveOffer, &QPushButton::clicked, this,
                   [this] { btnCmpRemoveOfferClick(); });
}

bool CmpPage::eventFilter(QObject *watched, QEvent *event)
{
    // A lender's name is text, not a figure: leaving its field as a user
    // does (not a window or popup taking the focus) with a name the grid
    // does not show yet renames the offer. The field's modified flag is no
    // guide: the main window clears it when it takes a pending edit.
    if (event->type() == QEvent::FocusOut && !m_quiet) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        for (int k = 0; k < m_offerCount; ++k) {
            if (watched != m_columns[std::size_t(k)].lender ||
                reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                continue;
            if (!m_results || k >= m_shownNames.size() || offerName(k) != m_shownNames[k])
                guard([this] {
                    CalcCMP();
                    setResultsCurrent();
                });
        }
    }
    return CalculatorPage::eventFilter(watched, event);
}

void CmpPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    guard([this] { CalcCMP(); });
    const QScopedValueRollback quiet(m_quiet, true);
    m_columns[0].loan->setFocus();
}

void CmpPage::restoreLayoutForUndo(const QVariant &kept)
{
    const QScopedValueRollback quiet(m_quiet, true);
    showOffers(std::clamp(kept.toInt(), int(MinOffers), int(MaxOffers)));
}

void CmpPage::Reset()
{
    {
        const QScopedValueRollback quiet(m_quiet, true);
        putStartValues();
        m_columns[0].loan->setFocus();
    }
    guard([this] { CalcCMP(); });
}

QString CmpPage::offerName(int index) const
{
    const QString lender = m_columns[std::size_t(index)].lender->text().trimmed();
    return lender.isEmpty() ? QStringLiteral("Offer ") + letter(index) : lender;
}

void CmpPage::btnCmpAddOfferClick()
{
    if (m_offerCount >= MaxOffers)
        return;
    {
        const QScopedValueRollback quiet(m_quiet, true);
        // A new offer starts as the one before it, not as figures of our own
        // that would win marks at once; its lender is the user's to name.
        const Column &from = m_columns[std::size_t(m_offerCount - 1)];
        const Column &to = m_columns[std::size_t(m_offerCount)];
        to.lender->clear();
        for (const auto money : {&Column::loan, &Column::fees, &Column::other, &Column::insurance})
            (to.*money)->setValue((from.*money)->value());
        // A number field's figure is its text, whatever it holds.
        for (const auto number : {&Column::rate, &Column::term, &Column::points})
            (to.*number)->setText((from.*number)->text());
        showOffers(m_offerCount + 1);
        QWidget *first = m_columns[std::size_t(m_offerCount - 1)].loan;
        first->setFocus();
        m_scroll->ensureWidgetVisible(first);
    }
    CalcCMP();
}

void CmpPage::btnCmpRemoveOfferClick()
{
    if (m_offerCount <= MinOffers)
        return;
    {
        const QScopedValueRollback quiet(m_quiet, true);
        showOffers(m_offerCount - 1);
        if (!m_btnCmpRemoveOffer->isEnabled())
            m_btnCmpAddOffer->setFocus();
    }
    CalcCMP();
}

void CmpPage::CalcCMP()
{
    host().AllowPrinting();
    LoanOffersInputs in;
    in.homeValue = m_edtCmpHomeValue->value();
    QStringList names;
    for (int k = 0; k < m_offerCount; ++k) {
        const Column &c = m_columns[std::size_t(k)];
        // A figure the comparison cannot take is named with its offer.
        const auto refuse = [&](QWidget *field, const QString &why) {
            const QString lender = c.lender->text().trimmed();
            const QString caption =
                field->accessibleName().section(QStringLiteral(" Offer "), 0, 0);
            throw InputRefused(
                QStringLiteral("Offer %1%2, %3: %4")
                    .arg(letter(k),
                         lender.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(lender),
                         caption, why),
                field);
        };
        const auto number = [&](TFnpNumericEdit *field) {
            try {
                return field->value();
            } catch (const FieldConvertError &e) {
                refuse(field, e.reason());
            }
            return 0.0;
        };
        LoanOffer o;
        o.loan = c.loan->value();
        o.rate = number(c.rate);
        o.points = number(c.points);
        o.lenderFees = c.fees->value();
        o.otherCosts = c.other->value();
        o.monthlyInsurance = c.insurance->value();
        const double term = number(c.term);
        if (term != std::floor(term) || term < 1 || term > TMortgage::MaxPayments)
            refuse(c.term, QStringLiteral("a whole number of months from 1 to %1 is needed.")
                               .arg(TMortgage::MaxPayments));
        o.term = std::int32_t(term);
        if (!(o.loan > 0))
            refuse(c.loan, QStringLiteral("the loan must be more than $0."));
        for (const auto &[field, v] : {std::pair<QWidget *, double>{c.rate, o.rate},
                                       {c.points, o.points},
                                       {c.fees, o.lenderFees},
                                       {c.other, o.otherCosts},
                                       {c.insurance, o.monthlyInsurance}})
            if (v < 0)
                refuse(field, QStringLiteral("it cannot be negative."));
        in.offers.push_back(o);
        names << offerName(k);
    }
    if (OfferNeedingHomeValue(in) >= 0) {
        showInfo(host().dialogParent(), HomeValueMessage);
        return;
    }
    LoanOffersResults out = CompareLoanOffers(in);

    // Everything the page shows, made before any of it is written.
    const int count = int(out.offers.size());
    std::array<std::array<QString, MaxOffers>, RowCount> texts{};
    std::array<std::array<bool, MaxOffers>, RowCount> best{};
    for (int r = 0; r < RowCount; ++r) {
        const RowForm &form = kRowForms[r];
        const double scale = std::pow(10.0, form.decimals);
        double top = 0;
        bool allSame = true;
        for (int c = 0; c < count; ++c) {
            const double v = figure(out.offers[std::size_t(c)], r);
            texts[std::size_t(r)][std::size_t(c)] = cellText(v, r);
            const double shown = std::round(v * scale) * (form.higherIsBetter ? 1 : -1);
            if (c == 0)
                top = shown;
            allSame = allSame && shown == top;
            top = std::max(top, shown);
        }
        for (int c = 0; c < count && !allSame; ++c) {
            const double v = figure(out.offers[std::size_t(c)], r);
            best[std::size_t(r)][std::size_t(c)] =
                std::round(v * scale) * (form.higherIsBetter ? 1 : -1) == top;
        }
    }
    QStringList sentences;
    CompareChartData chart;
    for (int c = 0; c < count; ++c)
        chart.series.push_back({names[c], out.offers[std::size_t(c)].cost});
    for (const OfferBreakEven &e : out.breakEvens) {
        sentences << breakEvenSentence(names[e.costlier], e.extraAtClosing, e.payment, e.within,
                                       count > 2 ? names[e.cheaper] : QString());
        if (e.payment > 0)
            chart.marks.push_back({e.costlier, int(e.payment)});
    }
    if (count > 1 && out.breakEvens.empty())
        sentences << QStringLiteral("The offers cost the same at closing.");
    // A premium typed for a loan that needs none is left out of every figure: say so.
    QStringList uninsured;
    for (int c = 0; c < count; ++c)
        if (in.offers[std::size_t(c)].monthlyInsurance > 0 &&
            out.offers[std::size_t(c)].insuredPayments == 0)
            uninsured << names[c];
    if (!uninsured.isEmpty())
        sentences << noInsuranceSentence(uninsured);

    m_grdCompare->setHorizontalHeaderLabels(names);
    for (int c = 0; c < MaxOffers; ++c)
        m_grdCompare->setColumnHidden(c, c >= count);
    // The grid ends with its last offer, as the inputs above it do.
    m_grdCompare->resize(gridWidth(count), GridH);
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < count; ++c) {
            QTableWidgetItem *item = m_grdCompare->item(r, c);
            const bool mark = best[std::size_t(r)][std::size_t(c)];
            item->setText(texts[std::size_t(r)][std::size_t(c)]);
            QFont font = m_grdCompare->font();
            font.setBold(mark);
            item->setFont(font);
            // The pale green is the same in a dark palette; so must be its text.
            item->setBackground(mark ? QBrush(QColor(214, 240, 214)) : QBrush());
            item->setForeground(mark ? QBrush(Qt::black) : QBrush());
            item->setToolTip(mark ? QStringLiteral("Best of the offers") : QString());
        }
    }
    m_lblCmpBreakEven->setText(sentences.join(u'\n'));
    m_chtCompare->setData(std::move(chart));
    m_results = std::move(out);
    m_best = best;
    m_shownNames = names;
}

TableData CmpPage::tableData() const
{
    TableData table;
    if (!m_results)
        return table;
    table.headings << QStringLiteral("Result") << m_shownNames;
    for (int r = 0; r < RowCount; ++r) {
        std::vector<TableCell> row{TableCell::label(rowCaptions()[r])};
        for (const LoanOfferResults &o : m_results->offers)
            row.push_back(TableCell::number(figure(o, r), kRowForms[r].decimals));
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool CmpPage::isMarked(int row, int column) const
{
    return m_results && row >= 0 && row < RowCount && column >= 0 && column < MaxOffers &&
           m_best[std::size_t(row)][std::size_t(column)];
}

// ---- Kept between runs and in scenario files -----------------------------

std::span<const PageField<CmpPage::Column>> CmpPage::columnFields()
{
    using C = Column;
    static constexpr PageField<C> fields[] = {
        {"Lender", at<&C::lender>, FieldKind::Text},   {"Loan", at<&C::loan>, FieldKind::Number},
        {"Rate", at<&C::rate>, FieldKind::Number},     {"Term", at<&C::term>, FieldKind::Whole},
        {"Points", at<&C::points>, FieldKind::Number}, {"Fees", at<&C::fees>, FieldKind::Number},
        {"Other", at<&C::other>, FieldKind::Number},   {"MI", at<&C::insurance>, FieldKind::Number},
    };
    return fields;
}

void CmpPage::saveState(PageState &state) const
{
    PageState shown(state.section());
    writeField(shown, QStringLiteral("HomeValue"), m_edtCmpHomeValue, FieldKind::Number);
    shown.set(QStringLiteral("Offers"), formatSettingInteger(m_offerCount));
    for (int k = 0; k < MaxOffers; ++k)
        writeFields(shown, columnFields(), m_columns[std::size_t(k)], QString::number(k + 1));
    for (const auto &[key, text] : shown.lines()) {
        // A line that could not be read stays as the user wrote it, unless
        // the figure that replaced it has been changed since.
        const auto unread = m_unread.constFind(key);
        if (unread == m_unread.cend() || *unread != text)
            state.set(key, text);
    }
}

void CmpPage::restoreState(const PageState &state)
{
    m_unread.clear();
    PageState before;
    saveState(before);
    const QScopedValueRollback quiet(m_quiet, true);
    QStringList unread;
    if (!readField(state, QStringLiteral("HomeValue"), m_edtCmpHomeValue, FieldKind::Number))
        unread << QStringLiteral("HomeValue");
    if (!state.text(QStringLiteral("Offers")).isEmpty()) {
        const auto offers = state.integer(QStringLiteral("Offers"));
        if (offers && *offers >= MinOffers && *offers <= MaxOffers)
            showOffers(*offers);
        else
            unread << QStringLiteral("Offers");
    }
    for (int k = 0; k < MaxOffers; ++k)
        unread << readFields(state, columnFields(), m_columns[std::size_t(k)],
                             QString::number(k + 1));
    for (const QString &key : unread)
        m_unread.insert(key, before.text(key));
}

} // namespace clvn

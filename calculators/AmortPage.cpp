#include "calculators/AmortPage.h"

#include "calculators/PageControls.h"

#include "calculators/AmortChartView.h"
#include "calculators/AmortModel.h"
#include "calculators/CalculatorHost.h"
#include "calculators/MiPanel.h"
#include "calculators/StateFields.h"
#include "finance/Errors.h"
#include "finance/Growth.h"
#include "finance/MortLib.h"
#include "finance/Savings.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"
#include "widgets/Accessibility.h"
#include "widgets/BusyCursor.h"
#include "widgets/ExtraRoom.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace clvn {

const QString AmortPage::ExtraPaymentMessage = QStringLiteral(
    "Cannot calculate results of extra payments without new figures.\n\r\n\r"
    "Please use the edit boxes and radio buttons to\n\rindicate the amount of your extra "
    "payments.");

namespace {

constexpr int PageWidth = 587;
constexpr int PageHeight = 380;

// A payment number typed into one of the panel's plain text boxes.
std::int32_t readInteger(const QLineEdit *edit)
{
    bool ok = false;
    const int v = edit->text().toInt(&ok, 10);
    if (!ok)
        throw FieldConvertError(edit, FieldConvertError::Wanted::WholeNumber);
    return v;
}

// The extra amount is read as the entry fields read typed numbers: the
// locale's grouping first ("1,500" in the US, "1.500" in Germany), a "." that
// cannot group as the decimal point ("100.5" in Germany too).
double readDecimal(const QLineEdit *edit)
{
    const std::optional<double> v = typedNumber(edit->text());
    if (!v)
        throw FieldConvertError(edit, FieldConvertError::Wanted::Number);
    return *v;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

} // namespace

AmortPage::AmortPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("Amort"), parent)
{
    // In a larger window the schedule (or the chart in its place) gets the room.
    auto *room = new ExtraRoom(this, QSize(PageWidth, PageHeight));
    buildFields();
    buildGrid();
    buildChart();
    buildExtraPanel();

    setTabOrder(m_edtMortAmt, m_edtIRate);
    setTabOrder(m_edtIRate, m_edtNumPmts);
    setTabOrder(m_edtNumPmts, m_btnCalculate);
    setTabOrder(m_btnCalculate, m_btnAddExtraPayments);
    setTabOrder(m_btnAddExtraPayments, m_btnAmortChart);
    setTabOrder(m_btnAmortChart, m_grdAmortization);
    m_mi = new MiPanel(host, *this);
    // Enter in the insurance panel applies it.
    setDefaultButton(m_mi->findChild<QPushButton *>(QStringLiteral("btnApplyMI")), m_mi);
    auto *strip = findChild<QWidget *>(QStringLiteral("pnlMIResults"));
    room->grow(m_grdAmortization).grow(m_pnlAmortChart).grow(strip, 1, 0).shift(strip, 0, 1);
}

void AmortPage::buildFields()
{
    constexpr int labelX = 10;
    constexpr int fieldX = 110;
    constexpr int fieldW = 115;
    constexpr int rowH = 21;
    constexpr int rowStep = 30;
    constexpr int top = 14;

    makeLabel(this, QStringLiteral("lblMortAmt"), QStringLiteral("Loan Amount"),
              QRect(labelX, top + 3, 95, 16));
    m_edtMortAmt = new TNumEdit(this);
    m_edtMortAmt->setObjectName(QStringLiteral("edtMortAmt"));
    m_edtMortAmt->setGeometry(fieldX, top, fieldW, rowH);

    makeLabel(this, QStringLiteral("lblIRate"), QStringLiteral("Interest Rate"),
              QRect(labelX, top + rowStep + 3, 95, 16));
    m_edtIRate = new TFnpNumericEdit(this);
    m_edtIRate->setObjectName(QStringLiteral("EdtIRate"));
    m_edtIRate->setDecimals(3);
    m_edtIRate->setValue(0);
    m_edtIRate->setGeometry(fieldX, top + rowStep, fieldW, rowH);

    makeLabel(this, QStringLiteral("lblNumPmts"), QStringLiteral("Term in Months"),
              QRect(labelX, top + 2 * rowStep + 3, 95, 16));
    m_edtNumPmts = new TFnpNumericEdit(this);
    m_edtNumPmts->setObjectName(QStringLiteral("EdtNumPmts"));
    m_edtNumPmts->setDecimals(0);
    m_edtNumPmts->setValue(0);
    m_edtNumPmts->setGeometry(fieldX, top + 2 * rowStep, fieldW, rowH);

    makeLabel(this, QStringLiteral("lblAmortPayment"), QStringLiteral("Monthly Payment"),
              QRect(labelX, top + 3 * rowStep + 3, 95, 16));
    m_edtAmortPayment = new TNumEdit(this);
    m_edtAmortPayment->setObjectName(QStringLiteral("edtAmortPayment"));
    m_edtAmortPayment->setResultField(true);
    m_edtAmortPayment->setGeometry(fieldX, top + 3 * rowStep, fieldW, rowH);

    m_btnCalculate = addButton(this, QStringLiteral("btnCalculate"), QStringLiteral("Calculate"),
                               {}, QRect(300, top + 10, 100, 25));
    m_btnAddExtraPayments =
        addButton(this, QStringLiteral("btnAddExtraPayments"), QStringLiteral("Add Extra"), {},
                  QRect(300, top + 50, 100, 25));

    connectGuarded(m_btnCalculate, &QPushButton::clicked, this, [this] { CalcAmortization(); });
    setDefaultButton(m_btnCalculate);
    connectGuarded(m_btnAddExtraPayments, &QPushButton::clicked, this, [this] { BtnExtraClick(); });
}

void AmortPage::buildExtraPanel()
{
    // Laid over the two buttons while open, above the grid.
    m_pnlAddExtra = new QFrame(this);
    m_pnlAddExtra->setObjectName(QStringLiteral("pnlAddExtra"));
    markAsPanel(m_pnlAddExtra);
    m_pnlAddExtra->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_pnlAddExtra->setAutoFillBackground(true);
    m_pnlAddExtra->setGeometry(240, 4, 343, GridTop - 8);
    m_pnlAddExtra->hide();
    setHelpContext(m_pnlAddExtra, ExtraPanelHelpTopic);

    makeLabel(m_pnlAddExtra, QStringLiteral("Label96"), QStringLiteral("Add To"),
              QRect(10, 6, 120, 16));
    m_rbOnePmt = new QRadioButton(QStringLiteral("&Single Payment"), m_pnlAddExtra);
    m_rbOnePmt->setObjectName(QStringLiteral("rbOnePmt"));
    m_rbOnePmt->setGeometry(10, 24, 125, 20);
    m_rbRangePmts = new QRadioButton(QStringLiteral("&Range of Payments"), m_pnlAddExtra);
    m_rbRangePmts->setObjectName(QStringLiteral("rbRangePmts"));
    m_rbRangePmts->setGeometry(10, 46, 125, 20);
    m_rbAllPmts = new QRadioButton(QStringLiteral("&All Payments"), m_pnlAddExtra);
    m_rbAllPmts->setObjectName(QStringLiteral("rbAllPmts"));
    m_rbAllPmts->setGeometry(10, 68, 125, 20);
    m_rbRangePmts->setChecked(true);

    constexpr int labelX = 145;
    constexpr int editX = 245;
    constexpr int editW = 88;
    m_lblFromPmt = makeLabel(m_pnlAddExtra, QStringLiteral("lblFromPmt"),
                             QStringLiteral("From Payment #"), QRect(labelX, 9, 98, 16));
    m_edtFromPmt = new QLineEdit(QStringLiteral("0"), m_pnlAddExtra);
    m_edtFromPmt->setObjectName(QStringLiteral("edtFromPmt"));
    m_edtFromPmt->setGeometry(editX, 6, editW, 21);
    m_lblToPmt = makeLabel(m_pnlAddExtra, QStringLiteral("lblToPmt"),
                           QStringLiteral("To Payment #"), QRect(labelX, 35, 98, 16));
    m_edtToPmt = new QLineEdit(QStringLiteral("0"), m_pnlAddExtra);
    m_edtToPmt->setObjectName(QStringLiteral("edtToPmt"));
    m_edtToPmt->setGeometry(editX, 32, editW, 21);
    makeLabel(m_pnlAddExtra, QStringLiteral("Label93"), QStringLiteral("Amount"),
              QRect(labelX, 61, 98, 16));
    m_edtExtraAmount = new QLineEdit(QStringLiteral("0.00"), m_pnlAddExtra);
    m_edtExtraAmount->setObjectName(QStringLiteral("edtExtraAmount"));
    m_edtExtraAmount->setGeometry(editX, 58, editW, 21);

    m_pnlRemoveExtra = new QFrame(m_pnlAddExtra);
    m_pnlRemoveExtra->setObjectName(QStringLiteral("pnlRemoveExtra"));
    m_pnlRemoveExtra->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pnlRemoveExtra->setGeometry(6, 98, 331, 38);
    m_btnAddExtra = addButton(m_pnlRemoveExtra, QStringLiteral("btnAddExtra"),
                              QStringLiteral("Re-Calculate"), {}, QRect(6, 6, 102, 26));
    m_btnRemove = addButton(m_pnlRemoveExtra, QStringLiteral("btnRemove"),
                            QStringLiteral("Remove Extra"), {}, QRect(114, 6, 102, 26));
    m_btnCancel = addButton(m_pnlRemoveExtra, QStringLiteral("btnCancel"), QStringLiteral("Cancel"),
                            {}, QRect(222, 6, 102, 26));

    connectGuarded(m_rbOnePmt, &QRadioButton::toggled, this, [this] {
        if (m_rbOnePmt->isChecked())
            SetExtraPaymentFields(PrepaymentMode::Single);
    });
    connectGuarded(m_rbRangePmts, &QRadioButton::toggled, this, [this] {
        if (m_rbRangePmts->isChecked())
            SetExtraPaymentFields(PrepaymentMode::Range);
    });
    connectGuarded(m_rbAllPmts, &QRadioButton::toggled, this, [this] {
        if (m_rbAllPmts->isChecked())
            SetExtraPaymentFields(PrepaymentMode::All);
    });
    connectGuarded(m_btnAddExtra, &QPushButton::clicked, this, [this] { BtnRecalcExtraClick(); });
    setDefaultButton(m_btnAddExtra, m_pnlAddExtra);
    connectGuarded(m_btnRemove, &QPushButton::clicked, this, [this] { BtnRemoveClick(); });
    connectGuarded(m_btnCancel, &QPushButton::clicked, this, [this] { CancelBtnClick(); });

    SetExtraPaymentFields(PrepaymentMode::Range);
}

void AmortPage::buildGrid()
{
    m_model = new AmortModel(this);
    m_grdAmortization = new QTableView(this);
    m_grdAmortization->setObjectName(QStringLiteral("grdAmortization"));
    m_grdAmortization->setAccessibleName(QStringLiteral("Amortization schedule"));
    m_grdAmortization->setModel(m_model);
    m_grdAmortization->setSelectionMode(QAbstractItemView::NoSelection);
    m_grdAmortization->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdAmortization->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdAmortization->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grdAmortization->setWordWrap(false);
    m_grdAmortization->setCornerButtonEnabled(false);
    m_grdAmortization->verticalHeader()->hide();
    // Fixed rows and columns keep the layout of a long schedule O(1).
    m_grdAmortization->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdAmortization->verticalHeader()->setMinimumSectionSize(1);
    m_grdAmortization->verticalHeader()->setDefaultSectionSize(16);
    m_grdAmortization->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdAmortization->horizontalHeader()->setHighlightSections(false);
    m_grdAmortization->horizontalHeader()->setSectionsClickable(false);
    // Two-line headings: "Principal To Date" does not fit its column on one line.
    m_grdAmortization->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    m_grdAmortization->horizontalHeader()->setFixedHeight(32);
    m_grdAmortization->setGeometry(2, GridTop, PageWidth - 4, PageHeight - GridTop - 2);
    installTableCopy(m_grdAmortization, *this);
    frameGrid();
}

void AmortPage::buildChart()
{
    m_btnAmortChart = addButton(this, QStringLiteral("btnAmortChart"), QStringLiteral("Char&t"), {},
                                QRect(300, 104, 100, 25));
    connectGuarded(m_btnAmortChart, &QPushButton::clicked, this, [this] { BtnAmortChartClick(); });

    // In the grid's place: the savings caption over the chart.
    m_pnlAmortChart = new QWidget(this);
    m_pnlAmortChart->setObjectName(QStringLiteral("pnlAmortChart"));
    m_pnlAmortChart->setGeometry(m_grdAmortization->geometry());
    m_pnlAmortChart->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(m_pnlAmortChart);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_lblAmortSavings = new QLabel(m_pnlAmortChart);
    m_lblAmortSavings->setObjectName(QStringLiteral("lblAmortSavings"));
    m_lblAmortSavings->setWordWrap(true);
    m_lblAmortSavings->setContentsMargins(6, 2, 6, 2);
    m_lblAmortSavings->setAutoFillBackground(true);
    QPalette white = m_lblAmortSavings->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_lblAmortSavings->setPalette(white);
    QFont bold = m_lblAmortSavings->font();
    bold.setBold(true);
    m_lblAmortSavings->setFont(bold);
    m_lblAmortSavings->hide();
    m_chart = new AmortChartView(m_pnlAmortChart);
    m_chart->setObjectName(QStringLiteral("chtAmortization"));
    m_chart->setAccessibleName(QStringLiteral("Amortization chart"));
    layout->addWidget(m_lblAmortSavings);
    layout->addWidget(m_chart, 1);
    m_pnlAmortChart->hide();
    addResultWidget(m_pnlAmortChart);
    // Extra payments go onto the schedule shown: not onto one of other figures.
    addResultWidget(m_btnAddExtraPayments);
}

void AmortPage::BtnAmortChartClick()
{
    m_chartShown = !m_chartShown;
    showChosenView();
}

void AmortPage::showChosenView()
{
    m_btnAmortChart->setText(m_chartShown ? QStringLiteral("&Table") : QStringLiteral("Char&t"));
    m_pnlAmortChart->setGeometry(m_grdAmortization->geometry());
    m_grdAmortization->setVisible(!m_chartShown);
    m_pnlAmortChart->setVisible(m_chartShown);
}

void AmortPage::updateChart()
{
    m_mi->refresh();
    AmortChartData chartData;
    QString caption;
    if (m_model->hasSchedule()) {
        chartData.marks = m_mi->chartMarks();
        const TMortgage &mortgage = host().mortgage();
        chartData.rows = m_model->rows();
        chartData.loan = mortgage.Principal();
        // The same loan without extras: a copy, the shared schedule stays as listed.
        TMortgage plain = mortgage;
        plain.ClearExtraPayments();
        const std::vector<TPayment> &base = plain.Payments();
        const ExtraPaymentSavings savings = CompareSchedules(chartData.rows, base);
        const bool extras = savings.interestSavedCents != 0 || savings.paymentsSooner != 0 ||
                            std::any_of(chartData.rows.begin(), chartData.rows.end(),
                                        [](const TPayment &p) { return p.ExtraPrincipal != 0; });
        if (extras) {
            chartData.withoutExtras.assign(base.begin(), base.begin() + PaymentsMade(base));
            caption = savingsCaption(savings);
        }
    }
    m_chart->setData(std::move(chartData));
    m_lblAmortSavings->setText(caption);
    m_lblAmortSavings->setVisible(!caption.isEmpty());
}

bool AmortPage::hasTable() const
{
    return m_model->hasSchedule();
}

TableData AmortPage::tableData() const
{
    TableData table;
    if (!hasTable())
        return table;
    for (int c = 0; c < AmortModel::ColumnCount; ++c)
        table.headings << AmortModel::heading(c);
    table.rows.reserve(m_model->rows().size());
    for (const TPayment &p : m_model->rows()) {
        table.rows.push_back(
            {TableCell::number(p.Number, 0), TableCell::number(p.Principal, 2),
             TableCell::number(p.Interest, 2), TableCell::number(p.PrincipalToDate, 2),
             TableCell::number(p.InterestToDate, 2), TableCell::number(p.ExtraPrincipal, 2),
             TableCell::number(p.Balance, 2)});
    }
    m_mi->addColumn(table);
    return table;
}

void AmortPage::frameGrid()
{
    // A grid wider than drawn shares its extra width among the columns,
    // in proportion to their widths; the last takes what rounding leaves.
    const auto &widths = AmortModel::ColumnWidths;
    const int drawn = std::accumulate(widths.begin(), widths.end(), 0);
    const int extra = std::max(0, m_grdAmortization->width() - (PageWidth - 4));
    QHeaderView *header = m_grdAmortization->horizontalHeader();
    int given = 0;
    for (int c = 0; c < AmortModel::ColumnCount; ++c) {
        const int share = c + 1 < AmortModel::ColumnCount ? extra * widths[std::size_t(c)] / drawn
                                                          : extra - given;
        given += share;
        header->resizeSection(c, widths[std::size_t(c)] + share);
    }
}

void AmortPage::resizeEvent(QResizeEvent *event)
{
    CalculatorPage::resizeEvent(event);
    frameGrid();
}

void AmortPage::enter()
{
    guard([this] {
        // Printing is switched on and off again; the calculation below turns it on.
        host().AllowPrinting();
        host().DisallowPrinting();
        host().setResetEnabled(true);

        const BuyerValues &values = host().buyerValues();
        putBackStoredLoan(m_edtMortAmt, m_edtIRate, m_edtNumPmts);
        m_edtAmortPayment->setValue(CalcPayment(values.Term, values.Interest / 1200, values.Loan));

        m_grdAmortization->move(m_grdAmortization->x(), GridTop);
        m_btnAddExtra->setEnabled(true);
        m_edtMortAmt->setFocus();
        CalcAmortization();
    });
}

void AmortPage::Reset()
{
    ResetMortgage();
}

void AmortPage::recoverFromFloatError(bool active)
{
    if (active)
        ResetMortgage();
}

void AmortPage::recalculate()
{
    if (host().mortgage().Payments().empty()) {
        CalcAmortization();
        return;
    }
    m_btnAddExtra->setEnabled(true);
    host().setResetEnabled(true);
    host().AllowPrinting();
    FillAmortizationGrid();
}

void AmortPage::CalcAmortization()
{
    m_btnAddExtra->setEnabled(true);
    host().setResetEnabled(true);
    host().AllowPrinting();

    const double loan = m_edtMortAmt->value();
    const double ratePercent = m_edtIRate->value();
    const std::int32_t term = wholeFigure(m_edtNumPmts);

    CreateMonthlySchedule(host().mortgage(), term, loan, ratePercent);
    if (m_extrasPending) {
        m_extrasPending = false;
        for (const auto &[payment, amount] : m_pendingExtras)
            if (!host().mortgage().SetExtraPayment(payment, amount))
                throw InputRefused(ExtraPaymentMessage);
    }
    FillAmortizationGrid();
}

void AmortPage::FillAmortizationGrid()
{
    BusyCursor busy;
    const TMortgage &mortgage = host().mortgage();
    m_edtAmortPayment->setValue(mortgage.Payment());
    frameGrid();
    m_model->setSchedule(mortgage.Payments());
    updateChart();
    showChosenView();
}

void AmortPage::BtnExtraClick()
{
    if (m_model->hasSchedule()) {
        m_pnlAddExtra->show();
        m_pnlAddExtra->raise(); // over every button it covers, the later-made ones too
    }
}

void AmortPage::SetExtraPaymentFields(PrepaymentMode mode)
{
    if (mode == PrepaymentMode::Single)
        m_lblFromPmt->setText(QStringLiteral("          Payment #"));
    else if (mode == PrepaymentMode::Range)
        m_lblFromPmt->setText(QStringLiteral("From Payment #"));
    m_lblFromPmt->setEnabled(mode != PrepaymentMode::All);
    m_edtFromPmt->setEnabled(mode != PrepaymentMode::All);
    m_lblToPmt->setEnabled(mode == PrepaymentMode::Range);
    m_edtToPmt->setEnabled(mode == PrepaymentMode::Range);
}

void AmortPage::BtnRecalcExtraClick()
{
    const PrepaymentMode mode = m_rbOnePmt->isChecked()      ? PrepaymentMode::Single
                                : m_rbRangePmts->isChecked() ? PrepaymentMode::Range
                                                             : PrepaymentMode::All;
    ExtraPaymentState &extra = host().extraPayment();
    std::int32_t from = extra.ExtraFromPayment;
    std::int32_t to = extra.ExtraToPayment;
    if (mode == PrepaymentMode::Single) {
        from = readInteger(m_edtFromPmt);
    } else if (mode == PrepaymentMode::Range) {
        if (m_edtFromPmt->text().isEmpty())
            m_edtFromPmt->setText(QStringLiteral("0"));
        if (m_edtToPmt->text().isEmpty())
            m_edtToPmt->setText(QStringLiteral("0"));
        from = readInteger(m_edtFromPmt);
        to = readInteger(m_edtToPmt);
    }
    // Everything is read before anything is stored, so a text that is not a
    // number leaves the shared figures and the schedule as they were.
    const double amount = readDecimal(m_edtExtraAmount);
    extra.ExtraPaymentMode = mode;
    extra.ExtraFromPayment = from;
    extra.ExtraToPayment = to;
    extra.ExtraAmount = amount;

    const bool inSchedule = ApplyExtraPayments(host().mortgage(), mode, from, to, amount);
    if (mode != PrepaymentMode::All) {
        if (!inSchedule)
            showInfo(host().dialogParent(), ExtraPaymentMessage);
        m_pnlRemoveExtra->repaint();
    }
    FillAmortizationGrid();
}

void AmortPage::BtnRemoveClick()
{
    host().mortgage().ClearExtraPayments();
    FillAmortizationGrid();
}

void AmortPage::CancelBtnClick()
{
    m_pnlAddExtra->hide();
}

void AmortPage::ResetMortgage()
{
    BusyCursor busy;
    m_btnAddExtra->setEnabled(false);
    host().setResetEnabled(false);
    host().DisallowPrinting();
    m_edtMortAmt->setValue(FactoryValues.Loan);
    m_edtIRate->setValue(FactoryValues.Interest);
    m_edtAmortPayment->setValue(FactoryValues.Payment);
    m_edtNumPmts->setValue(FactoryValues.Term);
    m_model->clearCells();
    frameGrid();
    updateChart();
}

AmortPage::ScheduleParts AmortPage::scheduleParts() const
{
    return {.grid = m_grdAmortization,
            .addExtraButton = m_btnAddExtraPayments,
            .addExtraPanel = m_pnlAddExtra,
            .chartButton = m_btnAmortChart,
            .chartPanel = m_pnlAmortChart};
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<AmortPage>> AmortPage::fields()
{
    using P = AmortPage;
    static constexpr PageField<P> table[] = {
        {"Loan", at<&P::m_edtMortAmt>, FieldKind::Number},
        {"Interest", at<&P::m_edtIRate>, FieldKind::Number},
        {"Term", at<&P::m_edtNumPmts>, FieldKind::Number},
        {"ExtraSingle", at<&P::m_rbOnePmt>, FieldKind::Check},
        {"ExtraRange", at<&P::m_rbRangePmts>, FieldKind::Check},
        {"ExtraAll", at<&P::m_rbAllPmts>, FieldKind::Check},
        {"ExtraFrom", at<&P::m_edtFromPmt>, FieldKind::Text},
        {"ExtraTo", at<&P::m_edtToPmt>, FieldKind::Text},
        {"ExtraAmount", at<&P::m_edtExtraAmount>, FieldKind::Text},
    };
    return table;
}

// The extra payments on the schedule listed: "payment=amount;..."
static const QString kExtrasKey = QStringLiteral("Extras");

void AmortPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
    m_mi->saveState(state);
    std::vector<std::pair<std::int32_t, double>> extras = m_pendingExtras;
    if (!m_extrasPending) {
        extras.clear();
        for (const TPayment &row : m_model->rows())
            if (row.ExtraPrincipal != 0)
                extras.emplace_back(row.Number, row.ExtraPrincipal);
    }
    QStringList parts;
    for (const auto &[payment, amount] : extras)
        parts << formatSettingInteger(payment) + u'=' + formatSettingNumber(amount);
    state.set(kExtrasKey, parts.join(u';'));
}

void AmortPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
    m_mi->restoreState(state);
    if (!state.contains(kExtrasKey))
        return;
    // A list that does not read is left out, so the state saved shows it was not taken.
    std::vector<std::pair<std::int32_t, double>> extras;
    const QString text = state.text(kExtrasKey);
    for (const QString &part : text.split(u';', Qt::SkipEmptyParts)) {
        const auto payment = parseSettingInteger(part.section(u'=', 0, 0));
        const auto amount = parseSettingNumber(part.section(u'=', 1));
        if (!payment || !amount || !(*amount > 0) || part.count(u'=') != 1)
            return;
        extras.emplace_back(*payment, *amount);
    }
    m_pendingExtras = std::move(extras);
    m_extrasPending = true;
}

} // namespace clvn

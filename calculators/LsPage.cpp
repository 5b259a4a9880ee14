#include "calculators/LsPage.h"

#include "calculators/Lsc.h"
#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "state/BuyerValues.h"
#include "widgets/Colours.h"
#include "widgets/ExtraRoom.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/Guard.h"
#include "widgets/Hint.h"
#include "widgets/NumEdit.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTableWidget>

#include <algorithm>
#include <type_traits>

namespace clvn {

namespace {

constexpr int PageWidth = 587;
constexpr int PageHeight = 380;
constexpr int GridTop = 150;
constexpr int FirstColumnWidth = 69;
constexpr int ColumnWidth = 73;
constexpr int RowHeight = 19;
constexpr int GroupWidth = 164;
constexpr int GroupHeight = 66;
constexpr QPoint LeftSlot(251, 14);
constexpr QPoint RightSlot(419, 14);

struct Increment
{
    const char16_t *caption;
    double value;
    const char16_t *kept; // the text the report prints
};

constexpr Increment kLoanIncrements[] = {
    {u"$100", 100, u"$100"},    {u"$250", 250, u"$250"},    {u"$500", 500, u"$500"},
    {u"$1000", 1000, u"$1000"}, {u"$2000", 2000, u"$2000"}, {u"$2500", 2500, u"$2500"},
    {u"$3000", 3000, u"$3000"}, {u"$4000", 4000, u"$4000"}, {u"$5000", 5000, u"$5000"},
};
constexpr Increment kRateIncrements[] = {
    {u" .125", 0.125, u"1/8%"}, {u" .25", 0.25, u"1/4%"},   {u" .375", 0.375, u"3/8%"},
    {u" .5", 0.5, u"1/2%"},     {u" .625", 0.625, u"5/8%"}, {u" .75", 0.75, u"3/4%"},
    {u" .875", 0.875, u"7/8%"}, {u"1.0", 1.0, u"1%"},
};
constexpr Increment kPaymentIncrements[] = {
    {u"$10", 10, u"$10"},    {u"$25", 25, u"$25"},    {u"$50", 50, u"$50"},
    {u"$75", 75, u"$75"},    {u"$100", 100, u"$100"}, {u"$125", 125, u"$125"},
    {u"$150", 150, u"$150"}, {u"$175", 175, u"$175"}, {u"$200", 200, u"$200"},
};
constexpr int DefaultIncrement = 3;

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

LsPage::LsPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("LS"), parent)
{
    // In a larger window the grid gets the room; its cells share it.
    auto *room = new ExtraRoom(this, QSize(PageWidth, PageHeight));
    buildFields();
    buildChooser();
    buildIncrements();
    buildGrid();
    room->grow(m_grdLS);
    // The page starts in mode 0 with the payment calculated and the payment
    // increments hidden; the grid is framed for that mode.
    m_edtPayment->setResultField(true);
    m_rgPayments->hide();
    frameGrid();
}

void LsPage::buildFields()
{
    constexpr int labelX = 6;
    constexpr int fieldX = 50;
    constexpr int fieldW = 84;
    addLabel(this, QStringLiteral("Loan"), QRect(labelX, 4, 44, FieldHeight));
    m_edtLoan = addMoney(this, QStringLiteral("edtLoan"), QRect(fieldX, 4, fieldW, FieldHeight),
                         FactoryValues.Loan);
    addLabel(this, QStringLiteral("Rate"), QRect(labelX, 28, 44, FieldHeight));
    m_EdtInterest = addNumber(this, QStringLiteral("EdtInterest"),
                              QRect(fieldX, 28, fieldW, FieldHeight), 3, FactoryValues.Interest);
    addLabel(this, QStringLiteral("Months"), QRect(labelX, 52, 44, FieldHeight));
    m_EdtTerm = addNumber(this, QStringLiteral("EdtTerm"), QRect(fieldX, 52, fieldW, FieldHeight),
                          0, FactoryValues.Term);
    addLabel(this, QStringLiteral("Payment"), QRect(labelX, 76, 44, FieldHeight));
    m_edtPayment = addMoney(this, QStringLiteral("edtPayment"),
                            QRect(fieldX, 76, fieldW, FieldHeight), FactoryValues.Payment);

    addHeading(this, QStringLiteral("Total Amount Paid"), QRect(labelX, 102, 110, FieldHeight));
    m_edtTotalPaid =
        addMoneyResult(this, QStringLiteral("edtTotalPaid"), QRect(116, 102, 108, FieldHeight));
    m_edtTotalPaid->setValue(283212.15);
    addHeading(this, QStringLiteral("Interest Paid"), QRect(labelX, 126, 110, FieldHeight));
    m_edtInterestPaid =
        addMoneyResult(this, QStringLiteral("edtInterestPaid"), QRect(116, 126, 108, FieldHeight));
    m_edtInterestPaid->setValue(183212.15);

    setHint(m_edtLoan, QStringLiteral("Enter Loan Amount"));
    setHint(m_EdtInterest, QStringLiteral("Enter Interest Rate"));
    setHint(m_EdtTerm, QStringLiteral("Enter Term in Months"));
    setHint(m_edtPayment, QStringLiteral("Calculated Monthly Payment"));

    calculateOnLeave(
        {m_edtLoan, m_EdtInterest, m_EdtTerm, m_edtPayment, m_edtTotalPaid, m_edtInterestPaid},
        [this] {
            if (!m_quiet)
                ChooseLoanSpreadCalculator();
        });
}

void LsPage::buildChooser()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("pnlCalculate"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(138, 4, 110, 94);
    addLabel(frame, QStringLiteral("Calculate:"), QRect(6, 2, 84, 16));
    m_rgCalculate = new QButtonGroup(this);
    m_rgCalculate->setObjectName(QStringLiteral("rgCalculate"));
    const QString items[] = {QStringLiteral("PMT (P && I)"), QStringLiteral("Loan Amount"),
                             QStringLiteral("Rates"), QStringLiteral("Term (Months)")};
    for (int k = 0; k < 4; ++k) {
        auto *button = new QRadioButton(items[k], frame);
        button->setObjectName(QStringLiteral("rgCalculateItem%1").arg(k));
        button->setGeometry(6, 20 + k * 18, 102, 18);
        m_rgCalculate->addButton(button, k);
    }
    m_rgCalculate->button(0)->setChecked(true);
    connectGuarded(m_rgCalculate, &QButtonGroup::idClicked, this, [this] { rgCalculateClick(); });
}

void LsPage::buildIncrements()
{
    const auto makeGroup = [this](const QString &name, const Increment *items, int count,
                                  QButtonGroup *&group) {
        auto *frame = new QFrame(this);
        frame->setObjectName(name);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->resize(GroupWidth, GroupHeight);
        group = new QButtonGroup(frame);
        constexpr int columnWidth = (GroupWidth - 8) / 3;
        for (int k = 0; k < count; ++k) {
            auto *button = new QRadioButton(str(items[k].caption), frame);
            button->setObjectName(name + QStringLiteral("Item%1").arg(k));
            // Three columns, filled top to bottom.
            button->setGeometry(4 + (k / 3) * columnWidth, 3 + (k % 3) * 20, columnWidth, 20);
            group->addButton(button, k);
        }
        group->button(DefaultIncrement)->setChecked(true);
        connectGuarded(group, &QButtonGroup::idClicked, this, [this] { rgCalculateClick(); });
        return frame;
    };
    m_rgLoan = makeGroup(QStringLiteral("rgLoan"), kLoanIncrements, int(std::size(kLoanIncrements)),
                         m_loanGroup);
    m_rgInterest = makeGroup(QStringLiteral("rgInterest"), kRateIncrements,
                             int(std::size(kRateIncrements)), m_interestGroup);
    m_rgPayments = makeGroup(QStringLiteral("rgPayments"), kPaymentIncrements,
                             int(std::size(kPaymentIncrements)), m_paymentsGroup);
    m_rgLoan->move(LeftSlot);
    m_rgInterest->move(RightSlot);
    m_rgPayments->move(LeftSlot);

    m_lblLeft = addLabel(this, QStringLiteral("Loan Amount Increment:"),
                         QRect(LeftSlot.x(), 0, GroupWidth, 14));
    m_lblLeft->setObjectName(QStringLiteral("lblLeft"));
    m_lblLeft->setWordWrap(false);
    m_lblRight = addLabel(this, QStringLiteral("Interest Rate Increment:"),
                          QRect(RightSlot.x(), 0, GroupWidth, 14));
    m_lblRight->setObjectName(QStringLiteral("lblRight"));
    m_lblRight->setWordWrap(false);
}

void LsPage::buildGrid()
{
    m_grdLS = new QTableWidget(GridRows, GridColumns, this);
    m_grdLS->setObjectName(QStringLiteral("grdLS"));
    // Shows text only: no editing, no focus, no scroll bars, no selection of
    // the user's own (the page draws the selected cell itself).
    m_grdLS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdLS->setSelectionMode(QAbstractItemView::NoSelection);
    m_grdLS->setFocusPolicy(Qt::NoFocus);
    m_grdLS->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdLS->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdLS->setWordWrap(false);
    m_grdLS->horizontalHeader()->hide();
    m_grdLS->verticalHeader()->hide();
    m_grdLS->verticalHeader()->setMinimumSectionSize(1);
    m_grdLS->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdLS->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grdLS->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdLS->setMouseTracking(true);
    m_grdLS->viewport()->setMouseTracking(true);
    m_grdLS->viewport()->installEventFilter(this);
    for (int r = 0; r < GridRows; ++r)
        for (int c = 0; c < GridColumns; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled);
            m_grdLS->setItem(r, c, item);
        }
    const int width = FirstColumnWidth + (GridColumns - 1) * ColumnWidth + 2;
    m_grdLS->setGeometry(2, GridTop, width, GridRows * RowHeight + 2);
    grdLSMouseMove();
}

void LsPage::sizeGrid()
{
    // A grid larger than drawn shares its extra width among the columns in
    // proportion to their widths and its extra height evenly among the rows;
    // each edge is rounded on its own, so the sizes add up exactly.
    const int drawnWidth = FirstColumnWidth + (GridColumns - 1) * ColumnWidth;
    const int extraWidth = std::max(0, m_grdLS->width() - drawnWidth - 2);
    const int extraHeight = std::max(0, m_grdLS->height() - GridRows * RowHeight - 2);
    const auto edge = [&](int c) {
        const int drawn = c == 0 ? 0 : FirstColumnWidth + (c - 1) * ColumnWidth;
        return drawn + extraWidth * drawn / drawnWidth;
    };
    for (int c = 0; c < GridColumns; ++c)
        m_grdLS->setColumnWidth(c, edge(c + 1) - edge(c));
    for (int r = 0; r < GridRows; ++r)
        m_grdLS->setRowHeight(r, RowHeight + extraHeight * (r + 1) / GridRows -
                                     extraHeight * r / GridRows);
}

void LsPage::resizeEvent(QResizeEvent *event)
{
    CalculatorPage::resizeEvent(event);
    sizeGrid();
}

void LsPage::frameGrid()
{
    sizeGrid();

    // The corner and provisional headings of the mode; a build overwrites
    // every heading but the corner.
    setCell(0, 0, spreadCorner(m_spreadMode));
    const auto dollars = [](double v) { return formatCurrency(v, 10, 0); };
    const auto cents = [](double v) { return formatCurrency(v, 10, 2); };
    const auto rate = [](double v) { return QString(formatFixed(v, 5, 2) + u'%'); };
    for (int k = 0; k < SpreadRowCount; ++k) {
        QString text;
        if (m_spreadMode == SpreadMode::LoanAmount)
            text = k == SpreadRowCount - 1 ? rate(9.5) : QString(u' ' + rate(4.5 + k * 0.5));
        else
            text = QString(u' ' + dollars(95000 + k * 1000));
        setCell(0, k + 1, text);
    }
    for (int k = 0; k < SpreadColumnCount; ++k)
        setCell(k + 1, 0,
                m_spreadMode == SpreadMode::Payment ? rate(5.5 + k * 0.5) : cents(650 + k * 50));
    restyleGrid();
}

void LsPage::setCell(int column, int row, const QString &text)
{
    m_grdLS->item(row, column)->setText(text);
}

bool LsPage::isMarked(int column, int row) const
{
    return m_marked && column > 0 && row > 0 && (column == CentreColumn || row == CentreRow);
}

void LsPage::selectCell(int column, int row)
{
    m_selected = QPoint(column, row);
    restyleGrid();
}

void LsPage::restyleGrid()
{
    const QBrush fixed = palette().button();
    const QBrush plain = palette().base();
    for (int r = 0; r < GridRows; ++r)
        for (int c = 0; c < GridColumns; ++c) {
            QTableWidgetItem *item = m_grdLS->item(r, c);
            const bool selected = m_selected == QPoint(c, r);
            const bool heading = r == 0 || c == 0;
            item->setBackground(selected || isMarked(c, r) ? QBrush(Qt::yellow)
                                : heading                  ? fixed
                                                           : plain);
            // On yellow the text is dark in every palette; plain red on it reads poorly.
            item->setForeground(selected         ? QBrush(readableOn(Qt::red, Qt::yellow))
                                : isMarked(c, r) ? QBrush(Qt::black)
                                                 : palette().text());
        }
}

TableData LsPage::tableData() const
{
    // Decimals as the grid shows each figure: rates to the thousandth,
    // payments and terms in cents, loans in whole units.
    const bool rateColumns =
        m_spreadMode == SpreadMode::Payment || m_spreadMode == SpreadMode::LoanAmount;
    const int columnDecimals = rateColumns ? 3 : 2;
    const int rowDecimals = m_spreadMode == SpreadMode::LoanAmount ? 2 : 0;
    int cellDecimals = 2;
    if (m_spreadMode == SpreadMode::LoanAmount)
        cellDecimals = 0;
    else if (m_spreadMode == SpreadMode::Rate)
        cellDecimals = 3;

    TableData table;
    table.headings << spreadCorner(m_spreadMode).trimmed();
    for (double v : m_table.columns)
        table.headings << QString::number(v, 'f', columnDecimals);
    for (int r = 0; r < SpreadRowCount; ++r) {
        std::vector<TableCell> row;
        row.push_back(TableCell::number(m_table.rows[std::size_t(r)], rowDecimals));
        for (int c = 0; c < SpreadColumnCount; ++c)
            row.push_back(
                TableCell::number(m_table.cells[std::size_t(c)][std::size_t(r)], cellDecimals));
        table.rows.push_back(std::move(row));
    }
    return table;
}

void LsPage::CleanGrid(bool select)
{
    for (int r = 0; r < GridRows; ++r)
        for (int c = 0; c < GridColumns; ++c)
            setCell(c, r, QString());
    m_hasTable = false;
    if (select) {
        m_marked = true;
        m_selected = QPoint(CentreColumn, CentreRow);
    }
    frameGrid();
}

void LsPage::grdLSMouseMove()
{
    static const QString hints[] = {
        QStringLiteral(" Grid is displaying Payment Amounts"),
        QStringLiteral(" Grid is displaying Loan Amounts"),
        QStringLiteral(" Grid is displaying Interest Rates"),
        QStringLiteral(" Grid is displaying Term in Months"),
    };
    setHint(m_grdLS, hints[spreadModeIndex()]);
}

void LsPage::changeEvent(QEvent *event)
{
    // The cells carry their colours: a palette switched while running reaches them here.
    if (event->type() == QEvent::PaletteChange)
        restyleGrid();
    CalculatorPage::changeEvent(event);
}

bool LsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grdLS->viewport() && event->type() == QEvent::MouseMove)
        guard([this] { grdLSMouseMove(); });
    return CalculatorPage::eventFilter(watched, event);
}

void LsPage::focusField(QWidget *field)
{
    const QScopedValueRollback quiet(m_quiet, true);
    field->setFocus();
}

void LsPage::applyModeSetup()
{
    struct Setup
    {
        int calculated; // 0 loan, 1 rate, 2 term, 3 payment
        const char16_t *calculatedHint;
        QFrame *left;
        const char16_t *leftCaption;
        QFrame *right;
        const char16_t *rightCaption;
        QFrame *hidden;
        QWidget *focus;
    };
    const Setup setups[] = {
        {3, u"Calculated Monthly Payment", m_rgLoan, u"Increment Loan Amounts By", m_rgInterest,
         u"Increment Interest Rates By", m_rgPayments, m_edtLoan},
        {0, u"Calculated Loan Amount", m_rgPayments, u"Increment Payments By", m_rgInterest,
         u"Increment Interest Rates By", m_rgLoan, m_EdtTerm},
        {1, u"Calculated Interest Rate", m_rgLoan, u"Increment Loan Amounts By", m_rgPayments,
         u"Increment Payments By", m_rgInterest, m_edtLoan},
        {2, u"Calculated Term in Months", m_rgLoan, u"Increment Loan Amounts By", m_rgPayments,
         u"Increment Payments By", m_rgInterest, m_edtLoan},
    };
    const Setup &s = setups[spreadModeIndex()];
    static const QString enterHints[] = {
        QStringLiteral("Enter Loan Amount"), QStringLiteral("Enter Interest Rate"),
        QStringLiteral("Enter Term in Months"), QStringLiteral("Enter Monthly Payment")};
    NumberField *fields[] = {m_edtLoan, m_EdtInterest, m_EdtTerm, m_edtPayment};
    for (int k = 0; k < 4; ++k) {
        const bool calculated = k == s.calculated;
        fields[k]->setResultField(calculated);
        setHint(fields[k], calculated ? str(s.calculatedHint) : enterHints[k]);
    }
    s.hidden->hide();
    s.left->move(LeftSlot);
    s.left->show();
    s.right->move(RightSlot);
    s.right->show();
    // Tab follows the eye: the left-hand group's choices, then the right-hand one's.
    QWidget *previous = s.left->findChildren<QRadioButton *>().constLast();
    for (QRadioButton *choice : s.right->findChildren<QRadioButton *>()) {
        QWidget::setTabOrder(previous, choice);
        previous = choice;
    }
    m_lblLeft->setText(str(s.leftCaption));
    m_lblRight->setText(str(s.rightCaption));
    focusField(s.focus);
}

void LsPage::rgCalculateClick()
{
    m_spreadMode = SpreadMode(m_rgCalculate->checkedId() < 0 ? 0 : m_rgCalculate->checkedId());
    applyModeSetup();
    CleanGrid();
    ChooseLoanSpreadCalculator();
}

void LsPage::ChooseLoanSpreadCalculator(bool active)
{
    // A build never runs inside another one (a message box or a focus move
    // of the error handler must not start a second).
    if (m_building)
        return;
    const QScopedValueRollback building(m_building, true);
    switch (m_spreadMode) {
    case SpreadMode::Payment:
        BuildPaymentSpread(*this, active);
        break;
    case SpreadMode::LoanAmount:
        BuildLoanAmountSpread(*this, active);
        break;
    case SpreadMode::Rate:
        BuildRateSpread(*this, active);
        break;
    case SpreadMode::Term:
        BuildTermSpread(*this, active);
        break;
    }
}

double LsPage::loanValue() const
{
    return m_edtLoan->value();
}

double LsPage::paymentValue() const
{
    return m_edtPayment->value();
}

double LsPage::rateValue() const
{
    return m_EdtInterest->value();
}

std::int32_t LsPage::termValue() const
{
    return m_EdtTerm->asInteger();
}

double LsPage::takeIncrement(Axis axis)
{
    QButtonGroup *group = m_loanGroup;
    const Increment *table = kLoanIncrements;
    QString *kept = &m_loanIncrementText;
    if (axis == Axis::Rate) {
        group = m_interestGroup;
        table = kRateIncrements;
        kept = &m_rateIncrementText;
    } else if (axis == Axis::Payment) {
        group = m_paymentsGroup;
        table = kPaymentIncrements;
        kept = &m_paymentIncrementText;
    }
    const int index = group->checkedId();
    if (index < 0)
        return 0; // the kept text stays as it was
    *kept = str(table[index].kept);
    return table[index].value;
}

void LsPage::showSpread(SpreadMode mode, const SpreadTable &table, const SpreadTexts &texts,
                        bool active)
{
    m_spreadMode = mode;
    m_table = table;
    m_hasTable = true;
    if (mode == SpreadMode::Payment)
        setCell(0, 0, spreadCorner(mode));
    for (int c = 0; c < SpreadColumnCount; ++c)
        setCell(c + 1, 0, texts.columns[std::size_t(c)]);
    for (int r = 0; r < SpreadRowCount; ++r)
        setCell(0, r + 1, texts.rows[std::size_t(r)]);
    for (int c = 0; c < SpreadColumnCount; ++c)
        for (int r = 0; r < SpreadRowCount; ++r)
            setCell(c + 1, r + 1, texts.cells[std::size_t(c)][std::size_t(r)]);

    switch (mode) {
    case SpreadMode::Payment:
        m_edtPayment->setValue(table.calculated);
        break;
    case SpreadMode::LoanAmount:
        m_edtLoan->setValue(table.calculated);
        break;
    case SpreadMode::Rate:
        m_EdtInterest->setValue(table.calculated);
        break;
    case SpreadMode::Term:
        m_EdtTerm->setValue(table.calculated);
        break;
    }
    m_edtTotalPaid->setValue(table.totalPaid);
    m_edtInterestPaid->setValue(table.interestPaid);

    // Modes 1-3 end by marking the centre again and switching printing on;
    // a rebuild behind another page must leave that page's printing alone.
    if (mode != SpreadMode::Payment && active) {
        m_marked = true;
        selectCell(CentreColumn, CentreRow);
        host().AllowPrinting();
    }
}

void LsPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(false);
    putBackStoredLoan(m_edtLoan, m_EdtInterest, m_EdtTerm, m_edtPayment);
    guard([this] { ChooseLoanSpreadCalculator(); });
    focusField(m_rgCalculate->checkedId() == 1 ? static_cast<QWidget *>(m_edtPayment)
                                               : static_cast<QWidget *>(m_edtLoan));
}

void LsPage::Reset()
{
}

void LsPage::recoverFromFloatError(bool active)
{
    const QScopedValueRollback quiet(m_quiet, true);
    QWidget *focus = m_edtLoan;
    const BuyerValues &start = FactoryValues;
    switch (m_spreadMode) {
    case SpreadMode::Payment:
        m_edtLoan->setValue(start.Loan);
        m_EdtInterest->setValue(start.Interest);
        m_EdtTerm->setValue(start.Term);
        break;
    case SpreadMode::LoanAmount:
        m_edtPayment->setValue(start.Payment);
        m_EdtInterest->setValue(start.Interest);
        m_EdtTerm->setValue(start.Term);
        focus = m_edtPayment;
        break;
    case SpreadMode::Rate:
        m_EdtTerm->setValue(start.Term);
        m_edtLoan->setValue(start.Loan);
        m_edtPayment->setValue(start.Payment);
        break;
    case SpreadMode::Term:
        m_EdtInterest->setValue(start.Interest);
        m_edtLoan->setValue(start.Loan);
        m_edtPayment->setValue(start.Payment);
        break;
    }
    if (active)
        focus->setFocus();
    CleanGrid(active);
    ChooseLoanSpreadCalculator(active);
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<LsPage>> LsPage::fields()
{
    using P = LsPage;
    static constexpr PageField<P> table[] = {
        {"Loan", at<&P::m_edtLoan>, FieldKind::Number},
        {"Interest", at<&P::m_EdtInterest>, FieldKind::Number},
        {"Term", at<&P::m_EdtTerm>, FieldKind::Number},
        {"Payment", at<&P::m_edtPayment>, FieldKind::Number},
        {"Calculate", at<&P::m_rgCalculate>, FieldKind::Choice},
        {"LoanStep", at<&P::m_loanGroup>, FieldKind::Choice},
        {"RateStep", at<&P::m_interestGroup>, FieldKind::Choice},
        {"PaymentStep", at<&P::m_paymentsGroup>, FieldKind::Choice},
    };
    return table;
}

void LsPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void LsPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn

#include "calculators/ArmPage.h"

#include "calculators/CalculatorHost.h"
#include "calculators/CompareChart.h"
#include "calculators/PageControls.h"
#include "finance/Cents.h"
#include "finance/Errors.h"
#include "state/PageState.h"
#include "state/SettingsFile.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <iterator>
#include <limits>

namespace clvn {

const QString ArmPage::SettingsSection = QStringLiteral("Adjustable Rate");
const QString ArmPage::RefusalPrefix =
    QStringLiteral("The adjustable-rate loan cannot be calculated: ");

namespace {

// Pixel grid of the tabs: on the first, the inputs in a column on the left
// and the results on the right, the index path across the foot; the Loan
// Estimate's tables, the schedule and the chart each on a tab of their own,
// so that everything Tab reaches shows where it is.
constexpr int LeftLabelX = 4, LeftFieldX = 164, FieldW = 94, LeftLabelW = 158;
constexpr int RightLabelX = 268, RightFieldX = 476, RightLabelW = 206;
constexpr int RowTop = 4, Step = 20, RowH = 19;
constexpr int TabW = 580, GridRowH = 19;
constexpr int TermsH = 48, RateTableTop = TermsH + 30, RateTableH = 9 * GridRowH + 2;
constexpr int ProjectedTop = RateTableTop + RateTableH + 26, ProjectedH = 3 * GridRowH + 6;
constexpr int CaseH = 24, ScheduleTop = CaseH + 4, ScheduleH = 318;
constexpr int ChartH = 340;

// The 5/1 loan the page starts with, and Reset puts back.
struct Start
{
    double loan = 550001, term = 360, rate = 3.375, fixedMonths = 60, adjustMonths = 12;
    double index = 3, margin = 2.25;
    int rounding = 1; // to the nearest 1/8 point
    double firstCap = 2, periodicCap = 2, lifetimeCap = 5;
    double interestOnly = 0, prepaid = 860, fixedRate = 4.125, fixedPrepaid = 860;
};
constexpr Start kStart;

const char16_t *const kCaseNames[] = {u"Index unchanged", u"Worst case", u"Best case", u"Own path"};
constexpr int kCases = 4;

QString money(std::int64_t cents)
{
    return formatCurrency(FromCents(cents), 15, 2);
}

// A count typed into a number field; beyond 32 bits it stands for a count
// past every limit, which the calculation refuses.
std::int32_t count(const NumberField *field)
{
    const qint64 v = readCount(static_cast<const TFnpNumericEdit *>(field));
    return std::int32_t(std::clamp<qint64>(v, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max()));
}

// An empty field is no figure.
std::optional<double> optionalValue(const NumberField *field)
{
    if (field->text().trimmed().isEmpty())
        return std::nullopt;
    return field->value();
}

// Cents to whole dollars half up, as the Loan Estimate rounds them.
double wholeDollars(std::int64_t cents)
{
    return double((cents + 50) / 100);
}

QString termsLine(const QString &caption, const std::string &line)
{
    const QString text = QString::fromStdString(line);
    if (text.startsWith(u"Cannot"))
        return caption + QStringLiteral(": NO");
    return caption + QStringLiteral(": YES. ") + text;
}

QTableWidget *makeGrid(QWidget *parent, const QString &name, const QString &spokenName,
                       const QRect &geometry)
{
    auto *grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setAccessibleName(spokenName);
    grid->setGeometry(geometry);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->verticalHeader()->setDefaultSectionSize(GridRowH);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return grid;
}

} // namespace

// The schedule of one path, row by row, without an item per cell.
class ArmScheduleModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    static const QStringList &headings()
    {
        static const QStringList h = {QStringLiteral("Payment"),   QStringLiteral("Rate"),
                                      QStringLiteral("Amount"),    QStringLiteral("Interest"),
                                      QStringLiteral("Principal"), QStringLiteral("Balance")};
        return h;
    }

    void setRows(const std::vector<ArmRow> *rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_rows ? 0 : int(m_rows->size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(headings().size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const ArmRow &r = (*m_rows)[std::size_t(index.row())];
        switch (index.column()) {
        case 0:
            return QString::number(r.number);
        case 1:
            return QString(formatFixed(r.rate, 15, 3) + u'%');
        case 2:
            return money(r.payment);
        case 3:
            return money(r.interest);
        case 4:
            return money(r.principal);
        default:
            return money(r.balance);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        return headings().value(section);
    }

private:
    const std::vector<ArmRow> *m_rows = nullptr;
};

ArmPage::ArmPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("ARM"), parent)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabArm"));
    m_tabs->setGeometry(0, 0, 587, 380);
    const auto tab = [this](const char *name, const QString &title) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        m_tabs->addTab(page, title);
        return page;
    };
    QWidget *loan = tab("tabArmLoan", QStringLiteral("Loan"));
    QWidget *estimate = tab("tabArmEstimate", QStringLiteral("Loan Estimate"));
    QWidget *schedule = tab("tabArmSchedule", QStringLiteral("Schedule"));
    QWidget *chart = tab("tabArmChart", QStringLiteral("Chart"));
    buildInputs(loan);
    buildResults(loan, estimate, schedule, chart);
    putStartValues();
    bindHandlers();
}

ArmPage::~ArmPage()
{
    // The schedule view asks for its rows once more as the page's widgets
    // close, after the results are gone: it must find none.
    if (m_schedule)
        m_schedule->setRows(nullptr);
}

std::span<const PageField<ArmPage>> ArmPage::fields()
{
    using P = ArmPage;
    using K = FieldKind;
    static constexpr PageField<P> table[] = {
        {"Loan", at<&P::m_edtArmLoan>, K::Number},
        {"Term", at<&P::m_edtArmTerm>, K::Whole},
        {"InitialRate", at<&P::m_edtArmRate>, K::Number},
        {"FixedMonths", at<&P::m_edtArmFixedMonths>, K::Whole},
        {"AdjustMonths", at<&P::m_edtArmAdjustMonths>, K::Whole},
        {"Index", at<&P::m_edtArmIndex>, K::Number},
        {"Margin", at<&P::m_edtArmMargin>, K::Number},
        {"Rounding", at<&P::m_cbArmRounding>, K::Index},
        {"FirstCap", at<&P::m_edtArmFirstCap>, K::Number},
        {"PeriodicCap", at<&P::m_edtArmPeriodicCap>, K::Number},
        {"LifetimeCap", at<&P::m_edtArmLifetimeCap>, K::OptionalNumber},
        {"Floor", at<&P::m_edtArmFloor>, K::OptionalNumber},
        {"InterestOnly", at<&P::m_edtArmInterestOnly>, K::Whole},
        {"Prepaid", at<&P::m_edtArmPrepaid>, K::Number},
        {"IndexPath", at<&P::m_edtArmPath>, K::Text},
        {"FixedRate", at<&P::m_edtArmFixedRate>, K::OptionalNumber},
        {"FixedPrepaid", at<&P::m_edtArmFixedPrepaid>, K::Number},
        {"ScheduleShown", at<&P::m_rgArmCase>, K::Choice},
    };
    return table;
}

void ArmPage::buildInputs(QWidget *panel)
{
    int row = 0;
    const auto place = [&](const QString &text, QWidget *field) {
        const int y = RowTop + row++ * Step;
        addLabel(panel, text, QRect(LeftLabelX, y, LeftLabelW, RowH));
        field->setGeometry(LeftFieldX, y, FieldW, RowH);
        return field;
    };
    const auto number = [&](const QString &text, const char *name, int decimals) -> NumberField * {
        return static_cast<NumberField *>(
            place(text, addNumber(panel, QString::fromLatin1(name), QRect(), decimals, 0)));
    };
    const auto amount = [&](const QString &text, const char *name) -> NumberField * {
        return static_cast<NumberField *>(
            place(text, addMoney(panel, QString::fromLatin1(name), QRect(), 0)));
    };
    m_edtArmLoan = amount(QStringLiteral("Loan Amount"), "edtArmLoan");
    m_edtArmTerm = number(QStringLiteral("Term in Months"), "edtArmTerm", 0);
    m_edtArmRate = number(QStringLiteral("Initial Rate (%)"), "edtArmRate", 3);
    m_edtArmFixedMonths = number(QStringLiteral("Months at Initial Rate"), "edtArmFixedMonths", 0);
    m_edtArmAdjustMonths =
        number(QStringLiteral("Months Between Changes"), "edtArmAdjustMonths", 0);
    m_edtArmIndex = number(QStringLiteral("Index at Closing (%)"), "edtArmIndex", 3);
    m_edtArmMargin = number(QStringLiteral("Margin (%)"), "edtArmMargin", 3);
    m_cbArmRounding = new QComboBox(panel);
    m_cbArmRounding->setObjectName(QStringLiteral("cbArmRounding"));
    m_cbArmRounding->addItems(
        {QStringLiteral("None"), QStringLiteral("Nearest 1/8"), QStringLiteral("Up to 1/8")});
    place(QStringLiteral("Round Index + Margin"), m_cbArmRounding);
    m_edtArmFirstCap = number(QStringLiteral("First Change Cap"), "edtArmFirstCap", 3);
    m_edtArmPeriodicCap = number(QStringLiteral("Later Change Cap"), "edtArmPeriodicCap", 3);
    m_edtArmLifetimeCap = number(QStringLiteral("Lifetime Cap"), "edtArmLifetimeCap", 3);
    m_edtArmFloor = number(QStringLiteral("Floor (%, empty: margin)"), "edtArmFloor", 3);
    m_edtArmInterestOnly = number(QStringLiteral("Interest-Only Months"), "edtArmInterestOnly", 0);
    m_edtArmPrepaid = amount(QStringLiteral("Prepaid Finance Charges"), "edtArmPrepaid");
    m_edtArmFixedRate = number(QStringLiteral("Fixed Loan Rate (%)"), "edtArmFixedRate", 3);
    m_edtArmFixedPrepaid = amount(QStringLiteral("Fixed Loan Prepaid"), "edtArmFixedPrepaid");
    m_edtArmPath = new QLineEdit(panel);
    m_edtArmPath->setObjectName(QStringLiteral("edtArmPath"));
    place(QStringLiteral("Own Index Path (%)"), m_edtArmPath)
        ->setGeometry(LeftFieldX, RowTop + 16 * Step, RightFieldX + FieldW - LeftFieldX, RowH);
    m_edtArmPath->setPlaceholderText(
        QStringLiteral("the index at each change: 3.5; 4; 4.25 (the last one holds)"));
    m_edtArmPath->setMaxLength(400);

    // Tab walks the column down, then the path.
    QWidget *const order[] = {m_edtArmLoan,         m_edtArmTerm,         m_edtArmRate,
                              m_edtArmFixedMonths,  m_edtArmAdjustMonths, m_edtArmIndex,
                              m_edtArmMargin,       m_cbArmRounding,      m_edtArmFirstCap,
                              m_edtArmPeriodicCap,  m_edtArmLifetimeCap,  m_edtArmFloor,
                              m_edtArmInterestOnly, m_edtArmPrepaid,      m_edtArmFixedRate,
                              m_edtArmFixedPrepaid, m_edtArmPath};
    for (std::size_t k = 1; k < std::size(order); ++k)
        setTabOrder(order[k - 1], order[k]);
}

void ArmPage::buildResults(QWidget *panel, QWidget *estimate, QWidget *schedule, QWidget *chart)
{
    int rows[2] = {0, 0};
    // The right column's last four rows are the fixed loan's.
    const auto place = [&](int, const QString &text, QWidget *field) {
        const int y = RowTop + rows[1]++ * Step;
        QLabel *label = addLabel(panel, text, QRect(RightLabelX, y, RightLabelW, RowH));
        field->setGeometry(RightFieldX, y, FieldW, RowH);
        if (rows[1] > 12)
            m_fixedResults << label << field;
    };
    const auto money = [&](int column, const QString &text, const char *name, int decimals = 2) {
        TNumEdit *edit = addMoneyResult(panel, QString::fromLatin1(name), QRect());
        edit->setDecimals(decimals);
        place(column, text, edit);
        return edit;
    };
    const auto number = [&](int column, const QString &text, const char *name, int decimals) {
        TFnpNumericEdit *edit = addNumber(panel, QString::fromLatin1(name), QRect(), decimals, 0);
        edit->setResultField(true);
        place(column, text, edit);
        return edit;
    };
    m_edtArmFullyIndexed =
        number(0, QStringLiteral("Fully Indexed Rate (%)"), "edtArmFullyIndexed", 3);
    m_edtArmFirstPayment = money(0, QStringLiteral("First Payment"), "edtArmFirstPayment");
    m_edtArmPaymentAfterChange =
        money(0, QStringLiteral("Payment After First Change"), "edtArmPaymentAfterChange");
    m_edtArmBalanceAtChange =
        money(0, QStringLiteral("Balance at First Change"), "edtArmBalanceAtChange");
    m_edtArmHighestPayment =
        money(0, QStringLiteral("Highest Payment (worst case)"), "edtArmHighestPayment");
    m_edtArmHighestAt = number(0, QStringLiteral("Highest From Payment"), "edtArmHighestAt", 0);
    m_edtArmHighestRate = number(0, QStringLiteral("Highest Rate (%)"), "edtArmHighestRate", 3);
    m_edtArmAPR = number(1, QStringLiteral("APR (%)"), "edtArmAPR", 3);
    m_edtArmFinanceCharge = money(1, QStringLiteral("Finance Charge"), "edtArmFinanceCharge");
    m_edtArmTIP = number(1, QStringLiteral("Total Interest Percentage"), "edtArmTIP", 3);
    m_edtArmFiveYearTotal = money(1, QStringLiteral("Paid in 5 Years"), "edtArmFiveYearTotal", 0);
    m_edtArmFiveYearPrincipal =
        money(1, QStringLiteral("Principal Paid in 5 Years"), "edtArmFiveYearPrincipal", 0);
    m_edtArmFixedPayment = money(1, QStringLiteral("Fixed Loan Payment"), "edtArmFixedPayment");
    m_edtArmMonthlyDifference =
        money(1, QStringLiteral("Fixed Less First Payment"), "edtArmMonthlyDifference");
    m_edtArmFixedBreakEvenIndex = number(1, QStringLiteral("Costlier Than Fixed After (index)"),
                                         "edtArmFixedBreakEvenIndex", 0);
    m_edtArmFixedBreakEvenWorst = number(1, QStringLiteral("Costlier Than Fixed After (worst)"),
                                         "edtArmFixedBreakEvenWorst", 0);

    m_lblArmLoanTerms = addLabel(estimate, QString(), QRect(LeftLabelX, 4, TabW - 12, TermsH),
                                 Qt::AlignLeft | Qt::AlignTop);
    m_lblArmLoanTerms->setObjectName(QStringLiteral("lblArmLoanTerms"));

    addHeading(estimate, QStringLiteral("Adjustable Interest Rate (AIR) Table"),
               QRect(LeftLabelX, RateTableTop - 20, 300, 18));
    m_grdArmRateTable = makeGrid(estimate, QStringLiteral("grdArmRateTable"),
                                 QStringLiteral("Adjustable interest rate table"),
                                 QRect(LeftLabelX, RateTableTop, TabW - 12, RateTableH));
    m_grdArmRateTable->setColumnCount(2);
    m_grdArmRateTable->horizontalHeader()->hide();
    m_grdArmRateTable->verticalHeader()->hide();
    m_grdArmRateTable->setColumnWidth(0, 260);
    m_grdArmRateTable->horizontalHeader()->setStretchLastSection(true);

    addHeading(estimate, QStringLiteral("Projected Payments: Principal & Interest"),
               QRect(LeftLabelX, ProjectedTop - 20, 400, 18));
    m_grdArmProjected = makeGrid(estimate, QStringLiteral("grdArmProjected"),
                                 QStringLiteral("Projected principal and interest payments"),
                                 QRect(LeftLabelX, ProjectedTop, TabW - 12, ProjectedH));
    m_grdArmProjected->setRowCount(1);
    // A range wraps to two lines, minimum over maximum, as on the form.
    m_grdArmProjected->setWordWrap(true);
    m_grdArmProjected->setRowHeight(0, 2 * GridRowH);
    m_grdArmProjected->setVerticalHeaderLabels({QStringLiteral("Principal & Interest")});
    m_grdArmProjected->horizontalHeader()->setDefaultSectionSize(104);
    m_grdArmProjected->horizontalHeader()->setFixedHeight(GridRowH + 2);

    auto *frame = new QFrame(schedule);
    frame->setObjectName(QStringLiteral("pnlArmCase"));
    frame->setGeometry(LeftLabelX, 2, TabW - 12, CaseH);
    addLabel(frame, QStringLiteral("Schedule:"), QRect(4, 4, 64, 18));
    m_rgArmCase = new QButtonGroup(this);
    m_rgArmCase->setObjectName(QStringLiteral("rgArmCase"));
    for (int k = 0; k < kCases; ++k) {
        auto *button = new QRadioButton(QString::fromUtf16(kCaseNames[k]), frame);
        button->setObjectName(QStringLiteral("rgArmCaseItem%1").arg(k));
        button->setGeometry(70 + k * 125, 4, 122, 18);
        m_rgArmCase->addButton(button, k);
    }
    m_rgArmCase->button(0)->setChecked(true);

    m_schedule = new ArmScheduleModel(this);
    m_grdArmSchedule = new QTableView(schedule);
    m_grdArmSchedule->setObjectName(QStringLiteral("grdArmSchedule"));
    m_grdArmSchedule->setAccessibleName(QStringLiteral("Payment schedule"));
    m_grdArmSchedule->setGeometry(LeftLabelX, ScheduleTop, TabW - 12, ScheduleH);
    m_grdArmSchedule->setModel(m_schedule);
    m_grdArmSchedule->setTabKeyNavigation(false);
    m_grdArmSchedule->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdArmSchedule->verticalHeader()->hide();
    m_grdArmSchedule->verticalHeader()->setDefaultSectionSize(GridRowH);
    m_grdArmSchedule->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    installTableCopy(m_grdArmSchedule, *this);

    m_chtArm = new CompareChartView(chart);
    m_chtArm->setObjectName(QStringLiteral("chtArm"));
    m_chtArm->setGeometry(LeftLabelX, 4, TabW - 12, ChartH);
}

void ArmPage::bindHandlers()
{
    QList<NumberField *> fields;
    for (const PageField<ArmPage> &f : ArmPage::fields())
        if (auto *number = qobject_cast<NumberField *>(f.field(*this)))
            fields << number;
    calculateOnLeave(fields, [this] {
        if (!m_quiet)
            CalcARM();
    });
    m_edtArmPath->installEventFilter(this);
    connectGuarded(m_cbArmRounding, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_quiet)
            CalcARM();
    });
    connectGuarded(m_rgArmCase, &QButtonGroup::idClicked, this, [this] { showSchedule(); });
}

bool ArmPage::eventFilter(QObject *watched, QEvent *event)
{
    // The path is text, not a number field: leaving it as a user does (not a
    // window or popup taking the focus) calculates.
    if (watched == m_edtArmPath && event->type() == QEvent::FocusOut && !m_quiet) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            guard([this] { CalcARM(); });
    }
    return CalculatorPage::eventFilter(watched, event);
}

void ArmPage::putStartValues()
{
    m_edtArmLoan->setValue(kStart.loan);
    m_edtArmTerm->setValue(kStart.term);
    m_edtArmRate->setValue(kStart.rate);
    m_edtArmFixedMonths->setValue(kStart.fixedMonths);
    m_edtArmAdjustMonths->setValue(kStart.adjustMonths);
    m_edtArmIndex->setValue(kStart.index);
    m_edtArmMargin->setValue(kStart.margin);
    m_cbArmRounding->setCurrentIndex(kStart.rounding);
    m_edtArmFirstCap->setValue(kStart.firstCap);
    m_edtArmPeriodicCap->setValue(kStart.periodicCap);
    m_edtArmLifetimeCap->setValue(kStart.lifetimeCap);
    m_edtArmFloor->clear();
    m_edtArmInterestOnly->setValue(kStart.interestOnly);
    m_edtArmPrepaid->setValue(kStart.prepaid);
    m_edtArmPath->clear();
    m_edtArmFixedRate->setValue(kStart.fixedRate);
    m_edtArmFixedPrepaid->setValue(kStart.fixedPrepaid);
}

void ArmPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    guard([this] { CalcARM(); });
    const QScopedValueRollback quiet(m_quiet, true);
    m_edtArmLoan->setFocus();
}

void ArmPage::Reset()
{
    {
        const QScopedValueRollback quiet(m_quiet, true);
        putStartValues();
        m_edtArmLoan->setFocus();
    }
    guard([this] { CalcARM(); });
}

QString ArmPage::refusalMessage(const ArmInputError &error)
{
    return RefusalPrefix + QString::fromStdString(error.reason()) + u'.';
}

ArmInputs ArmPage::readInputs() const
{
    ArmInputs in;
    in.loan = m_edtArmLoan->value();
    in.term = count(m_edtArmTerm);
    in.initialRate = m_edtArmRate->value();
    in.fixedMonths = count(m_edtArmFixedMonths);
    in.adjustMonths = count(m_edtArmAdjustMonths);
    in.index = m_edtArmIndex->value();
    in.margin = m_edtArmMargin->value();
    in.rounding = static_cast<ArmRounding>(std::clamp(m_cbArmRounding->currentIndex(), 0, 2));
    in.firstCap = m_edtArmFirstCap->value();
    in.periodicCap = m_edtArmPeriodicCap->value();
    in.lifetimeCap = optionalValue(m_edtArmLifetimeCap);
    in.floor = optionalValue(m_edtArmFloor);
    in.interestOnlyMonths = count(m_edtArmInterestOnly);
    in.prepaid = m_edtArmPrepaid->value();
    const QString point = QLocale().decimalPoint();
    try {
        in.ownPath = ParseArmIndexPath(m_edtArmPath->text().toStdString(),
                                       point.size() == 1 ? point.front().toLatin1() : '.');
    } catch (const ConvertError &e) {
        throw ArmInputError(ArmField::OwnPath, e.what());
    }
    in.fixedRate = optionalValue(m_edtArmFixedRate);
    in.fixedPrepaid = m_edtArmFixedPrepaid->value();
    return in;
}

void ArmPage::CalcARM()
{
    host().AllowPrinting();
    std::optional<ArmResults> computed;
    try {
        computed = CalcArm(readInputs());
    } catch (const ArmInputError &e) {
        // A figure out of bounds, not a failure of the arithmetic: say which,
        // and go back to it. Fields in the order the refusals name them.
        QWidget *const named[] = {
            m_edtArmLoan,         m_edtArmTerm,        m_edtArmRate,      m_edtArmFixedMonths,
            m_edtArmAdjustMonths, m_edtArmIndex,       m_edtArmMargin,    m_edtArmFirstCap,
            m_edtArmPeriodicCap,  m_edtArmLifetimeCap, m_edtArmFloor,     m_edtArmInterestOnly,
            m_edtArmPrepaid,      m_edtArmPath,        m_edtArmFixedRate, m_edtArmFixedPrepaid};
        static_assert(std::size(named) == std::size_t(ArmField::FixedPrepaid) + 1);
        throw InputRefused(refusalMessage(e), named[std::size_t(e.field())]);
    }
    const ArmResults &r = *computed;
    const ArmPath &index = r.paths[0], &worst = r.paths[1];

    // Everything shown is made before any of it is written.
    CompareChartData chart;
    for (const ArmPath &p : r.paths) {
        std::vector<double> payments{FromCents(p.rows.front().payment)};
        for (const ArmRow &row : p.rows)
            payments.push_back(FromCents(row.payment));
        chart.series.push_back({QString::fromUtf16(kCaseNames[int(p.kind)]), payments});
    }
    if (r.hasFixed) {
        std::vector<double> payments{FromCents(r.fixedRows.front().payment)};
        for (const ArmRow &row : r.fixedRows)
            payments.push_back(FromCents(row.payment));
        chart.series.push_back({QStringLiteral("Fixed loan"), payments});
    }
    const QString terms =
        termsLine(QStringLiteral("Interest Rate"), r.rateTermsLine) + u'\n' +
        termsLine(QStringLiteral("Monthly Principal & Interest"), r.paymentTermsLine);

    m_edtArmFullyIndexed->setValue(r.fullyIndexed);
    m_edtArmFirstPayment->setValue(FromCents(r.firstPayment));
    m_edtArmPaymentAfterChange->setValue(FromCents(r.paymentAfterChange));
    m_edtArmBalanceAtChange->setValue(FromCents(r.balanceAtChange));
    m_edtArmHighestPayment->setValue(FromCents(r.highestPayment));
    m_edtArmHighestAt->setValue(r.highestAt);
    m_edtArmHighestRate->setValue(r.highestRate);
    m_edtArmAPR->setValue(r.apr);
    m_edtArmFinanceCharge->setValue(FromCents(r.financeCharge));
    m_edtArmTIP->setValue(r.totalInterestPercent);
    m_edtArmFiveYearTotal->setValue(wholeDollars(r.fiveYearTotal));
    m_edtArmFiveYearPrincipal->setValue(wholeDollars(r.fiveYearPrincipal));
    // Without a fixed loan its figures are not shown rather than shown as 0.
    for (QWidget *w : std::as_const(m_fixedResults))
        w->setVisible(r.hasFixed);
    if (r.hasFixed) {
        m_edtArmFixedPayment->setValue(FromCents(r.fixedPayment));
        m_edtArmMonthlyDifference->setValue(FromCents(r.monthlyDifference));
        for (const auto &[field, breakEven] :
             {std::pair{m_edtArmFixedBreakEvenIndex, index.breakEven},
              std::pair{m_edtArmFixedBreakEvenWorst, worst.breakEven}}) {
            if (breakEven > 0)
                field->setValue(breakEven);
            else
                field->setText(QStringLiteral("never"));
        }
    }
    m_lblArmLoanTerms->setText(terms);

    m_grdArmRateTable->setRowCount(int(r.rateTable.size()));
    for (int k = 0; k < int(r.rateTable.size()); ++k) {
        const ArmTableRow &row = r.rateTable[std::size_t(k)];
        auto *label = new QTableWidgetItem(QString::fromStdString(row.label));
        QFont font = m_grdArmRateTable->font();
        font.setBold(row.value.empty());
        label->setFont(font);
        // The rows under a heading are indented under it, as on the form.
        if (!row.value.empty() && k > 3)
            label->setText(QStringLiteral("    ") + label->text());
        m_grdArmRateTable->setItem(k, 0, label);
        m_grdArmRateTable->setItem(k, 1, new QTableWidgetItem(QString::fromStdString(row.value)));
    }
    m_grdArmProjected->setColumnCount(int(r.projected.size()));
    for (int c = 0; c < int(r.projected.size()); ++c) {
        const ArmProjectedColumn &col = r.projected[std::size_t(c)];
        m_grdArmProjected->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromStdString(col.heading)));
        auto *cell = new QTableWidgetItem(QString::fromStdString(col.text));
        cell->setTextAlignment(Qt::AlignCenter);
        m_grdArmProjected->setItem(0, c, cell);
    }
    m_chtArm->setData(std::move(chart));
    m_results = std::move(computed);
    const bool ownPath = m_results->paths.size() > 3;
    m_rgArmCase->button(3)->setEnabled(ownPath);
    if (!ownPath && m_rgArmCase->checkedId() == 3)
        m_rgArmCase->button(0)->setChecked(true);
    showSchedule();
}

const ArmPath *ArmPage::chosenPath() const
{
    if (!m_results)
        return nullptr;
    const auto chosen = std::size_t(std::max(m_rgArmCase->checkedId(), 0));
    return &m_results->paths[std::min(chosen, m_results->paths.size() - 1)];
}

void ArmPage::showSchedule()
{
    const ArmPath *path = chosenPath();
    m_schedule->setRows(path ? &path->rows : nullptr);
}

TableData ArmPage::tableData() const
{
    TableData table;
    const ArmPath *path = chosenPath();
    if (!path)
        return table;
    table.headings = ArmScheduleModel::headings();
    for (const ArmRow &r : path->rows)
        table.rows.push_back({TableCell::number(r.number, 0), TableCell::number(r.rate, 3),
                              TableCell::number(FromCents(r.payment), 2),
                              TableCell::number(FromCents(r.interest), 2),
                              TableCell::number(FromCents(r.principal), 2),
                              TableCell::number(FromCents(r.balance), 2)});
    return table;
}

// ---- Kept between runs ---------------------------------------------------

void ArmPage::restoreState(const PageState &state)
{
    m_unread.clear();
    PageState before;
    saveState(before);
    {
        const QScopedValueRollback quiet(m_quiet, true);
        // A line that does not read leaves the start value and is kept as written.
        for (const QString &key : readFields(state, fields(), *this))
            m_unread.insert(key, before.text(key));
    }
    if (m_results)
        showSchedule();
}

void ArmPage::saveState(PageState &state) const
{
    PageState shown(state.section());
    writeFields(shown, fields(), *this);
    for (const auto &[key, text] : shown.lines()) {
        // A line the run could not read stays as the user wrote it, unless
        // the figure that replaced it has been changed since.
        const auto unread = m_unread.constFind(key);
        if (unread == m_unread.cend() || *unread != text)
            state.set(key, text);
    }
}

} // namespace clvn

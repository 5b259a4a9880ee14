#include "calculators/LecPage.h"

#include "calculators/CalculatorHost.h"
#include "calculators/PageControls.h"
#include "finance/Arm.h"
#include "finance/Errors.h"
#include "finance/Rounding.h"
#include "state/PageState.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <limits>

namespace clvn {

const QString LecPage::SettingsSection = QStringLiteral("Loan Estimate Check");
const QString LecPage::RefusalPrefix = QStringLiteral("The Loan Estimate cannot be checked: ");

namespace {

// Pixel grid: each tab holds a page of the form in two columns of caption
// and field, or two columns of grids; the Check button sits under the tabs,
// so Enter reaches it from any of them, and the verdict beside it, so it
// shows whichever page of the form is open.
constexpr int TabsH = 346, ButtonTop = TabsH + 4, VerdictX = 110, VerdictW = 470, VerdictH = 30;
constexpr int LabelX = 4, LabelW = 186, FieldX = 192, FieldW = 90;
constexpr int RightLabelX = 294, RightLabelW = 190, RightFieldX = 486;
constexpr int RowTop = 4, Step = 20, RowH = 19, GridRowH = 19, HeaderH = 21;
constexpr int HalfW = 285, FullW = 577;

// A figure of a grid, or the disclosure, that cannot be read: the page names it.
class FormError : public std::runtime_error
{
public:
    explicit FormError(const QString &what) : std::runtime_error(what.toStdString()) {}
};

const QStringList kCharges = {QStringLiteral("yes"), QStringLiteral("no"),
                              QStringLiteral("uncertain")};

QString chargeText(FinanceCharge c)
{
    return kCharges[int(c)];
}

FinanceCharge chargeOf(const QString &text)
{
    const qsizetype k = kCharges.indexOf(text.trimmed().toLower());
    return k < 0 ? FinanceCharge::Uncertain : FinanceCharge(k);
}

// The finance-charge column is chosen from a list, not typed.
class ChargeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *list = new QComboBox(parent);
        list->addItems(kCharges);
        return list;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QComboBox *>(editor)->setCurrentIndex(int(chargeOf(index.data().toString())));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText());
    }
};

QTableWidget *makeGrid(QWidget *parent, const QString &name, const QString &spokenName,
                       const QStringList &headings, int rows, const QRect &geometry)
{
    auto *grid = new QTableWidget(rows, int(headings.size()), parent);
    grid->setObjectName(name);
    grid->setAccessibleName(spokenName);
    grid->setGeometry(geometry);
    grid->setHorizontalHeaderLabels(headings);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(GridRowH);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setFixedHeight(HeaderH);
    grid->horizontalHeader()->setStretchLastSection(false);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem);
    return grid;
}

// A grid of `rows` lines that shows them all without scrolling.
int gridHeight(int rows)
{
    return HeaderH + rows * GridRowH + 2;
}

QTableWidget *feeGrid(QWidget *parent, const char *name, const QString &caption, int rows,
                      QPoint at, int width = FullW)
{
    addHeading(parent, caption, QRect(at.x(), at.y(), width, 18));
    QTableWidget *grid = makeGrid(
        parent, QString::fromLatin1(name), caption,
        {QStringLiteral("Description"), QStringLiteral("Amount"), QStringLiteral("Finance Charge")},
        rows, QRect(at.x(), at.y() + 18, width, gridHeight(rows)));
    grid->setColumnWidth(0, width - 146);
    grid->setColumnWidth(1, 54);
    grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    grid->setItemDelegateForColumn(2, new ChargeDelegate(grid));
    return grid;
}

QString cellText(const QTableWidget *grid, int r, int c)
{
    const QTableWidgetItem *item = grid->item(r, c);
    return item ? item->text().trimmed() : QString();
}

void setCell(QTableWidget *grid, int r, int c, const QString &text)
{
    if (QTableWidgetItem *item = grid->item(r, c))
        item->setText(text);
}

// A figure typed into a grid: "$1,050", "405", "-" (none) or empty (0).
double cellFigure(const QTableWidget *grid, int r, int c)
{
    QString text = cellText(grid, r, c);
    text.remove(u'$');
    if (text.isEmpty() || text == u"-" || text == u"\u2013")
        return 0;
    const std::optional<double> v = typedNumber(text);
    if (!v)
        throw FormError(grid->accessibleName() +
                        QStringLiteral(", row %1, %2: \"%3\" is not a figure")
                            .arg(r + 1)
                            .arg(grid->horizontalHeaderItem(c)->text(), text));
    return *v;
}

std::vector<LecFee> feesOf(const QTableWidget *grid)
{
    std::vector<LecFee> fees;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QString description = cellText(grid, r, 0);
        if (description.isEmpty() && cellText(grid, r, 1).isEmpty())
            continue;
        fees.push_back(
            {description.toStdString(), cellFigure(grid, r, 1), chargeOf(cellText(grid, r, 2))});
    }
    return fees;
}

std::optional<double> optionalValue(const NumberField *field)
{
    if (field->text().trimmed().isEmpty())
        return std::nullopt;
    return field->value();
}

QString percent(double x)
{
    return QString::fromStdString(
        ArmPercent(RoundDecimal(x, kHeldDigits, 3, RoundMode::HalfAwayFromZero)));
}

std::int32_t count(const NumberField *field)
{
    const qint64 v = readCount(static_cast<const TFnpNumericEdit *>(field));
    return std::int32_t(std::clamp<qint64>(v, 0, std::numeric_limits<std::int32_t>::max()));
}

// The CFPB's sample Loan Estimate (H-24(B)), which the page starts with.
struct Fee
{
    const char *description;
    const char *amount;
};
constexpr Fee kStartA[] = {{"0.25 % of Loan Amount (Points)", "405"},
                           {"Application Fee", "300"},
                           {"Underwriting Fee", "1,097"}};
constexpr Fee kStartB[] = {{"Appraisal Fee", "405"},          {"Credit Report Fee", "30"},
                           {"Flood Determination Fee", "20"}, {"Flood Monitoring Fee", "32"},
                           {"Tax Monitoring Fee", "75"},      {"Tax Status Research Fee", "110"}};
constexpr Fee kStartC[] = {
    {"Pest Inspection Fee", "135"},          {"Survey Fee", "65"},
    {"Title - Insurance Binder", "700"},     {"Title - Lender's Title Policy", "535"},
    {"Title - Settlement Agent Fee", "502"}, {"Title - Title Search", "1,261"}};
constexpr Fee kStartE[] = {{"Recording Fees and Other Taxes", "85"}};
constexpr Fee kStartH[] = {{"Title - Owner's Title Policy (optional)", "1,017"}};
constexpr const char *kStartProjected[][5] = {{"1-7", "761.78", "82", "206", "1,050"},
                                              {"8-30", "761.78", "-", "206", "968"}};
constexpr const char *kStartEscrow[][4] = {{"Homeowner's Insurance", "100.83", "2", "202"},
                                           {"Property Taxes", "105.30", "2", "211"}};

void putFees(QTableWidget *grid, std::span<const Fee> fees)
{
    for (int r = 0; r < grid->rowCount(); ++r) {
        const bool given = r < int(fees.size());
        const QString description =
            given ? QString::fromUtf8(fees[std::size_t(r)].description) : QString();
        setCell(grid, r, 0, description);
        setCell(grid, r, 1, given ? QString::fromUtf8(fees[std::size_t(r)].amount) : QString());
        setCell(grid, r, 2,
                given ? chargeText(ProposeFinanceCharge(description.toStdString())) : QString());
    }
}

template <std::size_t N> void putRows(QTableWidget *grid, std::span<const char *const[N]> rows)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < int(N); ++c)
            setCell(grid, r, c,
                    r < int(rows.size()) ? QString::fromUtf8(rows[std::size_t(r)][c]) : QString());
}

} // namespace

LecPage::LecPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("LEC"), parent)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabLec"));
    m_tabs->setGeometry(0, 0, 587, TabsH);
    const auto tab = [this](const char *name, const QString &title) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        m_tabs->addTab(page, title);
        return page;
    };
    buildFirstPage(tab("tabLecLoan", QStringLiteral("Loan Terms")));
    QWidget *ab = tab("tabLecLoanCosts", QStringLiteral("Costs A-B"));
    buildLoanCosts(ab, tab("tabLecShopCosts", QStringLiteral("Costs C-E")));
    buildOtherCosts(tab("tabLecOtherCosts", QStringLiteral("Costs F-H")));
    buildLastPage(tab("tabLecCash", QStringLiteral("Cash to Close, Page 3")));
    buildAdjustable(tab("tabLecArm", QStringLiteral("Adjustable")));
    buildCheck(tab("tabLecCheck", QStringLiteral("Check")));
    m_btnLecCheck = addButton(this, QStringLiteral("btnLecCheck"), QStringLiteral("Check"),
                              QStringLiteral("Recompute every figure of the Loan Estimate"),
                              QRect(4, ButtonTop, 100, 23));
    setDefaultButton(m_btnLecCheck);
    putStartValues();

    connectGuarded(m_btnLecCheck, &QPushButton::clicked, this, [this] {
        CheckLEC();
        setResultsCurrent();
    });
    for (const auto &[grid, key] : grids())
        addInputView(grid);
    for (const auto &[grid, key] : grids())
        connect(grid, &QTableWidget::itemChanged, this, [this, grid](QTableWidgetItem *item) {
            if (m_quiet)
                return;
            setResultsStale();
            // A fee's finance charge is proposed from its caption until the user picks one.
            if (grid->columnCount() == 3 && item->column() == 0 &&
                cellText(grid, item->row(), 2).isEmpty() && !item->text().trimmed().isEmpty())
                setCell(grid, item->row(), 2,
                        chargeText(ProposeFinanceCharge(item->text().toStdString())));
        });
}

LecPage::~LecPage()
{
    // An editor open as the page closes commits its text while the grids
    // go: nothing of the page may hear it then.
    for (const auto &[grid, key] : grids())
        disconnect(grid, nullptr, this, nullptr);
}

std::span<const PageField<LecPage>> LecPage::fields()
{
    using P = LecPage;
    using K = FieldKind;
    static constexpr PageField<P> table[] = {
        {"LoanTerm", at<&P::m_edtLecLoanTerm>, K::Whole},
        {"Product", at<&P::m_cbLecProduct>, K::Index},
        {"PropertyValue", at<&P::m_edtLecPropertyValue>, K::Number},
        {"LoanAmount", at<&P::m_edtLecLoanAmount>, K::Number},
        {"Rate", at<&P::m_edtLecRate>, K::Number},
        {"PI", at<&P::m_edtLecPI>, K::Number},
        {"MI", at<&P::m_edtLecMI>, K::Number},
        {"ExactMI", at<&P::m_edtLecExactMI>, K::OptionalNumber},
        {"Escrow", at<&P::m_edtLecEscrow>, K::Number},
        {"ClosingCosts", at<&P::m_edtLecClosingCosts>, K::Number},
        {"CashToClose", at<&P::m_edtLecCashToClose>, K::Number},
        {"D", at<&P::m_edtLecD>, K::Number},
        {"HoiMonths", at<&P::m_edtLecHoiMonths>, K::Whole},
        {"HoiPremium", at<&P::m_edtLecHoiPremium>, K::Number},
        {"MIPremium", at<&P::m_edtLecMIPremium>, K::Number},
        {"PerDiem", at<&P::m_edtLecPerDiem>, K::Number},
        {"PrepaidDays", at<&P::m_edtLecPrepaidDays>, K::Whole},
        {"PrepaidInterest", at<&P::m_edtLecPrepaidInterest>, K::Number},
        {"I", at<&P::m_edtLecI>, K::Number},
        {"LenderCredits", at<&P::m_edtLecLenderCredits>, K::Number},
        {"J", at<&P::m_edtLecJ>, K::Number},
        {"Financed", at<&P::m_edtLecFinanced>, K::Number},
        {"DownPayment", at<&P::m_edtLecDownPayment>, K::Number},
        {"Deposit", at<&P::m_edtLecDeposit>, K::Number},
        {"FundsForBorrower", at<&P::m_edtLecFundsForBorrower>, K::Number},
        {"SellerCredits", at<&P::m_edtLecSellerCredits>, K::Number},
        {"Adjustments", at<&P::m_edtLecAdjustments>, K::Number},
        {"In5Total", at<&P::m_edtLecIn5Total>, K::Number},
        {"In5Principal", at<&P::m_edtLecIn5Principal>, K::Number},
        {"APR", at<&P::m_edtLecAPR>, K::Number},
        {"TIP", at<&P::m_edtLecTIP>, K::Number},
        {"CdFinanceCharge", at<&P::m_edtLecCdFinanceCharge>, K::OptionalNumber},
        {"CdAmountFinanced", at<&P::m_edtLecCdAmountFinanced>, K::OptionalNumber},
        {"CdTotalOfPayments", at<&P::m_edtLecCdTotalOfPayments>, K::OptionalNumber},
        {"CdAPR", at<&P::m_edtLecCdAPR>, K::OptionalNumber},
        {"CdTIP", at<&P::m_edtLecCdTIP>, K::OptionalNumber},
        {"ArmFixedMonths", at<&P::m_edtLecArmFixedMonths>, K::Whole},
        {"ArmAdjustMonths", at<&P::m_edtLecArmAdjustMonths>, K::Whole},
        {"ArmIndex", at<&P::m_edtLecArmIndex>, K::Number},
        {"ArmMargin", at<&P::m_edtLecArmMargin>, K::Number},
        {"ArmRounding", at<&P::m_cbLecArmRounding>, K::Index},
        {"ArmFirstCap", at<&P::m_edtLecArmFirstCap>, K::Number},
        {"ArmPeriodicCap", at<&P::m_edtLecArmPeriodicCap>, K::Number},
        {"ArmLifetimeCap", at<&P::m_edtLecArmLifetimeCap>, K::Number},
        {"ArmFloor", at<&P::m_edtLecArmFloor>, K::OptionalNumber},
        {"ArmInterestOnly", at<&P::m_edtLecArmInterestOnly>, K::Whole},
    };
    return table;
}

namespace {

// Places captioned fields down one column of a tab.
class Column
{
public:
    Column(QWidget *tab, int labelX, int labelW, int fieldX, int top)
        : m_tab(tab), m_labelX(labelX), m_labelW(labelW), m_fieldX(fieldX), m_y(top)
    {
    }
    NumberField *money(const QString &caption, const char *name, int decimals = 0)
    {
        TNumEdit *edit = addMoney(m_tab, QString::fromLatin1(name), QRect(), 0);
        edit->setDecimals(decimals);
        return place(caption, edit);
    }
    NumberField *number(const QString &caption, const char *name, int decimals)
    {
        return place(caption, addNumber(m_tab, QString::fromLatin1(name), QRect(), decimals, 0));
    }
    template <class W> W *place(const QString &caption, W *field)
    {
        addLabel(m_tab, caption, QRect(m_labelX, m_y, m_labelW, RowH));
        field->setGeometry(m_fieldX, m_y, FieldW, RowH);
        m_y += Step;
        return field;
    }
    void heading(const QString &text)
    {
        addHeading(m_tab, text, QRect(m_labelX, m_y, m_fieldX + FieldW - m_labelX, 18));
        m_y += Step;
    }
    int y() const { return m_y; }

private:
    QWidget *m_tab;
    int m_labelX, m_labelW, m_fieldX, m_y;
};

} // namespace

void LecPage::buildFirstPage(QWidget *tab)
{
    Column left(tab, LabelX, LabelW, FieldX, RowTop);
    m_edtLecLoanTerm = left.number(QStringLiteral("Loan Term (months)"), "edtLecLoanTerm", 0);
    m_cbLecProduct = new QComboBox(tab);
    m_cbLecProduct->setObjectName(QStringLiteral("cbLecProduct"));
    m_cbLecProduct->addItems({QStringLiteral("Fixed Rate"), QStringLiteral("Adjustable Rate")});
    left.place(QStringLiteral("Product"), m_cbLecProduct);
    m_edtLecPropertyValue =
        left.money(QStringLiteral("Sale Price / Property Value"), "edtLecPropertyValue");
    m_edtLecLoanAmount = left.money(QStringLiteral("Loan Amount"), "edtLecLoanAmount");
    m_edtLecRate = left.number(QStringLiteral("Interest Rate (%)"), "edtLecRate", 3);
    m_edtLecPI = left.money(QStringLiteral("Monthly Principal & Interest"), "edtLecPI", 2);

    Column right(tab, RightLabelX, RightLabelW, RightFieldX, RowTop);
    m_edtLecMI = right.money(QStringLiteral("Mortgage Insurance (shown)"), "edtLecMI");
    m_edtLecExactMI = right.money(QStringLiteral("Exact Insurance (if known)"), "edtLecExactMI", 2);
    m_edtLecEscrow = right.money(QStringLiteral("Estimated Escrow"), "edtLecEscrow");
    m_edtLecClosingCosts =
        right.money(QStringLiteral("Estimated Closing Costs"), "edtLecClosingCosts");
    m_edtLecCashToClose =
        right.money(QStringLiteral("Estimated Cash to Close"), "edtLecCashToClose");

    const int top = left.y() + 8;
    addHeading(tab, QStringLiteral("Projected Payments"), QRect(LabelX, top, 300, 18));
    m_grdLecProjected =
        makeGrid(tab, QStringLiteral("grdLecProjected"), QStringLiteral("Projected Payments"),
                 {QStringLiteral("Years"), QStringLiteral("Principal & Interest"),
                  QStringLiteral("Mortgage Insurance"), QStringLiteral("Estimated Escrow"),
                  QStringLiteral("Estimated Total")},
                 4, QRect(LabelX, top + 18, FullW, gridHeight(4)));
    m_grdLecProjected->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    addLabel(tab,
             QStringLiteral("Type the form's figures as it shows them: whole dollars where it "
                            "rounds, \"-\" for none. Years as \"1-7\"."),
             QRect(LabelX, top + 24 + gridHeight(4), FullW, 34), Qt::AlignLeft | Qt::AlignTop);
}

void LecPage::buildLoanCosts(QWidget *ab, QWidget *ce)
{
    // The captions are long: each section spans its tab.
    m_grdLecA =
        feeGrid(ab, "grdLecA", QStringLiteral("A. Origination Charges"), 4, QPoint(LabelX, RowTop));
    m_grdLecB = feeGrid(ab, "grdLecB", QStringLiteral("B. Services You Cannot Shop For"), 7,
                        QPoint(LabelX, RowTop + 22 + gridHeight(4)));
    m_grdLecC = feeGrid(ce, "grdLecC", QStringLiteral("C. Services You Can Shop For"), 7,
                        QPoint(LabelX, RowTop));
    Column below(ce, LabelX, LabelW, FullW + LabelX - FieldW, RowTop + 22 + gridHeight(7));
    m_edtLecD = below.money(QStringLiteral("D. Total Loan Costs"), "edtLecD");
    m_grdLecE = feeGrid(ce, "grdLecE", QStringLiteral("E. Taxes and Other Government Fees"), 2,
                        QPoint(LabelX, below.y() + 4));
}

void LecPage::buildOtherCosts(QWidget *tab)
{
    Column f(tab, LabelX, LabelW, FieldX, RowTop);
    f.heading(QStringLiteral("F. Prepaids"));
    m_edtLecHoiMonths =
        f.number(QStringLiteral("Homeowner's Insurance (months)"), "edtLecHoiMonths", 0);
    m_edtLecHoiPremium =
        f.money(QStringLiteral("Homeowner's Insurance Premium"), "edtLecHoiPremium");
    m_edtLecMIPremium = f.money(QStringLiteral("Mortgage Insurance Premium"), "edtLecMIPremium");
    m_edtLecPerDiem = f.money(QStringLiteral("Prepaid Interest per Day"), "edtLecPerDiem", 2);
    m_edtLecPrepaidDays = f.number(QStringLiteral("Prepaid Interest Days"), "edtLecPrepaidDays", 0);
    m_edtLecPrepaidInterest = f.money(QStringLiteral("Prepaid Interest"), "edtLecPrepaidInterest");

    const int right = LabelX + HalfW + 6;
    addHeading(tab, QStringLiteral("G. Initial Escrow Payment at Closing"),
               QRect(right, RowTop, HalfW, 18));
    m_grdLecEscrow = makeGrid(tab, QStringLiteral("grdLecEscrow"),
                              QStringLiteral("G. Initial Escrow Payment at Closing"),
                              {QStringLiteral("Item"), QStringLiteral("Per Month"),
                               QStringLiteral("Months"), QStringLiteral("Amount")},
                              4, QRect(right, RowTop + 18, HalfW, gridHeight(4)));
    m_grdLecEscrow->setColumnWidth(0, 134);
    m_grdLecEscrow->setColumnWidth(1, 58);
    m_grdLecEscrow->setColumnWidth(2, 44);
    m_grdLecEscrow->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);

    m_grdLecH = feeGrid(tab, "grdLecH", QStringLiteral("H. Other"), 3, QPoint(LabelX, f.y() + 8));
}

void LecPage::buildLastPage(QWidget *tab)
{
    Column left(tab, LabelX, LabelW, FieldX, RowTop);
    left.heading(QStringLiteral("Totals and Cash to Close"));
    m_edtLecI = left.money(QStringLiteral("I. Total Other Costs"), "edtLecI");
    m_edtLecLenderCredits = left.money(QStringLiteral("Lender Credits"), "edtLecLenderCredits");
    m_edtLecJ = left.money(QStringLiteral("J. Total Closing Costs"), "edtLecJ");
    m_edtLecFinanced = left.money(QStringLiteral("Closing Costs Financed"), "edtLecFinanced");
    m_edtLecDownPayment =
        left.money(QStringLiteral("Down Payment/Funds from Borrower"), "edtLecDownPayment");
    m_edtLecDeposit = left.money(QStringLiteral("Deposit"), "edtLecDeposit");
    m_edtLecFundsForBorrower =
        left.money(QStringLiteral("Funds for Borrower"), "edtLecFundsForBorrower");
    m_edtLecSellerCredits = left.money(QStringLiteral("Seller Credits"), "edtLecSellerCredits");
    m_edtLecAdjustments =
        left.money(QStringLiteral("Adjustments and Other Credits"), "edtLecAdjustments");
    Column right(tab, RightLabelX, RightLabelW, RightFieldX, RowTop);
    right.heading(QStringLiteral("Comparisons (page 3)"));
    m_edtLecIn5Total = right.money(QStringLiteral("In 5 Years: Total Paid"), "edtLecIn5Total");
    m_edtLecIn5Principal =
        right.money(QStringLiteral("In 5 Years: Principal Paid Off"), "edtLecIn5Principal");
    m_edtLecAPR = right.number(QStringLiteral("Annual Percentage Rate (%)"), "edtLecAPR", 3);
    m_edtLecTIP = right.number(QStringLiteral("Total Interest Percentage"), "edtLecTIP", 3);
    right.heading(QStringLiteral("Closing Disclosure (optional)"));
    m_edtLecCdFinanceCharge =
        right.money(QStringLiteral("Finance Charge"), "edtLecCdFinanceCharge", 2);
    m_edtLecCdAmountFinanced =
        right.money(QStringLiteral("Amount Financed"), "edtLecCdAmountFinanced", 2);
    m_edtLecCdTotalOfPayments =
        right.money(QStringLiteral("Total of Payments"), "edtLecCdTotalOfPayments", 2);
    m_edtLecCdAPR = right.number(QStringLiteral("CD Annual Percentage Rate"), "edtLecCdAPR", 3);
    m_edtLecCdTIP = right.number(QStringLiteral("CD Total Interest Percentage"), "edtLecCdTIP", 3);
    addLabel(tab,
             QStringLiteral("Leave the Closing Disclosure's figures empty to check the Loan "
                            "Estimate alone."),
             QRect(RightLabelX, right.y() + 4, FullW - RightLabelX, 34),
             Qt::AlignLeft | Qt::AlignTop);
}

void LecPage::buildAdjustable(QWidget *tab)
{
    Column c(tab, LabelX, LabelW, FieldX, RowTop);
    c.heading(QStringLiteral("Adjustable Interest Rate (AIR) Table"));
    m_edtLecArmFixedMonths =
        c.number(QStringLiteral("Months at Initial Rate"), "edtLecArmFixedMonths", 0);
    m_edtLecArmAdjustMonths =
        c.number(QStringLiteral("Months Between Changes"), "edtLecArmAdjustMonths", 0);
    m_edtLecArmIndex = c.number(QStringLiteral("Index (%)"), "edtLecArmIndex", 3);
    m_edtLecArmMargin = c.number(QStringLiteral("Margin (%)"), "edtLecArmMargin", 3);
    m_cbLecArmRounding = new QComboBox(tab);
    m_cbLecArmRounding->setObjectName(QStringLiteral("cbLecArmRounding"));
    m_cbLecArmRounding->addItems(
        {QStringLiteral("None"), QStringLiteral("Nearest 1/8"), QStringLiteral("Up to 1/8")});
    c.place(QStringLiteral("Round Index + Margin"), m_cbLecArmRounding);
    m_edtLecArmFirstCap = c.number(QStringLiteral("First Change Limit"), "edtLecArmFirstCap", 3);
    m_edtLecArmPeriodicCap =
        c.number(QStringLiteral("Subsequent Change Limit"), "edtLecArmPeriodicCap", 3);
    m_edtLecArmLifetimeCap =
        c.number(QStringLiteral("Lifetime Limit (points)"), "edtLecArmLifetimeCap", 3);
    m_edtLecArmFloor =
        c.number(QStringLiteral("Minimum Rate (%, empty: margin)"), "edtLecArmFloor", 3);
    m_edtLecArmInterestOnly =
        c.number(QStringLiteral("Interest-Only Months"), "edtLecArmInterestOnly", 0);
    addLabel(tab,
             QStringLiteral("Used when the Product is Adjustable Rate. Type a Projected Payments "
                            "range as \"2,147 min / 3,885 max\"."),
             QRect(RightLabelX, RowTop + Step, FullW - RightLabelX, 64),
             Qt::AlignLeft | Qt::AlignTop);
}

void LecPage::buildCheck(QWidget *tab)
{
    m_lblLecVerdict = addLabel(this, QString(), QRect(VerdictX, ButtonTop, VerdictW, VerdictH),
                               Qt::AlignLeft | Qt::AlignTop);
    m_lblLecVerdict->setObjectName(QStringLiteral("lblLecVerdict"));
    m_grdLecCheck =
        makeGrid(tab, QStringLiteral("grdLecCheck"), QStringLiteral("The figures checked"),
                 {QStringLiteral("Figure"), QStringLiteral("As Typed"),
                  QStringLiteral("Recomputed"), QStringLiteral("Verdict"), QStringLiteral("Rule")},
                 0, QRect(LabelX, RowTop, FullW, TabsH - 32 - RowTop));
    m_grdLecCheck->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdLecCheck->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdLecCheck->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    installTableCopy(m_grdLecCheck, *this);
    addResultWidget(m_lblLecVerdict);
    addResultWidget(m_grdLecCheck);
}

std::vector<std::pair<QTableWidget *, QString>> LecPage::grids() const
{
    return {{m_grdLecProjected, QStringLiteral("Projected")},
            {m_grdLecA, QStringLiteral("A")},
            {m_grdLecB, QStringLiteral("B")},
            {m_grdLecC, QStringLiteral("C")},
            {m_grdLecE, QStringLiteral("E")},
            {m_grdLecEscrow, QStringLiteral("G")},
            {m_grdLecH, QStringLiteral("H")}};
}

void LecPage::putStartValues()
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_edtLecLoanTerm->setValue(360);
    m_cbLecProduct->setCurrentIndex(0);
    m_edtLecPropertyValue->setValue(180000);
    m_edtLecLoanAmount->setValue(162000);
    m_edtLecRate->setValue(3.875);
    m_edtLecPI->setValue(761.78);
    m_edtLecMI->setValue(82);
    m_edtLecExactMI->clear();
    m_edtLecEscrow->setValue(206);
    m_edtLecClosingCosts->setValue(8054);
    m_edtLecCashToClose->setValue(16054);
    m_edtLecD->setValue(5672);
    m_edtLecHoiMonths->setValue(6);
    m_edtLecHoiPremium->setValue(605);
    m_edtLecMIPremium->setValue(0);
    m_edtLecPerDiem->setValue(17.44);
    m_edtLecPrepaidDays->setValue(15);
    m_edtLecPrepaidInterest->setValue(262);
    m_edtLecI->setValue(2382);
    m_edtLecLenderCredits->setValue(0);
    m_edtLecJ->setValue(8054);
    m_edtLecFinanced->setValue(0);
    m_edtLecDownPayment->setValue(18000);
    m_edtLecDeposit->setValue(10000);
    m_edtLecFundsForBorrower->setValue(0);
    m_edtLecSellerCredits->setValue(0);
    m_edtLecAdjustments->setValue(0);
    m_edtLecIn5Total->setValue(56582);
    m_edtLecIn5Principal->setValue(15773);
    m_edtLecAPR->setValue(4.274);
    m_edtLecTIP->setValue(69.45);
    m_edtLecArmFixedMonths->setValue(60);
    m_edtLecArmAdjustMonths->setValue(12);
    m_edtLecArmIndex->setValue(3);
    m_edtLecArmMargin->setValue(2.25);
    m_cbLecArmRounding->setCurrentIndex(1);
    m_edtLecArmFirstCap->setValue(2);
    m_edtLecArmPeriodicCap->setValue(2);
    m_edtLecArmLifetimeCap->setValue(5);
    m_edtLecArmFloor->clear();
    m_edtLecArmInterestOnly->setValue(0);
    for (NumberField *cd : {m_edtLecCdFinanceCharge, m_edtLecCdAmountFinanced,
                            m_edtLecCdTotalOfPayments, m_edtLecCdAPR, m_edtLecCdTIP})
        cd->clear();
    putRows<5>(m_grdLecProjected, kStartProjected);
    putFees(m_grdLecA, kStartA);
    putFees(m_grdLecB, kStartB);
    putFees(m_grdLecC, kStartC);
    putFees(m_grdLecE, kStartE);
    putRows<4>(m_grdLecEscrow, kStartEscrow);
    putFees(m_grdLecH, kStartH);
}

void LecPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    guard([this] { CheckLEC(); });
    m_edtLecLoanTerm->setFocus();
}

void LecPage::Reset()
{
    putStartValues();
    m_tabs->setCurrentIndex(0);
    m_edtLecLoanTerm->setFocus();
    guard([this] { CheckLEC(); });
}

LoanEstimateInputs LecPage::readInputs() const
{
    LoanEstimateInputs in;
    in.term = count(m_edtLecLoanTerm);
    if (m_cbLecProduct->currentIndex() == 1) {
        ArmInputs arm;
        arm.fixedMonths = count(m_edtLecArmFixedMonths);
        arm.adjustMonths = count(m_edtLecArmAdjustMonths);
        arm.index = m_edtLecArmIndex->value();
        arm.margin = m_edtLecArmMargin->value();
        arm.rounding =
            static_cast<ArmRounding>(std::clamp(m_cbLecArmRounding->currentIndex(), 0, 2));
        arm.firstCap = m_edtLecArmFirstCap->value();
        arm.periodicCap = m_edtLecArmPeriodicCap->value();
        arm.lifetimeCap = m_edtLecArmLifetimeCap->value();
        arm.floor = optionalValue(m_edtLecArmFloor);
        arm.interestOnlyMonths = count(m_edtLecArmInterestOnly);
        in.adjustable = arm;
    }
    in.propertyValue = m_edtLecPropertyValue->value();
    in.loanAmount = m_edtLecLoanAmount->value();
    in.rate = m_edtLecRate->value();
    in.pi = m_edtLecPI->value();
    in.mi = m_edtLecMI->value();
    in.exactMi = optionalValue(m_edtLecExactMI);
    in.escrow = m_edtLecEscrow->value();
    static const QRegularExpression years(
        QStringLiteral("^(\\d{1,3})(?:\\s*[-\u2013]\\s*(\\d{1,3}))?$"));
    const QTableWidget *projected = m_grdLecProjected;
    for (int r = 0; r < projected->rowCount(); ++r) {
        const QString span = cellText(projected, r, 0);
        if (span.isEmpty())
            continue;
        const QRegularExpressionMatch m = years.match(span);
        if (!m.hasMatch())
            throw FormError(
                QStringLiteral("Projected Payments, row %1: years \"%2\" are not like 1-7")
                    .arg(r + 1)
                    .arg(span));
        const int first = m.captured(1).toInt();
        const int last = m.hasCaptured(2) ? m.captured(2).toInt() : first;
        LecProjected column{first,
                            last,
                            0,
                            cellFigure(projected, r, 2),
                            cellFigure(projected, r, 3),
                            cellFigure(projected, r, 4)};
        // A range reads "2,147 min / 3,885 max".
        QString pi = cellText(projected, r, 1);
        pi.remove(QStringLiteral("min")).remove(QStringLiteral("max")).remove(u'$');
        const QStringList ends =
            pi.trimmed().isEmpty() || pi.trimmed() == u"-" ? QStringList() : pi.split(u'/');
        for (qsizetype k = 0; k < ends.size() && k < 2; ++k) {
            const std::optional<double> v = typedNumber(ends[k].trimmed());
            if (!v || ends.size() > 2)
                throw FormError(
                    QStringLiteral("Projected Payments, row %1: \"%2\" is not a figure or a "
                                   "range like 2,147 min / 3,885 max")
                        .arg(r + 1)
                        .arg(cellText(projected, r, 1)));
            (k == 0 ? column.pi : column.piMax) = *v;
        }
        in.projected.push_back(column);
    }
    in.closingCosts = m_edtLecClosingCosts->value();
    in.cashToClose = m_edtLecCashToClose->value();
    in.a = feesOf(m_grdLecA);
    in.b = feesOf(m_grdLecB);
    in.c = feesOf(m_grdLecC);
    in.d = m_edtLecD->value();
    in.e = feesOf(m_grdLecE);
    in.hoiMonths = count(m_edtLecHoiMonths);
    in.hoiPremium = m_edtLecHoiPremium->value();
    in.miPremium = m_edtLecMIPremium->value();
    in.perDiem = m_edtLecPerDiem->value();
    in.prepaidDays = count(m_edtLecPrepaidDays);
    in.prepaidInterest = m_edtLecPrepaidInterest->value();
    const QTableWidget *g = m_grdLecEscrow;
    for (int r = 0; r < g->rowCount(); ++r) {
        const QString item = cellText(g, r, 0);
        if (item.isEmpty() && cellText(g, r, 3).isEmpty())
            continue;
        const double months = cellFigure(g, r, 2);
        in.escrowLines.push_back({item.toStdString(), cellFigure(g, r, 1),
                                  std::int32_t(std::clamp(months, 0.0, 1200.0)),
                                  cellFigure(g, r, 3)});
    }
    in.h = feesOf(m_grdLecH);
    in.i = m_edtLecI->value();
    in.lenderCredits = m_edtLecLenderCredits->value();
    in.j = m_edtLecJ->value();
    in.financed = m_edtLecFinanced->value();
    in.downPayment = m_edtLecDownPayment->value();
    in.deposit = m_edtLecDeposit->value();
    in.fundsForBorrower = m_edtLecFundsForBorrower->value();
    in.sellerCredits = m_edtLecSellerCredits->value();
    in.adjustments = m_edtLecAdjustments->value();
    in.in5Total = m_edtLecIn5Total->value();
    in.in5Principal = m_edtLecIn5Principal->value();
    in.apr = m_edtLecAPR->value();
    in.tip = m_edtLecTIP->value();
    const NumberField *cd[] = {m_edtLecCdFinanceCharge, m_edtLecCdAmountFinanced,
                               m_edtLecCdTotalOfPayments, m_edtLecCdAPR, m_edtLecCdTIP};
    const auto given = std::ranges::count_if(
        cd, [](const NumberField *f) { return !f->text().trimmed().isEmpty(); });
    if (given == std::ssize(cd))
        in.disclosure = LecDisclosure{cd[0]->value(), cd[1]->value(), cd[2]->value(),
                                      cd[3]->value(), cd[4]->value()};
    else if (given > 0)
        throw FormError(QStringLiteral("give all five Closing Disclosure figures, or none"));
    return in;
}

void LecPage::CheckLEC()
{
    host().AllowPrinting();
    LoanEstimateInputs in;
    try {
        in = readInputs();
    } catch (const FormError &e) {
        // A grid cell or an incomplete disclosure: say which, and write nothing.
        showInfo(host().dialogParent(), RefusalPrefix + QString::fromUtf8(e.what()) + u'.');
        return;
    }
    std::optional<LoanEstimateResults> checked;
    try {
        checked = CheckLoanEstimate(in);
    } catch (const ArmInputError &e) {
        // The adjustable terms out of bounds: say which, as the Adjustable Rate page does.
        showInfo(host().dialogParent(), RefusalPrefix + QStringLiteral("adjustable rate: ") +
                                            QString::fromStdString(e.reason()) + u'.');
        return;
    }
    LoanEstimateResults &r = *checked;

    const QString verdict =
        r.checkThis > 0
            ? QStringLiteral("%1 of %2 figures need checking; %3 ok, %4 consistent with the "
                             "form's rounding.")
                  .arg(r.checkThis)
                  .arg(r.rows.size())
                  .arg(r.ok)
                  .arg(r.consistent)
            : QStringLiteral("All %1 figures check: %2 ok, %3 consistent with the form's "
                             "rounding.")
                  .arg(r.rows.size())
                  .arg(r.ok)
                  .arg(r.consistent);
    const QString apr =
        r.aprLow == r.aprHigh
            ? QString()
            : QStringLiteral(" The APR is %1 to %2 as the uncertain fees are or are not "
                             "finance charges.")
                  .arg(percent(r.aprLow), percent(r.aprHigh));

    const QScopedValueRollback quiet(m_quiet, true);
    m_lblLecVerdict->setText(verdict + apr);
    m_grdLecCheck->setRowCount(int(r.rows.size()));
    for (int k = 0; k < int(r.rows.size()); ++k) {
        const LecRow &row = r.rows[std::size_t(k)];
        const QString texts[] = {
            QString::fromStdString(row.caption), QString::fromStdString(row.typed),
            QString::fromStdString(row.recomputed),
            QString::fromStdString(LecVerdictText(row.verdict)), QString::fromStdString(row.rule)};
        for (int c = 0; c < 5; ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            if (c == 3 && row.verdict == LecVerdict::CheckThis) {
                QFont bold = m_grdLecCheck->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            if (c == 1 || c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grdLecCheck->setItem(k, c, item);
        }
    }
    m_grdLecCheck->resizeColumnsToContents();
    m_results = std::move(r);
}

TableData LecPage::tableData() const
{
    TableData table;
    if (!m_results)
        return table;
    table.headings = {QStringLiteral("Figure"), QStringLiteral("As Typed"),
                      QStringLiteral("Recomputed"), QStringLiteral("Verdict"),
                      QStringLiteral("Rule")};
    for (const LecRow &r : m_results->rows)
        table.rows.push_back({TableCell::label(QString::fromStdString(r.caption)),
                              TableCell::label(QString::fromStdString(r.typed)),
                              TableCell::label(QString::fromStdString(r.recomputed)),
                              TableCell::label(QString::fromStdString(LecVerdictText(r.verdict))),
                              TableCell::label(QString::fromStdString(r.rule))});
    return table;
}

void LecPage::resizeEvent(QResizeEvent *event)
{
    CalculatorPage::resizeEvent(event);
    const int w = std::max(width(), 587);
    const int h = std::max(height(), TabsH + 34);
    m_tabs->setGeometry(0, 0, w, h - 34);
    m_btnLecCheck->move(4, h - 30);
    m_lblLecVerdict->setGeometry(VerdictX, h - 30, w - VerdictX - 6, VerdictH);
    m_grdLecCheck->resize(w - 10, h - 34 - 32 - RowTop);
}

QVariant LecPage::layoutForUndo() const
{
    QStringList cells;
    for (const auto &[grid, key] : grids())
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                cells << cellText(grid, r, c);
    return cells;
}

void LecPage::restoreLayoutForUndo(const QVariant &kept)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const QStringList cells = kept.toStringList();
    qsizetype k = 0;
    for (const auto &[grid, key] : grids())
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                setCell(grid, r, c, cells.value(k++));
}

// ---- Kept between runs ---------------------------------------------------

void LecPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
    for (const auto &[grid, key] : grids())
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                state.set(QStringLiteral("%1%2_%3").arg(key).arg(r + 1).arg(c + 1),
                          cellText(grid, r, c));
}

void LecPage::restoreState(const PageState &state)
{
    const QScopedValueRollback quiet(m_quiet, true);
    readFields(state, fields(), *this);
    for (const auto &[grid, key] : grids())
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                if (const QString k = QStringLiteral("%1%2_%3").arg(key).arg(r + 1).arg(c + 1);
                    state.contains(k))
                    setCell(grid, r, c, state.text(k));
}

} // namespace clvn

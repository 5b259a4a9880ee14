#include "app/settings/Prefs.h"

#include "finance/Errors.h"
#include "state/SettingsFile.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>

#include <cmath>
#include <limits>

namespace clvn {

namespace {

const QString kNote =
    QStringLiteral("By saving the values which are unique to your situation as defaults, you "
                   "will  save time using the different calculators which are included in this "
                   "suite.");

constexpr int kFieldHeight = 20;
constexpr int kLabelHeight = 16;

// Masks of the fields: whole numbers, money with cents, rates, PMI premiums.
const QString kWholeMask = QStringLiteral("#,##0");
const QString kMoneyMask = QStringLiteral("#,##0.#0");
const QString kRateMask = QStringLiteral("#,##0.##0");
const QString kPremiumMask = QStringLiteral("#.###0");

// The field that shows each stored default, by the default's key.
const char *const kFieldOfKey[][2] = {
    {"Loan", "edtP_LoanAmount"},
    {"Interest", "edtP_InterestRate"},
    {"Term", "edtP_TermInMonths"},
    {"Payment", "edtP_MonthlyPayment"},
    {"Pmip308085", "edtP_308085"},
    {"Pmip308590", "edtP_308590"},
    {"Pmip309095", "edtP_309095"},
    {"Pmip309597", "edtP_309597"},
    {"Pmip158085", "edtP_158085"},
    {"Pmip158590", "edtP_158590"},
    {"Pmip159095", "edtP_159095"},
    {"Pmip159597", "edtP_159597"},
    {"HRatio", "edtP_Housing"},
    {"DRatio", "edtP_Debt"},
    {"AppraisalFee", "edtP_AF"},
    {"CreditReport", "edtP_CR"},
    {"TaxServiceFee", "edtP_TSF"},
    {"LendersInspectionFee", "edtP_LPF"},
    {"TitleInsurance", "edtP_TIF"},
    {"TitleSearch", "edtP_TS"},
    {"EscrowClosingFee", "edtP_STT"},
    {"RecordingFee", "edtP_RF"},
    {"OtherFees", "edtP_OF"},
    {"SellerPaid", "edtP_SellerPaid"},
    {"OriginationPoints", "edtP_OriginationPoints"},
    {"DiscountPoints", "edtP_DiscountPoints"},
    {"DownPaymentPercent", "edtP_DownPaymentPercent"},
    {"RealEstateTax", "edtP_Tax"},
    {"Insurance", "edtP_Insurance"},
    {"AssociationFee", "edtP_AssociationFee"},
    {"InterimInterestDays", "edtP_IIDays"},
    {"PropertyTaxMonths", "edtP_PTIMonths"},
    {"HomeownersFirstYear", "edtP_HOIPMonths"},
    {"HomeownersRenewalMonths", "edtP_HOIIMonths"},
};

QString fieldOfKey(const char *key)
{
    for (const auto &[k, field] : kFieldOfKey)
        if (qstrcmp(k, key) == 0)
            return QString::fromLatin1(field);
    return QString();
}

} // namespace

TfrmPrefs::TfrmPrefs(SettingsFile &file, BuyerValues &values, QWidget *parent)
    : QDialog(parent), m_file(file), m_values(values)
{
    setObjectName(QStringLiteral("frmPrefs"));
    setWindowTitle(QStringLiteral("Preferences"));
    // A fixed dialog without system buttons: it closes through its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(464, 305);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("nbkPrefs"));
    m_tabs->setGeometry(4, 4, 456, 264);
    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("tabGeneral"));
    auto *closing = new QWidget;
    closing->setObjectName(QStringLiteral("tabClosingCosts"));
    auto *escrows = new QWidget;
    escrows->setObjectName(QStringLiteral("tabEscrows"));
    m_tabs->addTab(general, QStringLiteral("General Values"));
    m_tabs->addTab(closing, QStringLiteral("Closing Costs"));
    m_tabs->addTab(escrows, QStringLiteral("Escrows"));
    buildGeneralTab(general);
    buildClosingTab(closing);
    buildEscrowsTab(escrows);

    auto makeButton = [this](const char *name, const QString &text, const QString &hint, int x,
                             int width) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(hint);
        button->setStatusTip(hint);
        button->setAutoDefault(false);
        button->setGeometry(x, 274, width, 25);
        return button;
    };
    m_btnRestore = makeButton("btnRestore", QStringLiteral(" Restore &Defaults"),
                              QStringLiteral(" Click to restore defaults"), 118, 116);
    m_btnCancel = makeButton("btnCancel", QStringLiteral(" &Cancel"),
                             QStringLiteral(" Click to cancel"), 240, 84);
    m_btnSave =
        makeButton("btnSave", QStringLiteral(" &Save and Close"),
                   QStringLiteral(" Click to save new values and close Preferences"), 330, 126);

    // Fields in file order, whatever tab they sit on.
    for (size_t i = 0; i < settingsKeys().size(); ++i)
        m_fields[i] = findChild<TNumEdit *>(fieldOfKey(settingsKeys()[i].key));

    // Tab order: each tab's fields as created, then the buttons.
    QList<QWidget *> chain;
    for (TNumEdit *edit : findChildren<TNumEdit *>())
        chain << edit;
    chain << m_btnRestore << m_btnCancel << m_btnSave;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    connectGuarded(m_btnRestore, &QPushButton::clicked, this, [this] { btnRestoreClick(); });
    connectGuarded(m_btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connectGuarded(m_btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });

    // The window's own starting values are the factory ones.
    showValues(BuyerValues{});
}

QLabel *TfrmPrefs::addLabel(QWidget *page, const QString &text, int x, int y, int width, bool bold)
{
    auto *label = new QLabel(text, page);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    label->setGeometry(x, y, width, kLabelHeight);
    return label;
}

TNumEdit *TfrmPrefs::addField(QWidget *page, const char *name, int x, int y, int width,
                              int decimals, const QString &mask)
{
    auto *edit = new TNumEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setNumericType(TNumEdit::NumericType::General);
    edit->setDecimals(decimals);
    edit->setMasks(mask, QLatin1Char('-') + mask, mask);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setGeometry(x, y, width, kFieldHeight);
    return edit;
}

void TfrmPrefs::addNote(QWidget *page, int x, int y, int width, int height)
{
    auto *note = new QLabel(kNote, page);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    note->setGeometry(x, y, width, height);
}

void TfrmPrefs::buildGeneralTab(QWidget *page)
{
    addLabel(page, QStringLiteral("Qualification Ratios"), 8, 8, 190, true);
    const struct
    {
        const char *name;
        const char *label;
        int decimals;
        const QString &mask;
    } left[] = {
        {"edtP_Housing", "Housing", 0, kWholeMask},
        {"edtP_Debt", "Debt", 0, kWholeMask},
        {"edtP_LoanAmount", "Loan Amount", 2, kMoneyMask},
        {"edtP_TermInMonths", "Term in Months", 0, kWholeMask},
        {"edtP_InterestRate", "Interest Rate", 2, kRateMask},
        {"edtP_MonthlyPayment", "Monthly Payment", 2, kMoneyMask},
    };
    int y = 28;
    for (int i = 0; i < 6; ++i) {
        if (i == 2) {
            y += 12;
            addLabel(page, QStringLiteral("Primary Variables"), 8, y, 190, true);
            y += 20;
        }
        addLabel(page, QString::fromLatin1(left[i].label), 16, y + 2, 96);
        addField(page, left[i].name, 112, y, 84, left[i].decimals, left[i].mask);
        y += 23;
    }

    addLabel(page, QStringLiteral("PMI Premiums"), 216, 8, 230, true);
    const int col30 = 216, colLtv = 298, col15 = 370, colWidth = 76;
    addLabel(page, QStringLiteral("30 Year Term"), col30, 28, colWidth)
        ->setAlignment(Qt::AlignCenter);
    addLabel(page, QStringLiteral("LTV"), colLtv, 28, 68)->setAlignment(Qt::AlignCenter);
    addLabel(page, QStringLiteral("15 Year Term"), col15, 28, colWidth)
        ->setAlignment(Qt::AlignCenter);
    const char *bands[] = {"80 to 85", "85 to 90", "90 to 95", "95 to 97"};
    const char *fields30[] = {"edtP_308085", "edtP_308590", "edtP_309095", "edtP_309597"};
    const char *fields15[] = {"edtP_158085", "edtP_158590", "edtP_159095", "edtP_159597"};
    // Down the 30-year column first, then the 15-year one: that is the tab order.
    for (int row = 0; row < 4; ++row) {
        const int rowY = 48 + row * 23;
        addField(page, fields30[row], col30, rowY, colWidth, 4, kPremiumMask);
        addLabel(page, QString::fromLatin1(bands[row]), colLtv, rowY + 2, 68)
            ->setAlignment(Qt::AlignCenter);
    }
    for (int row = 0; row < 4; ++row)
        addField(page, fields15[row], col15, 48 + row * 23, colWidth, 4, kPremiumMask);

    addNote(page, 216, 150, 230, 80);
}

void TfrmPrefs::buildClosingTab(QWidget *page)
{
    const struct
    {
        const char *name;
        const char *label;
    } fees[] = {
        {"edtP_AF", "Appraisal Fee"},
        {"edtP_CR", "Credit Report"},
        {"edtP_TSF", "Tax-related Service Fee"},
        {"edtP_LPF", "Lender's Inspection Fee"},
        {"edtP_TIF", "Title Insurance"},
        {"edtP_TS", "Title Search"},
        {"edtP_STT", "Escrow Closing Fee"},
        {"edtP_RF", "Recording Fee"},
        {"edtP_OF", "Other Fees"},
        {"edtP_SellerPaid", "Seller Paid Costs"},
    };
    for (int i = 0; i < 10; ++i) {
        const int y = 8 + i * 22;
        addLabel(page, QString::fromUtf8(fees[i].label), 8, y + 2, 136);
        addField(page, fees[i].name, 146, y, 70, 2, kWholeMask);
    }

    const int labelX = 230, fieldX = 370, fieldWidth = 74;
    const char *points[][2] = {{"edtP_OriginationPoints", "Origination Points"},
                               {"edtP_DiscountPoints", "Discount Points"},
                               {"edtP_DownPaymentPercent", "Down Payment Percent"}};
    int y = 8;
    for (const auto &p : points) {
        addLabel(page, QString::fromLatin1(p[1]), labelX, y + 2, 136);
        addField(page, p[0], fieldX, y, fieldWidth, 3, kRateMask);
        y += 22;
    }
    addLabel(page, QStringLiteral("Annual Real Estate Taxes"), labelX, y + 2, 136);
    addField(page, "edtP_Tax", fieldX, y, fieldWidth, 2, kWholeMask);
    y += 22;
    addLabel(page, QStringLiteral("Homeowner's Insurance"), labelX, y + 2, 136);
    addField(page, "edtP_Insurance", fieldX, y, fieldWidth, 2, kWholeMask);
    addLabel(page, QStringLiteral("(Annual Estimate)"), labelX, y + 16, 136);
    y += 36;
    addLabel(page, QStringLiteral("Monthly Association Fee"), labelX, y + 2, 136);
    addField(page, "edtP_AssociationFee", fieldX, y, fieldWidth, 2, kWholeMask);

    addNote(page, labelX, 158, 214, 72);
}

void TfrmPrefs::buildEscrowsTab(QWidget *page)
{
    const char *rows[][2] = {
        {"edtP_IIDays", "Days of Prepaid Interest (Between Closing Date and First of Next Month)"},
        {"edtP_PTIMonths", "Months of Prepaid Real Estate Taxes"},
        {"edtP_HOIPMonths", "Months of Homeowner's Insurance Premiums (First Year)"},
        {"edtP_HOIIMonths", "Months of Prepaid Homeowner's Insurance Premiums (Renewal)"},
    };
    for (int i = 0; i < 4; ++i) {
        const int y = 12 + i * 30;
        TNumEdit *edit = addField(page, rows[i][0], 12, y, 40, 0, kWholeMask);
        edit->setAlignment(Qt::AlignCenter);
        addLabel(page, QString::fromLatin1(rows[i][1]), 62, y + 2, 380);
    }
    addNote(page, 216, 150, 230, 80);
}

void TfrmPrefs::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guard([this] { FormShow(); });
}

void TfrmPrefs::FormShow()
{
    m_tabs->setCurrentIndex(0);
    BuyerValues stored;
    const LoadReport report = m_file.load(stored);
    showValues(stored);
    if (QWidget *first = findChild<QWidget *>(QStringLiteral("edtP_Housing")))
        first->setFocus(Qt::OtherFocusReason);
    if (!report.ok()) {
        // Told once the window is up, not from inside its show.
        const QString text = ignoredKeysMessage(m_file.readPath(), report.ignoredKeys);
        QTimer::singleShot(0, this, [this, text] { guard([&] { showInfo(this, text); }); });
    }
}

void TfrmPrefs::showValues(const BuyerValues &values)
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const SettingsKey &k = settingsKeys()[i];
        m_fields[i]->setValue(k.whole ? double(values.*k.whole) : values.*k.real);
    }
}

BuyerValues TfrmPrefs::fieldValues() const
{
    BuyerValues values;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const SettingsKey &k = settingsKeys()[i];
        const double v = m_fields[i]->value();
        if (!k.whole) {
            values.*k.real = v;
            continue;
        }
        // Whole months as shown: the field rounds halves to even, so does this.
        const double months = std::nearbyint(v);
        if (!(months >= std::numeric_limits<std::int32_t>::min() &&
              months <= std::numeric_limits<std::int32_t>::max()))
            throw FieldConvertError(m_fields[i], FieldConvertError::Wanted::SmallerNumber);
        values.*k.whole = std::int32_t(months);
    }
    return values;
}

void TfrmPrefs::btnRestoreClick()
{
    showValues(BuyerValues{});
}

void TfrmPrefs::btnCancelClick()
{
    repaintOwner();
    reject();
}

void TfrmPrefs::SaveIniBuyerValues()
{
    m_values = fieldValues();
    m_file.savePreferences(m_values);
}

void TfrmPrefs::btnSaveClick()
{
    SaveIniBuyerValues();
    repaintOwner();
    accept();
}

void TfrmPrefs::repaintOwner()
{
    if (QWidget *owner = parentWidget())
        owner->update();
}

} // namespace clvn

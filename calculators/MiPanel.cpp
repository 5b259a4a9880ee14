#include "calculators/MiPanel.h"

#include "calculators/AmortModel.h"
#include "calculators/AmortPage.h"
#include "calculators/CalculatorHost.h"
#include "calculators/PageControls.h"
#include "calculators/StateFields.h"
#include "calculators/TableSource.h"
#include "state/BuyerValues.h"
#include "widgets/Accessibility.h"
#include "widgets/FieldStyle.h"
#include "widgets/Format.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace clvn {

const QString MiPanel::HomeValueMessage =
    QStringLiteral("Please enter the home value, the lower of the purchase price and the "
                   "appraised value,\n\ras an amount above 0.");
const QString MiPanel::PremiumMessage =
    QStringLiteral("The monthly mortgage insurance premium cannot be below 0.");
const QString MiPanel::PremiumNeededMessage =
    QStringLiteral("The loan is more than 97% of the home value, beyond the premium table.\n\r"
                   "Please enter the monthly premium your lender quotes.");

namespace {

QString money(double v)
{
    return formatCurrency(v, 10, 2);
}

QString paymentText(std::int32_t p)
{
    return p > 0 ? QString::number(p) : QString();
}

QLineEdit *addResult(QWidget *parent, const QString &name, const QString &spoken,
                     const QRect &geometry)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // Named after its row and column like every field; the sentence is read after.
    edit->setAccessibleDescription(spoken);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setGeometry(geometry);
    applyResultFieldStyle(edit, true);
    return edit;
}

PmiPremiums premiumsOf(const BuyerValues &v)
{
    PmiPremiums p;
    p.longTerm = {v.Pmip308085, v.Pmip308590, v.Pmip309095, v.Pmip309597};
    p.shortTerm = {v.Pmip158085, v.Pmip158590, v.Pmip159095, v.Pmip159597};
    return p;
}

} // namespace

MiPanel::MiPanel(CalculatorHost &host, AmortPage &page) : QFrame(&page), m_host(host), m_page(page)
{
    const AmortPage::ScheduleParts parts = page.scheduleParts();
    m_grid = parts.grid;
    m_gridFullHeight = m_grid->height();
    buildPanel();
    buildStrip();

    parts.addExtraPanel->installEventFilter(this);
    QWidget::setTabOrder(parts.addExtraButton, m_btnMortgageInsurance);
    QWidget::setTabOrder(m_btnMortgageInsurance, parts.chartButton);
}

void MiPanel::buildPanel()
{
    // Over the buttons' area while open, like the extra-payment panel.
    setObjectName(QStringLiteral("pnlMortgageInsurance"));
    markAsPanel(this);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setGeometry(240, 4, 343, AmortPage::GridTop - 8);
    setHelpContext(this, AmortPage::HelpTopic);
    hide();

    m_btnMortgageInsurance = addButton(
        &m_page, QStringLiteral("btnMortgageInsurance"), QStringLiteral("&Mortgage Insurance"),
        QStringLiteral("When mortgage insurance may be cancelled and when it ends"),
        QRect(410, 64, 140, 25));

    addHeading(this, QStringLiteral("Mortgage Insurance"), QRect(10, 6, 200, 16));
    addLabel(this, QStringLiteral("Home Value"), QRect(10, 30, 118, 16));
    m_edtMIHomeValue =
        addMoney(this, QStringLiteral("edtMIHomeValue"), QRect(130, 28, 110, FieldHeight), 0);
    m_edtMIHomeValue->setToolTip(
        QStringLiteral("The lower of the purchase price and the appraised value"));
    addLabel(this, QStringLiteral("Monthly Premium"), QRect(10, 56, 118, 16));
    m_edtMIPremium =
        addMoney(this, QStringLiteral("edtMIPremium"), QRect(130, 54, 110, FieldHeight), 0);
    m_edtMIPremium->setToolTip(
        QStringLiteral("Proposed from the premium table; type your lender's if it differs"));
    addLabel(this, QStringLiteral("Proposed from the premium table."), QRect(10, 78, 325, 16));

    auto *buttons = new QFrame(this);
    buttons->setObjectName(QStringLiteral("pnlMIButtons"));
    buttons->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    buttons->setGeometry(6, 98, 331, 38);
    m_btnApplyMI = addButton(buttons, QStringLiteral("btnApplyMI"), QStringLiteral("Apply"), {},
                             QRect(6, 6, 102, 26));
    m_btnRemoveMI = addButton(buttons, QStringLiteral("btnRemoveMI"), QStringLiteral("Remove"), {},
                              QRect(114, 6, 102, 26));
    m_btnCancelMI = addButton(buttons, QStringLiteral("btnCancelMI"), QStringLiteral("Cancel"), {},
                              QRect(222, 6, 102, 26));

    connectGuarded(m_btnMortgageInsurance, &QPushButton::clicked, this,
                   [this] { BtnMortgageInsuranceClick(); });
    connectGuarded(m_btnApplyMI, &QPushButton::clicked, this, [this] { BtnApplyMIClick(); });
    connectGuarded(m_btnRemoveMI, &QPushButton::clicked, this, [this] { BtnRemoveMIClick(); });
    connectGuarded(m_btnCancelMI, &QPushButton::clicked, this, [this] { BtnCancelMIClick(); });
    connectGuarded(m_edtMIHomeValue, &TNumEdit::left, this, [this] { edtMIHomeValueExit(); });
}

void MiPanel::buildStrip()
{
    m_pnlMIResults = new QFrame(&m_page);
    m_pnlMIResults->setObjectName(QStringLiteral("pnlMIResults"));
    m_pnlMIResults->hide();

    // Two tables side by side: a caption, the payment, the premiums to it.
    constexpr int payW = 50;
    constexpr int premW = 92;
    constexpr int leftLabel = 4, leftPay = 148, leftPrem = 202;
    constexpr int rightLabel = 302, rightPay = 436, rightPrem = 490;
    const int rows[] = {16, 39, 62};
    auto heading = [this](const QString &text, int x, int w) {
        addLabel(m_pnlMIResults, text, QRect(x, 0, w, 14), Qt::AlignCenter);
    };
    heading(QStringLiteral("Payment"), leftPay, payW);
    heading(QStringLiteral("Premiums paid"), leftPrem, premW);
    heading(QStringLiteral("Payment"), rightPay, payW);
    heading(QStringLiteral("Premiums paid"), rightPrem, premW);
    auto caption = [this](const QString &text, int x, int y) {
        addLabel(m_pnlMIResults, text, QRect(x, y, 140, FieldHeight));
    };

    caption(QStringLiteral("May ask to cancel after"), leftLabel, rows[0]);
    m_edtMIAskAt = addResult(m_pnlMIResults, QStringLiteral("edtMIAskAt"),
                             QStringLiteral("May ask to cancel after payment"),
                             QRect(leftPay, rows[0], payW, FieldHeight));
    m_edtMIPremiumsAsk = addResult(m_pnlMIResults, QStringLiteral("edtMIPremiumsAsk"),
                                   QStringLiteral("Premiums paid when asking to cancel"),
                                   QRect(leftPrem, rows[0], premW, FieldHeight));
    caption(QStringLiteral("Ends by itself after"), leftLabel, rows[1]);
    m_edtMIEndsAt = addResult(m_pnlMIResults, QStringLiteral("edtMIEndsAt"),
                              QStringLiteral("Ends by itself after payment"),
                              QRect(leftPay, rows[1], payW, FieldHeight));
    m_edtMIPremiumsEnd = addResult(m_pnlMIResults, QStringLiteral("edtMIPremiumsEnd"),
                                   QStringLiteral("Premiums paid until it ends by itself"),
                                   QRect(leftPrem, rows[1], premW, FieldHeight));
    caption(QStringLiteral("Loan-to-value at start"), leftLabel, rows[2]);
    m_edtMIStartLTV = addResult(m_pnlMIResults, QStringLiteral("edtMIStartLTV"),
                                QStringLiteral("Loan-to-value at start"),
                                QRect(leftPay, rows[2], payW + 20, FieldHeight));

    caption(QStringLiteral("With the extras, after"), rightLabel, rows[0]);
    m_edtMIAskActualAt =
        addResult(m_pnlMIResults, QStringLiteral("edtMIAskActualAt"),
                  QStringLiteral("With the extras, may ask to cancel after payment"),
                  QRect(rightPay, rows[0], payW, FieldHeight));
    m_edtMIPremiumsAskActual =
        addResult(m_pnlMIResults, QStringLiteral("edtMIPremiumsAskActual"),
                  QStringLiteral("Premiums paid when asking to cancel with the extras"),
                  QRect(rightPrem, rows[0], premW, FieldHeight));
    caption(QStringLiteral("The extras save"), rightLabel, rows[1]);
    m_edtMISaved = addResult(m_pnlMIResults, QStringLiteral("edtMISaved"),
                             QStringLiteral("Premiums the extras save"),
                             QRect(rightPrem, rows[1], premW, FieldHeight));

    // What the colours of the grid's marked rows mean.
    auto key = [this, &rows](const QString &name, const QString &text, const QColor &colour, int x,
                             int w) {
        QLabel *label =
            addLabel(m_pnlMIResults, text, QRect(x, rows[2] + 2, w, 17), Qt::AlignCenter);
        label->setObjectName(name);
        label->setAutoFillBackground(true);
        QPalette p = label->palette();
        p.setColor(QPalette::Window, colour);
        p.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(p);
    };
    key(QStringLiteral("lblMIAskKey"), QStringLiteral("May ask to cancel"), AmortModel::AskColor,
        rightLabel, 128);
    key(QStringLiteral("lblMIEndsKey"), QStringLiteral("Ends by itself"), AmortModel::EndsColor,
        rightPay, rightPrem + premW - rightPay);
}

void MiPanel::BtnMortgageInsuranceClick()
{
    if (!m_page.model()->hasSchedule())
        return;
    // The two panels share the place over the buttons.
    m_page.scheduleParts().addExtraPanel->hide();
    show();
    raise();
    m_edtMIHomeValue->setFocus();
}

void MiPanel::edtMIHomeValueExit()
{
    const TMortgage &mortgage = m_host.mortgage();
    const double home = m_edtMIHomeValue->value();
    // Only a changed home value: a premium typed since stays.
    if (home == m_proposedFor || !(home > 0) || mortgage.NumPayments() == 0)
        return;
    m_proposedFor = home;
    m_edtMIPremium->setValue(ProposedMonthlyPremium(
        mortgage.Principal(), home, mortgage.NumPayments(), premiumsOf(m_host.buyerValues())));
}

void MiPanel::BtnApplyMIClick()
{
    const double home = m_edtMIHomeValue->value();
    const double premium = m_edtMIPremium->value();
    MortgageInsuranceRefusal refusal = MortgageInsuranceRefusal::None;
    if (!(home > 0))
        refusal = MortgageInsuranceRefusal::HomeValue;
    else if (premium < 0)
        refusal = MortgageInsuranceRefusal::Premium;
    else if (m_host.mortgage().NumPayments() > 0)
        refusal = AssessMortgageInsurance(m_host.mortgage(), home, premium).refusal;
    switch (refusal) {
    case MortgageInsuranceRefusal::None:
        break;
    case MortgageInsuranceRefusal::HomeValue:
        showInfo(m_host.dialogParent(), HomeValueMessage);
        return;
    case MortgageInsuranceRefusal::Premium:
        showInfo(m_host.dialogParent(), PremiumMessage);
        return;
    case MortgageInsuranceRefusal::PremiumNeeded:
        showInfo(m_host.dialogParent(), PremiumNeededMessage);
        return;
    }
    m_homeValue = home;
    m_premium = premium;
    m_applied = true;
    relist();
}

void MiPanel::BtnRemoveMIClick()
{
    m_edtMIHomeValue->setValue(0);
    m_edtMIPremium->setValue(0);
    m_proposedFor = 0;
    m_applied = false;
    relist();
}

void MiPanel::BtnCancelMIClick()
{
    hide();
}

bool MiPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched != this)
        hide();
    return QFrame::eventFilter(watched, event);
}

void MiPanel::relist()
{
    if (m_page.model()->hasSchedule())
        m_page.FillAmortizationGrid(); // which runs refresh
    else
        refresh();
}

void MiPanel::placeStrip()
{
    const QRect grid = m_grid->geometry();
    // The page may be past its drawn size; the schedule has that room too.
    const int extra = m_page.height() - m_page.minimumHeight();
    const int height = m_gridFullHeight + extra - (m_applied ? StripHeight : 0);
    if (grid.height() != height) {
        m_grid->setGeometry(grid.x(), grid.y(), grid.width(), height);
        m_page.scheduleParts().chartPanel->setGeometry(m_grid->geometry());
    }
    m_pnlMIResults->setGeometry(grid.x(), m_grid->geometry().bottom() + 3, grid.width(),
                                StripHeight - 3);
    m_pnlMIResults->setVisible(m_applied);
}

void MiPanel::refresh()
{
    placeStrip();
    if (!m_applied || !m_page.model()->hasSchedule()) {
        clearResults();
        return;
    }
    const MortgageInsuranceResults r =
        AssessMortgageInsurance(m_host.mortgage(), m_homeValue, m_premium);
    if (r.refusal != MortgageInsuranceRefusal::None) {
        // A new loan beyond the premium table: the figures stay for a later one.
        clearResults();
        showInfo(m_host.dialogParent(), PremiumNeededMessage);
        return;
    }
    showResults(r);
}

void MiPanel::clearResults()
{
    m_hasResults = false;
    m_results = {};
    for (QLineEdit *e :
         {m_edtMIStartLTV, m_edtMIAskAt, m_edtMIAskActualAt, m_edtMIEndsAt, m_edtMIPremiumsAsk,
          m_edtMIPremiumsAskActual, m_edtMIPremiumsEnd, m_edtMISaved})
        e->clear();
    m_page.model()->setMarks(0, 0);
    m_page.setProperty(SummaryProperty, QString());
}

void MiPanel::showResults(const MortgageInsuranceResults &r)
{
    // Every text is made before any is shown.
    const QString ltv = formatFixed(r.startLtv * 100, 15, 3) + u'%';
    const QString ask = paymentText(r.askAt);
    const QString askActual = paymentText(r.askActualAt);
    const QString ends = paymentText(r.endsAt);
    const QString premiumsAsk = r.insured ? money(r.premiumsAsk) : QString();
    const QString premiumsAskActual = r.withExtras ? money(r.premiumsAskActual) : QString();
    const QString premiumsEnd = r.insured ? money(r.premiumsEnd) : QString();
    const QString saved = r.withExtras ? money(r.saved) : QString();
    const QString text = summary(r);

    m_results = r;
    m_hasResults = true;
    m_edtMIStartLTV->setText(ltv);
    m_edtMIAskAt->setText(ask);
    m_edtMIAskActualAt->setText(askActual);
    m_edtMIEndsAt->setText(ends);
    m_edtMIPremiumsAsk->setText(premiumsAsk);
    m_edtMIPremiumsAskActual->setText(premiumsAskActual);
    m_edtMIPremiumsEnd->setText(premiumsEnd);
    m_edtMISaved->setText(saved);
    m_page.model()->setMarks(r.askPayment(), r.endsAt);
    m_page.setProperty(SummaryProperty, text);
}

QString MiPanel::summary(const MortgageInsuranceResults &r) const
{
    QString s = QStringLiteral("Mortgage insurance: home value %1, loan-to-value at start %2%.")
                    .arg(money(m_homeValue), formatFixed(r.startLtv * 100, 15, 3));
    if (!r.insured)
        return s + QStringLiteral(" At 80% or less no insurance is needed.");
    s += QStringLiteral(" Premium %1 a month. May ask to cancel after payment %2 (%3 of premiums)")
             .arg(money(m_premium))
             .arg(r.askAt)
             .arg(money(r.premiumsAsk));
    if (r.withExtras)
        s += QStringLiteral("; with the extra payments after payment %1 (%2, saving %3)")
                 .arg(r.askActualAt)
                 .arg(money(r.premiumsAskActual), money(r.saved));
    s += QStringLiteral(". Ends by itself after payment %1%2 (%3 of premiums).")
             .arg(r.endsAt)
             .arg(r.endsAtMidpoint ? QStringLiteral(", the middle of the term") : QString(),
                  money(r.premiumsEnd));
    return s;
}

std::vector<AmortChartMark> MiPanel::chartMarks() const
{
    std::vector<AmortChartMark> marks;
    if (!m_hasResults || !m_results.insured)
        return marks;
    marks.push_back(
        {m_results.askPayment(),
         QStringLiteral("May ask to cancel insurance: payment %1").arg(m_results.askPayment())});
    marks.push_back(
        {m_results.endsAt, QStringLiteral("Insurance ends: payment %1").arg(m_results.endsAt)});
    return marks;
}

void MiPanel::addColumn(TableData &table) const
{
    if (!m_hasResults)
        return;
    table.headings << QStringLiteral("Mortgage Insurance");
    for (auto &row : table.rows) {
        const auto payment = std::int32_t(row.front().value);
        row.push_back(TableCell::number(m_results.premiumWith(payment), 2));
    }
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<MiPanel>> MiPanel::fields()
{
    using P = MiPanel;
    static constexpr PageField<P> table[] = {
        {"MiHomeValue", at<&P::m_edtMIHomeValue>, FieldKind::Number},
        {"MiPremium", at<&P::m_edtMIPremium>, FieldKind::Number},
    };
    return table;
}

void MiPanel::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void MiPanel::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn

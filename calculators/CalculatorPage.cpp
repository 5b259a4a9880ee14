#include "calculators/CalculatorPage.h"

#include "calculators/CalculatorHost.h"
#include "finance/MortLib.h"
#include "state/BuyerValues.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"
#include "widgets/NumberField.h"

#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

#include <utility>

namespace clvn {

namespace {
// A greyed result field's own disabled text colour, put back when current.
constexpr const char *kTextBeforeStale = "clvnTextBeforeStale";
} // namespace

// What Reset throws away: the page's inputs as the user left them and the
// state it shares with the other pages.
struct CalculatorPage::Snapshot
{
    BuyerValues buyer;
    TMortgage mortgage;
    ExtraPaymentState extra;
    QVariant layout;
    // Money fields by value (their text is rounded), the other fields by text.
    QList<std::pair<QPointer<TNumEdit>, double>> money;
    QList<std::pair<QPointer<QLineEdit>, QString>> texts;
    QList<std::pair<QPointer<QAbstractButton>, bool>> choices;
    QList<std::pair<QPointer<QComboBox>, int>> lists;
};

CalculatorPage::CalculatorPage(CalculatorHost &host, const QString &pageName, QWidget *parent)
    : QWidget(parent), m_host(host)
{
    setObjectName(pageName);
}

CalculatorPage::~CalculatorPage() = default;

void CalculatorPage::resetUndoably()
{
    auto kept = std::make_unique<Snapshot>(Snapshot{.buyer = m_host.buyerValues(),
                                                    .mortgage = m_host.mortgage(),
                                                    .extra = m_host.extraPayment(),
                                                    .layout = layoutForUndo(),
                                                    .money = {},
                                                    .texts = {},
                                                    .choices = {},
                                                    .lists = {}});
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        // Figures the page shows read-only are kept too: which are read-only
        // depends on the page's mode, and the calculation may not set them all.
        if (qobject_cast<QComboBox *>(edit->parentWidget()))
            continue;
        if (auto *money = qobject_cast<TNumEdit *>(edit))
            kept->money.append({money, money->value()});
        else
            kept->texts.append({edit, edit->text()});
    }
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        if (button->isCheckable())
            kept->choices.append({button, button->isChecked()});
    for (QComboBox *list : findChildren<QComboBox *>())
        kept->lists.append({list, list->currentIndex()});
    Reset();
    setResultsCurrent();
    m_beforeReset = std::move(kept);
}

void CalculatorPage::undoReset()
{
    if (!m_beforeReset)
        return;
    const std::unique_ptr<Snapshot> kept = std::move(m_beforeReset);
    m_host.buyerValues() = kept->buyer;
    m_host.mortgage() = kept->mortgage;
    m_host.extraPayment() = kept->extra;
    restoreLayoutForUndo(kept->layout);
    // The choices first, with their signals: a page follows its mode.
    for (const auto &[button, checked] : kept->choices)
        if (button)
            button->setChecked(checked);
    for (const auto &[list, index] : kept->lists)
        if (list)
            list->setCurrentIndex(index);
    for (const auto &[edit, value] : kept->money) {
        if (!edit)
            continue;
        const QSignalBlocker quiet(edit.data());
        edit->setValue(value);
    }
    for (const auto &[edit, text] : kept->texts) {
        if (!edit)
            continue;
        const QSignalBlocker quiet(edit.data());
        edit->setText(text);
    }
    const unsigned long long failures = handledFailures();
    recalculate();
    if (handledFailures() == failures)
        setResultsCurrent();
}

void CalculatorPage::forgetReset()
{
    m_beforeReset.reset();
}

void CalculatorPage::recalculate()
{
    if (QPushButton *button = m_defaultButtons.value(this); button && button->isEnabled())
        button->click();
    else if (!m_leaveCalculations.isEmpty())
        m_leaveCalculations.first()();
}

void CalculatorPage::setIdentity(const QString &title, int helpTopic)
{
    m_title = title;
    m_helpTopic = helpTopic;
}

QList<NumberField *> CalculatorPage::numberFields() const
{
    return findChildren<NumberField *>();
}

void CalculatorPage::calculateOnLeave(const QList<NumberField *> &fields,
                                      const std::function<void()> &calculate)
{
    for (NumberField *field : fields)
        connectGuarded(field, &NumberField::left, this, [this, calculate] {
            calculate();
            setResultsCurrent(); // not reached when it threw
        });
    m_leaveCalculations.append(calculate);
    m_leaveFields << fields;
}

void CalculatorPage::putBackStoredLoan(NumberField *loan, NumberField *interest, NumberField *term,
                                       NumberField *payment)
{
    const BuyerValues &values = m_host.buyerValues();
    loan->setValue(values.Loan);
    interest->setValue(values.Interest);
    term->setValue(values.Term);
    if (payment)
        payment->setValue(values.Payment);
}

void CalculatorPage::setDefaultButton(QPushButton *button, QWidget *scope)
{
    m_defaultButtons.insert(scope ? scope : this, button);
    // Connected after the page's own handler: clicked comes to this one last.
    connect(button, &QAbstractButton::pressed, this,
            [this] { m_failuresAtPress = handledFailures(); });
    connect(button, &QAbstractButton::clicked, this, [this] {
        if (handledFailures() == m_failuresAtPress)
            setResultsCurrent();
    });
}

void CalculatorPage::addResultWidget(QWidget *widget)
{
    m_resultWidgets.append(widget);
}

void CalculatorPage::addInputView(QAbstractItemView *view)
{
    m_inputViews.append(view);
}

QString CalculatorPage::staleNote() const
{
    // The page's default button by its caption ("Calculate", "Check").
    const QPushButton *button = m_defaultButtons.value(this);
    return QStringLiteral("Changed since the last calculation: press ") +
           (button ? QString(button->text()).remove(u'&') : QStringLiteral("Enter"));
}

void CalculatorPage::setResultsCurrent()
{
    if (m_stale)
        showStale(false);
}

void CalculatorPage::setResultsStale()
{
    if (!m_stale)
        showStale(true);
}

void CalculatorPage::showStale(bool stale)
{
    m_stale = stale;
    if (!stale) {
        for (const QPointer<QWidget> &w : std::as_const(m_greyed)) {
            if (!w)
                continue;
            w->setEnabled(true);
            if (auto *field = qobject_cast<NumberField *>(w.data())) {
                QPalette palette = field->palette();
                palette.setColor(QPalette::Disabled, QPalette::Text,
                                 field->property(kTextBeforeStale).value<QColor>());
                field->setPalette(palette);
            }
        }
        m_greyed.clear();
        if (m_staleNote)
            m_staleNote->hide();
        return;
    }
    QList<QWidget *> results = m_resultWidgets;
    for (NumberField *field : numberFields())
        if (field->isResultField())
            results << field;
    // A combo box's list lives in a popup window of its own: not a result.
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>())
        if (view->window() == window() && !m_inputViews.contains(view))
            results << view;
    for (QWidget *w : std::as_const(results)) {
        if (!w->isEnabled())
            continue; // the page's own choice, put back as it was
        w->setEnabled(false);
        m_greyed << w;
        // A result field keeps black on yellow even when disabled: grey its figure.
        if (auto *field = qobject_cast<NumberField *>(w)) {
            QPalette palette = field->palette();
            field->setProperty(kTextBeforeStale, palette.color(QPalette::Disabled, QPalette::Text));
            palette.setColor(QPalette::Disabled, QPalette::Text, Qt::darkGray);
            field->setPalette(palette);
        }
    }
    if (m_greyed.isEmpty()) {
        m_stale = false; // nothing shown yet (the Quick Calculator before its first answer)
        return;
    }
    if (!m_staleNote) {
        m_staleNote = new QLabel(this);
        m_staleNote->setObjectName(QStringLiteral("lblStale"));
        m_staleNote->setAutoFillBackground(true);
        m_staleNote->setStyleSheet(
            QStringLiteral("QLabel { background: #ffffe1; color: #a00000; padding: 1px 4px; }"));
    }
    m_staleNote->setText(staleNote());
    m_staleNote->adjustSize();
    m_staleNote->move(width() - m_staleNote->width() - 2, height() - m_staleNote->height() - 2);
    m_staleNote->show();
    m_staleNote->raise();
}

void CalculatorPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_watching)
        watchInputs();
}

void CalculatorPage::watchInputs()
{
    m_watching = true;
    // Typing is what leaves results behind; choices recalculate at once. The
    // inputs are the fields calculated on leaving and, on a page with a
    // Calculate button, the fields it calculates from: not those of a panel
    // with a button of its own (extra payments, insurance).
    QList<QLineEdit *> inputs(m_leaveFields.begin(), m_leaveFields.end());
    if (m_defaultButtons.contains(this)) {
        for (QLineEdit *edit : findChildren<QLineEdit *>()) {
            const QWidget *scope = edit->parentWidget();
            while (scope != this && !m_defaultButtons.contains(scope))
                scope = scope->parentWidget();
            if (scope == this && !inputs.contains(edit))
                inputs << edit;
        }
    }
    for (QLineEdit *edit : std::as_const(inputs))
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            if (!edit->isReadOnly())
                setResultsStale();
        });
}

void CalculatorPage::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = focusWidget();
    if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || !focus ||
        !isAncestorOf(focus)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A focused push button is pressed, as in a dialog.
    if (auto *button = qobject_cast<QPushButton *>(focus)) {
        guard([button] { button->click(); });
        return;
    }
    // The innermost scope with a default decides; a disabled one (nothing to
    // calculate yet) lets Enter leave the field.
    QPushButton *button = nullptr;
    for (const QWidget *w = focus; w && !button; w = w == this ? nullptr : w->parentWidget())
        button = m_defaultButtons.value(w);
    if (button && button->isVisible() && button->isEnabled())
        guard([button] { button->click(); });
    else if (qobject_cast<QLineEdit *>(focus))
        guard([this] { focusNextChild(); });
}

void CalculatorPage::recoverFromFloatError(bool /*active*/)
{
}

void CalculatorPage::saveState(PageState & /*state*/) const
{
}

void CalculatorPage::restoreState(const PageState & /*state*/)
{
}

bool CalculatorPage::calculateRestored()
{
    const unsigned long long failures = handledFailures();
    guard([this] { recalculate(); });
    if (handledFailures() != failures)
        return false;
    setResultsCurrent();
    return true;
}

} // namespace clvn

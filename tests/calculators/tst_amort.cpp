// The Loan Amortizations page driven as a user drives it: enter the page,
// type figures, press Calculate, add and remove extra payments, read the grid.
//
// Reference figures: the worked schedules of the amortization library
// (100000 at 7 % -> 665.30 and a last balance of 2.98; 100000 at 8.75 % ->
// 786.70), and for the extra payments a plain recomputation of the same
// schedule rules written independently in Python (cents rounded half up per
// row; an extra amount added to the principal of its row).

#include "calculators/AmortModel.h"
#include "calculators/AmortPage.h"
#include "finance/Errors.h"
#include "tests/calculators/FakeHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace clvn;
using namespace Qt::Literals::StringLiterals;

namespace {
const QString FloatMessage = u"Valid results cannot be calculated using\n\rthe variables you have "
                             u"entered.\n\r\n\rPlease try again with reasonable values."_s;
const QString UnidentifiedMessage = u"An unidentified error has occurred."_s;
} // namespace

class TestAmort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void enterWithDefaults();
    void gridFrame();
    void lastBalance_data();
    void lastBalance();
    void extraOnAllPayments();
    void extras_data();
    void extras();
    void extraOutsideSchedule_data();
    void extraOutsideSchedule();
    void removeAfterSeveralRecalcs();
    void extraPaymentFields_data();
    void extraPaymentFields();
    void cancelKeepsSchedule();
    void addExtraAfterReset();
    void badText_data();
    void badText();
    void unusableTerm_data();
    void unusableTerm();

private:
    template <class T> T *child(const QString &name) const
    {
        T *w = m_page->findChild<T *>(name);
        if (!w)
            qFatal("no child %s", qPrintable(name));
        return w;
    }
    QAbstractItemModel *grid() const { return child<QTableView>(u"grdAmortization"_s)->model(); }
    QString cell(int row, int column) const
    {
        return grid()->index(row, column).data(Qt::DisplayRole).toString();
    }
    QString lastCell(int column) const { return cell(grid()->rowCount() - 1, column); }
    // Everything the grid and the payment field show.
    QStringList shown() const;
    void click(const QString &button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // Replaces a field's text by typing, then leaves it with Tab.
    void type(const QString &fieldName, const QString &text);
    void calculate(const QString &loan, const QString &rate, const QString &term);
    // Opens the panel, picks the mode, types the figures and presses Re-Calculate.
    void addExtra(const QString &mode, const QString &from, const QString &to,
                  const QString &amount);

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<AmortPage> m_page;
    QStringList m_errors; // what reached the application-wide handler
};

void TestAmort::initTestCase()
{
    test::pinLocale();
    // Mimics the main window's handler: its two messages, and the page reset
    // after a floating-point error on this page.
    setExceptionHandler([this](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const FloatError &) {
            m_errors << u"float"_s;
            showInfo(nullptr, FloatMessage);
            if (m_page)
                m_page->recoverFromFloatError(true);
        } catch (const ConvertError &) {
            m_errors << u"convert"_s;
            showInfo(nullptr, UnidentifiedMessage);
        } catch (...) {
            m_errors << u"other"_s;
            showInfo(nullptr, UnidentifiedMessage);
        }
    });
}

void TestAmort::init()
{
    m_errors.clear();
    m_host = std::make_unique<test::FakeHost>();
    m_page = std::make_unique<AmortPage>(*m_host);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    m_page->activateWindow();
    m_page->enter();
}

void TestAmort::cleanup()
{
    m_page.reset();
    m_host.reset();
}

QStringList TestAmort::shown() const
{
    QStringList texts{child<QLineEdit>(u"edtAmortPayment"_s)->text()};
    for (int r = 0; r < grid()->rowCount(); ++r)
        for (int c = 0; c < AmortModel::ColumnCount; ++c)
            texts << cell(r, c);
    return texts;
}

void TestAmort::type(const QString &fieldName, const QString &text)
{
    auto *edit = child<QLineEdit>(fieldName);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void TestAmort::calculate(const QString &loan, const QString &rate, const QString &term)
{
    type(u"edtMortAmt"_s, loan);
    type(u"EdtIRate"_s, rate);
    type(u"EdtNumPmts"_s, term);
    click(u"btnCalculate"_s);
}

void TestAmort::addExtra(const QString &mode, const QString &from, const QString &to,
                         const QString &amount)
{
    click(u"btnAddExtraPayments"_s);
    QVERIFY(child<QFrame>(u"pnlAddExtra"_s)->isVisible());
    QTest::mouseClick(child<QRadioButton>(mode), Qt::LeftButton);
    QVERIFY(child<QRadioButton>(mode)->isChecked());
    if (child<QLineEdit>(u"edtFromPmt"_s)->isEnabled())
        type(u"edtFromPmt"_s, from);
    if (child<QLineEdit>(u"edtToPmt"_s)->isEnabled())
        type(u"edtToPmt"_s, to);
    type(u"edtExtraAmount"_s, amount);
    click(u"btnAddExtra"_s);
}

void TestAmort::enterWithDefaults()
{
    // The loan field has the focus, so it shows its plain editing text.
    QCOMPARE(child<TNumEdit>(u"edtMortAmt"_s)->displayText(), u"$100,000.00"_s);
    QCOMPARE(child<TNumEdit>(u"edtMortAmt"_s)->value(), 100000.0);
    QCOMPARE(child<QLineEdit>(u"EdtIRate"_s)->text(), u"8.750"_s);
    QCOMPARE(child<QLineEdit>(u"EdtNumPmts"_s)->text(), u"360"_s);
    QCOMPARE(child<QLineEdit>(u"edtAmortPayment"_s)->text(), u"$786.70"_s);
    QVERIFY(child<QLineEdit>(u"edtAmortPayment"_s)->isReadOnly());
    QCOMPARE(child<QLineEdit>(u"edtAmortPayment"_s)->focusPolicy(), Qt::NoFocus);

    QCOMPARE(grid()->rowCount(), 360);
    const QStringList first{u"1"_s,       u"$57.53"_s, u"$729.17"_s,   u"$57.53"_s,
                            u"$729.17"_s, u"$0.00"_s,  u"$99,942.47"_s};
    for (int c = 0; c < AmortModel::ColumnCount; ++c)
        QCOMPARE(cell(0, c), first[c]);
    QCOMPARE(lastCell(0), u"360"_s);
    QCOMPARE(lastCell(6), u"$0.97"_s);
    QCOMPARE(grid()->index(0, 6).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);

    // Printing switched on and off by the navigation, then on by the calculation.
    QVERIFY(m_host->printingAllowed);
    QCOMPARE(m_host->allowPrintingCalls, 2);
    QCOMPARE(m_host->disallowPrintingCalls, 1);
    QVERIFY(m_host->resetEnabled);
    QVERIFY(child<QPushButton>(u"btnAddExtra"_s)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(u"edtMortAmt"_s));
    QCOMPARE(child<QTableView>(u"grdAmortization"_s)->y(), 150);
    QVERIFY(!child<QFrame>(u"pnlAddExtra"_s)->isVisible());
    QCOMPARE(m_host->mortgage().NumPayments(), 360);
    QVERIFY(m_errors.isEmpty());
}

void TestAmort::gridFrame()
{
    const QStringList headings{u"PMT"_s,
                               u"Principal"_s,
                               u"Interest"_s,
                               u"Principal To Date"_s,
                               u"Interest To Date"_s,
                               u"Extra Principal"_s,
                               u"Balance"_s};
    const QList<int> widths{44, 80, 80, 90, 90, 85, 90};
    auto *view = child<QTableView>(u"grdAmortization"_s);
    QCOMPARE(grid()->columnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        QCOMPARE(grid()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        QCOMPARE(view->columnWidth(c), widths[c]);
    }
    QCOMPARE(view->rowHeight(0), 16);
    QCOMPARE(view->selectionMode(), QAbstractItemView::NoSelection);
    // The whole grid fits the page without a horizontal scroll bar.
    QVERIFY(view->horizontalHeader()->length() <= view->viewport()->width());
    QVERIFY(view->geometry().bottom() < m_page->height());
}

void TestAmort::lastBalance_data()
{
    QTest::addColumn<QString>("loan");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("lastInterest");
    QTest::addColumn<QString>("lastBalance");

    QTest::newRow("100000 at 7 %") << "100000"
                                   << "7"
                                   << "360"
                                   << "$665.30" << 360 << "$3.88"
                                   << "$2.98";
    QTest::newRow("100000 at 7.5 %") << "100000"
                                     << "7.5"
                                     << "360"
                                     << "$699.21" << 360 << "$4.38"
                                     << "$6.39";
    // Rate 0: a plain share per month and no interest.
    QTest::newRow("12000 at 0 %") << "12000"
                                  << "0"
                                  << "12"
                                  << "$1,000.00" << 12 << "$0.00"
                                  << "$0.00";
}

void TestAmort::lastBalance()
{
    QFETCH(QString, loan);
    QFETCH(QString, rate);
    QFETCH(QString, term);
    QFETCH(QString, payment);
    QFETCH(int, rows);
    QFETCH(QString, lastInterest);
    QFETCH(QString, lastBalance);

    calculate(loan, rate, term);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(child<QLineEdit>(u"edtAmortPayment"_s)->text(), payment);
    QCOMPARE(grid()->rowCount(), rows);
    QCOMPARE(lastCell(0), term);
    QCOMPARE(lastCell(2), lastInterest);
    QCOMPARE(lastCell(6), lastBalance);
}

void TestAmort::extraOnAllPayments()
{
    addExtra(u"rbAllPmts"_s, {}, {}, u"100"_s);
    QVERIFY(m_errors.isEmpty());
    // 886.70 a month pays 100000 at 8.75 % off with payment 238.
    QCOMPARE(grid()->rowCount(), 238);
    QCOMPARE(cell(0, 1), u"$157.53"_s);
    QCOMPARE(cell(0, 5), u"$100.00"_s);
    QCOMPARE(lastCell(0), u"238"_s);
    QCOMPARE(lastCell(1), u"$729.46"_s);
    QCOMPARE(lastCell(6), u"$0.00"_s);
    for (int r = 0; r < grid()->rowCount() - 1; ++r)
        QVERIFY(cell(r, 6) != u"$0.00"_s);
    QCOMPARE(m_host->extraPayment().ExtraPaymentMode, std::uint8_t(2));
    QCOMPARE(m_host->extraPayment().ExtraAmount, 100.0);
}

void TestAmort::extras_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("row");           // last row (0-based) with the extra
    QTest::addColumn<QStringList>("cells"); // that row, then the next one
    QTest::addColumn<QString>("toAfter");   // "To Payment #" after the action
    QTest::addColumn<int>("rows");          // the extra principal pays the loan off early
    QTest::addColumn<QString>("lastPrincipal");

    QTest::newRow("single payment 12")
        << "rbOnePmt"
        << "12"
        << ""
        << "500" << 11
        << QStringList{u"12"_s,        u"$562.32"_s,   u"$724.38"_s,    u"$1,218.77"_s,
                       u"$8,721.63"_s, u"$500.00"_s,   u"$98,781.23"_s, u"13"_s,
                       u"$66.42"_s,    u"$720.28"_s,   u"$1,285.19"_s,  u"$9,441.91"_s,
                       u"$0.00"_s,     u"$98,714.81"_s}
        << "" << 353 << "$180.14";
    QTest::newRow("range 1 to 3") << "rbRangePmts"
                                  << "1"
                                  << "3"
                                  << "250" << 2
                                  << QStringList{u"3"_s,          u"$312.03"_s,   u"$724.67"_s,
                                                 u"$929.34"_s,    u"$2,180.76"_s, u"$250.00"_s,
                                                 u"$99,070.66"_s, u"4"_s,         u"$64.31"_s,
                                                 u"$722.39"_s,    u"$993.65"_s,   u"$2,903.15"_s,
                                                 u"$0.00"_s,      u"$99,006.35"_s}
                                  << "3" << 348 << "$527.27";
    // An empty "To Payment #" is read as 0: only the first payment is set.
    QTest::newRow("range with empty To")
        << "rbRangePmts"
        << "5"
        << ""
        << "250" << 4
        << QStringList{u"5"_s,       u"$309.23"_s,    u"$727.47"_s, u"$541.89"_s,   u"$3,641.61"_s,
                       u"$250.00"_s, u"$99,458.11"_s, u"6"_s,       u"$61.48"_s,    u"$725.22"_s,
                       u"$603.37"_s, u"$4,366.83"_s,  u"$0.00"_s,   u"$99,396.63"_s}
        << "0" << 356 << "$670.56";
}

void TestAmort::extras()
{
    QFETCH(QString, mode);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, amount);
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    QFETCH(QString, toAfter);
    QFETCH(int, rows);
    QFETCH(QString, lastPrincipal);

    test::MessageBoxCatcher boxes;
    addExtra(mode, from, to, amount);
    QCOMPARE(boxes.count(), 0);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(grid()->rowCount(), rows);
    QCOMPARE(lastCell(0), QString::number(rows));
    QCOMPARE(lastCell(1), lastPrincipal);
    QCOMPARE(lastCell(6), u"$0.00"_s);
    for (int c = 0; c < 7; ++c) {
        QCOMPARE(cell(row, c), cells[c]);
        QCOMPARE(cell(row + 1, c), cells[7 + c]);
    }
    if (mode != u"rbOnePmt"_s)
        QCOMPARE(child<QLineEdit>(u"edtToPmt"_s)->text(), toAfter);
    QCOMPARE(m_host->extraPayment().ExtraFromPayment, from.toInt());
}

void TestAmort::extraOutsideSchedule_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("extraRow"); // a row the failed range still set, or -1

    QTest::newRow("single 0") << "rbOnePmt"
                              << "0"
                              << "" << -1;
    QTest::newRow("single 361") << "rbOnePmt"
                                << "361"
                                << "" << -1;
    QTest::newRow("range 0 to 5") << "rbRangePmts"
                                  << "0"
                                  << "5" << -1;
    QTest::newRow("range 359 to 362") << "rbRangePmts"
                                      << "359"
                                      << "362" << 358;
}

void TestAmort::extraOutsideSchedule()
{
    QFETCH(QString, mode);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, extraRow);

    const QStringList before = shown();
    test::MessageBoxCatcher boxes;
    addExtra(mode, from, to, u"100"_s);
    QCOMPARE(boxes.texts(), QStringList{AmortPage::ExtraPaymentMessage});
    QVERIFY(AmortPage::ExtraPaymentMessage.contains(u"figures.\n\r\n\rPlease use"_s));
    QVERIFY(m_errors.isEmpty());

    // Listed again from the schedule as it stands: no row recalculated, but
    // rows a range reached before the bad number show their new extra.
    QCOMPARE(grid()->rowCount(), 360);
    QCOMPARE(lastCell(6), u"$0.97"_s);
    if (extraRow < 0) {
        QCOMPARE(shown(), before);
    } else {
        QCOMPARE(cell(extraRow, 5), u"$100.00"_s);
        QCOMPARE(cell(extraRow, 1), before[1 + extraRow * 7 + 1]);
    }
}

void TestAmort::removeAfterSeveralRecalcs()
{
    const QStringList before = shown();
    addExtra(u"rbOnePmt"_s, u"12"_s, {}, u"500"_s);
    addExtra(u"rbRangePmts"_s, u"1"_s, u"3"_s, u"250"_s);
    addExtra(u"rbOnePmt"_s, u"100"_s, {}, u"1000"_s);
    // Extras accumulate until removed.
    QCOMPARE(cell(11, 5), u"$500.00"_s);
    QCOMPARE(cell(2, 5), u"$250.00"_s);
    QCOMPARE(cell(99, 5), u"$1,000.00"_s);
    QVERIFY(shown() != before);

    click(u"btnRemove"_s);
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(shown(), before);
    QVERIFY(child<QFrame>(u"pnlAddExtra"_s)->isVisible());
}

void TestAmort::extraPaymentFields_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("fromCaption");
    QTest::addColumn<bool>("fromEnabled");
    QTest::addColumn<bool>("toEnabled");

    QTest::newRow("single") << "rbOnePmt"
                            << "          Payment #" << true << false;
    QTest::newRow("range") << "rbRangePmts"
                           << "From Payment #" << true << true;
    // All payments keeps the caption of the choice before it (single here).
    QTest::newRow("all") << "rbAllPmts"
                         << "          Payment #" << false << false;
}

void TestAmort::extraPaymentFields()
{
    QFETCH(QString, mode);
    QFETCH(QString, fromCaption);
    QFETCH(bool, fromEnabled);
    QFETCH(bool, toEnabled);

    click(u"btnAddExtraPayments"_s);
    // The panel opens with a range chosen.
    QVERIFY(child<QRadioButton>(u"rbRangePmts"_s)->isChecked());
    QCOMPARE(child<QLineEdit>(u"edtExtraAmount"_s)->text(), u"0.00"_s);
    QTest::mouseClick(child<QRadioButton>(u"rbOnePmt"_s), Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>(mode), Qt::LeftButton);
    QCOMPARE(child<QLabel>(u"lblFromPmt"_s)->text(), fromCaption);
    QCOMPARE(child<QLineEdit>(u"edtFromPmt"_s)->isEnabled(), fromEnabled);
    QCOMPARE(child<QLabel>(u"lblFromPmt"_s)->isEnabled(), fromEnabled);
    QCOMPARE(child<QLineEdit>(u"edtToPmt"_s)->isEnabled(), toEnabled);
    QCOMPARE(child<QLabel>(u"lblToPmt"_s)->isEnabled(), toEnabled);
}

void TestAmort::cancelKeepsSchedule()
{
    addExtra(u"rbOnePmt"_s, u"12"_s, {}, u"500"_s);
    const QStringList withExtra = shown();
    click(u"btnCancel"_s);
    QVERIFY(!child<QFrame>(u"pnlAddExtra"_s)->isVisible());
    QCOMPARE(shown(), withExtra);
}

void TestAmort::addExtraAfterReset()
{
    type(u"edtMortAmt"_s, u"5000"_s);
    m_page->Reset();
    QCOMPARE(child<QLineEdit>(u"edtMortAmt"_s)->text(), u"$100,000.00"_s);
    QCOMPARE(child<QLineEdit>(u"EdtIRate"_s)->text(), u"8.750"_s);
    QCOMPARE(child<QLineEdit>(u"EdtNumPmts"_s)->text(), u"360"_s);
    QCOMPARE(child<QLineEdit>(u"edtAmortPayment"_s)->text(), u"$786.70"_s);
    QVERIFY(!m_host->printingAllowed);
    QVERIFY(!m_host->resetEnabled);
    QVERIFY(!child<QPushButton>(u"btnAddExtra"_s)->isEnabled());
    // The cells are emptied; the row count stays.
    QCOMPARE(grid()->rowCount(), 360);
    QCOMPARE(cell(0, 0), QString());
    QCOMPARE(lastCell(6), QString());
    QCOMPARE(grid()->headerData(3, Qt::Horizontal).toString(), u"Principal To Date"_s);

    click(u"btnAddExtraPayments"_s);
    QVERIFY(!child<QFrame>(u"pnlAddExtra"_s)->isVisible());

    // Calculate brings the schedule, printing and the extra button back.
    click(u"btnCalculate"_s);
    QCOMPARE(cell(0, 0), u"1"_s);
    QVERIFY(m_host->printingAllowed);
    QVERIFY(child<QPushButton>(u"btnAddExtra"_s)->isEnabled());
}

void TestAmort::badText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mode"); // empty: the text goes into a page field

    QTest::newRow("empty term") << "EdtNumPmts"
                                << ""
                                << "";
    QTest::newRow("fractional term") << "EdtNumPmts"
                                     << "360.5"
                                     << "";
    QTest::newRow("empty rate") << "EdtIRate"
                                << ""
                                << "";
    QTest::newRow("letters as amount") << "edtExtraAmount"
                                       << "abc"
                                       << "rbAllPmts";
    QTest::newRow("grouped amount") << "edtExtraAmount"
                                    << "1,000"
                                    << "rbAllPmts";
    QTest::newRow("empty amount") << "edtExtraAmount"
                                  << ""
                                  << "rbRangePmts";
    QTest::newRow("infinite amount") << "edtExtraAmount"
                                     << "inf"
                                     << "rbAllPmts";
    QTest::newRow("empty single payment") << "edtFromPmt"
                                          << ""
                                          << "rbOnePmt";
    QTest::newRow("fractional from") << "edtFromPmt"
                                     << "2.5"
                                     << "rbRangePmts";
}

void TestAmort::badText()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, mode);

    const QStringList before = shown();
    const ExtraPaymentState extraBefore = m_host->extraPayment();
    test::MessageBoxCatcher boxes;
    if (mode.isEmpty()) {
        type(field, text);
        click(u"btnCalculate"_s);
    } else if (field == u"edtExtraAmount"_s) {
        addExtra(mode, u"1"_s, u"2"_s, text);
    } else {
        addExtra(mode, text, u"2"_s, u"100"_s);
    }
    QCOMPARE(m_errors, QStringList{u"convert"_s});
    QCOMPARE(boxes.texts(), QStringList{UnidentifiedMessage});
    QCOMPARE(shown(), before);
    QCOMPARE(m_host->mortgage().Payments().at(0).ExtraPrincipal, 0.0);
    QCOMPARE(m_host->extraPayment().ExtraPaymentMode, extraBefore.ExtraPaymentMode);
    QCOMPARE(m_host->extraPayment().ExtraAmount, extraBefore.ExtraAmount);
}

void TestAmort::unusableTerm_data()
{
    QTest::addColumn<QString>("term");
    QTest::newRow("no payments") << "0";
    QTest::newRow("100000 payments") << "100000";
    QTest::newRow("a billion payments") << "1000000000";
    QTest::newRow("negative") << "-5";
}

void TestAmort::unusableTerm()
{
    QFETCH(QString, term);

    test::MessageBoxCatcher boxes;
    calculate(u"250000"_s, u"6"_s, term);
    QCOMPARE(m_errors, QStringList{u"float"_s});
    QCOMPARE(boxes.texts(), QStringList{FloatMessage});
    // The page reset ran: default figures, empty cells, printing off.
    QCOMPARE(child<QLineEdit>(u"edtMortAmt"_s)->text(), u"$100,000.00"_s);
    QCOMPARE(child<QLineEdit>(u"EdtNumPmts"_s)->text(), u"360"_s);
    QCOMPARE(cell(0, 0), QString());
    QVERIFY(!m_host->printingAllowed);
    QVERIFY(!m_host->resetEnabled);
    // The schedule was not touched by the refused figures.
    QCOMPARE(m_host->mortgage().NumPayments(), 360);
    QCOMPARE(m_host->mortgage().Principal(), 100000.0);
}

QTEST_MAIN(TestAmort)
#include "tst_amort.moc"

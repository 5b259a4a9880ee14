// Input storm: the real main window, every calculator page on its page stack,
// a few hundred random edits per page from a fixed seed. Each edit types a
// text a careless or hostile user might (empty, a lone minus or point, huge
// digit runs, letters, figures near every limit) into an enabled input field
// and leaves it; now and then a button of the page or the Reset tool is
// clicked. The storm holds the program to four promises:
//   - it neither crashes nor hangs (the sanitizer build and CTest's time limit
//     watch for both);
//   - every message box shows one of the program's fixed texts, and no single
//     leaving of a field shows more than one;
//   - what escapes a handler is one of the library's errors (floating-point
//     or conversion), never a stray exception;
//   - after an edit that showed no message, no read-only result field or grid
//     cell shows a non-finite figure, and no result field that showed a
//     figure is left empty;
// and at the end the settings file written on exit reads back.
//
// Pages join by themselves: the rows are the pages found on the stack. A page
// whose messages are new must add them to fixedMessages() below.

#include "app/Main.h"
#include "app/settings/BuyerValues.h"
#include "app/settings/SettingsFile.h"
#include "calculators/AmortPage.h"
#include "calculators/CalculatorPage.h"
#include "calculators/MiPanel.h"
#include "calculators/QuickCalcPage.h"
#include "finance/Errors.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <typeinfo>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

constexpr int EditsPerPage = 250;
constexpr std::uint32_t Seed = 20261207;

// Every message the calculator pages and the application-wide handler show.
const QStringList &fixedMessages()
{
    static const QStringList texts = {
        u"Valid results cannot be calculated using\n\rthe variables you have entered."
        u"\n\r\n\rPlease try again with reasonable values."_s,
        u"An unidentified error has occurred."_s,
        QuickCalcPage::FailureMessage,
        AmortPage::ExtraPaymentMessage,
        MiPanel::HomeValueMessage,
        MiPanel::PremiumMessage,
        MiPanel::PremiumNeededMessage,
    };
    return texts;
}

// What users type: the texts of the storm. Letters, "e" and other refused
// keys are swallowed by the fields, so "1e308" arrives as "1308".
QString stormText(std::mt19937 &rng)
{
    static const QStringList fixed = {
        u""_s,
        u"-"_s,
        u"."_s,
        u"-."_s,
        u"0"_s,
        u"-0"_s,
        u"0.0"_s,
        u"00000"_s,
        u"1e308"_s,
        u"-1e308"_s,
        u"1E-308"_s,
        u"abc"_s,
        u"12abc34"_s,
        u"NaN"_s,
        u"inf"_s,
        u"1.2.3"_s,
        u"--5"_s,
        u"5-"_s,
        u"$1,234.50"_s,
        u"99999999999999999999999999999999"_s,
        u"99999999999999999999999999999999999999999999"_s,
        u"-9999999999999999999999999999999"_s,
        u"0.0000000000000000000000000000001"_s,
        u"2147483647"_s,
        u"2147483648"_s,
        u"-2147483648"_s,
        u"-2147483649"_s,
        u"4294967296"_s,
        u"9223372036854775807"_s,
        u"9223372036854775808"_s,
        u"1.7976931348623157"_s,
        u"179769313486231570000000000000000"_s,
        u"0.5"_s,
        u"0.005"_s,
        u"12.5"_s,
        u"99.999"_s,
        u"100"_s,
        u"101"_s,
        u"-1"_s,
        u"-100000"_s,
        u"-0.5"_s,
        u"1"_s,
        u"12"_s,
        u"359"_s,
        u"360"_s,
        u"361"_s,
        u"480"_s,
        u"1000"_s,
        u"9999"_s,
        u"99999"_s,
        u"100000"_s,
        u"1000000000"_s,
    };
    const std::uint32_t pick = rng() % 4;
    if (pick < 2)
        return fixed.at(qsizetype(rng() % std::uint32_t(fixed.size())));
    // A random figure: sign, up to 12 integer digits, maybe decimals.
    QString s;
    if (rng() % 5 == 0)
        s += u'-';
    const int intDigits = int(rng() % 13);
    for (int i = 0; i < intDigits; ++i)
        s += QChar(u'0' + int(rng() % 10));
    if (rng() % 2 == 0) {
        s += u'.';
        const int decimals = int(rng() % 6);
        for (int i = 0; i < decimals; ++i)
            s += QChar(u'0' + int(rng() % 10));
    }
    if (pick == 3 && rng() % 3 == 0)
        s.insert(qsizetype(rng() % std::uint32_t(s.size() + 1)), u"x"_s);
    return s;
}

// A point of w that a user can click: not under a panel laid over it.
std::optional<QPoint> reachablePoint(QWidget *w)
{
    QWidget *top = w->window();
    const int x[] = {4, w->width() / 2, w->width() - 4};
    for (int px : x) {
        const QPoint p(px, w->height() / 2);
        QWidget *hit = top->childAt(w->mapTo(top, p));
        if (hit == w || (hit && w->isAncestorOf(hit)))
            return p;
    }
    return std::nullopt;
}

bool showsNonFinite(const QString &text)
{
    static const QRegularExpression bad(u"nan|inf|\u221e"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    return bad.match(text).hasMatch();
}

// Within 15 significant digits: the settings file keeps no more.
bool sameSetting(double written, double read)
{
    return written == read || std::abs(written - read) <= std::abs(written) * 1e-14;
}

// Answers each message box the moment it shows and keeps its text (the
// program's own, with its line breaks), faster than polling for it.
class BoxAnswerer : public QObject
{
public:
    BoxAnswerer() { qApp->installEventFilter(this); }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }
    const QStringList &texts() const { return m_texts; }
    int count() const { return int(m_texts.size()); }
    QString last() const { return m_texts.value(m_texts.size() - 1); }
    void clear() { m_texts.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (event->type() != QEvent::Show || !box || box->property("clvnAnswered").toBool())
            return false;
        box->setProperty("clvnAnswered", true);
        const QVariant message = box->property("messageText");
        m_texts << (message.isValid() ? message.toString() : box->text());
        QPointer<QMessageBox> guarded(box);
        QMetaObject::invokeMethod(
            this,
            [guarded] {
                if (!guarded)
                    return;
                QAbstractButton *ok = guarded->button(QMessageBox::Ok);
                ok ? ok->click() : guarded->reject();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    QStringList m_texts;
};

} // namespace

class TestStorm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void stormEveryPage_data();
    void stormEveryPage();
    void cleanup()
    {
        m_window.reset();
        m_boxes.reset();
    }

private:
    void start(const QString &folder);
    QStackedWidget *stack() const { return m_window->findChild<QStackedWidget *>(u"nbkMain"_s); }
    void activate();
    void enter(QLineEdit *field);
    void type(QLineEdit *field, std::mt19937 &rng);
    // Leaves the field as a user would; returns the keys pressed.
    QString leave(QLineEdit *field, std::mt19937 &rng);
    void checkResults(const QString &step);
    void closeStrayWindows();

    std::unique_ptr<TfrmMain> m_window;
    std::unique_ptr<BoxAnswerer> m_boxes;
    CalculatorPage *m_page = nullptr;
    // Result fields and what they showed after the last calm step.
    QHash<QLineEdit *, QString> m_results;
    QSet<const QAbstractItemModel *> m_watchedModels;
    QSet<const QAbstractItemModel *> m_changedModels;
    QStringList m_strayWindows;
    QStringList m_strayErrors;
};

void TestStorm::start(const QString &folder)
{
    MainOptions options;
    options.programFolder = folder;
    options.closeDraw = [] { return 1; };
    m_window.reset(); // one main window at a time: it owns the error handler
    m_window = std::make_unique<TfrmMain>(options);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

// One row per calculator page on the stack, with the Calculators menu item
// that leads to it.
void TestStorm::stormEveryPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("item");
    QTemporaryDir dir;
    start(dir.path() + u'/');
    QMap<QString, QString> items;
    const auto actions = m_window->findChild<QMenu *>(u"MnuCalculators"_s)->actions();
    for (QAction *a : actions) {
        if (!a->isEnabled())
            continue;
        a->trigger();
        items.insert(m_window->activePageName(), a->objectName());
        m_window->findChild<QToolButton *>(u"btnMenu"_s)->click();
    }
    QStackedWidget *pages = stack();
    for (int i = 0; i < pages->count(); ++i) {
        if (auto *p = qobject_cast<CalculatorPage *>(pages->widget(i)))
            QTest::newRow(qPrintable(p->pageName())) << p->pageName() << items.value(p->pageName());
    }
    m_window->close();
    m_window.reset();
}

void TestStorm::activate()
{
    if (QApplication::activeWindow() == m_window.get())
        return;
    // A closed message box leaves no active window on the offscreen
    // platform; the user's click would bring the main window back.
    QApplication::setActiveWindow(m_window.get());
    QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
}

// Clicks into the field. Leaving the field that had the focus may run its
// page's calculation and show a message, which may take the focus away (a
// page may also put it on the field at fault): then the user clicks again.
// Each click leaves one field, so it shows one message at most.
void TestStorm::enter(QLineEdit *field)
{
    for (int attempt = 0; attempt < 3 && !field->hasFocus(); ++attempt) {
        activate();
        const int before = m_boxes->count();
        QTest::mouseClick(field, Qt::LeftButton, {}, *reachablePoint(field));
        QVERIFY2(
            m_boxes->count() - before <= 1,
            qPrintable(u"a click into "_s + field->objectName() + u" showed "_s +
                       m_boxes->texts().mid(before).join(u" | "_s).replace(u"\n\r"_s, u" "_s)));
    }
    activate();
    // Keys go where a user's would: into the field that has the focus.
    QVERIFY2(field->hasFocus(),
             qPrintable(field->objectName() + u" did not take the focus; "_s +
                        (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                     : u"nothing"_s) +
                        u" has it"_s));
}

void TestStorm::type(QLineEdit *field, std::mt19937 &rng)
{
    switch (rng() % 6) {
    case 0: // append to what is there
        QTest::keyClick(field, Qt::Key_End);
        break;
    case 1: // put in front
        QTest::keyClick(field, Qt::Key_Home);
        break;
    default: // replace
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        break;
    }
    QTest::keyClicks(field, stormText(rng));
}

QString TestStorm::leave(QLineEdit *field, std::mt19937 &rng)
{
    switch (rng() % 10) {
    case 0:
        QTest::keyClick(field, Qt::Key_Backtab, Qt::ShiftModifier);
        return u"Backtab"_s;
    case 1:
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Tab);
        return u"Enter, Tab"_s;
    case 2:
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::keyClick(field, Qt::Key_Tab);
        return u"Escape, Tab"_s;
    default:
        QTest::keyClick(field, Qt::Key_Tab);
        return u"Tab"_s;
    }
}

void TestStorm::checkResults(const QString &step)
{
    const auto fields = m_page->findChildren<QLineEdit *>();
    QHash<QLineEdit *, QString> now;
    for (QLineEdit *f : fields) {
        if (!f->isVisible() || !f->isReadOnly())
            continue;
        const QString text = f->text();
        QVERIFY2(!showsNonFinite(text),
                 qPrintable(step + u": "_s + f->objectName() + u" shows "_s + text));
        const auto before = m_results.constFind(f);
        if (before != m_results.cend() && !before->isEmpty())
            QVERIFY2(!text.isEmpty(), qPrintable(step + u": "_s + f->objectName() +
                                                 u" lost its figure "_s + *before));
        now.insert(f, text);
    }
    m_results = now;
    const auto grids = m_page->findChildren<QTableView *>();
    for (QTableView *grid : grids) {
        if (!grid->isVisible() || !grid->model())
            continue;
        const QAbstractItemModel *model = grid->model();
        // Only a grid whose figures changed since the last look is read again.
        if (!m_watchedModels.contains(model)) {
            m_watchedModels.insert(model);
            connect(model, &QAbstractItemModel::modelReset, this,
                    [this, model] { m_changedModels.insert(model); });
            connect(model, &QAbstractItemModel::layoutChanged, this,
                    [this, model] { m_changedModels.insert(model); });
            connect(model, &QAbstractItemModel::dataChanged, this,
                    [this, model] { m_changedModels.insert(model); });
            connect(model, &QAbstractItemModel::rowsInserted, this,
                    [this, model] { m_changedModels.insert(model); });
        } else if (!m_changedModels.remove(model)) {
            continue;
        }
        const int rows = std::min(model->rowCount(), 2000);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QString cell = model->index(r, c).data().toString();
                QVERIFY2(!showsNonFinite(cell),
                         qPrintable(step + u": "_s + grid->objectName() +
                                    u" row %1 column %2 shows "_s.arg(r).arg(c) + cell));
            }
    }
}

// Any modal window other than a message box (a page that opens a dialog)
// is noted and dismissed, so that the storm goes on.
void TestStorm::closeStrayWindows()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || qobject_cast<QMessageBox *>(modal))
        return;
    m_strayWindows << modal->objectName();
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}

void TestStorm::stormEveryPage()
{
    QFETCH(QString, page);
    QFETCH(QString, item);
    QVERIFY2(!item.isEmpty(), "the page is on the stack but no Calculators item leads to it");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    start(dir.path() + u'/');
    m_strayWindows.clear();
    m_strayErrors.clear();
    m_results.clear();
    m_watchedModels.clear();
    m_changedModels.clear();

    // Note what escapes each handler, then let the program handle it.
    ExceptionHandler program = setExceptionHandler({});
    setExceptionHandler([this, program](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const FloatError &) {
        } catch (const ConvertError &) {
        } catch (const std::exception &e) {
            m_strayErrors << QString::fromLatin1(typeid(e).name()) + u": "_s +
                                 QString::fromLocal8Bit(e.what());
        } catch (...) {
            m_strayErrors << u"an exception of unknown type"_s;
        }
        program(error);
    });

    m_boxes = std::make_unique<BoxAnswerer>();
    BoxAnswerer &catcher = *m_boxes;
    QTimer strays;
    strays.setInterval(20);
    connect(&strays, &QTimer::timeout, this, [this] { closeStrayWindows(); });
    strays.start();

    m_window->findChild<QAction *>(item)->trigger();
    QCOMPARE(m_window->activePageName(), page);
    m_page = m_window->page(page);
    QVERIFY(m_page);
    catcher.clear();
    checkResults(u"entry"_s);
    if (QTest::currentTestFailed())
        return;

    std::uint32_t pageSeed = Seed;
    for (QChar c : page)
        pageSeed = pageSeed * 31 + c.unicode();
    std::mt19937 rng(pageSeed);
    auto *reset = m_window->findChild<QToolButton *>(u"btnReset"_s);
    int edits = 0, clicks = 0, resets = 0;
    QElapsedTimer clock;
    clock.start();
    QSet<QString> fieldsTyped;

    for (int step = 0; step < EditsPerPage; ++step) {
        const int shownBefore = catcher.count();
        QString what;
        const std::uint32_t roll = rng() % 100;
        if (roll < 12) {
            QList<QAbstractButton *> buttons;
            for (QAbstractButton *b : m_page->findChildren<QAbstractButton *>())
                if (b->isVisible() && b->isEnabled() && reachablePoint(b))
                    buttons << b;
            if (buttons.isEmpty())
                continue;
            QAbstractButton *b = buttons.at(qsizetype(rng() % std::uint32_t(buttons.size())));
            activate();
            what = u"click "_s + b->objectName();
            ++clicks;
            QTest::mouseClick(b, Qt::LeftButton, {}, *reachablePoint(b));
        } else if (roll < 14) {
            activate();
            what = u"Reset"_s;
            ++resets;
            QTest::mouseClick(reset, Qt::LeftButton);
            m_results.clear(); // Reset may blank the results
        } else {
            QList<QLineEdit *> inputs;
            for (QLineEdit *f : m_page->findChildren<QLineEdit *>())
                if (f->isVisible() && f->isEnabled() && !f->isReadOnly() && reachablePoint(f))
                    inputs << f;
            if (inputs.isEmpty())
                continue;
            QLineEdit *f = inputs.at(qsizetype(rng() % std::uint32_t(inputs.size())));
            enter(f);
            if (QTest::currentTestFailed())
                return;
            const int shownEntering = catcher.count();
            type(f, rng);
            ++edits;
            fieldsTyped.insert(f->objectName());
            what = u"edit "_s + f->objectName() + u" to \""_s + f->text() + u'"';
            what += u", "_s + leave(f, rng);
            // Leaving the field shows one message at most.
            QVERIFY2(
                catcher.count() - shownEntering <= 1,
                qPrintable(
                    u"step %1, %2: leaving the field showed "_s.arg(step).arg(what) +
                    catcher.texts().mid(shownEntering).join(u" | "_s).replace(u"\n\r"_s, u" "_s)));
        }
        QCoreApplication::processEvents(); // what the step queued runs before the next
        QVERIFY2(m_window->isVisible() && m_window->activePageName() == page,
                 qPrintable(u"step %1, %2: the page was left"_s.arg(step).arg(what)));
        const QString label = u"step %1, %2"_s.arg(step).arg(what);
        if (qEnvironmentVariableIsSet("STORM_TRACE"))
            qInfo("%s -> %lld", qPrintable(label), qsizetype(catcher.count() - shownBefore));
        for (qsizetype i = shownBefore; i < catcher.count(); ++i)
            QVERIFY2(fixedMessages().contains(catcher.texts().at(i)),
                     qPrintable(label + u": unexpected message: "_s + catcher.texts().at(i)));
        QVERIFY2(m_strayErrors.isEmpty(),
                 qPrintable(label + u": "_s + m_strayErrors.join(u"; "_s)));
        if (catcher.count() == shownBefore)
            checkResults(label);
        else
            m_results.clear(); // a failed calculation may leave the results as they were
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY2(m_strayWindows.isEmpty(), qPrintable(m_strayWindows.join(u", "_s)));
    qInfo("%s: %d edits in %lld fields, %d clicks, %d resets, %lld messages, %lld ms",
          qPrintable(page), edits, qsizetype(fieldsTyped.size()), clicks, resets,
          qsizetype(catcher.count()), clock.elapsed());
    // The storm reached the page: most steps were edits.
    QVERIFY(edits > EditsPerPage / 2);

    // The exit save, read back by a fresh load.
    const BuyerValues inMemory = m_window->buyerValues();
    const QString path = m_window->settingsFile().path();
    QVERIFY(m_window->close());
    m_window.reset();
    QVERIFY2(catcher.count() == 0 || fixedMessages().contains(catcher.last()),
             qPrintable(catcher.last()));
    BuyerValues read;
    read.Loan = -1; // must be overwritten by the file
    const LoadReport report = SettingsFile(path).load(read);
    QVERIFY2(report.ok(), qPrintable(report.ignoredKeys.join(u", "_s)));
    for (const SettingsKey &k : settingsKeys()) {
        if (k.whole) {
            QVERIFY2(read.*k.whole == inMemory.*k.whole, k.key);
        } else {
            QVERIFY2(sameSetting(inMemory.*k.real, read.*k.real),
                     qPrintable(QString::fromLatin1(k.key) +
                                u": wrote %1, read %2"_s.arg(inMemory.*k.real, 0, 'g', 17)
                                    .arg(read.*k.real, 0, 'g', 17)));
        }
    }
}

QTEST_MAIN(TestStorm)
#include "tst_storm.moc"

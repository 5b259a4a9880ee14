// Seeded random edits and clicks on every real page: nothing crashes, one known message
// at most per leaving, only the library's errors escape, results stay finite and shown.

#include "app/Main.h"
#include "app/Pages.h"
#include "calculators/AmortPage.h"
#include "calculators/ArmPage.h"
#include "calculators/CalculatorPage.h"
#include "calculators/CmpPage.h"
#include "calculators/LecPage.h"
#include "calculators/MiPanel.h"
#include "calculators/QuickCalcPage.h"
#include "finance/Errors.h"
#include "tests/support/MainFixture.h"
#include "tests/support/PageFixture.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QTableView>
#include <QToolButton>

#include <optional>
#include <random>
#include <typeinfo>
#include <utility>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

constexpr int EditsPerPage = 250;

// What users type. Refused keys are swallowed: "1e308" arrives as "1308".
QString stormText(std::mt19937 &rng)
{
    static const QStringList fixed =
        QStringList{QString()} +
        u"- . -. 0 -0 0.0 00000 1e308 -1e308 1E-308 abc 12abc34 NaN inf 1.2.3 --5 5- $1,234.50 "
        u"99999999999999999999999999999999 99999999999999999999999999999999999999999999 "
        u"-9999999999999999999999999999999 0.0000000000000000000000000000001 2147483647 "
        u"2147483648 -2147483648 -2147483649 4294967296 9223372036854775807 9223372036854775808 "
        u"1.7976931348623157 179769313486231570000000000000000 0.5 0.005 12.5 99.999 100 101 -1 "
        u"-100000 -0.5 1 12 359 360 361 480 1000 9999 99999 100000 1000000000"_s.split(u' ');
    const std::uint32_t pick = rng() % 4;
    if (pick < 2)
        return fixed.at(qsizetype(rng() % std::uint32_t(fixed.size())));
    // A random figure: sign, up to 12 integer digits, maybe decimals, maybe a letter.
    QString s = rng() % 5 == 0 ? u"-"_s : QString();
    for (int i = int(rng() % 13); i > 0; --i)
        s += QChar(u'0' + int(rng() % 10));
    if (rng() % 2 == 0) {
        s += u'.';
        for (int i = int(rng() % 6); i > 0; --i)
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
    for (int x : {4, w->width() / 2, w->width() - 4}) {
        const QPoint p(x, w->height() / 2);
        QWidget *hit = top->childAt(w->mapTo(top, p));
        if (hit == w || (hit && w->isAncestorOf(hit)))
            return p;
    }
    return std::nullopt;
}

template <class T> T *pickUsable(QWidget *page, std::mt19937 &rng)
{
    QList<T *> found;
    for (T *w : page->findChildren<T *>()) {
        const auto *edit = qobject_cast<QLineEdit *>(w);
        if (w->isVisible() && w->isEnabled() && !(edit && edit->isReadOnly()) && reachablePoint(w))
            found << w;
    }
    return found.isEmpty() ? nullptr : found.at(qsizetype(rng() % std::uint32_t(found.size())));
}

// A result field or grid cell showing a non-finite figure, or a field emptied since `last`.
QString badResult(QWidget *page, QHash<QLineEdit *, QString> &last)
{
    static const QRegularExpression bad(u"nan|inf|\u221e"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    for (QLineEdit *f : page->findChildren<QLineEdit *>()) {
        if (!f->isVisible() || !f->isReadOnly())
            continue;
        const QString was = std::exchange(last[f], f->text());
        if (bad.match(f->text()).hasMatch() || (f->text().isEmpty() && !was.isEmpty()))
            return f->objectName() + u" shows \""_s + f->text() + u"\", showed \""_s + was + u'"';
    }
    for (QTableView *grid : page->findChildren<QTableView *>())
        for (int r = 0; grid->isVisible() && r < grid->model()->rowCount(); ++r)
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                if (const QString t = grid->model()->index(r, c).data().toString();
                    bad.match(t).hasMatch())
                    return grid->objectName() + u": "_s + t;
    return {};
}

// Answers each message box as it shows and keeps its text: faster than polling.
class BoxAnswerer : public QObject
{
public:
    BoxAnswerer() { qApp->installEventFilter(this); }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }
    int count() const { return int(texts.size()); }
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            const QVariant message = box->property("messageText"); // line breaks as written
            texts << (message.isValid() ? message.toString() : box->text());
            QMetaObject::invokeMethod(
                box, [box] { box->done(QMessageBox::Ok); }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

class TestStorm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void cleanup() { m_main.reset(); }
    void stormEveryPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("item");
        for (const PageDescriptor &d : pageDescriptors())
            QTest::newRow(qPrintable(d.name)) << d.name << d.menuItemName;
    }
    void stormEveryPage()
    {
        QFETCH(QString, page);
        QFETCH(QString, item);
        m_main.emplace();
        const QStringList known = {test::kUnusableFigures,        test::kUnidentified,
                                   QuickCalcPage::FailureMessage, AmortPage::ExtraPaymentMessage,
                                   MiPanel::HomeValueMessage,     MiPanel::PremiumMessage,
                                   MiPanel::PremiumNeededMessage, CmpPage::HomeValueMessage};
        // A refused offer's figure is named with its offer and field.
        static const QRegularExpression refusedOffer(u"^Offer [A-D]( \\(.*\\))?, [^:]+: .+$"_s);
        // A typed text that is no figure is named with its field.
        static const QRegularExpression refusedText(
            u"^[^:\\n]+: (a (whole )?number is needed|\".*\" is (not a (whole )?number|too "
            u"large))\\.$"_s,
            QRegularExpression::DotMatchesEverythingOption);

        // Note what escapes a handler beside the library's errors; the program handles it.
        QStringList strays;
        ExceptionHandler program = setExceptionHandler({});
        setExceptionHandler([&strays, program](std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const FloatError &) {
            } catch (const ConvertError &) {
            } catch (const InputRefused &) {
            } catch (const std::exception &e) {
                strays << QString::fromLatin1(typeid(e).name()) + u": "_s +
                              QString::fromLocal8Bit(e.what());
            } catch (...) {
                strays << u"an exception of unknown type"_s;
            }
            program(error);
        });
        BoxAnswerer boxes;
        // Any other modal window (a page's dialog) is noted and dismissed.
        QTimer dismiss;
        connect(&dismiss, &QTimer::timeout, this, [&strays] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || qobject_cast<QMessageBox *>(modal))
                return;
            strays << u"window "_s + modal->objectName();
            auto *dialog = qobject_cast<QDialog *>(modal);
            dialog ? dialog->reject() : void(modal->close());
        });
        dismiss.start(20);

        m_main->get<QAction>(item)->trigger();
        QWidget *shown = m_main->window->page(page);
        QVERIFY(shown && shown->isVisible());
        boxes.texts.clear();

        std::uint32_t seed = 20261207;
        for (QChar c : page)
            seed = seed * 31 + c.unicode();
        std::mt19937 rng(seed);
        int edits = 0;
        QHash<QLineEdit *, QString> results;
        for (int step = 0; step < EditsPerPage && !QTest::currentTestFailed(); ++step) {
            const int before = boxes.count();
            QString what;
            const std::uint32_t roll = rng() % 100;
            if (roll < 14) {
                activate();
                auto *b = roll < 12 ? pickUsable<QAbstractButton>(shown, rng)
                                    : m_main->get<QToolButton>(u"btnReset"_s);
                if (!b)
                    continue;
                what = u"click "_s + b->objectName();
                QTest::mouseClick(b, Qt::LeftButton, {}, reachablePoint(b).value_or(QPoint(4, 4)));
            } else if (QLineEdit *f = pickUsable<QLineEdit>(shown, rng)) {
                // Leaving the field that had the focus may show a message that takes the
                // focus away: the user clicks again, or mends the field the message put
                // them back in. Each click shows one message at most.
                for (int attempt = 0; attempt < 3 && !f->hasFocus(); ++attempt) {
                    activate();
                    const int clicked = boxes.count();
                    QTest::mouseClick(f, Qt::LeftButton, {}, *reachablePoint(f));
                    QVERIFY2(boxes.count() - clicked <= 1,
                             qPrintable(u"a click into "_s + f->objectName() + u" showed "_s +
                                        boxes.texts.mid(clicked).join(u" | "_s)));
                    activate();
                    auto *back = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                    if (boxes.count() > clicked && back && shown->isAncestorOf(back))
                        f = back;
                }
                activate();
                QVERIFY2(f->hasFocus(), qPrintable(f->objectName() + u" did not take the focus"_s));
                const int entering = boxes.count();
                const std::uint32_t where = rng() % 6; // append, put in front, replace
                QTest::keyClick(f,
                                where == 0   ? Qt::Key_End
                                : where == 1 ? Qt::Key_Home
                                             : Qt::Key_A,
                                where > 1 ? Qt::ControlModifier : Qt::NoModifier);
                if (where > 1)
                    QTest::keyClick(f, Qt::Key_Backspace);
                QTest::keyClicks(f, stormText(rng));
                ++edits;
                // Leaves it as a user would: Backtab, Enter, Escape then Tab, or Tab.
                const std::uint32_t how = rng() % 10;
                what = u"edit "_s + f->objectName() + u" to \""_s + f->text() + u"\", leave "_s +
                       QString::number(std::min(how, 3u));
                if (how == 2)
                    QTest::keyClick(f, Qt::Key_Escape);
                if (how == 1) // calculates, or leaves the field
                    QTest::keyClick(f, Qt::Key_Return);
                else
                    QTest::keyClick(f, how == 0 ? Qt::Key_Backtab : Qt::Key_Tab,
                                    how == 0 ? Qt::ShiftModifier : Qt::NoModifier);
                QVERIFY2(boxes.count() - entering <= 1,
                         qPrintable(what + u": leaving showed "_s +
                                    boxes.texts.mid(entering).join(u" | "_s)));
            }
            QCoreApplication::processEvents(); // what the step queued runs before the next
            const QString label = u"step %1, %2: "_s.arg(step).arg(what);
            QVERIFY2(m_main->window->isVisible() && m_main->window->activePageName() == page,
                     qPrintable(label + u"the page was left"_s));
            for (const QString &text : boxes.texts.mid(before))
                QVERIFY2(known.contains(text) || refusedOffer.match(text).hasMatch() ||
                             refusedText.match(text).hasMatch() ||
                             text.startsWith(ArmPage::RefusalPrefix) ||
                             text.startsWith(LecPage::RefusalPrefix),
                         qPrintable(label + u"unexpected message: "_s + text));
            QVERIFY2(strays.isEmpty(), qPrintable(label + strays.join(u"; "_s)));
            // A calm step keeps its figures; a failed one or Reset may blank them.
            if (boxes.count() != before || (roll >= 12 && roll < 14))
                results.clear();
            else if (const QString bad = badResult(shown, results); !bad.isEmpty())
                QFAIL(qPrintable(label + bad));
        }
        QVERIFY(edits > EditsPerPage / 2); // the storm reached the page
    }

private:
    // Offscreen, a closed message box leaves no active window: the user's click brings it back.
    void activate()
    {
        if (QApplication::activeWindow() != m_main->window.get()) {
            QApplication::setActiveWindow(m_main->window.get());
            QTRY_COMPARE(QApplication::activeWindow(), m_main->window.get());
        }
    }

    std::optional<test::MainFixture> m_main;
};

QTEST_MAIN(TestStorm)
#include "tst_storm.moc"

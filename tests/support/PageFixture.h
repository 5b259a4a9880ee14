#pragma once

// The page harness: a calculator page on a stand-in for the main window,
// driven as a user drives it, with the messages it makes recorded.

#include "calculators/CalculatorHost.h"
#include "engine/Report.h"
#include "finance/Errors.h"
#include "finance/MortLib.h"
#include "state/BuyerValues.h"
#include "state/SettingsFile.h"
#include "tests/support/TestSupport.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <utility>

namespace clvn::test {

class FakeHost : public CalculatorHost
{
public:
    FakeHost() : m_settings(m_dir.filePath(QStringLiteral("CLVN.INI"))) {}

    BuyerValues &buyerValues() override { return m_values; }
    TMortgage &mortgage() override { return m_mortgage; }
    ExtraPaymentState &extraPayment() override { return m_extra; }
    SettingsFile &settingsFile() override { return m_settings; }

    void AllowPrinting() override
    {
        printingAllowed = true;
        ++allowPrintingCalls;
    }
    void DisallowPrinting() override
    {
        printingAllowed = false;
        ++disallowPrintingCalls;
    }
    void setResetEnabled(bool enabled) override { resetEnabled = enabled; }
    QWidget *dialogParent() override { return nullptr; }

    // The folder that holds the settings file; removed with the host.
    QString folder() const { return m_dir.path(); }

    bool printingAllowed = false;
    bool resetEnabled = false;
    int allowPrintingCalls = 0;
    int disallowPrintingCalls = 0;

private:
    QTemporaryDir m_dir;
    BuyerValues m_values;
    TMortgage m_mortgage;
    ExtraPaymentState m_extra;
    SettingsFile m_settings;
};

// The two texts the main window's handler shows.
inline const QString kUnusableFigures =
    QStringLiteral("Valid results cannot be calculated using\n\rthe variables you have entered."
                   "\n\r\n\rPlease try again with reasonable values.");
inline const QString kUnidentified = QStringLiteral("An unidentified error has occurred.");

// A page of type P, shown and entered on a FakeHost. `failures` holds the
// text the main window would show for each failure that reached the handler
// (the page recovers as on the main window); `boxes` the page's own boxes.
template <class P> class PageFixture
{
public:
    // `prepare` runs on the host before the page is built (stored values,
    // another page's schedule).
    explicit PageFixture(std::function<void(FakeHost &)> prepare = {})
    {
        setExceptionHandler([this](std::exception_ptr error) {
            bool floatError = false;
            failures << failureMessage(error, &floatError);
            returnToRefusedField(error);
            if (floatError && page)
                page->recoverFromFloatError(true);
        });
        if (prepare)
            prepare(host);
        page = std::make_unique<P>(host);
        page->resize(587, 380);
        page->show();
        page->activateWindow();
        if (!QTest::qWaitForWindowActive(page.get()))
            qWarning("page window not active");
        page->enter();
        boxes = std::make_unique<MessageBoxCatcher>();
    }
    ~PageFixture()
    {
        boxes.reset();
        page.reset(); // before the host it uses
        setExceptionHandler({});
    }

    template <class T = QLineEdit> T *get(const QString &name) const
    {
        return find<T>(page.get(), name);
    }
    QString text(const QString &name) const { return get<QLineEdit>(name)->text(); }
    // Types into the field and leaves it with Tab.
    void type(const QString &name, const QString &value) { test::type(get(name), value); }
    // The failures the main window would show, then the page's own boxes.
    QStringList messages() const { return failures + boxes->texts(); }

    FakeHost host;
    std::unique_ptr<P> page;
    QStringList failures;
    std::unique_ptr<MessageBoxCatcher> boxes;
};

// While alive, keeps each preview (pages and progress caption) instead of showing it.
// Create it after anything that installs its own preview handler.
struct PreviewCatcher
{
    PreviewCatcher()
    {
        previous = report::Report::setPreviewHandler(
            [this](report::Report &rep, const report::PreparedReport &out) {
                shown.push_back(out);
                captions << rep.progressCaption();
            });
    }
    ~PreviewCatcher() { report::Report::setPreviewHandler(std::move(previous)); }
    Q_DISABLE_COPY_MOVE(PreviewCatcher)

    std::vector<report::PreparedReport> shown;
    QStringList captions;
    report::Report::PreviewHandler previous;
};

// Types each of `texts` into the field named at the same place in `fields`
// and leaves the field with Tab.
template <class P>
void typeAll(PageFixture<P> &page, const QStringList &fields, const QStringList &texts)
{
    QCOMPARE(fields.size(), texts.size());
    for (qsizetype i = 0; i < fields.size(); ++i)
        page.type(fields[i], texts[i]);
}

// What the named fields show now.
template <class P> QStringList shown(const PageFixture<P> &page, const QStringList &fields)
{
    QStringList texts;
    for (const QString &name : fields)
        texts << page.text(name);
    return texts;
}

// The same two for space-separated names and texts ("a b" for two fields).
template <class P> void typeEach(PageFixture<P> &page, const QString &fields, const QString &texts)
{
    if (!fields.isEmpty())
        typeAll(page, fields.split(u' '), texts.split(u' '));
}
template <class P> QString shownText(const PageFixture<P> &page, const QString &fields)
{
    return shown(page, fields.split(u' ')).join(u' ');
}

// Leaves each of the space-separated fields (focus, then Tab); the names of
// those that did not start exactly one calculation.
template <class P> QStringList notCalculatingWhenLeft(PageFixture<P> &page, const QString &fields)
{
    QStringList names;
    for (const QString &name : fields.split(u' ')) {
        page.get(name)->setFocus(Qt::TabFocusReason);
        const int before = page.host.allowPrintingCalls;
        QTest::keyClick(page.get(name), Qt::Key_Tab);
        if (page.host.allowPrintingCalls != before + 1)
            names << name;
    }
    return names;
}

// Steps as a user takes them: each space-separated name a key to click
// ("btn...") or a field to type the next of `texts` into and leave.
template <class P> void act(PageFixture<P> &page, const QString &steps, const QString &texts = {})
{
    const QStringList typed = texts.split(u' ');
    qsizetype next = 0;
    for (const QString &name : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (!name.startsWith(u"btn", Qt::CaseInsensitive)) {
            page.type(name, typed.value(next++));
            continue;
        }
        auto *key = page.template get<QAbstractButton>(name);
        QVERIFY2(key->isVisible() && key->isEnabled(), qPrintable(name));
        QTest::mouseClick(key, Qt::LeftButton);
    }
}

// A table of steps: the steps and texts for act(), the failure the main
// window shows (empty: none), and fields (may be none) with what they show.
inline void addStepColumns()
{
    for (const char *column : {"steps", "texts", "failure", "names", "shown"})
        QTest::addColumn<QString>(column);
}
// Takes the current row's steps and checks it; what `before` gives after the
// steps is put ahead of what the fields show.
template <class P>
void checkSteps(PageFixture<P> &page, const std::function<QString()> &before = {})
{
    QFETCH(QString, steps);
    QFETCH(QString, texts);
    QFETCH(QString, failure);
    QFETCH(QString, names);
    QFETCH(QString, shown);
    act(page, steps, texts);
    QCOMPARE(std::exchange(page.failures, {}),
             failure.isEmpty() ? QStringList() : QStringList{failure});
    QCOMPARE((before ? before() : QString()) +
                 (names.isEmpty() ? QString() : shownText(page, names)),
             shown);
}

} // namespace clvn::test

#pragma once

// Base of the ten calculator pages. A page owns its fields and its Calc...
// handler and plugs into the main window's navigation through this class.

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

namespace clvn {

class CalculatorHost;
class NumberField;
class PageState;
template <class Owner> struct PageField;

class CalculatorPage : public QWidget
{
    Q_OBJECT

public:
    CalculatorPage(CalculatorHost &host, const QString &pageName, QWidget *parent = nullptr);

    // The page's key ("QC", "Amort", ...): also its objectName.
    QString pageName() const { return objectName(); }
    // The title that the rotated strip shows while the page is active.
    virtual QString title() const { return m_title; }
    // The help topic number of the page.
    virtual int helpTopic() const { return m_helpTopic; }
    // Set by the main window from the page's descriptor.
    void setIdentity(const QString &title, int helpTopic);

    // The page's part of navigation, run after the main window has set the
    // title and menus and shown the page: printing and reset state, values
    // carried in from the buyer defaults, the first calculation, focus.
    virtual void enter() = 0;

    // Puts back the page's defaults (the tool bar's Reset button).
    virtual void Reset() = 0;

    // Run by the application-wide handler after a floating-point error, on
    // every page; `active` tells whether this page was showing.
    virtual void recoverFromFloatError(bool active);

    // The page's inputs as key = text lines, and back: the exit save and a
    // scenario file make the same calls with different files. Restoring
    // leaves a field whose key is missing or unreadable as it is.
    virtual void saveState(PageState &state) const;
    virtual void restoreState(const PageState &state);

protected:
    CalculatorHost &host() const { return m_host; }

    // Every number field of the page, money and plain numbers alike.
    QList<NumberField *> numberFields() const;
    // Runs `calculate` each time the user leaves one of `fields`, inside
    // the guard that hands a failure to the application's handler.
    void calculateOnLeave(const QList<NumberField *> &fields,
                          const std::function<void()> &calculate);
    // Puts back the buyer's stored loan: amount, annual rate and term in
    // months (the payment, when given, too).
    void putBackStoredLoan(NumberField *loan, NumberField *interest, NumberField *term,
                           NumberField *payment = nullptr);

private:
    CalculatorHost &m_host;
    QString m_title;
    int m_helpTopic = 0;
};

} // namespace clvn

#pragma once

// Base of the ten calculator pages. A page owns its fields and its Calc...
// handler and plugs into the main window's navigation through this class.

#include <QString>
#include <QWidget>

namespace clvn {

class CalculatorHost;

class CalculatorPage : public QWidget
{
    Q_OBJECT

public:
    CalculatorPage(CalculatorHost &host, const QString &pageName, QWidget *parent = nullptr);

    // The page's key ("QC", "Amort", ...): also its objectName.
    QString pageName() const { return objectName(); }
    // The title that the rotated strip shows while the page is active.
    virtual QString title() const = 0;
    // The help topic number of the page.
    virtual int helpTopic() const = 0;

    // The page's part of navigation, run after the main window has set the
    // title and menus and shown the page: printing and reset state, values
    // carried in from the buyer defaults, the first calculation, focus.
    virtual void enter() = 0;

    // Puts back the page's defaults (the tool bar's Reset button).
    virtual void Reset() = 0;

    // Run by the application-wide handler after a floating-point error, on
    // every page; `active` tells whether this page was showing.
    virtual void recoverFromFloatError(bool active);

    // Part of the exit save: a page that keeps figures of its own between
    // runs writes them to the settings file. Throws SettingsWriteError.
    virtual void saveOwnSettings();

protected:
    CalculatorHost &host() const { return m_host; }

private:
    CalculatorHost &m_host;
};

} // namespace clvn

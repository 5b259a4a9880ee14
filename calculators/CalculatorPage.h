#pragma once

// Base of the ten calculator pages. A page owns its fields and its Calc...
// handler and plugs into the main window's navigation through this class.

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractItemView;
class QLabel;
class QPushButton;

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
    ~CalculatorPage() override;

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

    // Reset that can be taken back once: every input of the page and the
    // shared loan, extra payments and insurance are kept first.
    void resetUndoably();
    bool canUndoReset() const { return m_beforeReset != nullptr; }
    // Puts back what resetUndoably() kept and calculates from it.
    void undoReset();
    void forgetReset();

    // True from an edit of an input until the next calculation succeeds:
    // the results shown then belong to other inputs, and are greyed with a
    // note saying so. Print and Export refuse them.
    bool resultsStale() const { return m_stale; }
    // The note shown while the results are stale.
    QString staleNote() const;
    // After a calculation that succeeded (leave calculations, the page's
    // default buttons and Undo Reset mark it themselves).
    void setResultsCurrent();
    void setResultsStale();

    // Run by the application-wide handler after a floating-point error, on
    // every page; `active` tells whether this page was showing.
    virtual void recoverFromFloatError(bool active);

    // The page's inputs as key = text lines, and back: the exit save and a
    // scenario file make the same calls with different files. Restoring
    // leaves a field whose key is missing or unreadable as it is.
    virtual void saveState(PageState &state) const;
    virtual void restoreState(const PageState &state);
    // Computes the results from the inputs as restored (an opened file):
    // false, the page having said why, when they were refused.
    bool calculateRestored();

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
    // The button Enter presses from a field inside `scope` (the page when
    // null), as a form's default button. Where none is set Enter leaves the
    // field as Tab does, so a page that calculates on leaving calculates once.
    void setDefaultButton(QPushButton *button, QWidget *scope = nullptr);

    // A widget showing results, greyed while they are stale; result fields
    // and tables are found without it.
    void addResultWidget(QWidget *widget);
    // A grid the user types into: an input, never greyed with the results.
    void addInputView(QAbstractItemView *view);

    // What Reset changes beyond the fields and the shared state (a page's
    // count of columns, say), kept and put back around Undo Reset.
    virtual QVariant layoutForUndo() const { return {}; }
    virtual void restoreLayoutForUndo(const QVariant & /*kept*/) {}

    // Recomputes the results from the inputs as they stand (after Undo
    // Reset): the page's default button, else its first leave calculation.
    virtual void recalculate();

    // Enter and the keypad's Enter, passed on by a field or a button.
    void keyPressEvent(QKeyEvent *event) override;
    // The inputs are watched from the first showing, when all exist.
    void showEvent(QShowEvent *event) override;

private:
    void watchInputs();
    void showStale(bool stale);

    struct Snapshot;

    CalculatorHost &m_host;
    QString m_title;
    int m_helpTopic = 0;
    QHash<const QWidget *, QPushButton *> m_defaultButtons;
    QList<std::function<void()>> m_leaveCalculations;
    QList<NumberField *> m_leaveFields;
    std::unique_ptr<Snapshot> m_beforeReset;
    QList<QWidget *> m_resultWidgets;
    QList<QAbstractItemView *> m_inputViews;
    QList<QPointer<QWidget>> m_greyed;
    QLabel *m_staleNote = nullptr;
    bool m_watching = false;
    bool m_stale = false;
    unsigned long long m_failuresAtPress = 0;
};

} // namespace clvn

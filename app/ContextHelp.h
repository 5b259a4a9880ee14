#pragma once

// F1 anywhere in the program shows the help topic of the focused control.

#include <QObject>

#include <functional>

class QWidget;

namespace clvn {

// The topic of `widget`: the first of it and its parents (across window
// borders, so a dialog falls back on the window that opened it) that
// declares one, by its help-context property or, for a calculator page, by
// helpTopic(). `fallback` when none does.
int contextHelpTopic(const QWidget *widget, int fallback);

// Installed on the application: F1 pressed in any of its windows asks
// `show` for the topic of the control that has the key (the focused one, or
// the window when nothing in it has the focus).
class ContextHelpKey : public QObject
{
public:
    ContextHelpKey(std::function<void(int topic)> show, int fallback, QObject *parent = nullptr);
    ~ContextHelpKey() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(int)> m_show;
    int m_fallback;
};

} // namespace clvn

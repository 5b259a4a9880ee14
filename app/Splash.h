#pragma once

#include <QTimer>
#include <QWidget>

namespace clvn {

// Borderless, stay-on-top start-up window; closes itself `closeAfterMs`
// (5 seconds) after it is shown, however long start-up takes.
class TSplashScreen : public QWidget
{
    Q_OBJECT

public:
    explicit TSplashScreen(QWidget *parent = nullptr, int closeAfterMs = 5000);

    // Enables the timer, shows the window and paints it at once.
    void showAndPaint();

    QTimer &timer() { return m_timer; }

private:
    void Timer1Timer();

    QTimer m_timer;
};

} // namespace clvn

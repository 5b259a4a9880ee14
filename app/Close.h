#pragma once

#include <QDialog>

namespace clvn {

// "Thanks from Tolvane Software!": shown on some close requests; it can
// refuse the close ("  Return").
class TfrmClose : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmClose(QWidget *parent = nullptr);

    // True once "  Quit" was pressed; "  Return" leaves it false.
    bool quitFlag() const { return m_quit; }

Q_SIGNALS:
    void suggestionsRequested();

private:
    void BtnExitClick();
    void BtnReturnClick();
    void btnSuggestionsClick();

    bool m_quit = false;
};

} // namespace clvn

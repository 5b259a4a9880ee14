#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace clvn {

class TLinkLabel;

// "About ...": the product, its version and compile date, and the maker.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

private:
    void FormCreate();
    void BtnCloseClick();

    QLabel *m_lblVersion;
    QLabel *m_lblDate;
    TLinkLabel *m_urlLabel;
    QPushButton *m_btnClose;
};

} // namespace clvn

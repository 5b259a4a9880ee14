#pragma once

#include <QDialog>

namespace clvn {

// "Disclaimer": the no-warranty notice.
class TfrmDisclaim : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmDisclaim(QWidget *parent = nullptr);
};

} // namespace clvn

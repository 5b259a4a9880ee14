#include "app/ReadMe.h"

#include "app/Centre.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace clvn {

void showReadMe(QWidget *parent, const QString &text)
{
    QDialog window(parent);
    window.setObjectName(u"frmReadMe"_s);
    window.setWindowTitle(u"Read Me"_s);
    window.resize(420, 320);
    auto *layout = new QVBoxLayout(&window);
    auto *memo = new QPlainTextEdit(&window);
    memo->setObjectName(u"memReadMe"_s);
    memo->setReadOnly(true);
    memo->setPlainText(text);
    layout->addWidget(memo);
    auto *ok = new QPushButton(u" &OK"_s, &window);
    ok->setObjectName(u"btnOK"_s);
    QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    execCentred(window, parent);
}

} // namespace clvn

#include "app/Disclaim.h"

#include "app/Centre.h"
#include "widgets/Guard.h"

#include <QLabel>
#include <QPushButton>

namespace clvn {

TfrmDisclaim::TfrmDisclaim(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDisclaim"));
    setWindowTitle(QStringLiteral("Disclaimer"));
    makeFixedToolWindow(this);
    setFixedSize(420, 180);

    const QString texts[] = {
        QStringLiteral(
            "NOTE:  While effort was made to ensure the accuracy of these calculations,"),
        QStringLiteral("there is  NO WARRANTY,  expressed or implied, for the accuracy or "
                       "applicability of this information to your particular financial question."),
        QStringLiteral("Please consult your own financial advisor before making any financial "
                       "decision."),
    };
    const QRect places[] = {{12, 14, 396, 18}, {12, 36, 396, 36}, {12, 84, 396, 36}};
    for (int i = 0; i < 3; ++i) {
        auto *l = new QLabel(texts[i], this);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        l->setGeometry(places[i]);
    }
    auto *ok = new QPushButton(QStringLiteral(" &OK"), this);
    ok->setObjectName(QStringLiteral("btnClose"));
    ok->setDefault(true);
    ok->setGeometry(170, 136, 80, 28);
    connectGuarded(ok, &QPushButton::clicked, this, [this] { accept(); });
}

} // namespace clvn

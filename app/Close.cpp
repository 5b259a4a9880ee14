#include "app/Close.h"

#include "app/Centre.h"
#include "app/Icons.h"
#include "widgets/Colours.h"
#include "widgets/Guard.h"

#include <QLabel>
#include <QPushButton>

namespace clvn {

TfrmClose::TfrmClose(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmClose"));
    setWindowTitle(QStringLiteral("Thanks from Tolvane Software!"));
    makeFixedToolWindow(this);
    setFixedSize(400, 190);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(productLogo(56));
    logo->setGeometry(14, 14, 56, 56);

    auto *text = new QLabel(
        QStringLiteral("We appreciate and value the information we receive from people who use our "
                       "products and then take time to share their thoughts about them.  We invite "
                       "you to offer your opinions ... both positive and negative ... about this "
                       "product."),
        this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    text->setGeometry(84, 12, 300, 92);

    auto *suggestions = new QPushButton(QStringLiteral("Visit Online Suggestion Box"), this);
    suggestions->setObjectName(QStringLiteral("btnSuggestions"));
    suggestions->setFlat(true);
    suggestions->setCursor(Qt::PointingHandCursor);
    QFont f = suggestions->font();
    f.setUnderline(true);
    suggestions->setFont(f);
    const QColor link = readableOn(QColor(0, 0, 0xcc), palette().color(QPalette::Window));
    suggestions->setStyleSheet(QStringLiteral("color: %1; text-align: left;").arg(link.name()));
    suggestions->setGeometry(84, 108, 240, 22);

    auto *quit = new QPushButton(QStringLiteral("  Quit"), this);
    quit->setObjectName(QStringLiteral("BtnExit"));
    quit->setGeometry(112, 146, 84, 28);
    auto *ret = new QPushButton(QStringLiteral("  Return"), this);
    ret->setObjectName(QStringLiteral("BtnReturn"));
    ret->setGeometry(206, 146, 84, 28);
    ret->setDefault(true);

    connectGuarded(quit, &QPushButton::clicked, this, [this] { BtnExitClick(); });
    connectGuarded(ret, &QPushButton::clicked, this, [this] { BtnReturnClick(); });
    connectGuarded(suggestions, &QPushButton::clicked, this, [this] { btnSuggestionsClick(); });
}

void TfrmClose::BtnExitClick()
{
    m_quit = true;
    accept();
}

void TfrmClose::BtnReturnClick()
{
    m_quit = false;
    reject();
}

void TfrmClose::btnSuggestionsClick()
{
    Q_EMIT suggestionsRequested();
}

} // namespace clvn

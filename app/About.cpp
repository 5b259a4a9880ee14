#include "app/About.h"

#include "app/Centre.h"
#include "app/Icons.h"
#include "app/Links.h"
#include "widgets/Guard.h"
#include "widgets/Identity.h"
#include "widgets/LinkLabel.h"

#include <QLabel>
#include <QPushButton>

namespace clvn {

namespace {
QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
              bool bold = false, bool wrap = false)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setWordWrap(wrap);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}
} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About ..."));
    makeFixedToolWindow(this);
    setFixedSize(380, 290);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ProgramIcon"));
    logo->setPixmap(productLogo(64));
    logo->setGeometry(16, 16, 64, 64);

    QLabel *name =
        label(this, QStringLiteral("ProductName"), productName(), {96, 16, 260, 28}, true);
    QFont big = name->font();
    big.setPixelSize(20);
    name->setFont(big);

    label(this, QStringLiteral("lblVersionCaption"), QStringLiteral("Version:"), {96, 50, 90, 16});
    m_lblVersion =
        label(this, QStringLiteral("lblVersion"), QStringLiteral("1.0"), {190, 50, 170, 16});
    label(this, QStringLiteral("lblDateCaption"), QStringLiteral("Compile Date:"),
          {96, 68, 90, 16});
    m_lblDate = label(this, QStringLiteral("lblDate"), QStringLiteral("1.0"), {190, 68, 170, 16});

    label(this, QStringLiteral("Copyright"),
          QStringLiteral("Copyright \u00A9 1999 Tolvane Software. All rights reserved.\n"
                         "Calvenor is freeware: you may use and share it freely."),
          {16, 96, 348, 34}, false, true);
    label(this, QStringLiteral("Comments"),
          QStringLiteral("Tolvane Software creates award-winning financial calculators for "
                         "consumers, professionals and corporations in the banking, real estate, "
                         "mortgage and financial services industries."),
          {16, 136, 348, 64}, false, true);

    label(this, QStringLiteral("lblVisit"), QStringLiteral("Visit Tolvane at:"),
          {16, 210, 110, 18});
    m_urlLabel = new TLinkLabel(this);
    m_urlLabel->setObjectName(QStringLiteral("UrlLabel1"));
    m_urlLabel->setText(webAddressText());
    m_urlLabel->setUrl(linkUrl(Link::UrlTolvane));
    m_urlLabel->setToolTip(QStringLiteral(" Click to visit Tolvane Software's website ..."));
    m_urlLabel->setStatusTip(m_urlLabel->toolTip());
    m_urlLabel->setGeometry(130, 210, 230, 18);

    m_btnClose = new QPushButton(QStringLiteral(" &OK"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setToolTip(QStringLiteral(" Close About ..."));
    m_btnClose->setDefault(true);
    m_btnClose->setGeometry(150, 246, 80, 28);
    connectGuarded(m_btnClose, &QPushButton::clicked, this, [this] { BtnCloseClick(); });

    FormCreate();
}

void TAboutBox::FormCreate()
{
    m_lblVersion->setText(productVersion());
    m_lblDate->setText(compileDate());
}

void TAboutBox::BtnCloseClick()
{
    accept();
}

} // namespace clvn

// Renders the program's windows to PNG files: `calvenor-screenshots <folder>`.
// Runs with a settings file in a temporary folder, so the user's defaults
// are neither read nor changed.

#include "app/About.h"
#include "app/Application.h"
#include "app/Close.h"
#include "app/Disclaim.h"
#include "app/Main.h"
#include "app/Splash.h"
#include "app/Update.h"
#include "app/WebFileInfo.h"
#include "app/help/HelpWindow.h"
#include "app/settings/Prefs.h"
#include "calculators/BwPage.h"
#include "calculators/CalculatorPage.h"
#include "calculators/MqPage.h"
#include "calculators/PpcPage.h"
#include "calculators/RvbPage.h"
#include "engine/PageRender.h"
#include "engine/Report.h"
#include "widgets/Guard.h"

#include <QAbstractButton>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

bool save(QWidget *w, const QString &folder, const QString &name)
{
    w->ensurePolished();
    QApplication::processEvents();
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    const bool ok = w->grab().save(path);
    std::fprintf(stdout, "%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

bool saveMenu(QMenu *menu, const QString &folder, const QString &name)
{
    menu->adjustSize();
    menu->show();
    const bool ok = save(menu, folder, name);
    menu->hide();
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    clvn::CalvenorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calvenor"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    QTemporaryDir programFolder;
    // The help collection lives beside the real program; copy it so the
    // help window shows real content.
    const QString appDir = QCoreApplication::applicationDirPath() + u'/';
    for (const QString &file : {QStringLiteral("CLVN.qhc"), QStringLiteral("CLVN.qch")})
        QFile::copy(appDir + file, programFolder.filePath(file));

    clvn::MainOptions options;
    options.programFolder = programFolder.path() + u'/';
    options.closeDraw = [] { return 1; };
    clvn::TfrmMain window(options);
    window.show();
    bool ok = save(&window, folder, QStringLiteral("main-window"));

    const auto menus = window.menuBar()->findChildren<QMenu *>(Qt::FindDirectChildrenOnly);
    for (QMenu *m : menus)
        if (!m->objectName().isEmpty())
            ok &= saveMenu(m, folder, QStringLiteral("menu-") + m->objectName());
    if (auto *popup = window.findChild<QMenu *>(QStringLiteral("MnuPopup")))
        ok &= saveMenu(popup, folder, QStringLiteral("menu-MnuPopup"));
    if (auto *calcs = window.findChild<QMenu *>(QStringLiteral("mnuPopCalcs")))
        ok &= saveMenu(calcs, folder, QStringLiteral("menu-mnuPopCalcs"));

    // Printing a page renders the report's first page instead of previewing it.
    QString reportName;
    clvn::report::Report::setPreviewHandler(
        [&](clvn::report::Report &, const clvn::report::PreparedReport &pages) {
            const QString path = folder + QStringLiteral("/report-") + reportName + u".png"_s;
            const bool saved =
                pages.pageCount() > 0 && clvn::report::renderPage(pages, 0, 110).save(path);
            std::fprintf(stdout, "%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
            ok &= saved;
        });

    // Every calculator page that this build has, as the user first sees it,
    // and its report where it has one.
    const auto buttons = window.findChildren<QPushButton *>();
    for (QPushButton *b : buttons) {
        if (!b->objectName().startsWith(QStringLiteral("btn")) || !b->isEnabled() ||
            b->parentWidget()->objectName() != QStringLiteral("Menu"))
            continue;
        b->click();
        const QString name = window.activePageName().toLower();
        if (name == u"qc"_s) {
            // The Quick Calculator after solving for the payment.
            window.findChild<QPushButton *>(QStringLiteral("btnCalcPMT"))->click();
            const std::pair<const char *, const char *> inputs[] = {
                {"edtLA", "100000"}, {"EdtIR", "7.5"}, {"EdtN", "360"}};
            for (const auto &[field, text] : inputs) {
                auto *edit = window.findChild<QLineEdit *>(QLatin1String(field));
                edit->setFocus();
                edit->setText(QLatin1String(text));
            }
            window.findChild<QPushButton *>(QStringLiteral("BtnCalcQuickCalc"))->click();
        }
        // The qualifier computes when a field is left; show it computed.
        if (auto *mq = qobject_cast<clvn::MqPage *>(window.page(QStringLiteral("MQ"))))
            if (name == u"mq"_s)
                clvn::guard([mq] { mq->CalcMQ(); });
        // So do the biweekly and prepayment pages.
        if (auto *bw = qobject_cast<clvn::BwPage *>(window.page(QStringLiteral("BW"))))
            if (name == u"bw"_s)
                clvn::guard([bw] { bw->CalcBW(); });
        if (auto *ppc = qobject_cast<clvn::PpcPage *>(window.page(QStringLiteral("PPC"))))
            if (name == u"ppc"_s)
                clvn::guard([ppc] { ppc->CalcPPC(); });
        // Rent vs Buy shows its results once a field is left; show them.
        if (auto *rvb = qobject_cast<clvn::RvbPage *>(window.page(QStringLiteral("RVB"))))
            if (name == u"rvb"_s)
                clvn::guard([rvb] { rvb->CalcRVB(); });
        ok &= save(&window, folder, QStringLiteral("page-") + name);
        // The loan offers page scrolls: all of it, with four offers.
        if (name == u"cmp"_s) {
            for (int added = 0; added < 2; ++added)
                window.findChild<QPushButton *>(QStringLiteral("btnCmpAddOffer"))->click();
            ok &= save(window.findChild<QWidget *>(QStringLiteral("pnlCompare")), folder,
                       QStringLiteral("page-cmp-all"));
        }
        // The Loan Estimate check: each page of the form it takes.
        if (name == u"lec"_s) {
            auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabLec"));
            for (int i = 0; tabs && i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                ok &= save(&window, folder, QStringLiteral("page-lec-%1").arg(i + 1));
            }
        }
        // The loan spread page in its term mode too, then back to payments.
        if (name == u"ls"_s) {
            const auto choose = [&window](const char *item) {
                if (auto *radio = window.findChild<QAbstractButton *>(QLatin1String(item)))
                    radio->click();
            };
            choose("rgCalculateItem3");
            ok &= save(&window, folder, QStringLiteral("page-ls-terms"));
            choose("rgCalculateItem0");
        }
        // Panels that open over the page, shown open and closed again.
        const struct
        {
            const char *page, *open, *shot, *close;
        } panels[] = {{"amort", "btnAddExtraPayments", "page-amort-extra", "btnCancel"},
                      {"ecc", "btnCalcClosing", "page-ecc-closing", "btnClosePnlClosing"},
                      {"ecc", "btnCalcEscrows", "page-ecc-escrow", "btnClosePnlEscrow"},
                      {"rc", "btnCalcFees", "page-rc-closing", "btnCloseClosingCosts"}};
        for (const auto &panel : panels) {
            if (name != QLatin1String(panel.page))
                continue;
            auto *open = window.findChild<QPushButton *>(QLatin1String(panel.open));
            auto *close = window.findChild<QPushButton *>(QLatin1String(panel.close));
            if (!open || !close) {
                ok = false;
                continue;
            }
            open->click();
            ok &= save(&window, folder, QLatin1String(panel.shot));
            close->click();
        }
        auto *print = window.findChild<QToolButton *>(QStringLiteral("btnPrint"));
        if (print && print->isEnabled()) {
            reportName = name;
            print->click();
        }
        // The schedule as a chart, plain and with 100 extra on every payment,
        // with the chart report each time; then back to the table.
        auto *chart = window.findChild<QPushButton *>(QStringLiteral("btnAmortChart"));
        if (name == u"amort"_s && chart && print) {
            chart->click();
            ok &= save(&window, folder, QStringLiteral("page-amort-chart"));
            reportName = u"amort-chart"_s;
            print->click();
            window.findChild<QPushButton *>(QStringLiteral("btnAddExtraPayments"))->click();
            window.findChild<QRadioButton *>(QStringLiteral("rbAllPmts"))->click();
            window.findChild<QLineEdit *>(QStringLiteral("edtExtraAmount"))->setText(u"100"_s);
            window.findChild<QPushButton *>(QStringLiteral("btnAddExtra"))->click();
            window.findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
            ok &= save(&window, folder, QStringLiteral("page-amort-chart-extra"));
            reportName = u"amort-chart-extra"_s;
            print->click();
            window.findChild<QPushButton *>(QStringLiteral("btnRemove"))->click();
            chart->click();
        }
        if (auto *menuButton = window.findChild<QWidget *>(QStringLiteral("btnMenu")))
            QMetaObject::invokeMethod(menuButton, "click");
    }

    // Larger than drawn, then in a dark palette: the grids and charts that
    // take the room, and the colours the pages set on their own.
    const auto shootPages = [&](std::initializer_list<const char *> pages, const QString &prefix) {
        for (const char *page : pages) {
            window.findChild<QPushButton *>(QLatin1String(page))->click();
            ok &= save(&window, folder, prefix + window.activePageName().toLower());
            QMetaObject::invokeMethod(window.findChild<QWidget *>(QStringLiteral("btnMenu")),
                                      "click");
        }
    };
    window.resize(window.minimumSize() + QSize(300, 200));
    shootPages({"btnAmort", "btnCMP", "btnLSC", "btnLEC"}, u"larger-"_s);
    window.resize(window.minimumSize());
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        dark.setColor(role, Qt::white);
    QApplication::setPalette(dark);
    shootPages({"btnAmort", "btnCMP", "btnLSC"}, u"dark-"_s);
    QApplication::setPalette(light);

    {
        clvn::TfrmPrefs prefs(window.settingsFile(), window.buyerValues(), &window);
        prefs.show();
        auto *tabs = prefs.findChild<QTabWidget *>();
        for (int i = 0; tabs && i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            ok &= save(&prefs, folder, QStringLiteral("prefs-%1").arg(i + 1));
        }
    }
    {
        clvn::TAboutBox about(&window);
        about.show();
        ok &= save(&about, folder, QStringLiteral("about"));
    }
    {
        clvn::TfrmDisclaim disclaim(&window);
        disclaim.show();
        ok &= save(&disclaim, folder, QStringLiteral("disclaimer"));
    }
    {
        clvn::TfrmClose thanks(&window);
        thanks.show();
        ok &= save(&thanks, folder, QStringLiteral("closing"));
    }
    {
        // Never shown: showing starts the check, and screenshots stay offline.
        clvn::TfrmUpdate update(window.webFileInfo(), &window);
        ok &= save(&update, folder, QStringLiteral("update"));
    }
    {
        clvn::TSplashScreen splash;
        splash.show();
        ok &= save(&splash, folder, QStringLiteral("splash"));
    }
    window.helpViewer().showTopic(50);
    // The contents tree fills in the background; give it a moment.
    QEventLoop settle;
    QTimer::singleShot(800, &settle, &QEventLoop::quit);
    settle.exec();
    if (QWidget *help = window.helpViewer().window())
        ok &= save(help, folder, QStringLiteral("help"));
    window.helpViewer().quit();
    return ok ? 0 : 1;
}

// Writes every page of the three reports, filled from the program's own
// pages with their start figures, as PNG files into the folder given:
// report_snapshots <folder>. Not a test: a way to look at the layouts.

#include "calculators/AmortPage.h"
#include "calculators/EccPage.h"
#include "calculators/MqPage.h"
#include "reports/Print.h"
#include "reports/engine/PageRender.h"
#include "tests/calculators/FakeHost.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

using namespace clvn;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    test::FakeHost host;
    AmortPage amort(host);
    EccPage ecc(host);
    MqPage mq(host);
    PrintDispatcher dispatcher(nullptr);
    QString stem;
    report::Report::setPreviewHandler([&](report::Report &, const report::PreparedReport &pages) {
        for (int i = 0; i < pages.pageCount(); ++i) {
            const QString file = dir.filePath(stem + QStringLiteral("-%1.png").arg(i + 1));
            report::renderPage(pages, i, 110).save(file);
            std::printf("%s\n", qPrintable(file));
        }
    });
    for (CalculatorPage *page :
         {static_cast<CalculatorPage *>(&amort), static_cast<CalculatorPage *>(&ecc),
          static_cast<CalculatorPage *>(&mq)}) {
        page->show();
        page->enter();
        if (page == &mq)
            mq.CalcMQ();
        stem = QStringLiteral("report-") + page->objectName();
        dispatcher.Print(page);
        page->hide();
    }
    return 0;
}

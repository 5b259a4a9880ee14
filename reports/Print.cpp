#include "reports/Print.h"

#include "engine/Report.h"
#include "reports/PageFields.h"
#include "reports/PaperSize.h"
#include "reports/Preview.h"
#include "reports/QrAmortChart.h"
#include "reports/QrArm.h"
#include "reports/QrCompare.h"
#include "reports/QrHsp.h"
#include "reports/QrLec.h"
#include "reports/QrPpc.h"
#include "reports/QrRvb.h"
#include "reports/Qrcalc.h"
#include "reports/Qrchart.h"
#include "reports/Qrgfe.h"
#include "reports/Qrgrid.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace clvn {

PrintDispatcher::PrintDispatcher(QWidget *mainWindow) : m_mainWindow(mainWindow)
{
    m_previousHandler = report::Report::setPreviewHandler(
        [this](report::Report &report, const report::PreparedReport &pages) {
            MyPreview(report, pages);
        });
}

QPrinter *PrintDispatcher::printer() const
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // With no printer Qt falls back on A4 everywhere; take the paper usual
        // where the user lives instead. A printer keeps its own default.
        if (!printerInstalled())
            m_printer->setPageSize(localePaperSize(QLocale()));
    }
    return m_printer.get();
}

TfrmPreview *PrintDispatcher::preview() const
{
    if (!m_preview)
        m_preview = std::make_unique<TfrmPreview>(printer(), m_mainWindow);
    return m_preview.get();
}

namespace {

template <class T> T &made(std::unique_ptr<T> &report)
{
    if (!report)
        report = std::make_unique<T>();
    return *report;
}

} // namespace

TQRAmortization &PrintDispatcher::amortization() const
{
    return made(m_amortization);
}

TQRAmortChart &PrintDispatcher::amortChart() const
{
    return made(m_amortChart);
}

TQRGoodFaith &PrintDispatcher::goodFaith() const
{
    return made(m_goodFaith);
}

TQRCalcs &PrintDispatcher::calcs() const
{
    return made(m_calcs);
}

TQRPaymentChart &PrintDispatcher::paymentChart() const
{
    return made(m_paymentChart);
}

TQRHomeSellersProceeds &PrintDispatcher::sellersProceeds() const
{
    return made(m_sellersProceeds);
}

TQrPrepaymentResults &PrintDispatcher::prepayment() const
{
    return made(m_prepayment);
}

TQRRentVsBuy &PrintDispatcher::rentVsBuy() const
{
    return made(m_rentVsBuy);
}

TQRCompare &PrintDispatcher::compare() const
{
    return made(m_compare);
}

TQRArm &PrintDispatcher::arm() const
{
    return made(m_arm);
}

TQRLec &PrintDispatcher::lec() const
{
    return made(m_lec);
}

PrintDispatcher::~PrintDispatcher()
{
    report::Report::setPreviewHandler(std::move(m_previousHandler));
}

void PrintDispatcher::PrintAmortizer(QWidget *page)
{
    m_kind = CalcKind::None;
    // While the page shows its chart, the chart is what prints.
    const QWidget *chart = report::pageWidget(page, QStringLiteral("pnlAmortChart"));
    if (chart && !chart->isHidden()) {
        amortChart().setPage(page);
        previewReport(amortChart().Rep(), QStringLiteral("Preview of Amortization Chart"),
                      QStringLiteral("Preparing Amortization Chart"));
        return;
    }
    // The report reads the page while its pages are prepared.
    amortization().setPage(page);
    previewReport(amortization().Rep(), QStringLiteral("Preview of Amortization Schedule"),
                  QStringLiteral("Preparing Amortization Schedule"));
}

void PrintDispatcher::PrintECC(QWidget *page)
{
    m_kind = CalcKind::None;
    goodFaith().fill(page);
    previewReport(goodFaith().Rep(), QStringLiteral("Preview of Estimated Closing Costs"),
                  QStringLiteral("Preview of Estimated Closing Costs"));
}

void PrintDispatcher::PrintLSC(QWidget *page)
{
    m_kind = CalcKind::None;
    // The report reads the page while its pages are prepared.
    paymentChart().setPage(page);
    previewReport(paymentChart().Rep(), QStringLiteral("Preview of Loan Spread Calculations"),
                  QStringLiteral("Preparing Loan Spread Calculations"));
}

void PrintDispatcher::PrintHSP(QWidget *page)
{
    m_kind = CalcKind::None;
    sellersProceeds().fill(page);
    previewReport(sellersProceeds().rep(), QStringLiteral("Preview of Home Seller Proceeds"),
                  QStringLiteral("Preparing Home Seller Proceeds"));
}

void PrintDispatcher::PrintPPC(QWidget *page)
{
    m_kind = CalcKind::None;
    prepayment().fill(page);
    previewReport(prepayment().rep(), QStringLiteral("Preview of Mortgage Prepayment Results"),
                  QStringLiteral("Preparing Mortgage Prepayment Results"));
}

void PrintDispatcher::PrintRVB(QWidget *page)
{
    m_kind = CalcKind::None;
    rentVsBuy().fill(page);
    previewReport(rentVsBuy().Rep(), QStringLiteral("Preview of Rent vs. Buy Worksheet"),
                  QStringLiteral("Preview of Rent vs. Buy Worksheet"));
}

void PrintDispatcher::PrintCMP(QWidget *page)
{
    m_kind = CalcKind::None;
    // The report reads the page while its page is prepared.
    compare().setPage(page);
    previewReport(compare().Rep(), QStringLiteral("Preview of Compare Loan Offers"),
                  QStringLiteral("Preparing Compare Loan Offers"));
}

void PrintDispatcher::PrintARM(QWidget *page)
{
    m_kind = CalcKind::None;
    // The report reads the page while its page is prepared.
    arm().setPage(page);
    previewReport(arm().Rep(), QStringLiteral("Preview of Adjustable Rate"),
                  QStringLiteral("Preparing Adjustable Rate"));
}

void PrintDispatcher::PrintLEC(QWidget *page)
{
    m_kind = CalcKind::None;
    lec().setPage(page);
    previewReport(lec().Rep(), QStringLiteral("Preview of Check a Loan Estimate"),
                  QStringLiteral("Preparing Check a Loan Estimate"));
}

void PrintDispatcher::PrintMQ(QWidget *page)
{
    PrintCalcs(page, CalcKind::MortgageQualifier);
}

void PrintDispatcher::PrintBW(QWidget *page)
{
    PrintCalcs(page, CalcKind::Biweekly);
}

void PrintDispatcher::PrintRefi(QWidget *page)
{
    PrintCalcs(page, CalcKind::Refinancing);
}

void PrintDispatcher::PrintCalcs(QWidget *page, CalcKind kind)
{
    m_kind = kind;
    switch (m_kind) {
    case CalcKind::MortgageQualifier:
        calcs().setKind(TQRCalcs::Kind::MortgageQualifier);
        calcs().Rep().setText(QStringLiteral("lblTitle"), QStringLiteral("Mortgage Qualifier"));
        calcs().fillMQ(page);
        previewReport(calcs().Rep(), QStringLiteral("Preview of Mortgage Qualifier"),
                      QStringLiteral("Preview of Mortgage Qualifier"));
        break;
    case CalcKind::Biweekly:
        calcs().setKind(TQRCalcs::Kind::Biweekly);
        calcs().Rep().setText(QStringLiteral("lblTitle"),
                              QStringLiteral("Biweekly Mortgage Payments"));
        calcs().fillBW(page);
        previewReport(calcs().Rep(), QStringLiteral("Preview of Biweekly Mortgage Payments"),
                      QStringLiteral("Preview of Biweekly Mortgage Payments"));
        break;
    case CalcKind::Refinancing:
        calcs().setKind(TQRCalcs::Kind::Refinancing);
        calcs().Rep().setText(QStringLiteral("lblTitle"), QStringLiteral("Refinancing"));
        calcs().fillRefi(page);
        previewReport(calcs().Rep(), QStringLiteral("Preview of Refinancing"),
                      QStringLiteral("Preview of Refinancing"));
        break;
    case CalcKind::None:
        break;
    }
}

void PrintDispatcher::previewReport(report::Report &report, const QString &title,
                                    const QString &caption)
{
    report.setTitle(title);
    report.setProgressCaption(caption);
    // Portrait on the current printer's paper.
    report.setPageLayout(QPageLayout(printer()->pageLayout().pageSize(), QPageLayout::Portrait,
                                     QMarginsF(36, 36, 36, 36), QPageLayout::Point));
    report.preview(m_mainWindow);
}

void PrintDispatcher::MyPreview(report::Report &, const report::PreparedReport &pages)
{
    preview()->showModal(pages);
}

void PrintDispatcher::PrintSetup()
{
    QPrintDialog dialog(printer(), m_mainWindow);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Accepting stores the chosen printer and its settings in m_printer.
    dialog.exec();
}

} // namespace clvn

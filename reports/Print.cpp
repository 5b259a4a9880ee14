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

PrintDispatcher::PrintDispatcher(QWidget *mainWindow)
    : m_mainWindow(mainWindow), m_amortization(std::make_unique<TQRAmortization>()),
      m_amortChart(std::make_unique<TQRAmortChart>()),
      m_goodFaith(std::make_unique<TQRGoodFaith>()), m_calcs(std::make_unique<TQRCalcs>()),
      m_paymentChart(std::make_unique<TQRPaymentChart>()),
      m_sellersProceeds(std::make_unique<TQRHomeSellersProceeds>()),
      m_prepayment(std::make_unique<TQrPrepaymentResults>()),
      m_rentVsBuy(std::make_unique<TQRRentVsBuy>()), m_compare(std::make_unique<TQRCompare>()),
      m_arm(std::make_unique<TQRArm>()), m_lec(std::make_unique<TQRLec>())
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
        m_amortChart->setPage(page);
        previewReport(m_amortChart->Rep(), QStringLiteral("Preview of Amortization Chart"),
                      QStringLiteral("Preparing Amortization Chart"));
        return;
    }
    // The report reads the page while its pages are prepared.
    m_amortization->setPage(page);
    previewReport(m_amortization->Rep(), QStringLiteral("Preview of Amortization Schedule"),
                  QStringLiteral("Preparing Amortization Schedule"));
}

void PrintDispatcher::PrintECC(QWidget *page)
{
    m_kind = CalcKind::None;
    m_goodFaith->fill(page);
    previewReport(m_goodFaith->Rep(), QStringLiteral("Preview of Estimated Closing Costs"),
                  QStringLiteral("Preview of Estimated Closing Costs"));
}

void PrintDispatcher::PrintLSC(QWidget *page)
{
    m_kind = CalcKind::None;
    // The report reads the page while its pages are prepared.
    m_paymentChart->setPage(page);
    previewReport(m_paymentChart->Rep(), QStringLiteral("Preview of Loan Spread Calculations"),
                  QStringLiteral("Preparing Loan Spread Calculations"));
}

void PrintDispatcher::PrintHSP(QWidget *page)
{
    m_kind = CalcKind::None;
    m_sellersProceeds->fill(page);
    previewReport(m_sellersProceeds->rep(), QStringLiteral("Preview of Home Seller Proceeds"),
                  QStringLiteral("Preparing Home Seller Proceeds"));
}

void PrintDispatcher::PrintPPC(QWidget *page)
{
    m_kind = CalcKind::None;
    m_prepayment->fill(page);
    previewReport(m_prepayment->rep(), QStringLiteral("Preview of Mortgage Prepayment Results"),
                  QStringLiteral("Preparing Mortgage Prepayment Results"));
}

void PrintDispatcher::PrintRVB(QWidget *page)
{
    m_kind = CalcKind::None;
    m_rentVsBuy->fill(page);
    previewReport(m_rentVsBuy->Rep(), QStringLiteral("Preview of Rent vs. Buy Worksheet"),
                  QStringLiteral("Preview of Rent vs. Buy Worksheet"));
}

void PrintDispatcher::PrintCMP(QWidget *page)
{
    m_kind = CalcKind::None;
    // The report reads the page while its page is prepared.
    m_compare->setPage(page);
    previewReport(m_compare->Rep(), QStringLiteral("Preview of Compare Loan Offers"),
                  QStringLiteral("Preparing Compare Loan Offers"));
}

void PrintDispatcher::PrintARM(QWidget *page)
{
    m_kind = CalcKind::None;
    // The report reads the page while its page is prepared.
    m_arm->setPage(page);
    previewReport(m_arm->Rep(), QStringLiteral("Preview of Adjustable Rate"),
                  QStringLiteral("Preparing Adjustable Rate"));
}

void PrintDispatcher::PrintLEC(QWidget *page)
{
    m_kind = CalcKind::None;
    m_lec->setPage(page);
    previewReport(m_lec->Rep(), QStringLiteral("Preview of Check a Loan Estimate"),
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
        m_calcs->setKind(TQRCalcs::Kind::MortgageQualifier);
        m_calcs->Rep().setText(QStringLiteral("lblTitle"), QStringLiteral("Mortgage Qualifier"));
        m_calcs->fillMQ(page);
        previewReport(m_calcs->Rep(), QStringLiteral("Preview of Mortgage Qualifier"),
                      QStringLiteral("Preview of Mortgage Qualifier"));
        break;
    case CalcKind::Biweekly:
        m_calcs->setKind(TQRCalcs::Kind::Biweekly);
        m_calcs->Rep().setText(QStringLiteral("lblTitle"),
                               QStringLiteral("Biweekly Mortgage Payments"));
        m_calcs->fillBW(page);
        previewReport(m_calcs->Rep(), QStringLiteral("Preview of Biweekly Mortgage Payments"),
                      QStringLiteral("Preview of Biweekly Mortgage Payments"));
        break;
    case CalcKind::Refinancing:
        m_calcs->setKind(TQRCalcs::Kind::Refinancing);
        m_calcs->Rep().setText(QStringLiteral("lblTitle"), QStringLiteral("Refinancing"));
        m_calcs->fillRefi(page);
        previewReport(m_calcs->Rep(), QStringLiteral("Preview of Refinancing"),
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

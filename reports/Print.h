#pragma once

// The reports the pages print: each operation fills its report from a page's
// fields, prepares it and shows it in the preview window, from which the
// user prints to the printer chosen in Print Setup.

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace clvn {

namespace report {
class Report;
struct PreparedReport;
} // namespace report

class TfrmPreview;
class TQRAmortChart;
class TQRArm;
class TQRLec;
class TQRAmortization;
class TQRCalcs;
class TQRCompare;
class TQRGoodFaith;
class TQRHomeSellersProceeds;
class TQRPaymentChart;
class TQrPrepaymentResults;
class TQRRentVsBuy;

class PrintDispatcher
{
public:
    // The kind of calculation report that Print sets from the page.
    enum class CalcKind
    {
        None,
        MortgageQualifier,
        Biweekly,
        Refinancing
    };

    // Creates the reports and the preview window, and installs MyPreview as
    // the report engine's preview handler for as long as it lives.
    explicit PrintDispatcher(QWidget *mainWindow);
    ~PrintDispatcher();
    PrintDispatcher(const PrintDispatcher &) = delete;
    PrintDispatcher &operator=(const PrintDispatcher &) = delete;

    // The printer-setup dialog; its choice serves every later print.
    void PrintSetup();

    // One operation per report: each fills its report from `page` (the
    // page showing), prepares it and shows it in the preview window; it
    // returns when the preview has closed. Each throws ConvertError when a
    // field does not hold a number; nothing is previewed then. Which page
    // prints through which is said by the page descriptors (app/Pages).
    void PrintAmortizer(QWidget *page);
    void PrintECC(QWidget *page);
    void PrintLSC(QWidget *page);
    void PrintHSP(QWidget *page);
    void PrintPPC(QWidget *page);
    void PrintRVB(QWidget *page);
    void PrintCMP(QWidget *page);
    void PrintARM(QWidget *page);
    void PrintLEC(QWidget *page);
    void PrintMQ(QWidget *page);
    void PrintBW(QWidget *page);
    void PrintRefi(QWidget *page);
    // The calculation report of the last print; None after any other.
    CalcKind calcKind() const { return m_kind; }

    // The engine's preview handler: shows the preview window modally.
    void MyPreview(report::Report &report, const report::PreparedReport &pages);

    // Both made on first use: asking the system for its printers is slow,
    // and the main window should not wait for it.
    QPrinter *printer() const;
    TfrmPreview *preview() const;
    // The reports too: each lays out its bands when made.
    TQRAmortization &amortization() const;
    TQRAmortChart &amortChart() const;
    TQRGoodFaith &goodFaith() const;
    TQRCalcs &calcs() const;
    TQRPaymentChart &paymentChart() const;
    TQRHomeSellersProceeds &sellersProceeds() const;
    TQrPrepaymentResults &prepayment() const;
    TQRRentVsBuy &rentVsBuy() const;
    TQRCompare &compare() const;
    TQRArm &arm() const;
    TQRLec &lec() const;

    // Prepares `report` on the printer's paper and shows it in the preview
    // window under `title`, with `caption` over its progress; returns when
    // the preview has closed. A page's print operation that keeps its own
    // report ends here.
    void previewReport(report::Report &report, const QString &title, const QString &caption);

private:
    void PrintCalcs(QWidget *page, CalcKind kind);

    QWidget *m_mainWindow;
    CalcKind m_kind = CalcKind::None;
    mutable std::unique_ptr<QPrinter> m_printer;
    mutable std::unique_ptr<TfrmPreview> m_preview;
    mutable std::unique_ptr<TQRAmortization> m_amortization;
    mutable std::unique_ptr<TQRAmortChart> m_amortChart;
    mutable std::unique_ptr<TQRGoodFaith> m_goodFaith;
    mutable std::unique_ptr<TQRCalcs> m_calcs;
    mutable std::unique_ptr<TQRPaymentChart> m_paymentChart;
    mutable std::unique_ptr<TQRHomeSellersProceeds> m_sellersProceeds;
    mutable std::unique_ptr<TQrPrepaymentResults> m_prepayment;
    mutable std::unique_ptr<TQRRentVsBuy> m_rentVsBuy;
    mutable std::unique_ptr<TQRCompare> m_compare;
    mutable std::unique_ptr<TQRArm> m_arm;
    mutable std::unique_ptr<TQRLec> m_lec;
    std::function<void(report::Report &, const report::PreparedReport &)> m_previousHandler;
};

} // namespace clvn

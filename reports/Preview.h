#pragma once

// The print-preview window: a tool strip (page label, previous/next, three
// zoom buttons, Save as PDF, Print, Close) over the page view QRPreview1.
// One instance lives for the whole run; each preview shows it modally on a
// set of prepared pages and puts it back to page 1 at the top when it closes.

#include "engine/Report.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPrinter;
class QPushButton;

namespace clvn {

namespace report {
class QRPreview;
}

class TfrmPreview : public QDialog
{
    Q_OBJECT

public:
    // `printer` is the current printer that bbPrint prints to; it must
    // outlive the window.
    explicit TfrmPreview(QPrinter *printer, QWidget *parent = nullptr);
    ~TfrmPreview() override;

    // Shows `pages` modally and returns when the window has closed.
    void showModal(const report::PreparedReport &pages);
    // The pages shown; nullptr shows none. They must outlive their showing.
    void setPages(const report::PreparedReport *pages);

    report::QRPreview *pageView() const { return m_view; }
    int currentPage() const;
    int pageCount() const;

    // Asks for the PDF's file name (a save dialog by default); an empty
    // answer cancels.
    using FileNameAsker = std::function<QString(QWidget *parent, const QString &suggested)>;
    void setFileNameAsker(FileNameAsker asker) { m_askFileName = std::move(asker); }
    // Whether a printer is there to print to (any installed printer by
    // default).
    void setPrinterCheck(std::function<bool()> check) { m_hasPrinter = std::move(check); }

    void FormShow();
    void FormActivate();
    void FormClose();
    // True when the key was handled here and must go no further.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    void bbPrevClick();
    void bbNextClick();
    void bbZoomOutClick();
    void bbZoom100Click();
    void bbZoomInClick();
    void bbPrintClick();
    // Writes the pages as PDF; true when a file was written.
    bool bbSavePdfClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *addButton(const QString &name, const QString &caption, const QString &hint);
    void showPageLabel();
    void goToPage(int page);

    QPrinter *m_printer;
    const report::PreparedReport *m_pages = nullptr;
    QLabel *m_label1 = nullptr;
    QPushButton *m_bbPrev = nullptr;
    QPushButton *m_bbNext = nullptr;
    QPushButton *m_bbZoomOut = nullptr;
    QPushButton *m_bbZoom100 = nullptr;
    QPushButton *m_bbZoomIn = nullptr;
    QPushButton *m_bbSavePdf = nullptr;
    QPushButton *m_bbPrint = nullptr;
    QPushButton *m_bbClose = nullptr;
    QWidget *m_strip = nullptr;
    report::QRPreview *m_view = nullptr;
    FileNameAsker m_askFileName;
    std::function<bool()> m_hasPrinter;
};

} // namespace clvn

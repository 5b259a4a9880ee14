#include "reports/Preview.h"
#include "widgets/Identity.h"

#include "engine/PageRender.h"
#include "engine/PageView.h"
#include "reports/CommonParts.h"
#include "widgets/BusyCursor.h"
#include "widgets/Guard.h"
#include "widgets/HelpContext.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace clvn {

namespace {

// Arrow keys move the page by this many pixels.
constexpr int kArrowStep = 50;
// The help topic of the tool strip and the page view.
constexpr int PreviewHelpTopic = 35;

QString askPdfName(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PDF"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"));
}

} // namespace

TfrmPreview::TfrmPreview(QPrinter *printer, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_printer(printer), m_askFileName(askPdfName),
      m_hasPrinter([] { return !QPrinterInfo::availablePrinters().isEmpty(); })
{
    setObjectName(QStringLiteral("frmPreview"));
    // It fills the screen's working area itself when it activates.
    setProperty("placesItself", true);
    setWindowTitle(QStringLiteral("Print Preview - ") + applicationTitle());

    m_strip = new QWidget(this);
    m_strip->setObjectName(QStringLiteral("pnlTools"));
    m_strip->setFixedHeight(30);
    setHelpContext(this, PreviewHelpTopic);
    setHelpContext(m_strip, PreviewHelpTopic);
    auto *strip = new QHBoxLayout(m_strip);
    strip->setContentsMargins(4, 2, 4, 2);
    strip->setSpacing(4);

    m_label1 = new QLabel(QStringLiteral("Page 1 of 1"), m_strip);
    m_label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_label1->font();
    bold.setBold(true);
    m_label1->setFont(bold);
    m_label1->setMinimumWidth(
        m_label1->fontMetrics().horizontalAdvance(QStringLiteral("Page 8888 of 8888")));
    strip->addWidget(m_label1);

    m_bbPrev =
        addButton(QStringLiteral("bbPrev"), QString(), QStringLiteral("Display previous page"));
    m_bbPrev->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    m_bbNext = addButton(QStringLiteral("bbNext"), QString(), QStringLiteral("Display next page"));
    m_bbNext->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    m_bbZoomOut = addButton(QStringLiteral("bbZoomOut"), QStringLiteral(" Zoom &Out"),
                            QStringLiteral("Displays full page in window"));
    m_bbZoom100 = addButton(QStringLiteral("bbZoom100"), QStringLiteral(" &100%"),
                            QStringLiteral("Displays page at actual size"));
    m_bbZoomIn = addButton(QStringLiteral("bbZoomIn"), QStringLiteral(" Zoom &In"),
                           QStringLiteral("Fits width of page into window"));
    strip->addStretch(1);
    m_bbSavePdf = addButton(QStringLiteral("bbSavePdf"), QStringLiteral(" Save as P&DF\u2026"),
                            QStringLiteral("Save the document as a PDF file"));
    m_bbPrint = addButton(QStringLiteral("bbPrint"), QStringLiteral(" &Print"),
                          QStringLiteral("Print the document"));
    m_bbClose = addButton(QStringLiteral("bbClose"), QStringLiteral(" &Close"),
                          QStringLiteral("Close Print Preview"));
    for (QPushButton *b : {m_bbPrev, m_bbNext, m_bbZoomOut, m_bbZoom100, m_bbZoomIn, m_bbSavePdf,
                           m_bbPrint, m_bbClose})
        strip->addWidget(b);

    m_view = new report::QRPreview(this);
    setHelpContext(m_view, PreviewHelpTopic);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_strip);
    layout->addWidget(m_view, 1);

    connectGuarded(m_bbPrev, &QPushButton::clicked, this, [this] { bbPrevClick(); });
    connectGuarded(m_bbNext, &QPushButton::clicked, this, [this] { bbNextClick(); });
    connectGuarded(m_bbZoomOut, &QPushButton::clicked, this, [this] { bbZoomOutClick(); });
    connectGuarded(m_bbZoom100, &QPushButton::clicked, this, [this] { bbZoom100Click(); });
    connectGuarded(m_bbZoomIn, &QPushButton::clicked, this, [this] { bbZoomInClick(); });
    connectGuarded(m_bbSavePdf, &QPushButton::clicked, this, [this] { bbSavePdfClick(); });
    connectGuarded(m_bbPrint, &QPushButton::clicked, this, [this] { bbPrintClick(); });
    connectGuarded(m_bbClose, &QPushButton::clicked, this, [this] { close(); });

    // The window sees keys before its controls do.
    const auto children = findChildren<QWidget *>();
    for (QWidget *w : children)
        w->installEventFilter(this);
    installEventFilter(this);
    resize(800, 600);
}

TfrmPreview::~TfrmPreview() = default;

QPushButton *TfrmPreview::addButton(const QString &name, const QString &caption,
                                    const QString &hint)
{
    auto *button = new QPushButton(caption, m_strip);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void TfrmPreview::showModal(const report::PreparedReport &pages)
{
    setPages(&pages);
    exec();
    setPages(nullptr);
}

void TfrmPreview::setPages(const report::PreparedReport *pages)
{
    m_pages = pages;
    m_view->setReport(pages);
    if (pages && !pages->title.isEmpty())
        m_view->setAccessibleName(pages->title);
}

int TfrmPreview::currentPage() const
{
    return m_view->pageNumber();
}

int TfrmPreview::pageCount() const
{
    return m_view->pageCount();
}

void TfrmPreview::showPageLabel()
{
    m_label1->setText(QStringLiteral("Page ") + QString::number(currentPage()) +
                      QStringLiteral(" of ") + QString::number(pageCount()));
}

void TfrmPreview::goToPage(int page)
{
    m_view->setPageNumber(page);
    showPageLabel();
}

void TfrmPreview::FormShow()
{
    setWindowTitle(QStringLiteral("Print Preview - ") + applicationTitle());
    m_view->setZoom(100);
    showPageLabel();
    m_bbNext->setEnabled(pageCount() > 1);
    m_bbZoom100->setEnabled(false);
    m_bbZoomIn->setEnabled(true);
    m_bbZoomOut->setEnabled(true);
    m_bbPrev->setEnabled(false);
    m_bbPrint->setEnabled(m_pages != nullptr);
    m_bbSavePdf->setEnabled(m_pages != nullptr);
}

void TfrmPreview::FormActivate()
{
    // The whole working area of the screen, task bars and docks excluded.
    QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QMargins decoration(inner.left() - frame.left(), inner.top() - frame.top(),
                              frame.right() - inner.right(), frame.bottom() - inner.bottom());
    const QRect target = where->availableGeometry().marginsRemoved(decoration);
    if (geometry() != target)
        setGeometry(target);
}

void TfrmPreview::FormClose()
{
    m_view->setPageNumber(1);
    m_bbPrev->setEnabled(false);
    m_view->horizontalScrollBar()->setValue(0);
    m_view->verticalScrollBar()->setValue(0);
    showPageLabel();
}

void TfrmPreview::bbPrevClick()
{
    if (currentPage() > 1)
        goToPage(currentPage() - 1);
    showPageLabel();
    m_bbNext->setEnabled(true);
    if (currentPage() == 1)
        m_bbPrev->setEnabled(false);
}

void TfrmPreview::bbNextClick()
{
    if (currentPage() < pageCount())
        goToPage(currentPage() + 1);
    showPageLabel();
    m_bbPrev->setEnabled(true);
    if (currentPage() == pageCount())
        m_bbNext->setEnabled(false);
}

void TfrmPreview::bbZoomOutClick()
{
    m_view->zoomToFit();
    m_bbZoomOut->setEnabled(false);
    m_bbZoomIn->setEnabled(true);
    m_bbZoom100->setEnabled(true);
}

void TfrmPreview::bbZoom100Click()
{
    m_view->setZoom(100);
    m_bbZoom100->setEnabled(false);
    m_bbZoomIn->setEnabled(true);
    m_bbZoomOut->setEnabled(true);
}

void TfrmPreview::bbZoomInClick()
{
    m_view->zoomToWidth();
    m_bbZoomIn->setEnabled(false);
    m_bbZoomOut->setEnabled(true);
    m_bbZoom100->setEnabled(true);
}

void TfrmPreview::bbPrintClick()
{
    if (!m_pages)
        return;
    if (!m_hasPrinter()) {
        // Printing to nowhere would fail without a word: say so, and offer
        // the same pages as a PDF file.
        QMessageBox box(QMessageBox::Question, applicationTitle(),
                        QStringLiteral("No printer is set up on this computer, so the report "
                                       "cannot be printed.\n\rDo you want to save it as a PDF "
                                       "file instead?"),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::Yes);
        if (box.exec() == QMessageBox::Yes && bbSavePdfClick())
            close();
        return;
    }
    {
        // A failure leaves the window open with the normal cursor back; the
        // error goes on to the application's handler.
        BusyCursor wait;
        report::printReport(*m_pages, *m_printer);
    }
    close();
}

bool TfrmPreview::bbSavePdfClick()
{
    if (!m_pages)
        return false;
    QString name = m_pages->title;
    name.remove(QStringLiteral("Preview of "));
    if (name.isEmpty())
        name = QStringLiteral("Report");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    QString fileName = m_askFileName(this, suggested);
    if (fileName.isEmpty())
        return false;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    try {
        BusyCursor wait;
        report::savePdf(*m_pages, fileName);
    } catch (const std::exception &e) {
        showInfo(this, QStringLiteral("The PDF file \"") + QDir::toNativeSeparators(fileName) +
                           QStringLiteral("\" could not be written.\n\r") +
                           QString::fromLocal8Bit(e.what()));
        return false;
    }
    showStatusNote(this, fileWrittenNote(QStringLiteral("Saved"), fileName));
    return true;
}

bool TfrmPreview::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    const bool ctrlOnly = modifiers == Qt::ControlModifier;
    const bool plain = modifiers == Qt::NoModifier;
    switch (key) {
    case Qt::Key_End:
    case Qt::Key_PageDown:
        if (key == Qt::Key_End || ctrlOnly) {
            if (m_bbNext->isEnabled()) {
                goToPage(pageCount());
                m_bbPrev->setEnabled(true);
                m_bbNext->setEnabled(false);
            }
            return true;
        }
        if (plain) {
            if (m_bbNext->isEnabled())
                bbNextClick();
            return true;
        }
        return false;
    case Qt::Key_Home:
    case Qt::Key_PageUp:
        if (key == Qt::Key_Home || ctrlOnly) {
            if (m_bbPrev->isEnabled()) {
                goToPage(1);
                m_bbPrev->setEnabled(false);
                m_bbNext->setEnabled(true);
            }
            return true;
        }
        if (plain) {
            if (m_bbPrev->isEnabled())
                bbPrevClick();
            return true;
        }
        return false;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        QScrollBar *bar = m_view->horizontalScrollBar();
        bar->setValue(bar->value() + (key == Qt::Key_Left ? -kArrowStep : kArrowStep));
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down: {
        QScrollBar *bar = m_view->verticalScrollBar();
        bar->setValue(bar->value() + (key == Qt::Key_Up ? -kArrowStep : kArrowStep));
        return true;
    }
    default:
        return false;
    }
}

void TfrmPreview::done(int result)
{
    guard([this] { FormClose(); });
    QDialog::done(result);
}

void TfrmPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    guard([this] {
        FormShow();
        FormActivate();
    });
}

void TfrmPreview::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guard([this] { FormActivate(); });
}

bool TfrmPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        bool handled = false;
        guard([&] { handled = FormKeyDown(key->key(), key->modifiers()); });
        if (handled)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace clvn

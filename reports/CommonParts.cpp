#include "reports/CommonParts.h"
#include "widgets/Identity.h"

namespace clvn::report {

namespace {

constexpr qreal kTitleHeight = 44;
constexpr qreal kNotesLine = 14;

QString &caseNotes()
{
    static QString notes;
    return notes;
}

} // namespace

void setCaseNotes(const QString &notes)
{
    caseNotes() = notes.trimmed();
}

ReportBand *addTitleBand(Report &report, const QString &title, const QString &labelName)
{
    const qreal w = report.contentWidth();
    ReportBand *band = report.addBand(BandKind::Title, QStringLiteral("TitleBand"), kTitleHeight);
    band->addLabel(labelName, title, QRectF(0, 0, w, 34), reportFont(px(27), true),
                   Qt::AlignLeft | Qt::AlignVCenter);
    band->addHLine(QStringLiteral("TitleRule"), 36, 0, w, 1.0);
    band->addLabel(QStringLiteral("lblCaseNotes"), QString(), QRectF(0, kTitleHeight, w, 0),
                   reportFont(px(12)), Qt::AlignLeft | Qt::AlignTop)
        ->enabled = false;
    return band;
}

ReportBand *addPageFooter(Report &report, bool pageNumber)
{
    const qreal w = report.contentWidth();
    const QFont line = reportFont(px(12));
    const QFont notice = reportFont(px(10));
    ReportBand *band = report.addBand(BandKind::PageFooter, QStringLiteral("PageFooter"), 44);
    band->addHLine(QStringLiteral("FooterRule"), 2, 0, w);
    band->addLabel(QStringLiteral("lblApplicationTitle"), QString(), QRectF(0, 5, 150, 13), line);
    if (pageNumber) {
        band->addDateTime(QStringLiteral("qrsDateTime"), QStringLiteral("Printed at "),
                          QRectF(w / 2 - 120, 5, 200, 13), line, Qt::AlignHCenter);
        band->addPageNumber(QStringLiteral("qrsPageNumber"), QStringLiteral("Page "),
                            QRectF(w / 2 + 85, 5, 80, 13), line, Qt::AlignHCenter);
    } else {
        band->addDateTime(QStringLiteral("qrsDateTime"), QStringLiteral("Printed at "),
                          QRectF(w / 2 - 100, 5, 200, 13), line, Qt::AlignHCenter);
    }
    band->addLabel(QStringLiteral("lblURL"), QString(), QRectF(w - 150, 5, 150, 13), line,
                   Qt::AlignRight);
    band->addLabel(QStringLiteral("lblNote1"), kNoticeLine1.toString(), QRectF(0, 22, w, 10),
                   notice);
    band->addLabel(QStringLiteral("lblNote2"), kNoticeLine2.toString(), QRectF(0, 32, w, 10),
                   notice);
    return band;
}

void fillFooter(Report &report)
{
    report.setText(QStringLiteral("lblApplicationTitle"), applicationTitle());
    report.setText(QStringLiteral("lblURL"), webAddressText());
    // The title band grows by the notes' lines.
    ReportBand *title = report.band(QStringLiteral("TitleBand"));
    ReportElement *notes = report.element(QStringLiteral("lblCaseNotes"));
    if (!title || !notes)
        return;
    const QString &text = caseNotes();
    const qreal height = text.isEmpty() ? 0 : kNotesLine * qreal(text.count(u'\n') + 1);
    notes->text = text;
    notes->enabled = !text.isEmpty();
    notes->geometry.setHeight(height);
    title->setHeight(kTitleHeight + (text.isEmpty() ? 0 : height + 4));
}

} // namespace clvn::report

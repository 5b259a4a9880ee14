#include "app/UpdateInfo.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace clvn {

std::optional<InfoLine> readInfoLine(QStringView line)
{
    static const QString kMeta = u"META HTTP-EQUIV=\""_s;
    static const QString kContent = u"CONTENT=\""_s;

    const qsizetype meta = line.indexOf(kMeta, 0, Qt::CaseInsensitive);
    if (meta < 0)
        return std::nullopt;
    const qsizetype tagStart = meta + kMeta.size();
    const qsizetype tagEnd = line.indexOf(u'"', tagStart);
    if (tagEnd <= tagStart) // no closing quote, or an empty tag name
        return std::nullopt;
    const qsizetype content = line.indexOf(kContent, tagEnd + 1, Qt::CaseSensitive);
    if (content < 0)
        return std::nullopt;
    const qsizetype valueStart = content + kContent.size();
    const qsizetype valueEnd = line.indexOf(u'"', valueStart);
    if (valueEnd < 0)
        return std::nullopt;
    return InfoLine{line.mid(tagStart, tagEnd - tagStart).toString(),
                    line.mid(valueStart, valueEnd - valueStart).toString()};
}

QHash<QString, QString> readInfoPage(const QString &page, const QStringList &tags)
{
    static const QRegularExpression kLineBreak(u"\r\n|\r|\n"_s);
    QHash<QString, QString> values;
    for (QStringView line : QStringView(page).split(kLineBreak)) {
        const std::optional<InfoLine> info = readInfoLine(line);
        if (!info)
            continue;
        for (const QString &tag : tags) {
            if (!tag.isEmpty() && tag == info->tag)
                values.insert(tag, info->value);
        }
    }
    return values;
}

namespace {

int versionField(QStringView field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

bool isNewerVersion(const QString &running, const QString &server)
{
    const QList<QStringView> mine = QStringView(running).split(u'.');
    const QList<QStringView> theirs = QStringView(server).split(u'.');
    for (qsizetype i = 0; i < mine.size(); ++i) {
        const int a = versionField(mine[i]);
        const int b = i < theirs.size() ? versionField(theirs[i]) : 0;
        if (a != b)
            return a < b;
    }
    return false;
}

bool isVersionNumber(const QString &text)
{
    static const QRegularExpression kVersion(u"^[0-9]+(\\.[0-9]+)*$"_s);
    return text.size() <= kMaxVersionLength && kVersion.match(text).hasMatch();
}

QString shownText(const QString &text, qsizetype maxLength)
{
    QString shown;
    shown.reserve(std::min(text.size(), maxLength));
    for (qsizetype i = 0; i < text.size() && shown.size() <= maxLength; ++i) {
        char32_t c = text.at(i).unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pair)
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            break;
        default:
            shown += pair ? text.mid(i, 2) : QString(text.at(i));
        }
        if (pair)
            ++i;
    }
    if (shown.size() <= maxLength)
        return shown;
    qsizetype keep = std::max<qsizetype>(maxLength - 1, 0);
    if (keep > 0 && shown.at(keep - 1).isHighSurrogate())
        --keep;
    return shown.left(keep) + u'…';
}

QDate readInfoDate(const QString &text)
{
    static const QString kMonths = u"JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC"_s;
    if (text.size() < 3)
        return {};
    const QString month = text.left(3).toUpper();
    const qsizetype at = kMonths.indexOf(month);
    if (at < 0 || at % 3 != 0)
        return {};
    const qsizetype comma = text.indexOf(u',');
    if (comma < 2)
        return {};
    bool dayOk = false;
    bool yearOk = false;
    const int day = QStringView(text).mid(comma - 2, 2).trimmed().toInt(&dayOk);
    if (text.size() < 4)
        return {};
    const QStringView yearText = QStringView(text).right(4);
    const int year = yearText.toInt(&yearOk);
    // Four digits, no sign or space: "-999" or " 999" are not years.
    const bool digits =
        std::all_of(yearText.begin(), yearText.end(), [](QChar c) { return c.isDigit(); });
    if (!dayOk || !yearOk || !digits)
        return {};
    const QDate date(year, int(at / 3) + 1, day);
    return date.isValid() ? date : QDate();
}

QString defaultFileName(const QString &address)
{
    const QUrl url(address);
    QString path = url.isValid() ? url.path(QUrl::FullyDecoded) : address;
    if (!url.isValid()) {
        // Not an address Qt can read: cut query and fragment by hand.
        const qsizetype cut = path.indexOf(QRegularExpression(u"[?#]"_s));
        if (cut >= 0)
            path.truncate(cut);
    }
    QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name == u"."_s || name == u".."_s)
        return {};
    name.replace(u'\\', u'_');
    return name;
}

} // namespace clvn

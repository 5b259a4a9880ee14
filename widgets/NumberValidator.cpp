#include "widgets/NumberValidator.h"

#include "widgets/Format.h"

#include <QKeyEvent>
#include <QLocale>

namespace clvn {

NumberValidator::NumberValidator(QObject *parent) : QValidator(parent)
{
}

QValidator::State NumberValidator::validate(QString &input, int &pos) const
{
    if (!m_active)
        return Acceptable;
    const QLocale locale; // read each time: the user's locale may change
    const QString point = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    // Separators stay as typed: whether a '.' groups or is the decimal point
    // is only known once the number is complete ("300.000" against "6.5"
    // under de_DE), so the fields read it when they take the text.
    QString cleaned;
    int cursor = pos;
    bool seenDigit = false;
    bool seenPoint = false;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const QString s(c);
        bool keep = true;
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
        } else if (s == point || (c == u'.' && !isGroupChar(c, locale))) {
            if (seenPoint)
                return Invalid;
            seenPoint = true;
        } else if (isGroupChar(c, locale)) {
            // A space groups only between digits of the whole part; elsewhere
            // it is the padding of a pasted figure ("1 234,50 €").
            keep = c.isSpace() ? seenDigit && !seenPoint : !seenPoint;
            if (!keep && !c.isSpace())
                return Invalid; // no grouping after the decimal point
        } else if (c == u'-' || s == minus) {
            if (!cleaned.isEmpty())
                return Invalid; // a minus only leads
            cleaned += u'-';
            continue;
        } else {
            keep = false;
        }
        if (keep)
            cleaned += c;
        else if (i < pos)
            --cursor;
    }
    if (cleaned.size() > MaxLength)
        return Invalid;
    if (const qsizetype at = cleaned.indexOf(point);
        m_maxDecimals >= 0 && at >= 0 && cleaned.size() - at - point.size() > m_maxDecimals)
        return Invalid;
    input = cleaned;
    pos = cursor;
    return Acceptable;
}

bool NumberValidator::isRefusedKey(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const QLocale locale;
    for (const QChar c : text) {
        // '.' is taken everywhere: the fields read it as grouping or as the
        // decimal point once the number is complete.
        const bool allowed = (c >= u'0' && c <= u'9') || QString(c) == locale.decimalPoint() ||
                             c == u'.' || isGroupChar(c, locale) || c == u'-' ||
                             QString(c) == locale.negativeSign();
        if (!allowed)
            return true;
    }
    return false;
}

} // namespace clvn

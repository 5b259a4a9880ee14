#include "widgets/NumberValidator.h"

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
    // Where the decimal separator is not '.', a lone '.' is still meant as
    // one (the numeric keypad types it): it becomes the locale's separator,
    // never silently dropped. Several are grouping ("1.234.567").
    const bool pointIsDot = point != u"." && !input.contains(point) && input.count(u'.') == 1;
    QString cleaned;
    int cursor = pos;
    bool seenPoint = false;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const QString s(c);
        if (c >= u'0' && c <= u'9') {
            cleaned += c;
        } else if (s == point || (pointIsDot && c == u'.')) {
            if (seenPoint)
                return Invalid;
            seenPoint = true;
            cleaned += point;
        } else if (c == u'-' || s == minus) {
            if (!cleaned.isEmpty())
                return Invalid; // a minus only leads
            cleaned += u'-';
        } else {
            if (i < pos)
                --cursor;
        }
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
        // '.' is taken everywhere: validate() makes it the locale's separator.
        const bool allowed = (c >= u'0' && c <= u'9') || QString(c) == locale.decimalPoint() ||
                             c == u'.' || c == u'-' || QString(c) == locale.negativeSign();
        if (!allowed)
            return true;
    }
    return false;
}

} // namespace clvn

#include "reports/PageFields.h"

#include "finance/Errors.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Format.h"
#include "widgets/NumEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace clvn::report {

QLineEdit *pageField(const QWidget *page, const QString &name)
{
    QLineEdit *field = page ? page->findChild<QLineEdit *>(name) : nullptr;
    if (!field) {
        const QString pageName = page ? page->objectName() : QStringLiteral("(none)");
        throw std::runtime_error("page " + pageName.toStdString() + " has no field " +
                                 name.toStdString());
    }
    return field;
}

QString fieldText(const QWidget *page, const QString &name)
{
    const QLineEdit *field = pageField(page, name);
    if (const auto *money = qobject_cast<const TNumEdit *>(field))
        return money->displayText();
    return field->text();
}

double parseShownNumber(const QString &text)
{
    const QLocale locale;
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2);
    }
    s.remove(locale.currencySymbol());
    s.remove(locale.groupSeparator());
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    if (s.startsWith(locale.negativeSign()) || s.startsWith(u'-')) {
        negative = !negative;
        s = s.mid(1);
    }
    bool ok = false;
    const bool hasDigit = std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.isDigit(); });
    const double v = hasDigit ? parsePlain(s, &ok) : 0.0;
    if (!ok || s.startsWith(u'-'))
        throw ConvertError::notFloat(text.toStdString());
    return negative ? -v : v;
}

double fieldValue(const QWidget *page, const QString &name)
{
    const QLineEdit *field = pageField(page, name);
    if (const auto *money = qobject_cast<const TNumEdit *>(field))
        return money->value();
    if (const auto *number = qobject_cast<const TFnpNumericEdit *>(field))
        return number->value();
    return parseShownNumber(field->text());
}

} // namespace clvn::report

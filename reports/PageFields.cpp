#include "reports/PageFields.h"

#include "reports/ReportFields.h"

#include "finance/Errors.h"
#include "widgets/Format.h"
#include "widgets/NumEdit.h"
#include "widgets/NumberField.h"

#include <QLineEdit>
#include <QLocale>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace clvn::report {

QWidget *pageWidget(const QWidget *page, const QString &name)
{
    if (!page)
        return nullptr;
    if (!mayRead(page->objectName(), name))
        throw std::logic_error("the report fields of page " + page->objectName().toStdString() +
                               " do not list " + name.toStdString());
    return page->findChild<QWidget *>(name);
}

QLineEdit *pageField(const QWidget *page, const QString &name)
{
    auto *field = qobject_cast<QLineEdit *>(pageWidget(page, name));
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
    if (const auto *number = qobject_cast<const NumberField *>(field))
        return number->value();
    return parseShownNumber(field->text());
}

} // namespace clvn::report

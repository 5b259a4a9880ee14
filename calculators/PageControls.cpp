#include "calculators/PageControls.h"

#include "finance/Errors.h"
#include "finance/Growth.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Hint.h"
#include "widgets/Messages.h"
#include "widgets/NumEdit.h"

#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace clvn {

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry,
                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    return label;
}

QLabel *addHeading(QWidget *parent, const QString &text, const QRect &geometry,
                   Qt::Alignment alignment)
{
    QLabel *label = addLabel(parent, text, geometry, alignment);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

TNumEdit *addMoney(QWidget *parent, const QString &name, const QRect &geometry, double start)
{
    auto *edit = new TNumEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setValue(start);
    return edit;
}

TNumEdit *addMoneyResult(QWidget *parent, const QString &name, const QRect &geometry)
{
    TNumEdit *edit = addMoney(parent, name, geometry, 0);
    edit->setResultField(true);
    return edit;
}

TFnpNumericEdit *addNumber(QWidget *parent, const QString &name, const QRect &geometry,
                           int decimals, double start)
{
    auto *edit = new TFnpNumericEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setDecimals(decimals);
    edit->setValue(start);
    return edit;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption,
                       const QString &hint, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    if (!hint.isEmpty())
        setHint(button, hint);
    return button;
}

qint64 readCount(const TFnpNumericEdit *field)
{
    const QString text = field->text().trimmed();
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const qint64 v = locale.toLongLong(text, &ok);
    if (ok)
        return v;
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
    if (whole.match(text).hasMatch())
        return text.startsWith(u'-') ? std::numeric_limits<qint64>::min()
                                     : std::numeric_limits<qint64>::max();
    throw FieldConvertError(field, FieldConvertError::Wanted::WholeNumber);
}

std::int32_t wholeFigure(const TFnpNumericEdit *field)
{
    const double v = field->value();
    try {
        return WholeNumber(v);
    } catch (const ConvertError &) {
        throw FieldConvertError(field, v == std::floor(v) ? FieldConvertError::Wanted::SmallerNumber
                                                          : FieldConvertError::Wanted::WholeNumber);
    }
}

} // namespace clvn

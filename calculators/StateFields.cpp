#include "calculators/StateFields.h"

#include "finance/Errors.h"
#include "state/SettingsFile.h"
#include "widgets/NumberField.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

namespace clvn {

void writeField(PageState &state, const QString &key, const QObject *field, FieldKind kind)
{
    switch (kind) {
    case FieldKind::OptionalNumber:
        if (qobject_cast<const QLineEdit *>(field)->text().trimmed().isEmpty()) {
            state.set(key, QStringLiteral("none"));
            return;
        }
        [[fallthrough]];
    case FieldKind::Number:
    case FieldKind::Whole:
        try {
            state.setNumber(key, qobject_cast<const NumberField *>(field)->value());
        } catch (const ConvertError &) {
        }
        return;
    case FieldKind::Text:
        if (const auto *box = qobject_cast<const QComboBox *>(field))
            state.set(key, box->currentText());
        else
            state.set(key, qobject_cast<const QLineEdit *>(field)->text());
        return;
    case FieldKind::Choice:
        state.set(key,
                  formatSettingInteger(qobject_cast<const QButtonGroup *>(field)->checkedId()));
        return;
    case FieldKind::Check:
        state.set(key, qobject_cast<const QAbstractButton *>(field)->isChecked()
                           ? QStringLiteral("1")
                           : QStringLiteral("0"));
        return;
    case FieldKind::Index:
        state.set(key,
                  formatSettingInteger(qobject_cast<const QComboBox *>(field)->currentIndex()));
        return;
    }
}

bool readField(const PageState &state, const QString &key, QObject *field, FieldKind kind)
{
    const QString text = state.text(key);
    if (text.isEmpty())
        return true; // missing: the field keeps what it shows
    switch (kind) {
    case FieldKind::OptionalNumber:
        if (text == u"none") {
            qobject_cast<QLineEdit *>(field)->clear();
            return true;
        }
        [[fallthrough]];
    case FieldKind::Number:
    case FieldKind::Whole: {
        std::optional<double> v = state.number(key);
        if (kind == FieldKind::Whole) {
            const std::optional<std::int32_t> whole = state.integer(key);
            v = whole ? std::optional<double>(*whole) : std::nullopt;
        }
        if (v)
            qobject_cast<NumberField *>(field)->setValue(*v);
        return v.has_value();
    }
    case FieldKind::Text:
        if (auto *box = qobject_cast<QComboBox *>(field)) {
            // An editable box would only take the text: its list would still
            // open at the old item.
            if (const int at = box->findText(text); at >= 0)
                box->setCurrentIndex(at);
            else
                box->setCurrentText(text);
        } else {
            qobject_cast<QLineEdit *>(field)->setText(text);
        }
        return true;
    case FieldKind::Choice: {
        const std::optional<std::int32_t> v = state.integer(key);
        QAbstractButton *button = v ? qobject_cast<QButtonGroup *>(field)->button(*v) : nullptr;
        if (button)
            button->setChecked(true);
        return button != nullptr;
    }
    case FieldKind::Check:
        if (text != u"0" && text != u"1")
            return false;
        qobject_cast<QAbstractButton *>(field)->setChecked(text == u"1");
        return true;
    case FieldKind::Index: {
        auto *box = qobject_cast<QComboBox *>(field);
        const std::optional<std::int32_t> v = state.integer(key);
        if (!v || *v < 0 || *v >= box->count())
            return false;
        box->setCurrentIndex(*v);
        return true;
    }
    }
    return false;
}

} // namespace clvn

#pragma once

// Small builders for the controls of the calculator pages, which place every
// control at a fixed position as the pages' layouts are drawn in pixels.

#include <QRect>
#include <QString>
#include <QtGlobal>

#include <cstdint>

class QLabel;
class QPushButton;
class QWidget;

namespace clvn {

class TNumEdit;
class TFnpNumericEdit;

inline constexpr int FieldHeight = 21;

// A word-wrapped label.
QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// The same in bold.
QLabel *addHeading(QWidget *parent, const QString &text, const QRect &geometry,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// A money field holding `start`.
TNumEdit *addMoney(QWidget *parent, const QString &name, const QRect &geometry, double start);
// A money field that shows a result: read-only, black on yellow.
TNumEdit *addMoneyResult(QWidget *parent, const QString &name, const QRect &geometry);
// A number field with `decimals` decimals holding `start`.
TFnpNumericEdit *addNumber(QWidget *parent, const QString &name, const QRect &geometry,
                           int decimals, double start);
// A push button with its hint (none when `hint` is empty).
QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption,
                       const QString &hint, const QRect &geometry);

// A month count as typed, in 64 bits. A whole number too long even for that
// stands for a count far past any cap and reads as the largest count, so it
// is refused as unusable rather than as unreadable; a fractional or empty
// text is the conversion error.
qint64 readCount(const TFnpNumericEdit *field);

// The whole number a field's figure stands for, as WholeNumber (finance/
// Growth.h) reads a count typed as a figure ("360" or "360.0"); a fractional
// or too long one is refused naming the field.
std::int32_t wholeFigure(const TFnpNumericEdit *field);

} // namespace clvn

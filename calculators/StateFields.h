#pragma once

// A page's persistent inputs, declared once as a table of key, field and
// kind, and the two helpers that copy such a table into a PageState and
// back. The same table serves the exit save and a scenario file.

#include "state/PageState.h"

#include <QLatin1StringView>
#include <QStringList>

#include <cstddef>
#include <span>

class QObject;

namespace clvn {

enum class FieldKind
{
    Number, // a number field: its value in the file's number form
    Whole,  // a number field that holds a whole number (a term, a count)
    Text,   // a line edit's or an editable combo box's text as typed
    Choice, // a button group's checked id
    Check,  // a check box's or radio button's state: "1" or "0"
    Index,  // a combo box's current item by position
    // A number field that may be left empty (no limit, no comparison):
    // an empty field is written as "none".
    OptionalNumber,
};

template <class Owner> struct PageField
{
    const char *key;
    QObject *(*field)(const Owner &);
    FieldKind kind;
};

namespace detail {
template <class M> struct MemberOf;
template <class C, class T> struct MemberOf<T C::*>
{
    using Owner = C;
};
} // namespace detail

// A table's field: at<&Page::m_edtLoan>, or item<&Page::m_edtIncome, 1>
// for one field of an array of them.
template <auto Member> QObject *at(const typename detail::MemberOf<decltype(Member)>::Owner &owner)
{
    return owner.*Member;
}
template <auto Member, std::size_t Index>
QObject *item(const typename detail::MemberOf<decltype(Member)>::Owner &owner)
{
    return (owner.*Member)[Index];
}

// One field into `state`. A number field whose text is not a number writes
// nothing, so that restoring leaves that field as it finds it.
void writeField(PageState &state, const QString &key, const QObject *field, FieldKind kind);
// One field from `state`: false when its stored text cannot be read; a
// missing or empty text leaves the field as it is.
bool readField(const PageState &state, const QString &key, QObject *field, FieldKind kind);

// Every field of `fields`, each key followed by `suffix` (a column's number).
template <class Owner>
void writeFields(PageState &state, std::span<const PageField<Owner>> fields, const Owner &owner,
                 const QString &suffix = QString())
{
    for (const PageField<Owner> &f : fields)
        writeField(state, QLatin1StringView(f.key) + suffix, f.field(owner), f.kind);
}
// Returns the keys whose stored text could not be read.
template <class Owner>
QStringList readFields(const PageState &state, std::span<const PageField<Owner>> fields,
                       const Owner &owner, const QString &suffix = QString())
{
    QStringList unread;
    for (const PageField<Owner> &f : fields) {
        const QString key = QLatin1StringView(f.key) + suffix;
        if (!readField(state, key, f.field(owner), f.kind))
            unread << key;
    }
    return unread;
}

} // namespace clvn

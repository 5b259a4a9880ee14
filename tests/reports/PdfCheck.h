#pragma once

// Counting the pages of a PDF without a PDF library: every page object says
// "/Type /Page" (the page tree says "/Type /Pages").

#include <QByteArray>
#include <QRegularExpression>

namespace clvn::test {

inline int pdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

} // namespace clvn::test

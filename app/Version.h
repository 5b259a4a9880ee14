#pragma once

#include <QString>

namespace clvn {

// The product's identity, shown by the splash, About, the caption and report footers.
inline QString productName()
{
    return QStringLiteral("Calvenor");
}
inline QString productVersion()
{
    return QStringLiteral("1.0.04");
}
inline QString compileDate()
{
    return QStringLiteral("November 7, 1999");
}
inline QString makerName()
{
    return QStringLiteral("Tolvane Software");
}

} // namespace clvn

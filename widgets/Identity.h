#pragma once

#include <QString>

namespace clvn {

// The product's identity, shown by the splash, About, the window caption,
// the print preview and the report footers.
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
// The maker's web address as people read it.
inline QString webAddressText()
{
    return QStringLiteral("www.tolvane.com");
}
// "Calvenor, 1.0.04": the main window's caption and the report footers.
inline QString applicationTitle()
{
    return productName() + QStringLiteral(", ") + productVersion();
}

} // namespace clvn

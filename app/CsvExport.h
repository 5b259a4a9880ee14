#pragma once

// File > Export to CSV...: asks where to write the active page's table
// (proposing "<page title>.csv" in the Documents folder) and writes it, or
// says clearly which file could not be written and why.

#include <QString>

#include <functional>

class QWidget;

namespace clvn {

class TableSource;

class CsvExporter
{
public:
    // Asks for the file name; an empty answer cancels. A save dialog by default.
    using FileNameAsker = std::function<QString(QWidget *parent, const QString &suggested)>;

    CsvExporter();
    void setFileNameAsker(FileNameAsker asker) { m_ask = std::move(asker); }

    // The file name proposed for a page titled `title`: the title (with
    // characters no file name may hold replaced) plus ".csv", in Documents.
    static QString proposedFileName(const QString &title);

    // Exports the source's table; true when a file was written. Nothing is
    // asked when there is no table.
    bool exportTable(QWidget *parent, const TableSource &source, const QString &title);

private:
    FileNameAsker m_ask;
};

} // namespace clvn

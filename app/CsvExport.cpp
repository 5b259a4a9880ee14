#include "app/CsvExport.h"

#include "calculators/TableSource.h"
#include "widgets/Messages.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace clvn {

namespace {

QString askCsvName(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Export to CSV"), suggested,
                                        QStringLiteral("CSV files (*.csv)"));
}

} // namespace

CsvExporter::CsvExporter() : m_ask(askCsvName)
{
}

QString CsvExporter::proposedFileName(const QString &title)
{
    QString name = title.trimmed();
    for (QChar &c : name)
        if (QStringView(u"/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = u'-';
    if (name.isEmpty())
        name = QStringLiteral("Table");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".csv"));
}

bool CsvExporter::exportTable(QWidget *parent, const TableSource &source, const QString &title)
{
    if (!source.hasTable())
        return false;
    const QString fileName = m_ask(parent, proposedFileName(title));
    if (fileName.isEmpty())
        return false;
    const QString error = saveCsv(source.tableData(), fileName);
    if (error.isEmpty()) {
        showStatusNote(parent, fileWrittenNote(QStringLiteral("Exported"), fileName));
        return true;
    }
    showInfo(parent, QStringLiteral("The table could not be written to the file\n\r") +
                         QDir::toNativeSeparators(fileName) + QStringLiteral("\n\r\n\r") + error);
    return false;
}

} // namespace clvn

#include "state/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace clvn {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

bool sameName(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// "[Name]" with any spacing around; the name is what stands between the
// brackets, trimmed.
bool parseHeader(const QByteArray &line, QByteArray *name)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.indexOf(']');
    if (close < 1)
        return false;
    *name = t.mid(1, close - 1).trimmed();
    return true;
}

// "Key=Value"; comment lines (';' or '#') and lines without a key are not
// keys. Both parts are trimmed.
bool parseKey(const QByteArray &line, QByteArray *key, QByteArray *value = nullptr)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#') || t.startsWith('['))
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return true;
}

QByteArray nativeLineEnding()
{
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

} // namespace

SettingsWriteError::SettingsWriteError(const QString &path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()),
      m_path(path)
{
}

bool IniFile::load(const QString &path)
{
    m_path = path;
    m_bom.clear();
    m_lines.clear();
    m_unreadable = false;

    QFile file(path);
    if (!file.exists())
        return true;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_unreadable = true;
        return false;
    }
    file.close();

    if (bytes.startsWith(kBom)) {
        m_bom = kBom;
        bytes.remove(0, kBom.size());
    }
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            m_lines.push_back({bytes.mid(start), QByteArray()});
            break;
        }
        const bool crlf = lf > start && bytes.at(lf - 1) == '\r';
        const qsizetype end = crlf ? lf - 1 : lf;
        m_lines.push_back({bytes.mid(start, end - start),
                           crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n")});
        start = lf + 1;
    }
    return true;
}

IniFile::Range IniFile::findSection(const QByteArray &section) const
{
    Range range;
    const int count = int(m_lines.size());
    for (int i = 0; i < count; ++i) {
        QByteArray name;
        if (!parseHeader(m_lines[size_t(i)].text, &name))
            continue;
        if (range.header >= 0)
            break; // the next section ends ours
        if (sameName(name, section)) {
            range.header = i;
            range.lastKey = i;
        }
    }
    if (range.header < 0)
        return range;
    for (int i = range.header + 1; i < count; ++i) {
        QByteArray name;
        if (parseHeader(m_lines[size_t(i)].text, &name))
            break;
        QByteArray key;
        if (parseKey(m_lines[size_t(i)].text, &key))
            range.lastKey = i;
    }
    return range;
}

int IniFile::findKey(const Range &range, const QByteArray &key) const
{
    if (range.header < 0)
        return -1;
    for (int i = range.header + 1; i <= range.lastKey; ++i) {
        QByteArray name;
        if (parseKey(m_lines[size_t(i)].text, &name) && sameName(name, key))
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return findKey(findSection(section.toUtf8()), key.toUtf8()) >= 0;
}

QString IniFile::get(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int at = findKey(findSection(section.toUtf8()), key.toUtf8());
    if (at < 0)
        return defaultValue;
    QByteArray name, value;
    parseKey(m_lines[size_t(at)].text, &name, &value);
    return QString::fromUtf8(value);
}

QStringList IniFile::keys(const QString &section) const
{
    const Range range = findSection(section.toUtf8());
    QStringList keys;
    for (int i = range.header + 1; range.header >= 0 && i <= range.lastKey; ++i) {
        QByteArray key;
        if (parseKey(m_lines[size_t(i)].text, &key) &&
            !keys.contains(QString::fromUtf8(key), Qt::CaseInsensitive))
            keys << QString::fromUtf8(key);
    }
    return keys;
}

QByteArray IniFile::newLineEnding() const
{
    for (const Line &line : m_lines) {
        if (!line.eol.isEmpty())
            return line.eol;
    }
    return nativeLineEnding();
}

void IniFile::insertLine(int at, const QByteArray &text)
{
    const QByteArray eol = newLineEnding();
    // A last line without an ending gets one before anything follows it.
    if (at > 0 && m_lines[size_t(at - 1)].eol.isEmpty())
        m_lines[size_t(at - 1)].eol = eol;
    m_lines.insert(m_lines.begin() + at, Line{text, eol});
}

void IniFile::set(const QString &section, const QString &key, const QString &value)
{
    const QByteArray sectionBytes = section.toUtf8();
    const QByteArray keyBytes = key.toUtf8();
    const QByteArray valueBytes = value.toUtf8();

    Range range = findSection(sectionBytes);
    const int at = findKey(range, keyBytes);
    if (at >= 0) {
        Line &line = m_lines[size_t(at)];
        QByteArray name, current;
        parseKey(line.text, &name, &current);
        if (current == valueBytes)
            return; // leave the line exactly as it was written
        // Keep the key as written and the spacing after '='.
        qsizetype cut = line.text.indexOf('=') + 1;
        while (cut < line.text.size() && (line.text.at(cut) == ' ' || line.text.at(cut) == '\t'))
            ++cut;
        line.text = line.text.left(cut) + valueBytes;
        return;
    }
    if (range.header < 0) {
        int end = int(m_lines.size());
        if (end > 0 && !m_lines.back().text.trimmed().isEmpty())
            insertLine(end++, QByteArray());
        insertLine(end, '[' + sectionBytes + ']');
        range.header = range.lastKey = end;
    }
    insertLine(range.lastKey + 1, keyBytes + '=' + valueBytes);
}

QByteArray IniFile::toBytes() const
{
    QByteArray out = m_bom;
    for (const Line &line : m_lines)
        out += line.text + line.eol;
    return out;
}

void IniFile::save() const
{
    // An existing file that could not be read would lose all it holds.
    if (m_unreadable)
        throw SettingsWriteError(m_path);
    const QFileInfo info(m_path);
    if (info.isDir() || (info.exists() && !info.isWritable()))
        throw SettingsWriteError(m_path);

    // Unbuffered, so that a short write (a full disk, a size limit) shows in
    // write()'s count: through the buffer, Qt 6.4's commit() reports success
    // for a truncated file. Without commit() the old file stays as it was.
    QSaveFile file(m_path);
    const QByteArray bytes = toBytes();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        throw SettingsWriteError(m_path);
}

} // namespace clvn

#include "app/PrivateProfile.h"

#include <QFile>
#include <QSaveFile>

namespace alvetra {

namespace {

// The name of a "[NAME]" line, or nothing for other lines.
std::optional<QString> sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return std::nullopt;
    return t.mid(1, t.size() - 2).trimmed();
}

// The key of a "KEY=value" line, or nothing for other lines.
std::optional<QString> keyName(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString &raw)
{
    const QString t = raw.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        return t.mid(1, t.size() - 2);
    return t;
}

// The text that reads back as `value`: quoted when blanks at its ends or a leading quote would
// otherwise be lost.
QString stored(QString value)
{
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    if (value != value.trimmed() || value.startsWith(QLatin1Char('"')))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

} // namespace

PrivateProfile PrivateProfile::load(const QString &path)
{
    PrivateProfile profile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return profile;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);   // a byte-order mark left by an editor
    if (text.contains(QStringLiteral("\r\n")))
        profile.lineEnd_ = QStringLiteral("\r\n");
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    profile.lines_ = unified.split(QLatin1Char('\n'));
    if (!profile.lines_.isEmpty() && profile.lines_.last().isEmpty())
        profile.lines_.removeLast();
    return profile;
}

PrivateProfile::Found PrivateProfile::find(const QString &section, const QString &key) const
{
    Found found;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString &line = lines_.at(i);
        if (const auto name = sectionName(line)) {
            if (found.sectionLine >= 0)
                break;   // the section ends where the next one begins; a later one of the same name is not read
            if (sameName(*name, section)) {
                found.sectionLine = i;
                found.sectionEnd = i + 1;
            }
            continue;
        }
        if (found.sectionLine < 0)
            continue;
        if (!line.trimmed().isEmpty())
            found.sectionEnd = i + 1;
        const auto name = keyName(line);
        if (found.keyLine < 0 && name && sameName(*name, key))
            found.keyLine = i;
    }
    return found;
}

std::optional<QString> PrivateProfile::value(const QString &section, const QString &key) const
{
    const Found found = find(section, key);
    if (found.keyLine < 0)
        return std::nullopt;
    const QString &line = lines_.at(found.keyLine);
    return unquoted(line.mid(line.indexOf(QLatin1Char('=')) + 1));
}

void PrivateProfile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + QLatin1Char('=') + stored(value);
    const Found found = find(section, key);
    if (found.keyLine >= 0) {
        lines_[found.keyLine] = line;
    } else if (found.sectionLine >= 0) {
        lines_.insert(found.sectionEnd, line);
    } else {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_ << QString();
        lines_ << QLatin1Char('[') + section + QLatin1Char(']') << line;
    }
}

bool PrivateProfile::save(const QString &path) const
{
    QByteArray bytes;
    for (const QString &line : lines_)
        bytes += (line + lineEnd_).toUtf8();
    // Unbuffered, so that a failing write reports here and the old file is kept (a buffered
    // save file would put a truncated file in its place when the last flush fails).
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace alvetra

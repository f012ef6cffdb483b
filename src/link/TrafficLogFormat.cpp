#include "link/TrafficLogFormat.h"

#include "link/FrameDecoder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace alvetra {

namespace {

// A JSON string. Noise may hold any byte: bytes that are not valid UTF-8 text are taken as
// Latin-1 characters, so the line stays valid JSON.
void appendString(QByteArray &out, const QString &text)
{
    out.append('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out.append('\\').append(static_cast<char>(u));
        } else if (u < 0x20 || u == 0x7F) {
            out.append(QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0')).toLatin1());
        } else {
            out.append(QString(c).toUtf8());
        }
    }
    out.append('"');
}

void appendField(QByteArray &out, const char *key)
{
    out.append(", \"").append(key).append("\": ");
}

void appendMeaning(QByteArray &out, const FrameMeaning &m, bool withSecrets)
{
    appendField(out, "name");
    appendString(out, m.name);
    if (m.reply)
        out.append(", \"reply\": true");
    if (m.address) {
        appendField(out, "address");
        out.append(QByteArray::number(*m.address));
    }
    if (m.count) {
        appendField(out, "count");
        out.append(QByteArray::number(*m.count));
    }
    if (!m.bytes.empty()) {
        appendField(out, "data");
        appendString(out, m.dataHex(withSecrets));
    }
    if (!m.text.isEmpty()) {
        appendField(out, "text");
        appendString(out, m.shownText(withSecrets));
    }
}

} // namespace

QByteArray trafficLogLine(const TrafficEvent &event, bool withSecrets)
{
    QByteArray out;
    out.reserve(160);
    out.append("{\"t\": ").append(QByteArray::number(double(event.microseconds) / 1e6, 'f', 6));
    out.append(event.direction == TrafficEvent::Direction::ToUnit ? ", \"dir\": \"tx\"" : ", \"dir\": \"rx\"");
    const QByteArray text = QByteArray::fromStdString(event.text);
    const FrameMeaning meaning =
        event.kind == TrafficEvent::Kind::Frame ? decodeFrameText(text, event.secrets) : FrameMeaning{};
    const std::string shown = withSecrets ? event.text
                              : meaning.valid ? maskedFrameText(event.text, meaning.frame, event.secrets)
                                              : event.shownText(false);
    appendField(out, "frame");
    appendString(out, QString::fromLatin1(shown.data(), qsizetype(shown.size())));
    if (meaning.valid)
        appendMeaning(out, meaning, withSecrets);
    else
        out.append(event.kind == TrafficEvent::Kind::Noise ? ", \"error\": \"noise\"" : ", \"error\": \"damaged\"");
    out.append("}\n");
    return out;
}

TrafficLogContents readTrafficLog(const QByteArray &contents)
{
    TrafficLogContents result;
    int lineNumber = 0;
    for (const QByteArray &line : contents.split('\n')) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const QString dir = o.value(QLatin1String("dir")).toString();
        const QJsonValue frame = o.value(QLatin1String("frame"));
        const QJsonValue t = o.value(QLatin1String("t"));
        if ((dir != QLatin1String("tx") && dir != QLatin1String("rx")) || !frame.isString() || !t.isDouble()) {
            if (result.badLines++ == 0)
                result.firstBadLine = lineNumber;
            continue;
        }
        result.records.push_back({t.toDouble(),
                                  dir == QLatin1String("tx") ? TrafficEvent::Direction::ToUnit
                                                             : TrafficEvent::Direction::FromUnit,
                                  frame.toString().toLatin1(), o.contains(QLatin1String("error"))});
    }
    return result;
}

} // namespace alvetra

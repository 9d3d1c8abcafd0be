// Exported files read back by the parsers other programs use: Python's csv
// module and the icalendar package, run by Debian's Python as a subprocess.
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace ExportReaders {

// {"bom": bool, "rows": [[field, …], …]}, parsed strictly.
inline const char CsvScript[] = R"(
import csv, json, sys
raw = open(sys.argv[1], 'rb').read()
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    rows = list(csv.reader(f, strict=True))
print(json.dumps({'bom': raw.startswith(b'\xef\xbb\xbf'), 'rows': rows}))
)";

// {"name", "prodid", "events": [{uid, summary, description, start, end,
// stamp}], "problems": what the raw lines break, "folded": continuations}.
inline const char CalendarScript[] = R"(
import icalendar, json, sys
raw = open(sys.argv[1], 'rb').read()
problems = [] if raw.endswith(b'\r\n') else ['no CRLF at the end']
lines = raw[:-2].split(b'\r\n')
for n, line in enumerate(lines, 1):
    if len(line) > 75 or b'\r' in line or b'\n' in line:
        problems.append('line %d: %r' % (n, line))
    try:
        line.decode('utf-8')
    except UnicodeDecodeError:
        problems.append('line %d splits a character' % n)
cal = icalendar.Calendar.from_ical(raw)
if str(cal.get('VERSION')) != '2.0':
    problems.append('no VERSION:2.0')
events = [{'uid': str(e['UID']), 'summary': str(e['SUMMARY']), 'description': str(e.get('DESCRIPTION', '')),
           'start': e.decoded('DTSTART').isoformat(), 'end': e.decoded('DTEND').isoformat(),
           'stamp': e.decoded('DTSTAMP').isoformat()} for e in cal.walk('VEVENT')]
print(json.dumps({'name': str(cal.get('X-WR-CALNAME', '')), 'prodid': str(cal.get('PRODID', '')), 'events': events,
                  'problems': problems, 'folded': sum(1 for line in lines if line.startswith(b' '))}))
)";

inline QJsonObject ReadBack(const char* AScript, const QString& AFile)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(AScript), AFile});
    const bool ran
        = python.waitForFinished(60000) && python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
    EXPECT_TRUE(ran) << "python3: " << python.errorString().toStdString() << ' '
                     << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

inline QList<QStringList> CsvRows(const QJsonObject& ARead)
{
    QList<QStringList> rows;
    for (const QJsonValue& row : ARead.value(QStringLiteral("rows")).toArray())
        rows << row.toVariant().toStringList();
    return rows;
}

// One field of every event, in file order.
inline QStringList EventFields(const QJsonObject& ARead, const char* AField)
{
    QStringList values;
    for (const QJsonValue& event : ARead.value(QStringLiteral("events")).toArray())
        values << event.toObject().value(QLatin1String(AField)).toString();
    return values;
}

} // namespace ExportReaders

// How a benchmark adds its figures to an earlier one's: the "--merge FILE"
// option and the JSON object on that file's last line.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// Takes "--merge FILE" out of AArgs; FILE, or empty without the option.
inline QString TakeMergeOption(QStringList& AArgs)
{
    const qsizetype at = AArgs.indexOf(QStringLiteral("--merge"));
    if (at < 0 || at + 1 >= AArgs.size())
        return QString();
    const QString file = AArgs[at + 1];
    AArgs.remove(at, 2);
    return file;
}

// The last line of AFileName when it is a JSON object, else nothing.
inline QString LastJsonLine(const QString& AFileName)
{
    QFile file(AFileName);
    if (AFileName.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString last = lines.isEmpty() ? QString() : lines.last().trimmed();
    return last.startsWith(QLatin1Char('{')) && last.endsWith(QLatin1Char('}')) ? last : QString();
}

// Sets the figures of two data folders side by side: the last lines (JSON) of
// the 1 M and the 10 M folder's runs as a table with the ratio of each figure,
// then one JSON line of the 10 M figures, each key with "_10m" appended.
//   figures_table FILE_1M FILE_10M
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

using TFigures = std::vector<std::pair<QString, QString>>;

// The keys and values of the file's last line in their order; the lines are
// flat objects of numbers.
TFigures LastLineFigures(const QString& AFileName)
{
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString last = lines.isEmpty() ? QString() : lines.last().trimmed();
    if (!last.startsWith(QLatin1Char('{')) || !last.endsWith(QLatin1Char('}')))
        return {};
    TFigures figures;
    static const QRegularExpression pair(QStringLiteral("\"([^\"]+)\"\\s*:\\s*([^,}]+)"));
    for (auto it = pair.globalMatch(last); it.hasNext();) {
        const auto match = it.next();
        figures.emplace_back(match.captured(1), match.captured(2).trimmed());
    }
    return figures;
}

const QString* Find(const TFigures& AFigures, const QString& AKey)
{
    for (const auto& [key, value] : AFigures)
        if (key == AKey)
            return &value;
    return nullptr;
}

QString Shown(const QString* AValue)
{
    bool number = false;
    const double value = AValue ? AValue->toDouble(&number) : 0;
    if (!AValue)
        return QStringLiteral("-");
    if (!number)
        return *AValue;
    return value >= 1000 || value <= -1000 ? QString::number(value, 'f', 0) : QString::number(value, 'g', 4);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: figures_table FILE_1M FILE_10M\n");
        return 2;
    }
    const TFigures small = LastLineFigures(args[0]);
    const TFigures large = LastLineFigures(args[1]);
    if (small.empty() || large.empty()) {
        std::fprintf(stderr, "no figures in %s\n", qPrintable(args[small.empty() ? 0 : 1]));
        return 1;
    }
    TFigures rows = small;
    for (const auto& figure : large)
        if (!Find(small, figure.first))
            rows.push_back(figure);

    std::printf("%-34s %12s %12s %9s\n", "figure", "1M", "10M", "10M/1M");
    for (const auto& [key, value] : rows) {
        const QString* one = Find(small, key);
        const QString* ten = Find(large, key);
        QString ratio = QStringLiteral("-");
        if (one && ten && one->toDouble() != 0)
            ratio = QString::number(ten->toDouble() / one->toDouble(), 'f', 2);
        std::printf("%-34s %12s %12s %9s\n", qPrintable(key), qPrintable(Shown(one)), qPrintable(Shown(ten)),
            qPrintable(ratio));
    }
    QStringList json;
    for (const auto& [key, value] : large)
        json << QStringLiteral("\"%1_10m\":%2").arg(key, value);
    std::printf("{%s}\n", qPrintable(json.join(QLatin1Char(','))));
    return 0;
}

// Runs every benchmark beside it and prints one table: the operation, whether its
// figure is simulated time or measured, the figure, its lower bound and their ratio.
//   ostrakel-bench-all [--quick]     (--quick: fewer window start-ups, shorter timing)
#include "BenchRow.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace {

struct Row {
    QString operation;
    QString kind;
    double value = 0;
    double bound = 0;  // 0: no bound
    QString unit;
};

QString figure(double value, const QString &unit)
{
    if (unit != QLatin1String("s"))
        return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(unit);
    if (value < 1e-3)
        return QStringLiteral("%1 us").arg(value * 1e6, 0, 'f', 1);
    if (value < 1)
        return QStringLiteral("%1 ms").arg(value * 1e3, 0, 'f', 1);
    return QStringLiteral("%1 s").arg(value, 0, 'f', 2);
}

// Runs one benchmark; false with the reason on standard error when it fails.
bool run(const QString &program, const QStringList &args, QByteArray &out)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationDirPath() + u'/' + program, args);
    if (!process.waitForFinished(60 * 60 * 1000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), qPrintable(process.errorString()));
        return false;
    }
    out = process.readAllStandardOutput();
    return true;
}

bool collectRows(const QString &program, const QStringList &args, std::vector<Row> &rows)
{
    QByteArray out;
    if (!run(program, args + QStringList{QStringLiteral("--rows")}, out))
        return false;
    for (const QByteArray &line : out.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 5)
            continue;
        rows.push_back({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]), fields[2].toDouble(),
                        fields[3].toDouble(), QString::fromUtf8(fields[4])});
    }
    return true;
}

// The codec and settings-file benchmark speaks Google Benchmark's JSON.
bool collectCodecRows(bool quick, std::vector<Row> &rows)
{
    QByteArray out;
    const QString minTime = quick ? QStringLiteral("0.05") : QStringLiteral("0.5");
    if (!run(QStringLiteral("ostrakel-bench-params"),
             {QStringLiteral("--benchmark_format=json"), QStringLiteral("--benchmark_min_time=") + minTime}, out))
        return false;
    const QStringList models = {QStringLiteral("TKV-C"), QStringLiteral("TKV-C2"), QStringLiteral("TKV-C3")};
    const QList<std::pair<QString, QString>> names = {
        {QStringLiteral("encodeImage"), QStringLiteral("encode parameter image")},
        {QStringLiteral("decodeImage"), QStringLiteral("decode parameter image")},
        {QStringLiteral("writeSettings"), QStringLiteral("write settings file")},
        {QStringLiteral("readSettings"), QStringLiteral("read settings file")},
        {QStringLiteral("readManySections"), QStringLiteral("read INI file of 200000 sections")},
    };
    const QJsonArray benchmarks = QJsonDocument::fromJson(out).object().value(QStringLiteral("benchmarks")).toArray();
    for (const QJsonValue &entry : benchmarks) {
        const QJsonObject b = entry.toObject();
        const QStringList name = b.value(QStringLiteral("name")).toString().split(u'/');
        QString operation = name.value(0);
        for (const auto &[key, text] : names)
            if (key == operation)
                operation = text;
        if (name.size() > 1)
            operation += QStringLiteral(", ") + models.value(name.value(1).toInt());
        const QString unit = b.value(QStringLiteral("time_unit")).toString();
        const double scale = unit == QLatin1String("ns") ? 1e-9 : unit == QLatin1String("us") ? 1e-6 : 1e-3;
        rows.push_back({operation, QStringLiteral("measured"), b.value(QStringLiteral("real_time")).toDouble() * scale,
                        0, QStringLiteral("s")});
    }
    return !benchmarks.isEmpty();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    std::vector<Row> rows;
    bool ok = collectRows(QStringLiteral("ostrakel-bench"), {}, rows);
    ok = collectRows(QStringLiteral("ostrakel-bench-remote"), {}, rows) && ok;
    ok = collectRows(QStringLiteral("ostrakel-bench-firmware"), {}, rows) && ok;
    ok = collectRows(QStringLiteral("ostrakel-bench-window"),
                     {QStringLiteral("--runs"), quick ? QStringLiteral("2") : QStringLiteral("7")}, rows)
         && ok;
    ok = collectCodecRows(quick, rows) && ok;

    std::printf("%-48s %-10s %12s %12s %7s\n", "operation", "kind", "figure", "lower bound", "ratio");
    for (const Row &row : rows) {
        const bool bounded = row.bound > 0;
        std::printf("%-48s %-10s %12s %12s %7s\n", qPrintable(row.operation), qPrintable(row.kind),
                    qPrintable(figure(row.value, row.unit)), bounded ? qPrintable(figure(row.bound, row.unit)) : "-",
                    bounded ? qPrintable(QString::number(row.value / row.bound, 'f', 2)) : "-");
        ok = ok && row.kind != QLatin1String("FAILED");
    }
    std::printf("\nsimulated: virtual time through the device simulator at the wire's speed; measured: this "
                "machine.\nlower bounds: the bytes' time on the wire (10 bits a byte at 9600 baud) with the "
                "exchange's own pauses; 100 ms a DTMF digit; an empty Qt window started the same way.\n");
    return ok ? 0 : 1;
}

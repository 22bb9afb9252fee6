// Time per call of the parameter codec and the settings file, for each model, and of
// reading an INI file of very many sections (a damaged Config.ini or language file).
#include "app/IniFile.h"
#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/SettingsFile.h"
#include "protocol/AlarmImageCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Defaults {
    explicit Defaults(CommunicatorModel model) : model(model) { applyDefaults(set, status, model); }
    CommunicatorModel model;
    ParameterSet set;
    ParameterStatus status;
};

CommunicatorModel modelOf(const benchmark::State &state)
{
    return static_cast<CommunicatorModel>(state.range(0));
}

void encodeImage(benchmark::State &state)
{
    const Defaults d(modelOf(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeAlarmImage(d.set, d.status, d.model));
}

void decodeImage(benchmark::State &state)
{
    Defaults d(modelOf(state));
    const QByteArray image = encodeAlarmImage(d.set, d.status, d.model);
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeAlarmImage(image, d.model, d.set, d.status));
}

void writeSettings(benchmark::State &state)
{
    const Defaults d(modelOf(state));
    const LanguageTable texts;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.GDL"));
    for (auto _ : state)
        benchmark::DoNotOptimize(writeSettingsFile(path, d.set, texts));
}

void readSettings(benchmark::State &state)
{
    Defaults d(modelOf(state));
    const LanguageTable texts;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.GDL"));
    writeSettingsFile(path, d.set, texts);
    for (auto _ : state)
        benchmark::DoNotOptimize(readSettingsFile(path, d.set, d.model, texts));
}

void readManySections(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Many.lng"));
    QByteArray text = "[Setup]\nCOM=1\n";
    for (int i = 0; i < 200000; ++i)
        text += "[s" + QByteArray::number(i) + "]\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        state.SkipWithError("cannot write the INI file");
        return;
    }
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(IniFile(path).value(QStringLiteral("Setup"), QStringLiteral("COM")));
}

} // namespace

BENCHMARK(encodeImage)->DenseRange(0, 2);
BENCHMARK(decodeImage)->DenseRange(0, 2);
BENCHMARK(writeSettings)->DenseRange(0, 2);
BENCHMARK(readSettings)->DenseRange(0, 2);
BENCHMARK(readManySections)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

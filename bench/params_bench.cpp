// Time per call of the parameter codec and the settings file, for each model.
#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/SettingsFile.h"
#include "protocol/AlarmImageCodec.h"

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

} // namespace

BENCHMARK(encodeImage)->DenseRange(0, 2);
BENCHMARK(decodeImage)->DenseRange(0, 2);
BENCHMARK(writeSettings)->DenseRange(0, 2);
BENCHMARK(readSettings)->DenseRange(0, 2);
BENCHMARK_MAIN();

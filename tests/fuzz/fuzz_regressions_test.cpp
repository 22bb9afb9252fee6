// Every input that once broke a fuzz target (fuzz/regressions/<target>/) replayed
// through the same parser calls under the normal build: each must be refused with a
// message or handled, and keep every promise the target checks. The seed corpora
// (fuzz/corpus/<target>/) are replayed too.

#include "../../fuzz/targets/DeviceBlockTarget.h"
#include "../../fuzz/targets/HexTargets.h"
#include "../../fuzz/targets/IdentificationTarget.h"
#include "../../fuzz/targets/IniTargets.h"
#include "../../fuzz/targets/SettingsTarget.h"
#include "../../fuzz/targets/WavTargets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

using TargetFunction = void (*)(const std::uint8_t *, std::size_t);

const std::map<QString, TargetFunction> &targets()
{
    static const std::map<QString, TargetFunction> byName{
        {QStringLiteral("settings"), ostrakel::fuzz::settingsTarget},
        {QStringLiteral("hex-bootloader"), ostrakel::fuzz::hexBootloaderTarget},
        {QStringLiteral("hex-legacy"), ostrakel::fuzz::hexLegacyTarget},
        {QStringLiteral("identification"), ostrakel::fuzz::identificationTarget},
        {QStringLiteral("device-block"), ostrakel::fuzz::deviceBlockTarget},
        {QStringLiteral("remote-read"), ostrakel::fuzz::remoteReadTarget},
        {QStringLiteral("ini"), ostrakel::fuzz::iniTarget},
        {QStringLiteral("language"), ostrakel::fuzz::languageTarget},
        {QStringLiteral("wav"), ostrakel::fuzz::wavTarget},
        {QStringLiteral("talker"), ostrakel::fuzz::talkerTarget},
    };
    return byName;
}

QDir fuzzFolder()
{
    QDir root = QFileInfo(QStringLiteral(__FILE__)).dir();  // tests/fuzz
    root.cdUp();
    root.cdUp();
    return QDir(root.filePath(QStringLiteral("fuzz")));
}

QDir inputFolder(const QString &kind, const QString &target)
{
    return QDir(fuzzFolder().filePath(kind + u'/' + target));
}

// A broken promise of the target is a failure of the test, not an abort.
void reportBrokenCheck(const char *what)
{
    ADD_FAILURE() << what;
}

// Feeds every file of the target's regression folder (none is fine) and of its seed
// corpus to the target.
void replay(const QString &target)
{
    const TargetFunction run = targets().at(target);
    const auto previousHandler = ostrakel::fuzz::failureHandler;
    ostrakel::fuzz::failureHandler = reportBrokenCheck;
    QFileInfoList inputs = inputFolder(QStringLiteral("regressions"), target).entryInfoList(QDir::Files, QDir::Name);
    inputs += inputFolder(QStringLiteral("corpus"), target).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &input : inputs) {
        SCOPED_TRACE(input.filePath().toStdString());
        QFile file(input.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.errorString().toStdString();
        const QByteArray bytes = file.readAll();
        run(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
    }
    ostrakel::fuzz::failureHandler = previousHandler;
}

}  // namespace

TEST(FuzzRegression, TheFuzzFolderIsFound)
{
    EXPECT_TRUE(QFileInfo::exists(fuzzFolder().filePath(QStringLiteral("CMakeLists.txt"))))
        << fuzzFolder().path().toStdString();
    // Every target has its seeds.
    for (const auto &[name, run] : targets())
        EXPECT_FALSE(inputFolder(QStringLiteral("corpus"), name).isEmpty(QDir::Files)) << name.toStdString();
}

// A folder whose name is no target would never be replayed.
TEST(FuzzRegression, EveryRegressionFolderNamesATarget)
{
    const QDir folder(fuzzFolder().filePath(QStringLiteral("regressions")));
    for (const QString &name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_TRUE(targets().count(name)) << name.toStdString();
}

// Each target of fuzz/ has its replay here.
TEST(FuzzRegression, EveryTargetIsReplayed)
{
    for (const QString &entry : fuzzFolder().entryList({QStringLiteral("*_fuzz.cpp")}, QDir::Files)) {
        const QString name = entry.chopped(int(std::strlen("_fuzz.cpp")));
        EXPECT_TRUE(targets().count(name)) << name.toStdString();
    }
}

TEST(FuzzRegression, Settings) { replay(QStringLiteral("settings")); }
TEST(FuzzRegression, HexBootloader) { replay(QStringLiteral("hex-bootloader")); }
TEST(FuzzRegression, HexLegacy) { replay(QStringLiteral("hex-legacy")); }
TEST(FuzzRegression, Identification) { replay(QStringLiteral("identification")); }
TEST(FuzzRegression, DeviceBlock) { replay(QStringLiteral("device-block")); }
TEST(FuzzRegression, RemoteRead) { replay(QStringLiteral("remote-read")); }
TEST(FuzzRegression, Ini) { replay(QStringLiteral("ini")); }
TEST(FuzzRegression, Language) { replay(QStringLiteral("language")); }
TEST(FuzzRegression, Wav) { replay(QStringLiteral("wav")); }
TEST(FuzzRegression, Talker) { replay(QStringLiteral("talker")); }

// The faults the fuzz targets found, each as a test of its own.

// A value cut by a lone CR was read with the CR in it, which no write can store: the
// settings could never be saved again.
TEST(FuzzRegressionIni, ALoneCarriageReturnEndsALine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Config.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Setup]\r\nLang=English.lng\rCOM=3\r\nUSB=1\r\n");
    file.close();

    IniFile ini(path);
    EXPECT_EQ(ini.value(QStringLiteral("Setup"), QStringLiteral("Lang")), QStringLiteral("English.lng"));
    EXPECT_EQ(ini.intValue(QStringLiteral("Setup"), QStringLiteral("COM"), 0), 3);
    EXPECT_EQ(ini.intValue(QStringLiteral("Setup"), QStringLiteral("USB"), 0), 1);

    AppConfig config;
    ASSERT_TRUE(config.load(dir.path() + u'/'));
    EXPECT_TRUE(config.save());
    EXPECT_EQ(IniFile(path).value(QStringLiteral("Setup"), QStringLiteral("Lang")), QStringLiteral("English.lng"));
}

// The first section of each name counts, whatever its case. (The names seen were kept
// in a list, so that a file of 200000 sections took 47 s to read; the benchmark
// "read INI file of 200000 sections" keeps an eye on that.)
TEST(FuzzRegressionIni, TheFirstSectionOfANameCountsAmongMany)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Many.lng"));
    QByteArray text = "[Setup]\nCOM=1\n";
    for (int i = 0; i < 1000; ++i)
        text += "[s" + QByteArray::number(i) + "]\n";
    text += "[setup]\nCOM=2\n[s7]\nCOM=3\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    const IniFile ini(path);
    EXPECT_EQ(ini.value(QStringLiteral("Setup"), QStringLiteral("COM")), QStringLiteral("1"));
    EXPECT_EQ(ini.value(QStringLiteral("s7"), QStringLiteral("COM")), QString());
}

// A WAV that claims a rate of 1 Hz was converted to 8000 samples for each of its
// bytes: gigabytes and minutes for a file of a megabyte. No device holds more than a
// small part of longestConversion, so the conversion stops there.
TEST(FuzzRegressionWav, AFewHertzDoNotBlowUpTheConversion)
{
    QByteArray wav = wavOfSamples(QByteArray(20000, char(0x80)), 8000);
    const quint32 oneHertz = 1;
    std::memcpy(wav.data() + 24, &oneHertz, 4);  // sample rate
    std::memcpy(wav.data() + 28, &oneHertz, 4);  // bytes a second
    const DeviceSamples samples = deviceSamplesOf(wav, VoiceRate::communicator);
    ASSERT_TRUE(samples.ok());
    EXPECT_TRUE(samples.converted);
    EXPECT_EQ(samples.samples.size(), longestConversion);
}

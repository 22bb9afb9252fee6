#include "app/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ProgramFolderTest, ChoosesHomeThenWritableExecutableFolderThenConfigFolder)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QString exe = dir.filePath("bin");
    const QString config = dir.filePath("config");
    QDir().mkpath(exe);

    EXPECT_EQ(ProgramFolder::resolve(home, exe, config), home + '/');
    EXPECT_TRUE(QFileInfo(home).isDir());
    EXPECT_EQ(ProgramFolder::resolve(QString(), exe, config), exe + '/');
    EXPECT_EQ(ProgramFolder::resolve(QString(), dir.filePath("gone"), config), config + "/ostrakel/");
    EXPECT_TRUE(QFileInfo(config + "/ostrakel").isDir());
    // Installed, even a writable program folder (root) stays clean.
    EXPECT_EQ(ProgramFolder::resolve(QString(), exe, config, true), config + "/ostrakel/");
    EXPECT_EQ(ProgramFolder::resolve(home, exe, config, true), home + '/');
}

TEST(ProgramFolderTest, ReadOnlyExecutableFolderFallsBackToConfigFolder)
{
    QTemporaryDir dir;
    const QString exe = dir.filePath("bin");
    const QString config = dir.filePath("config");
    QDir().mkpath(exe);
    QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool ignoresPermissions = QFileInfo(exe).isWritable();
    const QString readOnlyChoice = ProgramFolder::resolve(QString(), exe, config);
    QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (ignoresPermissions)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_EQ(readOnlyChoice, config + "/ostrakel/");
}

TEST(ProgramFolderTest, EnvironmentOverridesAndDataFilesAreFound)
{
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("OSTRAKEL_HOME");
    qputenv("OSTRAKEL_HOME", dir.path().toUtf8());

    EXPECT_EQ(ProgramFolder::path(), dir.path() + '/');
    EXPECT_EQ(ProgramFolder::dataFolders().value(0), dir.path() + '/');
    EXPECT_TRUE(ProgramFolder::findDataFile("Nothing-here.lng").isEmpty());
    QFile file(dir.filePath("German.lng"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(ProgramFolder::findDataFile("German.lng"), dir.path() + "/German.lng");

    if (saved.isNull())
        qunsetenv("OSTRAKEL_HOME");
    else
        qputenv("OSTRAKEL_HOME", saved);
}

} // namespace

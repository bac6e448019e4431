// Where the installation files are found and where the databases go, for a build tree or
// portable install (files beside the program) and for an installed tree (bin/ and share/).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "AppFolders.h"

namespace {

using namespace revora;

void MakeFolder(const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); }

TEST(AppFolders, FilesBesideTheProgramAreUsedAndTheDatabasesStayThere)
{
    QTemporaryDir root;
    const QString program = root.path() + "/portable";
    MakeFolder(program + "/layouts");
    EXPECT_EQ(InstallFolder(program), program);
    EXPECT_EQ(DefaultApplicationFolder(program, root.path() + "/user"), program);
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/user"));
}

TEST(AppFolders, AnInstalledProgramFindsItsFilesInShareBesideBin)
{
    QTemporaryDir root;
    const QString prefix = root.path() + "/prefix";
    MakeFolder(prefix + "/bin");
    MakeFolder(prefix + "/share/revora2016/layouts");
    EXPECT_EQ(InstallFolder(prefix + "/bin"), prefix + "/share/revora2016");
}

TEST(AppFolders, AnInstalledProgramKeepsItsDatabasesInTheUserFolderEvenWithAWritableBin)
{
    QTemporaryDir root;
    const QString prefix = root.path() + "/prefix";
    MakeFolder(prefix + "/bin");
    MakeFolder(prefix + "/share/revora2016/layouts");
    const QString user = root.path() + "/home/.local/share/Revora/Revora2016";
    EXPECT_EQ(DefaultApplicationFolder(prefix + "/bin", user), user);
    EXPECT_TRUE(QFileInfo(user).isDir());
}

TEST(AppFolders, AReadOnlyPortableFolderFallsBackToTheUserFolder)
{
    QTemporaryDir root;
    const QString program = root.path() + "/portable";
    MakeFolder(program + "/layouts");
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool readOnly = !QFileInfo(program).isWritable();  // root writes regardless
    const QString user = root.path() + "/user";
    if (readOnly) {
        EXPECT_EQ(DefaultApplicationFolder(program, user), user);
    }
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!readOnly)
        GTEST_SKIP() << "running as root: a read-only folder is still writable";
}

} // namespace

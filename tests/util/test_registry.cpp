#include "registry_store.h"
#include "run_directory.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tamsel;

namespace {

const QString Velkor = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor");

struct PathCase
{
    const char *name;
    const char *readPath; // path used to read back what was written under Velkor
    bool found;
};

const PathCase PathCases[] = {
    {"same_spelling", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor", true},
    {"root_in_lower_case", "hkey_local_machine\\SOFTWARE\\Velkor", true},
    {"root_in_mixed_case", "Hkey_Local_Machine\\SOFTWARE\\Velkor", true},
    {"subkey_in_other_case", "HKEY_LOCAL_MACHINE\\software\\VELKOR", true},
    {"other_root", "HKEY_CURRENT_USER\\SOFTWARE\\Velkor", false},
    {"unknown_root", "HKLM\\SOFTWARE\\Velkor", false},
    {"no_backslash", "HKEY_LOCAL_MACHINE", false},
    {"parent_key", "HKEY_LOCAL_MACHINE\\SOFTWARE", false},
};

void PrintTo(const PathCase &c, std::ostream *os) { *os << c.name; }

class RegistryPath : public testing::TestWithParam<PathCase>
{
protected:
    test::TempHome home;
};

TEST_P(RegistryPath, ReadsWhatWasWrittenOnlyUnderTheSameKey)
{
    RegistryStore store;
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
    const QByteArray read = store.readText(QString::fromUtf8(GetParam().readPath), QStringLiteral("tamsel"));
    EXPECT_EQ(read, GetParam().found ? QByteArray("1") : QByteArray());
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryPath, testing::ValuesIn(PathCases),
                         [](const auto &info) { return std::string(info.param.name); });

class Registry : public testing::Test
{
protected:
    test::TempHome home;
    RegistryStore store;
};

TEST_F(Registry, InvalidPathsWriteNothing)
{
    for (const char *path : {"HKEY_LOCAL_MACHINE", "HKLM\\SOFTWARE\\Velkor", "", "\\SOFTWARE"}) {
        EXPECT_FALSE(store.writeText(QString::fromUtf8(path), QStringLiteral("Tamsel"), "1")) << path;
    }
    EXPECT_FALSE(QFileInfo::exists(store.storeFile()));
}

TEST_F(Registry, ValuesKeepTheirBytesAndZerosReadAsLineEnds)
{
    struct Case
    {
        const char *name;
        QByteArray stored;
        QByteArray read;
    } cases[] = {
        {"terminated_string", QByteArray("1\0", 2), "1\r\n"},
        {"multi_string", QByteArray("ab\0cd\0\0", 7), "ab\r\ncd\r\n\r\n"},
        {"gbk_bytes", "\xc3\xdc\xc2\xeb", "\xc3\xdc\xc2\xeb"},
        {"bytes_that_look_like_the_file", "K %41\nV end\n", "K %41\nV end\n"},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(store.writeRaw(Velkor, QString::fromUtf8(c.name), c.stored)) << c.name;
    }
    // A second instance sees them: the store has no state but its file.
    const RegistryStore other;
    for (const Case &c : cases) {
        EXPECT_EQ(other.readText(Velkor, QString::fromUtf8(c.name)), c.read) << c.name;
    }
}

TEST_F(Registry, WriteTextStoresWithoutTerminatorAndReplaces)
{
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("MIMA"), QByteArray("abc\0def", 7)));
    EXPECT_EQ(store.readText(Velkor, QStringLiteral("MIMA")), "abc");
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("mima"), "xyz"));
    EXPECT_EQ(store.readText(Velkor, QStringLiteral("MIMA")), "xyz");
    EXPECT_EQ(store.readText(Velkor, QStringLiteral("Other")), "");
}

TEST_F(Registry, WritingCreatesParentsAndReadingCreatesNothing)
{
    const QString deep = QStringLiteral("HKEY_CURRENT_USER\\A\\B\\C");
    EXPECT_EQ(store.readText(deep, QStringLiteral("v")), "");
    EXPECT_FALSE(QFileInfo::exists(store.storeFile()));
    ASSERT_TRUE(store.writeText(deep, QStringLiteral("v"), "x"));
    for (const char *key : {"HKEY_CURRENT_USER\\A", "HKEY_CURRENT_USER\\A\\B", "HKEY_CURRENT_USER\\A\\B\\C"})
        EXPECT_TRUE(store.keyExists(QString::fromUtf8(key))) << key;
    QFile file(store.storeFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    EXPECT_EQ(store.readText(QStringLiteral("HKEY_CURRENT_USER\\A\\X"), QStringLiteral("v")), "");
    EXPECT_FALSE(store.keyExists(QStringLiteral("HKEY_CURRENT_USER\\A\\X")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(Registry, StoreIsPrivateToTheUser)
{
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("MIMA"), "secret"));
    EXPECT_EQ(QFileInfo(store.storeFile()).absolutePath(), userConfigFolder());
    struct stat info{};
    ASSERT_EQ(stat(QFile::encodeName(store.storeFile()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(Registry, CorruptStoreReadsEmptyAndIsKeptAside)
{
    QDir().mkpath(userConfigFolder());
    const QByteArray damaged = "tamsel registry 1\nK HKEY_LOCAL_MACHINE\nV HKEY_LOC";
    for (int round = 1; round <= 2; ++round) {
        QFile file(store.storeFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();
        EXPECT_EQ(store.readText(QStringLiteral("HKEY_LOCAL_MACHINE\\"), QStringLiteral("V")), "");
        ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "0"));
        EXPECT_EQ(store.readText(Velkor, QStringLiteral("Tamsel")), "0");
        QFile aside(store.storeFile() + QStringLiteral(".corrupt-%1").arg(round));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly)) << "round " << round;
        EXPECT_EQ(aside.readAll(), damaged);
    }
}

TEST_F(Registry, RefusedWritesReturnFalseAndChangeNothing)
{
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
    // The store's place taken by a folder refuses writes even to root.
    RegistryStore blocked(home.path() + QStringLiteral("/blocked/registry"));
    QDir().mkpath(blocked.storeFile());
    EXPECT_FALSE(blocked.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
    EXPECT_EQ(blocked.readText(Velkor, QStringLiteral("Tamsel")), "");

    // So does a config folder that is a plain file.
    QFile::remove(store.storeFile());
    QDir(userConfigFolder()).removeRecursively();
    QFile plain(userConfigFolder());
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_FALSE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
}

TEST_F(Registry, KilledWriterLeavesOldOrNewStore)
{
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("big"), QByteArray(1 << 20, 'a')));
    for (int attempt = 0; attempt < 5; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RegistryStore writer;
            for (char c = 'b';; c = c == 'z' ? 'b' : char(c + 1))
                writer.writeText(Velkor, QStringLiteral("big"), QByteArray(1 << 20, c));
        }
        usleep(useconds_t(30000 + attempt * 17000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        // A crashed writer may leave its lock behind; a later writer takes
        // it over because its owner is gone.
        const QByteArray value = store.readText(Velkor, QStringLiteral("big"));
        ASSERT_EQ(value.size(), 1 << 20) << "attempt " << attempt;
        EXPECT_EQ(value.count(value.at(0)), value.size());
    }
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("after"), "1"));
    EXPECT_FALSE(QFileInfo::exists(store.storeFile() + QStringLiteral(".corrupt-1")));
}

TEST_F(Registry, EmptyLockOfAWriterKilledAsItTookTheLockIsTakenOver)
{
    // A writer killed between creating its lock file and writing its process
    // number into it leaves an empty lock that names no owner.
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
    QFile lock(store.storeFile() + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    EXPECT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "0"));
    EXPECT_EQ(store.readText(Velkor, QStringLiteral("Tamsel")), "0");
}

} // namespace

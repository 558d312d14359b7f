#include "app/SingleInstance.h"

#include "app/HelpPage.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace rimo {
namespace {

using Result = SingleInstance::Result;

// Sets an environment variable for the test's time.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string* value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), saved_(qgetenv(name)) {
        if (value) {
            qputenv(name, QByteArray::fromStdString(*value));
        } else {
            qunsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (had_) {
            qputenv(name_, saved_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_;
    QByteArray saved_;
};

TEST(SingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds) {
    TempFolder folder;
    const QString lock = QString::fromStdString((folder / "RimoTimeOneCopyMutex.lock").string());
    auto first = std::make_unique<SingleInstance>(lock);
    ASSERT_EQ(first->TryAcquire(), Result::Acquired);
    SingleInstance second(lock);
    EXPECT_EQ(second.TryAcquire(), Result::HeldByAnotherCopy);
    EXPECT_TRUE(second.Problem().isEmpty());
    first.reset();
    EXPECT_EQ(second.TryAcquire(), Result::Acquired);

    // A lock that cannot be made is not one held by another copy.
    const std::string missing = (folder / "no-such-folder" / "RimoTimeOneCopyMutex.lock").string();
    SingleInstance nowhere(QString::fromStdString(missing));
    EXPECT_EQ(nowhere.TryAcquire(), Result::NotCreated);
    EXPECT_TRUE(nowhere.Problem().contains(QString::fromStdString(missing)));
}

TEST(SingleInstance, WithoutARuntimeFolderTheLockLiesInAFolderOfThisUsersOwn) {
    TempFolder runtime;
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::owner_all);
    TempFolder temp;
    const std::string runtimePath = runtime.Path().string();
    const std::string tempPath = temp.Path().string();
    ScopedVariable tmpdir("TMPDIR", &tempPath);
    {
        ScopedVariable xdg("XDG_RUNTIME_DIR", &runtimePath);
        EXPECT_EQ(SingleInstance::DefaultLockPath().toStdString(),
                  (runtime / "RimoTimeOneCopyMutex.lock").string());
    }
    ScopedVariable xdg("XDG_RUNTIME_DIR", nullptr);
    const std::filesystem::path lock = SingleInstance::DefaultLockPath().toStdString();
    ASSERT_FALSE(lock.empty());
    EXPECT_EQ(lock.filename(), "RimoTimeOneCopyMutex.lock");
    const std::filesystem::path folder = lock.parent_path();
    EXPECT_EQ(folder.parent_path(), temp.Path()); // not the shared folder itself
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_uid, ::getuid());
    EXPECT_EQ(info.st_mode & 07777, 0700U);
    // The built-in help page is written there too.
    EXPECT_EQ(HelpPage::RuntimeFolder(), folder / "RimoTimeInformation");
    SingleInstance instance;
    EXPECT_EQ(instance.TryAcquire(), Result::Acquired);

    // A folder of that name made by someone else is not used.
    if (::getuid() == 0) {
        std::filesystem::remove_all(folder);
        ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        QString problem;
        EXPECT_TRUE(SingleInstance::DefaultLockPath(&problem).isEmpty());
        EXPECT_FALSE(problem.isEmpty());
        SingleInstance refused;
        EXPECT_EQ(refused.TryAcquire(), Result::NotCreated);
        EXPECT_FALSE(refused.Problem().isEmpty());
        EXPECT_TRUE(HelpPage::RuntimeFolder().empty());
    }
}

// $XDG_RUNTIME_DIR pointing at a folder others can write, or at another
// user's, is not used for the lock and the help page.
TEST(SingleInstance, ARuntimeFolderThatIsNotThisUsersAloneIsPassedOver) {
    TempFolder runtime;
    TempFolder temp;
    const std::string runtimePath = runtime.Path().string();
    const std::string tempPath = temp.Path().string();
    ScopedVariable tmpdir("TMPDIR", &tempPath);
    ScopedVariable xdg("XDG_RUNTIME_DIR", &runtimePath);
    const auto lockFolder = [] {
        return std::filesystem::path(SingleInstance::DefaultLockPath().toStdString()).parent_path();
    };
    for (const mode_t mode : {01777, 0755, 0770}) {
        ASSERT_EQ(::chmod(runtime.Path().c_str(), mode), 0);
        EXPECT_EQ(lockFolder().parent_path(), temp.Path()) << std::oct << mode;
        EXPECT_NE(HelpPage::RuntimeFolder().parent_path(), runtime.Path()) << std::oct << mode;
    }
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(runtime.Path().c_str(), 0700), 0);
        ASSERT_EQ(::chown(runtime.Path().c_str(), 65534, 65534), 0);
        EXPECT_EQ(lockFolder().parent_path(), temp.Path());
    }
    ASSERT_EQ(::chown(runtime.Path().c_str(), ::geteuid(), ::getegid()), 0);
    ASSERT_EQ(::chmod(runtime.Path().c_str(), 0700), 0);
    EXPECT_EQ(lockFolder(), runtime.Path());
}

} // namespace
} // namespace rimo

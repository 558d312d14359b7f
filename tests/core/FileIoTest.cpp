#include "core/FileIo.h"

#include "AsOtherUser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rimo {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "rimo-fileio-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr) << std::strerror(errno);
        folder_ = name;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    static void Put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static mode_t ModeOf(const fs::path& path) {
        struct stat info {};
        EXPECT_EQ(::lstat(path.c_str(), &info), 0);
        return info.st_mode & 07777;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

TEST_F(FileIoTest, ReadsEveryByte) {
    std::string bytes = "\x8c\x8e\0\r\n"s;
    for (int i = 0; i < 200'000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    Put(folder_ / "data.dat", bytes);
    Message error;
    EXPECT_EQ(ReadWholeFile(folder_ / "data.dat", &error), bytes);
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadWholeFile(folder_ / "data.dat", nullptr), bytes);

    Put(folder_ / "empty.dat", "");
    EXPECT_EQ(ReadWholeFile(folder_ / "empty.dat", &error), "");
}

TEST_F(FileIoTest, ReadingAMissingFileIsAnErrorOnlyWhenAsked) {
    const fs::path missing = folder_ / "missing.ini";
    Message error;
    EXPECT_EQ(ReadWholeFile(missing, &error), std::nullopt);
    EXPECT_THAT(error.Text(), HasSubstr("ファイル " + missing.string() + " を読み込めません"));
    EXPECT_THAT(error.Text(), HasSubstr(std::strerror(ENOENT)));

    error = Message::Plain("stale");
    EXPECT_EQ(ReadWholeFile(missing, &error, /*missingIsError=*/false), std::nullopt);
    EXPECT_EQ(error, "");
    // Below a file where the folder should be (a data folder that could not
    // be made) there is no such file either.
    Put(folder_ / "plain", "");
    error = Message::Plain("stale");
    EXPECT_EQ(ReadWholeFile(folder_ / "plain" / "rimotime.ini", &error, false), std::nullopt);
    EXPECT_EQ(error, "");
}

TEST_F(FileIoTest, ReadingAFolderFails) {
    Message error;
    EXPECT_EQ(ReadWholeFile(folder_, &error, false), std::nullopt);
    EXPECT_THAT(error.Text(), HasSubstr(std::strerror(EISDIR)));
}

TEST_F(FileIoTest, AtomicWriteReplacesContentAndMakesTheFileThisUsersAlone) {
    // In a private folder (the data folder) a rewrite drops group and other bits.
    const fs::path target = folder_ / "schedule.dat";
    Put(target, "old content that is longer than the new one");
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    const Status status = WriteFileAtomically(target, "new");
    ASSERT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(Get(target), "new");
    EXPECT_EQ(ModeOf(target), 0600U);
    EXPECT_THAT(Names(), ElementsAre("schedule.dat"));

    // Beside a portable copy, in a folder others may enter, a mode the user
    // chose stays.
    ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
    ASSERT_TRUE(WriteFileAtomically(target, "newer").ok());
    EXPECT_EQ(Get(target), "newer");
    EXPECT_EQ(ModeOf(target), 0664U);
}

TEST_F(FileIoTest, NewFilesAreThisUsersAloneWhateverTheUmask) {
    ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(WriteFileAtomically(folder_ / "new.ini", "[Main]\r\n").ok());
    ASSERT_TRUE(AppendToFile(folder_ / "new.log", "line\r\n").ok());
    ::umask(mask);
    EXPECT_EQ(Get(folder_ / "new.ini"), "[Main]\r\n");
    EXPECT_EQ(ModeOf(folder_ / "new.ini"), 0600U);
    EXPECT_EQ(ModeOf(folder_ / "new.log"), 0600U);
    EXPECT_THAT(Names(), ElementsAre("new.ini", "new.log"));

    // A log made before files were kept private becomes so in a private folder.
    ASSERT_EQ(::chmod(folder_.c_str(), 0700), 0);
    ASSERT_EQ(::chmod((folder_ / "new.log").c_str(), 0644), 0);
    ASSERT_TRUE(AppendToFile(folder_ / "new.log", "more\r\n").ok());
    EXPECT_EQ(ModeOf(folder_ / "new.log"), 0600U);
}

// Links are followed only between folders of this user's own, and never by
// root: a link planted where others can write must not redirect a write.
TEST_F(FileIoTest, ALinkIsWrittenThroughOnlyBetweenFoldersOfThisUsersOwn) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as a second user";
    }
    ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
    const fs::path own = folder_ / "own";       // the user's data folder
    const fs::path synced = folder_ / "synced"; // another folder of the user's
    const fs::path shared = folder_ / "shared"; // someone else's, open to all
    for (const fs::path& folder : {own, synced, shared}) {
        fs::create_directory(folder);
    }
    ASSERT_EQ(::chown(own.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chown(synced.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chmod(own.c_str(), 0700), 0);
    ASSERT_EQ(::chown(shared.c_str(), kThirdUser, kThirdUser), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    for (const fs::path& file : {synced / "rimotime.ini", own / "rimotime.dat"}) {
        Put(file, "the user's");
        ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherUser), 0);
    }
    fs::create_symlink(synced / "rimotime.ini", own / "rimotime.ini");
    fs::create_symlink(own / "rimotime.dat", shared / "rimotime.dat");
    fs::create_symlink(own / "rimotime.dat", shared / "rimotime.log");

    const int status = RunAsUser(kOtherUser, [&] {
        const bool through = WriteFileAtomically(own / "rimotime.ini", "linked").ok();
        const bool planted = WriteFileAtomically(shared / "rimotime.dat", "planted").ok();
        const bool appended = AppendToFile(shared / "rimotime.log", "planted").ok();
        return (through ? 0 : 1) | (planted ? 0 : 2) | (appended ? 4 : 0);
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fs::is_symlink(own / "rimotime.ini"));
    EXPECT_EQ(Get(synced / "rimotime.ini"), "linked");
    // The planted link was replaced, its target left alone; the append was refused.
    EXPECT_FALSE(fs::is_symlink(shared / "rimotime.dat"));
    EXPECT_EQ(Get(shared / "rimotime.dat"), "planted");
    EXPECT_EQ(Get(own / "rimotime.dat"), "the user's");

    // Root follows no link at all.
    ASSERT_TRUE(WriteFileAtomically(own / "rimotime.ini", "as root").ok());
    EXPECT_FALSE(fs::is_symlink(own / "rimotime.ini"));
    EXPECT_EQ(Get(synced / "rimotime.ini"), "linked");
    const Status appended = AppendToFile(shared / "rimotime.log", "as root");
    EXPECT_FALSE(appended.ok());
    EXPECT_THAT(appended.message(), HasSubstr((shared / "rimotime.log").string()));
    EXPECT_EQ(Get(own / "rimotime.dat"), "the user's");
}

TEST_F(FileIoTest, AtomicWriteIntoAMissingFolderReportsFileAndReason) {
    // Tests may run as root, whom a read-only folder does not stop; a regular
    // file where a folder should be stops everyone.
    Put(folder_ / "plain", "not a folder");
    const fs::path target = folder_ / "plain" / "settings.ini";

    const Status status = WriteFileAtomically(target, "x");
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message(),
              "ファイル " + target.string() + " に書き込めません: " + std::strerror(ENOTDIR));
    EXPECT_EQ(Get(folder_ / "plain"), "not a folder");
    EXPECT_THAT(Names(), ElementsAre("plain"));

    EXPECT_FALSE(WriteFileAtomically("/proc/rimo-cannot-exist.ini", "x").ok());
}

TEST_F(FileIoTest, FailedRenameRemovesTheTemporaryFile) {
    // A folder cannot be replaced by a file: everything up to the rename works.
    fs::create_directory(folder_ / "taken");
    Put(folder_ / "taken" / "inside", "kept");

    const Status status = WriteFileAtomically(folder_ / "taken", "x");
    ASSERT_FALSE(status.ok());
    EXPECT_THAT(status.message(), HasSubstr((folder_ / "taken").string()));
    EXPECT_EQ(Get(folder_ / "taken" / "inside"), "kept");
    EXPECT_THAT(Names(), ElementsAre("taken"));
}

TEST_F(FileIoTest, FullDiskKeepsTheOldFile) {
    const fs::path target = folder_ / "schedule.dat";
    Put(target, "the user's schedule");
    const std::string big(256 * 1024, 'x');

    // A file size limit in a child process stands in for a full disk: the
    // writes stop part way through, as they would there.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Status status = WriteFileAtomically(target, big);
        const bool reported = !status.ok() &&
                              status.message().find(target.string()) != std::string::npos &&
                              status.message().find(std::strerror(EFBIG)) != std::string::npos;
        ::_exit(reported ? 0 : 1);
    }
    int childStatus = 0;
    ASSERT_EQ(::waitpid(child, &childStatus, 0), child);
    ASSERT_TRUE(WIFEXITED(childStatus));
    EXPECT_EQ(WEXITSTATUS(childStatus), 0) << "the failed write was not reported";

    EXPECT_EQ(Get(target), "the user's schedule");
    EXPECT_THAT(Names(), ElementsAre("schedule.dat"));
}

TEST_F(FileIoTest, AppendCreatesThenAppends) {
    const fs::path log = folder_ / "log.txt";
    ASSERT_TRUE(AppendToFile(log, "one\r\n").ok());
    ASSERT_TRUE(AppendToFile(log, "two\r\n").ok());
    EXPECT_EQ(Get(log), "one\r\ntwo\r\n");

    Put(folder_ / "plain", "");
    const Status status = AppendToFile(folder_ / "plain" / "log.txt", "x");
    ASSERT_FALSE(status.ok());
    EXPECT_THAT(status.message(), HasSubstr((folder_ / "plain" / "log.txt").string()));
    EXPECT_THAT(status.message(), HasSubstr(std::strerror(ENOTDIR)));
}

// A FIFO or a device in place of a file must not hang the program: the
// reading and appending run in a child that an alarm ends if they block.
TEST_F(FileIoTest, AnythingButARegularFileIsRefusedWithoutWaiting) {
    const fs::path fifo = folder_ / "rimotime.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::alarm(10);
        Message readError;
        const bool readRefused =
            !ReadWholeFile(fifo, &readError) &&
            readError.Text().find(fifo.string()) != std::string::npos &&
            readError.Text().find("通常のファイルではありません") != std::string::npos;
        const Status appended = AppendToFile(fifo, "x");
        const bool appendRefused =
            !appended.ok() && appended.message().find(fifo.string()) != std::string::npos;
        ::_exit((readRefused ? 0 : 1) | (appendRefused ? 0 : 2));
    }
    int childStatus = 0;
    ASSERT_EQ(::waitpid(child, &childStatus, 0), child);
    ASSERT_TRUE(WIFEXITED(childStatus)) << "blocked on the FIFO";
    EXPECT_EQ(WEXITSTATUS(childStatus), 0);

    Message error;
    EXPECT_EQ(ReadWholeFile("/dev/zero", &error), std::nullopt);
    EXPECT_THAT(error.Text(),
                HasSubstr("/dev/zero を読み込めません: 通常のファイルではありません"));
}

TEST_F(FileIoTest, AFileOverTheLimitIsRefusedWithItsName) {
    const fs::path file = folder_ / "rimotime.dat";
    Put(file, std::string(100, 'x'));
    Message error;
    EXPECT_EQ(ReadWholeFile(file, &error, true, 100), std::string(100, 'x'));
    EXPECT_EQ(ReadWholeFile(file, &error, true, 99), std::nullopt);
    EXPECT_THAT(error.Text(),
                HasSubstr("ファイル " + file.string() + " を読み込めません: 大きすぎます"));

    // The usual limit: a sparse file costs no disk.
    ASSERT_EQ(::truncate(file.c_str(), static_cast<off_t>(kMaxFileSize) + 1), 0);
    EXPECT_EQ(ReadWholeFile(file, &error), std::nullopt);
    EXPECT_THAT(error.Text(), HasSubstr("大きすぎます"));
}

TEST_F(FileIoTest, MoveAsideNumbersCopiesWithoutOverwriting) {
    const fs::path file = folder_ / "schedule.dat";
    Message error;
    for (const char* content : {"first", "second", "third"}) {
        Put(file, content);
        ASSERT_TRUE(MoveFileAside(file, &error)) << error;
    }
    EXPECT_EQ(Get(folder_ / "schedule.dat.broken"), "first");
    EXPECT_EQ(Get(folder_ / "schedule.dat.broken.1"), "second");
    EXPECT_EQ(Get(folder_ / "schedule.dat.broken.2"), "third");
    EXPECT_FALSE(fs::exists(file));

    Put(file, "fourth");
    EXPECT_EQ(MoveFileAside(file, &error), folder_ / "schedule.dat.broken.3");
}

TEST_F(FileIoTest, MovingAsideAMissingFileFails) {
    const fs::path missing = folder_ / "missing.dat";
    Message error;
    EXPECT_EQ(MoveFileAside(missing, &error), std::nullopt);
    EXPECT_THAT(error.Text(), HasSubstr(missing.string()));
    EXPECT_THAT(error.Text(), HasSubstr(std::strerror(ENOENT)));
    EXPECT_THAT(Names(), ElementsAre());
}

} // namespace
} // namespace rimo

#include "core/FileIo.h"

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
    std::string error = "stale";
    EXPECT_EQ(ReadWholeFile(folder_ / "data.dat", &error), bytes);
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadWholeFile(folder_ / "data.dat", nullptr), bytes);

    Put(folder_ / "empty.dat", "");
    EXPECT_EQ(ReadWholeFile(folder_ / "empty.dat", &error), "");
}

TEST_F(FileIoTest, ReadingAMissingFileIsAnErrorOnlyWhenAsked) {
    const fs::path missing = folder_ / "missing.ini";
    std::string error;
    EXPECT_EQ(ReadWholeFile(missing, &error), std::nullopt);
    EXPECT_THAT(error, HasSubstr("ファイル " + missing.string() + " を読み込めません"));
    EXPECT_THAT(error, HasSubstr(std::strerror(ENOENT)));

    error = "stale";
    EXPECT_EQ(ReadWholeFile(missing, &error, /*missingIsError=*/false), std::nullopt);
    EXPECT_EQ(error, "");
}

TEST_F(FileIoTest, ReadingAFolderFails) {
    std::string error;
    EXPECT_EQ(ReadWholeFile(folder_, &error, false), std::nullopt);
    EXPECT_THAT(error, HasSubstr(std::strerror(EISDIR)));
}

TEST_F(FileIoTest, AtomicWriteReplacesContentAndKeepsPermissions) {
    const fs::path target = folder_ / "schedule.dat";
    Put(target, "old content that is longer than the new one");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);

    const Status status = WriteFileAtomically(target, "new");
    ASSERT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(Get(target), "new");
    EXPECT_EQ(ModeOf(target), 0640U);
    EXPECT_THAT(Names(), ElementsAre("schedule.dat"));
}

TEST_F(FileIoTest, AtomicWriteCreatesANewFileWithTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const fs::path target = folder_ / "new.ini";

    ASSERT_TRUE(WriteFileAtomically(target, "[Main]\r\n").ok());
    EXPECT_EQ(Get(target), "[Main]\r\n");
    EXPECT_EQ(ModeOf(target), 0666U & ~mask);
    EXPECT_THAT(Names(), ElementsAre("new.ini"));
}

TEST_F(FileIoTest, AtomicWriteGoesThroughASymbolicLink) {
    Put(folder_ / "real.ini", "old");
    fs::create_symlink("real.ini", folder_ / "link.ini");

    ASSERT_TRUE(WriteFileAtomically(folder_ / "link.ini", "new").ok());
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.ini"));
    EXPECT_EQ(Get(folder_ / "real.ini"), "new");
    EXPECT_THAT(Names(), ElementsAre("link.ini", "real.ini"));
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

TEST_F(FileIoTest, MoveAsideNumbersCopiesWithoutOverwriting) {
    const fs::path file = folder_ / "schedule.dat";
    std::string error;
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
    std::string error;
    EXPECT_EQ(MoveFileAside(missing, &error), std::nullopt);
    EXPECT_THAT(error, HasSubstr(missing.string()));
    EXPECT_THAT(error, HasSubstr(std::strerror(ENOENT)));
    EXPECT_THAT(Names(), ElementsAre());
}

} // namespace
} // namespace rimo

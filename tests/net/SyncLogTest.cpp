#include "net/SyncLog.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace rimo {
namespace {

TEST(SyncLog, AppendsEachLineOnceWhateverTheNumberOfSaves) {
    TempFolder folder;
    SyncLog log(folder / "rimotime.log");
    std::vector<std::string> lines{"2025/01/01 8:59:58 +0/00:00:03"};
    ASSERT_TRUE(log.AppendNew(lines, true).ok());
    ASSERT_TRUE(log.AppendNew(lines, true).ok()); // the session's save, then the close
    lines.push_back("2025/01/01 9:00:00 -0/00:00:01");
    ASSERT_TRUE(log.AppendNew(lines, true).ok());
    EXPECT_EQ(TempFolder::Read(log.File()),
              "2025/01/01 8:59:58 +0/00:00:03\r\n2025/01/01 9:00:00 -0/00:00:01\r\n");
}

TEST(SyncLog, TwoRunsAppendOneAfterTheOther) {
    TempFolder folder;
    TempFolder::Write(folder / "rimotime.log", "earlier\r\n");
    SyncLog first(folder / "rimotime.log");
    ASSERT_TRUE(first.AppendNew({"a"}, true).ok());
    SyncLog second(folder / "rimotime.log");
    ASSERT_TRUE(second.AppendNew({"b"}, true).ok());
    EXPECT_EQ(TempFolder::Read(folder / "rimotime.log"), "earlier\r\na\r\nb\r\n");
}

TEST(SyncLog, NothingToAppendMakesNoFile) {
    TempFolder folder;
    SyncLog log(folder / "rimotime.log");
    ASSERT_TRUE(log.AppendNew({}, true).ok());
    EXPECT_FALSE(std::filesystem::exists(log.File()));
}

TEST(SyncLog, SwitchedOffAppendsNothing) {
    TempFolder folder;
    SyncLog log(folder / "rimotime.log");
    ASSERT_TRUE(log.AppendNew({"a"}, false).ok());
    EXPECT_FALSE(std::filesystem::exists(log.File()));
    // Switched on again before the close: the line is kept.
    ASSERT_TRUE(log.AppendNew({"a"}, true).ok());
    EXPECT_EQ(TempFolder::Read(log.File()), "a\r\n");
}

TEST(SyncLog, AFailedAppendIsReportedAndRetried) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "ro");
    SyncLog log(folder / "ro" / "rimotime.log");
    ::chmod((folder / "ro").c_str(), 0500);
    if (::access((folder / "ro").c_str(), W_OK) == 0) {
        ::chmod((folder / "ro").c_str(), 0700);
        GTEST_SKIP() << "running with the right to write anywhere";
    }
    const Status failed = log.AppendNew({"a"}, true);
    ::chmod((folder / "ro").c_str(), 0700);
    EXPECT_FALSE(failed.ok());
    EXPECT_NE(failed.message().find("rimotime.log"), std::string::npos);
    ASSERT_TRUE(log.AppendNew({"a"}, true).ok());
    EXPECT_EQ(TempFolder::Read(log.File()), "a\r\n");
}

} // namespace
} // namespace rimo

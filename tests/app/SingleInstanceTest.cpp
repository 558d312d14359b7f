#include "app/SingleInstance.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(SingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds) {
    TempFolder folder;
    const QString lock = QString::fromStdString((folder / "RimoTimeOneCopyMutex.lock").string());
    auto first = std::make_unique<SingleInstance>(lock);
    ASSERT_TRUE(first->TryAcquire());
    SingleInstance second(lock);
    EXPECT_FALSE(second.TryAcquire());
    first.reset();
    EXPECT_TRUE(second.TryAcquire());
}

TEST(SingleInstance, TheLockLiesInTheRuntimeFolder) {
    TempFolder folder;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.Path().string()));
    EXPECT_EQ(SingleInstance::DefaultLockPath().toStdString(),
              (folder / "RimoTimeOneCopyMutex.lock").string());
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_TRUE(SingleInstance::DefaultLockPath().contains(QStringLiteral("RimoTimeOneCopyMutex-")));
    qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
} // namespace rimo

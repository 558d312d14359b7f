// The about page: its figures are taken when it is selected, the processor
// clock between two counter samples a span apart while the window runs on.
#include "FormTest.h"

#include "app/AboutPage.h"
#include "platform/linux/LinuxSystemInformation.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <gmock/gmock.h>

#include <unistd.h>

namespace rimo {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

class AboutPageTest : public FormTest {
protected:
    AboutPageTest() {
        services_.SystemInfo.MemoryFigures = MemoryStatus{2048 * kMiB, 200 * kMiB};
        // 2,394,000,000 cycles in one second.
        services_.SystemInfo.Samples = {{1000, 5'000'000'000}, {2'394'001'000, 6'000'000'000}};
    }
    static QString Label(TForm1& form, const char* name) {
        return form.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    static QTabWidget& Pages(TForm1& form) {
        return *form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    }
};

TEST_F(AboutPageTest, FiguresAreTakenOnSelectionAndTheClockWithoutBlocking) {
    auto form = Start();
    form->AboutPage1().SetMeasuringSpan(20);
    Pages(*form).setCurrentIndex(3);
    EXPECT_EQ(services_.SystemInfo.SamplesTaken, 0); // other pages measure nothing
    EXPECT_EQ(Label(*form, "LabelMemory"), QStringLiteral("メモリー取得中"));

    Pages(*form).setCurrentIndex(4);
    EXPECT_EQ(Label(*form, "LabelMemory"), QStringLiteral("空きﾒﾓﾘ： 200MB / 全ﾒﾓﾘ： 2,048MB"));
    EXPECT_EQ(Label(*form, "LabelUseMemory"), QStringLiteral("ﾒﾓﾘ使用率： 90%"));
    // Back here at once, the measurement under way.
    EXPECT_EQ(Label(*form, "LabelCPUClock"), QStringLiteral("周波数取得中"));
    EXPECT_EQ(services_.SystemInfo.SamplesTaken, 1);
    EXPECT_TRUE(form->AboutPage1().Measuring());
    // Coming back meanwhile does not start it twice.
    Pages(*form).setCurrentIndex(0);
    Pages(*form).setCurrentIndex(4);
    EXPECT_EQ(services_.SystemInfo.SamplesTaken, 1);

    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->AboutPage1().Measuring(); }, 10000));
    EXPECT_EQ(Label(*form, "LabelCPUClock"), QStringLiteral("CPU動作周波数： 2394MHz"));
    EXPECT_EQ(services_.SystemInfo.SamplesTaken, 2);

    // Without figures the page says so.
    services_.SystemInfo.MemoryFigures.reset();
    Pages(*form).setCurrentIndex(0);
    Pages(*form).setCurrentIndex(4);
    EXPECT_EQ(Label(*form, "LabelMemory"), QStringLiteral("メモリーを取得できません"));
}

TEST_F(AboutPageTest, AStoredAboutPageIsMeasuredOnceAtStart) {
    WriteSettings("[Setting]\r\nTabIndex=4\r\n");
    auto form = Start();
    EXPECT_EQ(Pages(*form).currentIndex(), 4);
    EXPECT_EQ(services_.SystemInfo.SamplesTaken, 1);
    EXPECT_THAT(Label(*form, "LabelVersion").toStdString(),
                ::testing::MatchesRegex("RimoTimeInformation for Linux Version[0-9.]+"));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("LabelDataFolder"))->toolTip(),
              QString::fromStdString(folder_.Path().string()));
}

TEST(AboutPage, TheLinksOpenThroughTheDesktop) {
    QWidget sheet;
    FakeSystemInformation system;
    std::vector<QUrl> opened;
    bool opens = true;
    AboutPage page(sheet, system, QStringLiteral("/data"), [&](const QUrl& url) {
        opened.push_back(url);
        return opens;
    });
    auto* address = sheet.findChild<QLabel*>(QStringLiteral("LabelAddress"));
    auto* url = sheet.findChild<QLabel*>(QStringLiteral("LabelURL"));
    sheet.show();
    QTest::mouseClick(address, Qt::LeftButton);
    QTest::mouseClick(url, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:") + address->text()));
    EXPECT_EQ(opened[1], QUrl(url->text()));
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("https"));

    opens = false;
    page.LabelURLClick();
    ASSERT_EQ(VisibleMessageBoxes().size(), 1);
    EXPECT_TRUE(VisibleMessageBoxes()[0]->text().contains(url->text()));
    CloseMessageBoxes();
}

TEST(LinuxSystemInformation, ThisMachinesFigures) {
    LinuxSystemInformation system;
    const std::optional<MemoryStatus> memory = system.Memory();
    ASSERT_TRUE(memory.has_value());
    const auto physical = static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES)) *
                          static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    EXPECT_EQ(memory->TotalBytes, physical);
    EXPECT_LE(memory->AvailableBytes, memory->TotalBytes);

    const CounterSample first = system.SampleCounter();
    const CounterSample second = system.SampleCounter();
    EXPECT_GE(second.Cycles, first.Cycles);
    EXPECT_GE(second.Nanoseconds, first.Nanoseconds);
}

} // namespace
} // namespace rimo

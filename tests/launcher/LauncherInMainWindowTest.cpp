// The launcher page in the real main window: the page stored in the settings
// opened at start, the scheduled action "ランチャー", the tray items and the
// schedule editor's list of titles.
#include "TempFolder.h"
#include "app/AppActionHost.h"
#include "app/SecondTimer.h"
#include "app/TForm1.h"
#include "app/TrayMenu.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeServices.h"
#include "launcher/LaunchButton.h"
#include "launcher/LauncherPage.h"
#include "schedule/ScheduleFile.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace rimo {
namespace {

const DateTime kStart = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);

class LauncherInMainWindowTest : public ::testing::Test {
protected:
    LauncherInMainWindowTest() : paths_(AppPaths::InFolder(folder_.Path())) {
        clock_.SetLocal(kStart);
        // Three pages; page 1 "仕事" has two checked programs, page 2 one.
        const auto page = [&](int k, const std::string& title, const std::string& rows) {
            TempFolder::Write(paths_.LauncherFile(k),
                              "[Setting]\r\nLaunchTitle=" + title + "\r\nLBtnNo=3\r\n" + rows);
        };
        page(0, "A", "");
        page(1, "\x8e\x64\x8e\x96", Button(1, "/bin/true", true) + Button(3, "/bin/false", true));
        page(2, "C", Button(2, "/bin/echo", true));
        TempFolder::Write(paths_.SettingsFile(), "[Setting]\r\nLaunchTitleIndex=2\r\n");
    }
    ~LauncherInMainWindowTest() override {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(widget)) {
                widget->close();
            }
        }
    }
    static std::string Button(int n, const std::string& path, bool checked) {
        return "[Button" + std::to_string(n) + "]\r\nProgPath=" + path +
               "\r\nCheckBox=" + (checked ? "1" : "0") + "\r\n";
    }
    std::unique_ptr<TForm1> Start(const std::vector<ScheduleRow>& rows = {}) {
        ScheduleTable table;
        table.ReplaceScheduleRows(rows);
        EXPECT_TRUE(SaveSchedule(paths_.ScheduleFile(), table).ok());
        auto form = std::make_unique<TForm1>(paths_, clock_, services_.All());
        form->Timer1().SetEnabled(false);
        return form;
    }
    std::vector<std::string> Started() const {
        std::vector<std::string> programs;
        for (const FakeProgramStarter::Start& start : services_.Programs.Starts) {
            programs.push_back(start.Program);
        }
        return programs;
    }

    TempFolder folder_;
    AppPaths paths_;
    FakeClock clock_;
    FakeServices services_;
};

TEST_F(LauncherInMainWindowTest, TheStoredPageOpensAndItsTitlesReachTheOtherParts) {
    auto form = Start();
    EXPECT_EQ(form->Launcher().CurrentPage(), 2);
    EXPECT_EQ(form->findChild<TLaunchButton*>(QStringLiteral("Button2"))->ProgramPath(),
              QStringLiteral("/bin/echo"));
    EXPECT_EQ(form->ActionHostOfActions().LauncherPageTitles(),
              (std::vector<std::string>{"A", "仕事", "C"}));
    form->Popup().PopupMenu1Popup();
    EXPECT_EQ(form->Popup().Item(QStringLiteral("LaunchTitle1"))->text(),
              QStringLiteral("仕事(&2)"));

    // The tray item of a page opens it and starts its checked buttons, in row order.
    form->Popup().Item(QStringLiteral("LaunchTitle1"))->trigger();
    EXPECT_EQ(form->Launcher().CurrentPage(), 1);
    EXPECT_EQ(Started(), (std::vector<std::string>{"/bin/true", "/bin/false"}));
}

TEST_F(LauncherInMainWindowTest, TheScheduledActionStartsThePageOfItsTitle) {
    const auto row = [](const std::string& title, int seconds, const std::string& argument) {
        const DateTime when = AddSeconds(kStart, seconds);
        return ScheduleRow{title,
                           "",
                           FormatScheduleDate(when),
                           FormatScheduleTime(when),
                           "ランチャー",
                           argument,
                           "しない",
                           "○"};
    };
    auto form = Start({row("work", 5, "仕事"), row("none", 9, "どれでもない")});
    clock_.SetLocal(AddSeconds(kStart, 5));
    clock_.Advance(3);
    form->Timer1Timer();
    EXPECT_EQ(form->Launcher().CurrentPage(), 1);
    EXPECT_EQ(Started(), (std::vector<std::string>{"/bin/true", "/bin/false"}));
    // A title that names no page starts the page shown.
    clock_.SetLocal(AddSeconds(kStart, 9));
    clock_.Advance(3);
    form->Timer1Timer();
    EXPECT_EQ(Started().size(), 4u);
}

} // namespace
} // namespace rimo

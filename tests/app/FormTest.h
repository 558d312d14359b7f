#pragma once

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "app/TForm1.h"
#include "app/TrayIcon.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeServices.h"
#include "schedule/ScheduleFile.h"

#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <memory>

namespace rimo {

// A main window on files in a temporary folder, at a fixed moment, with a
// tray host that is there or not as the test says.
class FormTest : public ::testing::Test {
protected:
    FormTest() : paths_(AppPaths::InFolder(folder_.Path())) {
        clock_.SetLocal(EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0)); // a Tuesday
        TrayIcon::SetHostProbe([this] { return trayHost_; });
    }
    ~FormTest() override {
        CloseMessageBoxes();
        TrayIcon::SetHostProbe(nullptr);
    }

    // `programs` in place of the fake starter when given.
    std::unique_ptr<TForm1> Start(ProgramStarter* programs = nullptr) {
        PlatformServices services = services_.All();
        if (programs) {
            services.Programs = programs;
        }
        auto form = std::make_unique<TForm1>(paths_, clock_, services);
        form->show();
        QApplication::processEvents();
        return form;
    }

    void WriteSettings(const std::string& bytes) {
        TempFolder::Write(paths_.SettingsFile(), bytes);
    }
    std::string StoredSettings() const { return TempFolder::Read(paths_.SettingsFile()); }

    void WriteSchedule(const std::vector<ScheduleRow>& rows) {
        ScheduleTable table;
        table.ReplaceScheduleRows(rows);
        ASSERT_TRUE(SaveSchedule(paths_.ScheduleFile(), table).ok());
    }

    static QList<QMessageBox*> MessageBoxes() { return VisibleMessageBoxes(); }

    TempFolder folder_;
    AppPaths paths_;
    FakeClock clock_;
    FakeServices services_;
    bool trayHost_ = false;
};

} // namespace rimo

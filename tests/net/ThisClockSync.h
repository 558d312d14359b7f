#pragma once

// One synchronisation through the clock page with this machine's clock and
// zone, a network that is there and files in a temporary folder. Whether
// anything is set is the given clock service's business (a fake, or
// timedated's mock): this machine's clock never is.

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "fakes/FakeNetworkState.h"
#include "net/ClockPage.h"
#include "net/ProtocolComboBox.h"
#include "platform/linux/LocalTimeZone.h"
#include "platform/linux/SystemClock.h"

#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace rimo::test {

struct ThisClockSync {
    QString Message;         // the messages shown, one after the other; empty when none
    QStringList Lines;       // the result lines
    std::string Log;         // the log's bytes
    std::int64_t Before = 0; // this machine's clock before and after, in ms
    std::int64_t After = 0;
};

inline ThisClockSync SynchroniseThisClock(ClockService& clockService, const std::string& server,
                                          const QString& protocol) {
    TempFolder folder;
    SystemClock clock;
    LocalTimeZone zone;
    FakeNetworkState network;
    QWidget sheet;
    ClockPage page(sheet, AppPaths::InFolder(folder.Path()),
                   ClockPageServices{clock, zone, clockService, network}, ClockPageHost{});
    sheet.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))
        ->setText(QString::fromStdString(server));
    sheet.findChild<ProtocolComboBox*>(QStringLiteral("ComboBoxProtocol"))->SetProtocol(protocol);
    ThisClockSync result;
    result.Before = clock.UnixMilliseconds();
    page.GetTimeButtonClick();
    result.After = clock.UnixMilliseconds();
    for (QMessageBox* box : VisibleMessageBoxes()) {
        result.Message += box->text();
    }
    CloseMessageBoxes();
    result.Lines = page.ResultLines();
    EXPECT_TRUE(page.SaveSyncLog().ok());
    result.Log = TempFolder::Read(folder / "rimotime.log");
    return result;
}

} // namespace rimo::test

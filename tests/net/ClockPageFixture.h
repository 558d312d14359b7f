#pragma once

// The clock page on a page widget of its own, with a fixed clock in a UTC+9
// zone, a recording clock service and a network that is there.

#include "net/ClockPage.h"

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeClockService.h"
#include "fakes/FakeNetworkState.h"
#include "fakes/FixedTimeZone.h"
#include "net/DayTimeClient.h"
#include "net/LoopbackServer.h"
#include "net/ProtocolComboBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace rimo {

using test::LoopbackServer;

constexpr int kNinthZone = 9 * 3600; // UTC+9

class ClockPageTest : public ::testing::Test {
protected:
    ClockPageTest() : paths_(AppPaths::InFolder(folder_.Path())), zone_(kNinthZone) {
        // 2024-12-31 13:59:55 UTC: three seconds before the server's answer below.
        clock_.SetUnixMilliseconds(1735653595000);
        ClockPageHost host;
        host.ShowClockPage = [this] { ++shown_; };
        host.BringMainWindowForward = [this] { ++broughtForward_; };
        host.OpenDocument = [this](const QUrl& url) {
            opened_.append(url);
            return true;
        };
        // The replies below are of 2024: a build date before them.
        page_ = std::make_unique<ClockPage>(
            sheet_, paths_,
            ClockPageServices{clock_, zone_, clockService_, network_, EncodeDate(2024, 1, 1)},
            std::move(host));
    }
    ~ClockPageTest() override { CloseMessageBoxes(); }

    template <typename T> T* Control(const char* name) {
        T* control = sheet_.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Serve(const std::string& reply) {
        server_ = std::make_unique<LoopbackServer>(
            [reply](int connection, LoopbackServer&) { LoopbackServer::Send(connection, reply); });
        Control<QLineEdit>("LabeledEdit1")->setText(QStringLiteral("127.0.0.1"));
        Control<ProtocolComboBox>("ComboBoxProtocol")->SetProtocol(ProtocolComboBox::kDayTime);
        page_->DayTimeClient1().Port = server_->Port();
    }
    static QList<QMessageBox*> MessageBoxes() { return VisibleMessageBoxes(); }
    // The one message shown, as "caption|text"; closes it.
    static QString TakeMessage() {
        const QList<QMessageBox*> boxes = MessageBoxes();
        if (boxes.size() != 1) {
            CloseMessageBoxes();
            return QStringLiteral("%1 messages").arg(boxes.size());
        }
        const QString message =
            boxes.front()->windowTitle() + QLatin1Char('|') + boxes.front()->text();
        CloseMessageBoxes();
        return message;
    }

    TempFolder folder_;
    AppPaths paths_;
    FakeClock clock_;
    FixedTimeZone zone_;
    FakeClockService clockService_;
    FakeNetworkState network_;
    QWidget sheet_;
    std::unique_ptr<ClockPage> page_;
    std::unique_ptr<LoopbackServer> server_;
    int shown_ = 0;
    int broughtForward_ = 0;
    QList<QUrl> opened_;
};

} // namespace rimo

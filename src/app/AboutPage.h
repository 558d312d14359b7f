#pragma once

#include "platform/SystemInformation.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>

class QLabel;
class QWidget;

namespace rimo {

// The about page ("バージョン情報(&A)"): icon, version, our contact links
// and motto, the folder of the data files, and, each time the page is
// selected, the memory figures and the processor clock. The clock is
// measured between two samples of the cycle counter a span apart, taken by
// a timer: the window and the tick run on meanwhile.
class AboutPage : public QObject {
    Q_OBJECT
public:
    AboutPage(QWidget& tabSheet, SystemInformation& system, const QString& dataFolder,
              std::function<bool(const QUrl&)> openUrl);

    // The main window's page changed to `current`: the figures are taken
    // when it is this page.
    void PageControl1Change(const QWidget* current);
    void LabelAddressClick();
    void LabelURLClick();

    bool Measuring() const { return clockSpan_.isActive(); }
    // How far apart the two samples are (1000 ms; tests shorten it).
    void SetMeasuringSpan(int milliseconds) { clockSpan_.setInterval(milliseconds); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls(QWidget& page, const QString& dataFolder);
    void ShowSystemInformation();
    void FinishClockMeasurement();
    void Open(const QUrl& url);

    QWidget& page_;
    SystemInformation& system_;
    std::function<bool(const QUrl&)> openUrl_;
    QTimer clockSpan_;
    CounterSample firstSample_;

    QLabel* labelAddress_ = nullptr;
    QLabel* labelURL_ = nullptr;
    QLabel* labelCPUClock_ = nullptr;
    QLabel* labelMemory_ = nullptr;
    QLabel* labelUseMemory_ = nullptr;
};

} // namespace rimo

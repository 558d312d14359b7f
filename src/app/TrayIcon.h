#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QMenu;
class QSystemTrayIcon;

namespace rimo {

class TrayHostWatch;

// The program's icon in the notification area (StatusNotifierItem over
// D-Bus, else an XEmbed tray): registered at creation, updated once a second,
// removed at destruction. It follows the session's signals about tray hosts:
// when none is there it says so (once per change), and the icon shows up as
// soon as a host appears.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kMainIcon = -1;

    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // Shows the main icon with the idle tip; right clicks open `menu`.
    void Register(QMenu* menu);
    void Remove();
    bool Registered() const { return registered_; }

    // Tip and picture: frame 0 to 15, or kMainIcon. Only what changed is
    // passed on to the tray host.
    void Update(const QString& tip, int frame);

    QString ToolTip() const { return tip_; }
    // "ICON0" to "ICON15", or "MAINICON".
    QString IconName() const;
    bool HostAvailable() const { return hostAvailable_; }
    QSystemTrayIcon* SystemTrayIcon() const { return icon_; }

    // Asks again whether a host is there (the session's signals call it).
    void CheckHost();

    // How a tray host is found; tests replace it. Null restores the real one.
    static void SetHostProbe(std::function<bool()> probe);

Q_SIGNALS:
    // A left click on the icon.
    void LeftClicked();
    // A tray host appeared or went away (also once after Register when none is there).
    void HostAvailabilityChanged(bool available);

private:
    bool HostThere() const;
    void CreateIcon();
    const QIcon& Picture() const;

    TrayHostWatch* watch_ = nullptr;
    QMenu* menu_ = nullptr;
    bool registered_ = false;
    QSystemTrayIcon* icon_ = nullptr;
    std::array<QIcon, 16> frames_;
    QIcon mainIcon_;
    QString tip_;
    int frame_ = kMainIcon;
    bool hostAvailable_ = false;
};

} // namespace rimo

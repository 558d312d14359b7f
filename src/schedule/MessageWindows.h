#pragma once

#include "schedule/ActionHost.h"
#include "schedule/MessageText.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <string>

class QPushButton;
class QWidget;

namespace rimo {

class Clock;

// The message windows of the action "メッセージ" (DynamicForm): modeless,
// always on top, top-level windows of their own, numbered "RimoTimeInformation0",
// "RimoTimeInformation1", ... with their OK buttons "NewButtons0", ...
class MessageWindows final : public QObject, public MessageWindowService {
    Q_OBJECT
public:
    static constexpr const char* kWindowName = "RimoTimeInformation";
    static constexpr const char* kButtonName = "NewButtons";

    MessageWindows(QWidget& mainWindow, const Clock& clock, QObject* parent = nullptr);
    ~MessageWindows() override;

    void DynamicForm(const std::string& message) override;

    int MessageWindowNumber() const { return numbering_.Number(); }
    // The open window of that number, or nullptr.
    QWidget* Window(int number) const;
    // The message text of the latest message action.
    const std::string& LastMessage() const { return lastMessage_; }

private:
    // Centres the OK button once the window has its size.
    void MessageWindowShown(QWidget* window, QPushButton* button);
    void MessageOkClick(QPushButton* button);
    bool WindowExists(int number) const;

    QWidget& mainWindow_;
    const Clock& clock_;
    MessageWindowNumbering numbering_;
    std::map<int, QPointer<QWidget>> windows_;
    std::string lastMessage_;
};

} // namespace rimo

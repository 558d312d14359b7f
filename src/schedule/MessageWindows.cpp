#include "schedule/MessageWindows.h"

#include "platform/Clock.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

namespace rimo {

namespace {

constexpr int kMargin = 12; // right of and below the contents

QPixmap ApplicationIcon(const QWidget& mainWindow) {
    QIcon icon = mainWindow.windowIcon();
    if (icon.isNull()) {
        icon = QApplication::windowIcon();
    }
    if (icon.isNull()) {
        icon = mainWindow.style()->standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return icon.pixmap(32, 32);
}

} // namespace

MessageWindows::MessageWindows(QWidget& mainWindow, const Clock& clock, QObject* parent)
    : QObject(parent), mainWindow_(mainWindow), clock_(clock) {}

MessageWindows::~MessageWindows() {
    // Windows still open go with the program.
    for (auto& [number, window] : windows_) {
        delete window.data();
    }
}

bool MessageWindows::WindowExists(int number) const {
    const auto it = windows_.find(number);
    return it != windows_.end() && !it->second.isNull();
}

QWidget* MessageWindows::Window(int number) const {
    const auto it = windows_.find(number);
    return it == windows_.end() ? nullptr : it->second.data();
}

void MessageWindows::DynamicForm(const std::string& message) {
    lastMessage_ = message;
    const PreparedMessage prepared = PrepareMessage(message, clock_.Now());
    const int n = numbering_.Next([this](int number) { return WindowExists(number); });
    const QString name = QString::fromLatin1(kWindowName) + QString::number(n);

    // A top-level window of its own, kept above others: a window transient
    // for the main window is not shown while the main window is minimised
    // (mutter), and the main window is minimised most of the time.
    auto* window =
        new QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(name);
    window->setWindowTitle(name);
    windows_[n] = window;

    auto* label = new QLabel(window);
    label->setObjectName(QStringLiteral("Label"));
    label->setTextFormat(Qt::PlainText); // the user's text, never markup
    label->setText(QString::fromStdString(prepared.Text)
                       .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    label->move(40, prepared.MultiLine ? 15 : 20);
    label->adjustSize();

    auto* image = new QLabel(window);
    image->setObjectName(QStringLiteral("Image"));
    image->setPixmap(ApplicationIcon(mainWindow_));
    image->move(0, 0);
    image->adjustSize();

    auto* button = new QPushButton(QStringLiteral("OK"), window);
    button->setObjectName(QString::fromLatin1(kButtonName) + QString::number(n));
    button->setGeometry(50, 50, 75, 25);
    connect(button, &QPushButton::clicked, this, [this, button] { MessageOkClick(button); });

    // Sized to its contents, centred on the screen.
    const QRect contents = label->geometry() | image->geometry() | button->geometry();
    window->setFixedSize(contents.right() + 1 + kMargin, contents.bottom() + 1 + kMargin);
    if (const QScreen* screen =
            mainWindow_.screen() ? mainWindow_.screen() : QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
    MessageWindowShown(window, button);
    window->show();
    window->raise();
}

void MessageWindows::MessageWindowShown(QWidget* window, QPushButton* button) {
    button->move((window->width() - button->width()) / 2, button->y());
}

void MessageWindows::MessageOkClick(QPushButton* button) {
    // The number follows the button's name; the window closes (and is freed
    // once this click has been handled, so it still exists below).
    const int n = button->objectName().mid(static_cast<int>(qstrlen(kButtonName))).toInt();
    if (QWidget* window = Window(n)) {
        window->close();
    }
    numbering_.OkClicked([this](int number) { return WindowExists(number); });
}

} // namespace rimo

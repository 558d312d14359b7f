#include "app/TrayMenu.h"

#include "app/HelpPage.h"
#include "core/RadioGroup.h"
#include "app/TrayTexts.h"

#include <QAction>
#include <QDateTimeEdit>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace rimo {

namespace {

void NotWired(const char* what) {
    std::fprintf(stderr, "トレイメニュー: %s はまだ使えません\n", what);
}

} // namespace

TrayMenu::TrayMenu(QWidget& form, const AppPaths& paths, QObject* parent)
    : QObject(parent), form_(form), paths_(paths), menu_(new QMenu(&form)) {
    setObjectName(QStringLiteral("TrayMenu"));
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    menu_->setToolTipsVisible(true);
    // The menu is a window of its own; the main window's face is its face.
    menu_->setFont(form.font());

    connect(AddItem(menu_, "PopupHelp", QStringLiteral("ヘルプ(&S)")), &QAction::triggered, this,
            &TrayMenu::PopupHelpClick);
    QAction* exit = AddItem(menu_, "Exit1", QStringLiteral("終了(&X)"));
    exit->setToolTip(QStringLiteral("終了します"));
    exit->setStatusTip(exit->toolTip());
    connect(exit, &QAction::triggered, this, &TrayMenu::Exit1Click);
    AddSeparator(menu_, "N2");
    connect(AddItem(menu_, "PopupTest", QStringLiteral("アラーム・テスト(&Q)")),
            &QAction::triggered, this, &TrayMenu::PopupTestClick);
    connect(AddItem(menu_, "PopupHour", QStringLiteral("時刻合わせ(&H)")), &QAction::triggered,
            this, &TrayMenu::PopupHourClick);

    QMenu* launcher = menu_->addMenu(QStringLiteral("RIMOランチャー(&L)"));
    launcher->setObjectName(QStringLiteral("PopupLauncherMenu"));
    launcher->menuAction()->setObjectName(QStringLiteral("PopupLauncher"));
    connect(AddItem(launcher, "LaunchTitle0", QStringLiteral("タイトル１")), &QAction::triggered,
            this, &TrayMenu::LaunchTitle0Click);
    connect(AddItem(launcher, "LaunchTitle1", QStringLiteral("タイトル２")), &QAction::triggered,
            this, &TrayMenu::LaunchTitle1Click);
    connect(AddItem(launcher, "LaunchTitle2", QStringLiteral("タイトル３")), &QAction::triggered,
            this, &TrayMenu::LaunchTitle2Click);

    // The countdown timer's items; the timer page connects them.
    QMenu* timer = menu_->addMenu(QStringLiteral("RIMOタイマー(&T)"));
    timer->setObjectName(QStringLiteral("PopupTimerMenu"));
    timer->menuAction()->setObjectName(QStringLiteral("PopupTimer"));
    AddItem(timer, "TimeLoop", QStringLiteral("Loopさせる(&O)"))->setCheckable(true);
    AddSeparator(timer, "N3");
    AddItem(timer, "Quick0", QStringLiteral("任意"));
    AddSeparator(timer, "N4");
    AddItem(timer, "Quick6", QStringLiteral("10分(&0)"));
    AddItem(timer, "Quick5", QStringLiteral("5分(&5)"));
    AddItem(timer, "Quick4", QStringLiteral("4分(&4)"));
    AddItem(timer, "Quick3", QStringLiteral("3分(&3)"));
    AddItem(timer, "Quick2", QStringLiteral("2分(&2)"));
    AddItem(timer, "Quick1", QStringLiteral("1分(&1)"));
    AddSeparator(timer, "N5");
    AddItem(timer, "TimeStop", QStringLiteral("停止(&S)"));

    // After the designed items: the run history.
    connect(AddItem(menu_, "PopupHistory", tr("実行履歴(&R)")), &QAction::triggered, this,
            &TrayMenu::PopupHistoryClick);

    connect(menu_, &QMenu::aboutToShow, this, &TrayMenu::PopupMenu1Popup);
}

TrayMenu::~TrayMenu() = default;

QAction* TrayMenu::AddItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

void TrayMenu::AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QAction* TrayMenu::Item(const QString& name) const {
    return menu_->findChild<QAction*>(name);
}

void TrayMenu::PopupMenu1Popup() {
    if (const auto* picker = form_.findChild<QDateTimeEdit*>(QStringLiteral("DateTimePicker3"))) {
        const QTime time = picker->time();
        const DateTime duration = EncodeTime(time.hour(), time.minute(), time.second());
        Item(QStringLiteral("Quick0"))
            ->setText(QString::fromStdString(TrayTexts::QuickCaption(duration)));
    }
    if (const auto* pages = form_.findChild<RadioGroup*>(QStringLiteral("RadioGroupLaunchTitle"))) {
        const QStringList titles = pages->Items();
        for (int k = 0; k < titles.size() && k < 3; ++k) {
            if (QAction* item = Item(QStringLiteral("LaunchTitle%1").arg(k))) {
                item->setText(QString::fromStdString(
                    TrayTexts::LaunchTitleCaption(titles[k].toStdString(), k)));
            }
        }
    }
}

void TrayMenu::PopupHelpClick() {
    std::string error;
    const std::optional<std::filesystem::path> help =
        HelpPage::Ensure(paths_, HelpPage::RuntimeFolder(), &error);
    if (!help) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return;
    }
    const QString path = QString::fromStdString(help->string());
    const bool opened = hooks_.OpenDocument ? hooks_.OpenDocument(path)
                                            : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!opened) {
        std::fprintf(stderr, "ヘルプ %s を開けません\n", help->c_str());
    }
}

void TrayMenu::PopupTestClick() {
    if (hooks_.Test) {
        hooks_.Test();
    } else {
        NotWired("アラーム・テスト");
    }
}

void TrayMenu::PopupHourClick() {
    if (hooks_.SynchroniseClock) {
        hooks_.SynchroniseClock();
    } else {
        NotWired("時刻合わせ");
    }
}

void TrayMenu::LaunchTitle0Click() {
    LaunchTitleClick(Item(QStringLiteral("LaunchTitle0")));
}
void TrayMenu::LaunchTitle1Click() {
    LaunchTitleClick(Item(QStringLiteral("LaunchTitle1")));
}
void TrayMenu::LaunchTitle2Click() {
    LaunchTitleClick(Item(QStringLiteral("LaunchTitle2")));
}

void TrayMenu::LaunchTitleClick(const QAction* item) {
    bool ok = false;
    const int page = item->objectName().mid(QStringLiteral("LaunchTitle").size()).toInt(&ok);
    if (!ok) {
        return;
    }
    if (hooks_.StartLauncherPage) {
        hooks_.StartLauncherPage(page);
    } else {
        NotWired("RIMOランチャー");
    }
}

void TrayMenu::Exit1Click() {
    if (hooks_.Exit) {
        hooks_.Exit();
    }
}

void TrayMenu::PopupHistoryClick() {
    if (hooks_.History) {
        hooks_.History();
    } else {
        NotWired("実行履歴");
    }
}

} // namespace rimo

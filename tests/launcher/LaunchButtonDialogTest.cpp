#include "launcher/LaunchButtonDialog.h"
#include "AccessibleTree.h"
#include "EnglishScope.h"
#include "LauncherFixture.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>

namespace rimo {
namespace {

class LaunchButtonDialogTest : public LauncherFixture {
protected:
    LaunchButtonDialogTest()
        : button_(new TLaunchButton(Services(), &window_)),
          updated_(button_, &TLaunchButton::Updated) {
        button_->setGeometry(20, 30, 20, 20);
        button_->show();
        TempFolder::Write(folder_ / "run.sh", "#!/bin/sh\n");
        script_ = QString::fromStdString((folder_ / "run.sh").string());
    }
    // Opens the dialog; `act` runs while it is open, which is then cancelled
    // unless `act` closed it.
    void WithDialog(const std::function<void(LaunchButtonDialog&)>& act) {
        bool ran = false;
        QTimer::singleShot(0, &window_, [&] {
            LaunchButtonDialog* dialog = button_->Dialog();
            ASSERT_NE(dialog, nullptr);
            const QPointer<LaunchButtonDialog> open(dialog);
            act(*dialog);
            ran = true;
            if (open && open->isVisible()) {
                open->reject();
            }
        });
        button_->OpenPropertyDialog();
        EXPECT_TRUE(ran);
        EXPECT_EQ(button_ ? button_->Dialog() : nullptr, nullptr);
    }
    template <typename T> static T* Control(LaunchButtonDialog& dialog, const char* name) {
        T* control = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    static void Type(LaunchButtonDialog& dialog, const char* edit, const QString& text) {
        Control<QLineEdit>(dialog, edit)->setText(text);
    }
    // "ButtonIcon" with `file` chosen in its file dialog, typed as a user
    // does (the list of the folder fills in later).
    void ChooseIconFile(LaunchButtonDialog& dialog, const QString& file) {
        Repeat([open = QPointer<LaunchButtonDialog>(&dialog), file] {
            auto* files =
                open ? open->findChild<QFileDialog*>(QStringLiteral("OpenDialog1")) : nullptr;
            if (!files || !files->isVisible()) {
                return false;
            }
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
            QMetaObject::invokeMethod(files, "done", Q_ARG(int, QDialog::Accepted));
            return true;
        });
        dialog.ButtonIconClick();
    }

    QPointer<TLaunchButton> button_;
    QSignalSpy updated_;
    QString script_;
};

TEST_F(LaunchButtonDialogTest, EveryControlThatTakesTheFocusHasAName) {
    WithDialog([&](LaunchButtonDialog& dialog) {
        for (QAccessibleInterface* iface : AccessibleTree(Accessible(&dialog))) {
            if (iface->state().focusable && !iface->state().invisible) {
                EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty()) << Describe(iface);
            }
        }
        EXPECT_EQ(AccessibleName(Control<QLineEdit>(dialog, "EditPath")),
                  QStringLiteral("パス名："));
    });
}

TEST_F(LaunchButtonDialogTest, OnAnUnregisteredButtonOkWithoutPathSaysSoAndClears) {
    WithDialog([&](LaunchButtonDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("アプリケーションの設定"));
        EXPECT_EQ(dialog.size(), QSize(420, 142));
        for (const char* edit : {"EditTitle", "EditPath", "EditDir", "EditOption"}) {
            EXPECT_TRUE(Control<QLineEdit>(dialog, edit)->text().isEmpty()) << edit;
        }
        EXPECT_EQ(Control<QComboBox>(dialog, "ComboState")->currentText(),
                  QStringLiteral("通常の大きさ"));
        EXPECT_TRUE(dialog.Preview().isNull());
        EXPECT_EQ(Control<QScrollBar>(dialog, "ScrollBarIcon")->maximum(), 0);
        dialog.ButtonOKClick();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(Notices(), QStringList{QStringLiteral("パス名は必ず必要です！！")});
    EXPECT_EQ(button_->toolTip(), QStringLiteral("未登録"));
    EXPECT_EQ(updated_.count(), 0);
}

TEST_F(LaunchButtonDialogTest, OkAppliesTheTextsOfAnExistingPathOnly) {
    button_->SetItem({"Old", script_.toStdString(), "", "", TProgState::psNormal, "", 0});
    WithDialog([&](LaunchButtonDialog& dialog) {
        Control<QComboBox>(dialog, "ComboState")->setCurrentIndex(2);
        dialog.ComboStateChange(2);
        Type(dialog, "EditTitle", QStringLiteral("New"));
        Type(dialog, "EditPath", QStringLiteral("/no/such/file"));
        dialog.ButtonOKClick();
    });
    EXPECT_EQ(Notices(), QStringList{QStringLiteral("ファイル（ディレクトリ）が存在しません！！")});
    EXPECT_EQ(button_->ProgramTitle(), QStringLiteral("Old"));
    EXPECT_EQ(button_->ProgramState(), TProgState::psMaximized); // stays, unstored
    EXPECT_EQ(updated_.count(), 0);

    WithDialog([&](LaunchButtonDialog& dialog) {
        EXPECT_EQ(Control<QComboBox>(dialog, "ComboState")->currentIndex(), 2);
        Type(dialog, "EditTitle", QStringLiteral("Folder"));
        Type(dialog, "EditPath", QString::fromStdString(folder_.Path().string()));
        Type(dialog, "EditDir", QStringLiteral("/tmp"));
        Type(dialog, "EditOption", QStringLiteral("-v"));
        dialog.ButtonOKClick();
    });
    EXPECT_EQ(button_->Item(), (LaunchItem{"Folder", folder_.Path().string(), "/tmp", "-v",
                                           TProgState::psMaximized, "", 0}));
    EXPECT_EQ(updated_.count(), 1);
}

TEST_F(LaunchButtonDialogTest, IconChoicesActAtOnceAndCancelStoresNothing) {
    const QString set = QString::fromStdString(IconSet("set.ico", {Qt::red, Qt::green, Qt::blue}));
    button_->SetItem(
        {"", script_.toStdString(), "", "", TProgState::psNormal, set.toStdString(), 0});
    const QImage glyph = button_->Glyph().toImage();
    WithDialog([&](LaunchButtonDialog& dialog) {
        auto* selector = Control<QScrollBar>(dialog, "ScrollBarIcon");
        EXPECT_EQ(selector->maximum(), 2);
        EXPECT_EQ(Middle(dialog.Preview()), QColor(Qt::red));
        selector->setValue(2);
        EXPECT_EQ(Middle(dialog.Preview()), QColor(Qt::blue));
        // The number's setter moves the selector while the dialog is open.
        button_->SetProgramIconNo(1);
        EXPECT_EQ(selector->value(), 1);
        EXPECT_EQ(Middle(dialog.Preview()), QColor(Qt::green));
    });
    EXPECT_EQ(button_->ProgramIconNo(), 1);
    EXPECT_EQ(button_->ProgramIconPath(), set);
    EXPECT_EQ(button_->Glyph().toImage(), glyph); // redrawn only on OK
    EXPECT_EQ(updated_.count(), 0);

    WithDialog([&](LaunchButtonDialog& dialog) {
        EXPECT_EQ(Control<QScrollBar>(dialog, "ScrollBarIcon")->value(), 1);
        dialog.ButtonDefaultIconClick();
        EXPECT_EQ(Control<QScrollBar>(dialog, "ScrollBarIcon")->value(), 0);
        dialog.ButtonOKClick();
    });
    EXPECT_TRUE(button_->ProgramIconPath().isEmpty());
    EXPECT_EQ(button_->ProgramIconNo(), 0);
    EXPECT_EQ(updated_.count(), 1);
}

TEST_F(LaunchButtonDialogTest, AChosenIconFileKeepsTheNumber) {
    const QString four =
        QString::fromStdString(IconSet("four.ico", {Qt::red, Qt::green, Qt::blue, Qt::yellow}));
    button_->SetItem({"", script_.toStdString(), "", "", TProgState::psNormal, "", 0});
    button_->SetProgramIconNo(3);
    WithDialog([&](LaunchButtonDialog& dialog) {
        ChooseIconFile(dialog, four);
        EXPECT_EQ(Control<QScrollBar>(dialog, "ScrollBarIcon")->maximum(), 3);
        // The preview shows what the button will.
        EXPECT_EQ(Middle(dialog.Preview()), QColor(Qt::yellow));
        dialog.ButtonOKClick();
    });
    EXPECT_EQ(button_->ProgramIconNo(), 3);
    EXPECT_EQ(Middle(button_->Glyph()), QColor(Qt::yellow));
}

TEST_F(LaunchButtonDialogTest, AnImageChosenAsTheIconFileIsItselfTheGlyph) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    const QString png = QString::fromStdString((folder_ / "mark.png").string());
    const QString xpm = QString::fromStdString((folder_ / "mark.xpm").string());
    ASSERT_TRUE(image.save(png, "PNG"));
    image.fill(Qt::cyan);
    ASSERT_TRUE(image.save(xpm, "XPM"));
    const QString svg = QString::fromStdString((folder_ / "mark.svg").string());
    TempFolder::Write(svg.toStdString(),
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                      "<rect width=\"16\" height=\"16\" fill=\"#00ff00\"/></svg>");
    button_->SetItem({"", script_.toStdString(), "", "", TProgState::psNormal, "", 0});
    WithDialog([&](LaunchButtonDialog& dialog) {
        ChooseIconFile(dialog, png);
        EXPECT_EQ(Middle(dialog.Preview()), QColor(Qt::magenta));
        dialog.ButtonOKClick();
    });
    EXPECT_EQ(button_->ProgramIconPath(), png);
    EXPECT_EQ(Middle(button_->Glyph()), QColor(Qt::magenta));
    for (const auto& [file, color] :
         {std::pair(svg, QColor(Qt::green)), std::pair(xpm, QColor(Qt::cyan))}) {
        button_->SetItem(
            {"", script_.toStdString(), "", "", TProgState::psNormal, file.toStdString(), 0});
        EXPECT_EQ(Middle(button_->Glyph()), color) << file.toStdString();
        WithDialog([&, color = color](LaunchButtonDialog& dialog) {
            EXPECT_EQ(Middle(dialog.Preview()), color);
        });
    }
}

TEST_F(LaunchButtonDialogTest, DeleteAsksFirst) {
    button_->SetItem({"T", script_.toStdString(), "", "", TProgState::psNormal, "", 0});
    WithDialog([&](LaunchButtonDialog& dialog) {
        const auto asked = Answer(QMessageBox::No);
        dialog.ButtonDeleteClick();
        EXPECT_EQ(*asked, QStringLiteral("このアイコンを削除してよろしいですか？"));
        EXPECT_TRUE(dialog.isVisible());
        Answer(QMessageBox::Yes);
        dialog.ButtonDeleteClick();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(button_->ProgramPath().isEmpty());
    EXPECT_EQ(button_->toolTip(), QStringLiteral("未登録"));
    EXPECT_EQ(updated_.count(), 1);
}

TEST_F(LaunchButtonDialogTest, TheDialogStandsUnderTheButtonWithinTheScreen) {
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    WithDialog([&](LaunchButtonDialog& dialog) {
        const QPoint corner = button_->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(dialog.pos(), QPoint(corner.x(), corner.y() + 21));
    });
    button_->move(screenWidth - 100, 30);
    WithDialog([&](LaunchButtonDialog& dialog) { EXPECT_EQ(dialog.x(), screenWidth - 420); });
}

// The room a button's style gives its contents, against what its caption and
// icon take; and no control covers another or leaves the window.
void ExpectCaptionsFit(LaunchButtonDialog& dialog) {
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        if (button->autoDefault() || button->isDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + icon, room.width())
            << button->text().toStdString();
    }
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* control : controls) {
        EXPECT_TRUE(dialog.rect().contains(control->geometry()))
            << control->objectName().toStdString();
        for (const QWidget* other : controls) {
            EXPECT_TRUE(control == other || !control->geometry().intersects(other->geometry()))
                << control->objectName().toStdString() << " " << other->objectName().toStdString();
        }
    }
}

TEST_F(LaunchButtonDialogTest, CaptionsFitInJapaneseAndInEnglish) {
    QFont font(QStringLiteral("IPAPGothic")); // as the main window's
    font.setPixelSize(12);
    window_.setFont(font);
    WithDialog(ExpectCaptionsFit);
    const EnglishScope english;
    WithDialog(ExpectCaptionsFit);
}

TEST_F(LaunchButtonDialogTest, AButtonRemovedWhileItsDialogWaitsClosesIt) {
    button_->SetItem({"T", script_.toStdString(), "", "", TProgState::psNormal, "", 0});
    bool ran = false;
    QTimer::singleShot(0, &window_, [&] {
        ASSERT_NE(button_->Dialog(), nullptr);
        delete button_.data(); // a page switched by a tick
        ran = true;
    });
    // The right button's release opens it, as a user's does.
    QTest::mouseRelease(button_.data(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(button_.isNull());
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<LaunchButtonDialog*>(widget), nullptr);
    }
}

} // namespace
} // namespace rimo

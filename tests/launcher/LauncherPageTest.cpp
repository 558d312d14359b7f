#include "launcher/LauncherPage.h"
#include "LauncherFixture.h"
#include "core/AppPaths.h"
#include "core/RadioGroup.h"
#include "launcher/LaunchButtonDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace rimo {
namespace {

using namespace std::string_literals;

const QString kNoTitle = QString(4, QChar(0x3000));

// "タイトル" in CP932.
const std::string kTitle = "\x83\x5e\x83\x43\x83\x67\x83\x8b";

class LauncherPageTest : public LauncherFixture {
protected:
    LauncherPageTest() : paths_(AppPaths::InFolder(folder_ / "data folder")) {
        std::filesystem::create_directories(paths_.DataDir);
        tabSheet3_ = new QWidget(&window_);
        tabSheet3_->setObjectName(QStringLiteral("TabSheet3"));
        tabSheet3_->setGeometry(0, 0, 650, 190);
        page_ = new LauncherPage(*tabSheet3_, paths_, Services());
        tabSheet3_->show();
        for (const char* name : {"a.sh", "b.sh", "c.sh", "d.sh"}) {
            TempFolder::Write(folder_ / name, "#!/bin/sh\n");
        }
    }
    std::string Program(const char* name) const { return (folder_ / name).string(); }
    void WriteFile(int page, const std::string& bytes) {
        TempFolder::Write(paths_.LauncherFile(page), bytes);
    }
    std::string File(int page) const { return TempFolder::Read(paths_.LauncherFile(page)); }
    template <typename T> T* Row(const char* kind, int n) const {
        return window_.findChild<T*>(QString::fromLatin1(kind) + QString::number(n));
    }
    TLaunchButton* Button(int n) const { return Row<TLaunchButton>("Button", n); }
    QCheckBox* Check(int n) const { return Row<QCheckBox>("CheckBox", n); }
    QLabel* Label(int n) const { return Row<QLabel>("Label", n); }
    int Rows() const { return static_cast<int>(window_.findChildren<TLaunchButton*>().size()); }
    // A right press on a row's label, then the menu as it opens.
    void PopupOn(int n) {
        QTest::mousePress(Label(n), Qt::RightButton);
        page_->PopupMenu3Popup();
    }

    AppPaths paths_;
    QWidget* tabSheet3_;
    LauncherPage* page_;
};

TEST_F(LauncherPageTest, TheFirstStartShowsThreeEmptyPagesAndWritesTheOpenedOne) {
    page_->SelectPage(0);
    EXPECT_EQ(page_->Titles(),
              (QStringList{QStringLiteral("タイトル0"), QStringLiteral("タイトル1"),
                           QStringLiteral("タイトル2")}));
    EXPECT_EQ(window_.findChild<QLineEdit*>(QStringLiteral("EditLaunchTitle"))->text(),
              QStringLiteral("タイトル0"));
    ASSERT_EQ(Rows(), 6);
    EXPECT_EQ(Button(6)->toolTip(), QStringLiteral("未登録"));
    EXPECT_EQ(Label(6)->text(), kNoTitle);
    EXPECT_EQ(Button(6)->geometry(), QRect(19, 6 * 22, 20, 20));
    std::string expected;
    for (int n = 1; n <= 6; ++n) {
        expected += "[Button" + std::to_string(n) + "]\r\nCheckBox=0\r\n\r\n";
    }
    expected += "[Setting]\r\nLBtnNo=6\r\nLaunchTitle=" + kTitle + "0\r\n\r\n";
    EXPECT_EQ(File(0), expected);
    EXPECT_FALSE(std::filesystem::exists(paths_.LauncherFile(1)));
    EXPECT_FALSE(window_.findChild<QWidget*>(QStringLiteral("ButtonStart"))->isEnabled());
}

TEST_F(LauncherPageTest, TheRowCountStaysWithinOneAndNinetyNine) {
    WriteFile(0, "[Setting]\r\nLBtnNo=500\r\n");
    WriteFile(1, "[Setting]\r\nLBtnNo=-5\r\n");
    WriteFile(2, "[Setting]\r\nLBtnNo=abc\r\n");
    page_->SelectPage(0);
    EXPECT_EQ(Rows(), 99);
    EXPECT_NE(File(0).find("LBtnNo=99\r\n"), std::string::npos);
    page_->SelectPage(1);
    EXPECT_EQ(Rows(), 1);
    page_->SelectPage(2);
    EXPECT_EQ(Rows(), 6);
    // From a page of 99 rows to one that asks for more: the rows are built all the same.
    page_->SelectPage(0);
    WriteFile(1, "[Setting]\r\nLBtnNo=100\r\n");
    page_->SelectPage(1);
    EXPECT_EQ(Rows(), 99);
    EXPECT_EQ(page_->LaunchButtonCount(), 99);
    auto* spin = window_.findChild<QSpinBox*>(QStringLiteral("SpinEdit2"));
    spin->setValue(3);
    EXPECT_EQ(Rows(), 3);
    EXPECT_NE(File(1).find("LBtnNo=3\r\n"), std::string::npos);
}

TEST_F(LauncherPageTest, RowsHiddenByALowerCountComeBackWithTheirProgramsAndChecks) {
    WriteFile(0, "[Setting]\r\nLBtnNo=4\r\n[Button4]\r\nProgPath=" + Program("d.sh") +
                     "\r\nProgTitle=Dee\r\nCheckBox=1\r\n");
    page_->SelectPage(0);
    EXPECT_TRUE(Check(4)->isChecked());
    EXPECT_EQ(Label(4)->text(), QStringLiteral("Dee"));
    auto* spin = window_.findChild<QSpinBox*>(QStringLiteral("SpinEdit2"));
    spin->setValue(2);
    EXPECT_EQ(Button(4), nullptr);
    spin->setValue(4);
    EXPECT_EQ(Button(4)->ProgramTitle(), QStringLiteral("Dee"));
    EXPECT_TRUE(Check(4)->isChecked());
}

TEST_F(LauncherPageTest, AFileDroppedOnAnEmptyRowGetsItsNameAndFolder) {
    page_->SelectPage(0);
    Button(2)->DropFiles({QString::fromStdString((folder_ / "My Tool.sh").string())});
    EXPECT_EQ(Button(2)->ProgramTitle(), QStringLiteral("My Tool"));
    EXPECT_EQ(Button(2)->ProgramDir().toStdString(), folder_.Path().string());
    EXPECT_EQ(Label(2)->text(), QStringLiteral("My Tool"));
    const std::string file = File(0);
    EXPECT_NE(file.find("[Button2]\r\nCheckBox=0\r\nProgPath=" + (folder_ / "My Tool.sh").string() +
                        "\r\nProgTitle=My Tool\r\nProgDir=" + folder_.Path().string() + "\r\n"),
              std::string::npos)
        << file;
}

TEST_F(LauncherPageTest, RowChecksAreNamedByTheirRowAndOpenTheRowMenuFromTheKeyboard) {
    WriteFile(0, "[Button2]\r\nProgPath=" + Program("a.sh") + "\r\nProgTitle=Tool\r\n");
    page_->SelectPage(0);
    EXPECT_EQ(Check(1)->accessibleName(), QStringLiteral("1 行目"));
    EXPECT_EQ(Check(2)->accessibleName(), QStringLiteral("2 行目 Tool"));
    EXPECT_EQ(Button(2)->accessibleName(), QStringLiteral("Tool"));

    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2),
                              Check(2)->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(Check(2), &request);
    ASSERT_TRUE(page_->PopupMenu3()->isVisible());
    EXPECT_EQ(page_->PopupRow(), 2);
    page_->PopupMenu3()->close();
    QTest::keyClick(Check(3), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(page_->PopupMenu3()->isVisible());
    EXPECT_EQ(page_->PopupRow(), 3);
    page_->PopupMenu3()->close();
}

TEST_F(LauncherPageTest, TheDialogsTitleStaysOnlyWhereTheFileHadAProgram) {
    WriteFile(0, "[Button1]\r\nProgPath=" + Program("a.sh") + "\r\nProgTitle=Old\r\n");
    page_->SelectPage(0);
    for (int n : {1, 2}) {
        QTimer::singleShot(0, &window_, [&, n] {
            LaunchButtonDialog* dialog = Button(n)->Dialog();
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("EditTitle"))
                ->setText(QStringLiteral("Typed"));
            dialog->findChild<QLineEdit*>(QStringLiteral("EditPath"))
                ->setText(QString::fromStdString(Program("b.sh")));
            dialog->ButtonOKClick();
        });
        Button(n)->OpenPropertyDialog();
    }
    EXPECT_EQ(Label(1)->text(), QStringLiteral("Typed"));
    EXPECT_EQ(Label(2)->text(), QStringLiteral("b")); // registered into an empty slot
    EXPECT_EQ(Button(1)->toolTip(), QStringLiteral("Typed"));
}

TEST_F(LauncherPageTest, StartingGoesDownTheCheckedRegisteredRowsInTheirStates) {
    WriteFile(0, "[Setting]\r\nLBtnNo=4\r\n"
                 "[Button1]\r\nProgPath=" +
                     Program("a.sh") +
                     "\r\nProgState=1\r\nCheckBox=1\r\n"
                     "[Button2]\r\nProgPath=\r\nCheckBox=1\r\n"
                     "[Button3]\r\nProgPath=" +
                     Program("c.sh") +
                     "\r\nCheckBox=0\r\n"
                     "[Button4]\r\nProgPath=" +
                     Program("d.sh") + "\r\nProgState=2\r\nCheckBox=1\r\n");
    page_->SelectPage(0);
    page_->ButtonStartClick();
    ASSERT_EQ(programs_.Starts.size(), 2u);
    EXPECT_EQ(programs_.Starts[0].Program, Program("a.sh"));
    EXPECT_EQ(programs_.Starts[0].State, StartState::Maximized);
    EXPECT_EQ(programs_.Starts[1].Program, Program("d.sh"));
    EXPECT_EQ(programs_.Starts[1].State, StartState::Minimized);
    // A double click on a label starts its row; the same page chosen again is not rebuilt.
    TLaunchButton* third = Button(3);
    page_->SelectPage(0);
    EXPECT_EQ(Button(3), third);
    QTest::mouseDClick(Label(3), Qt::LeftButton);
    ASSERT_EQ(programs_.Starts.size(), 3u);
    EXPECT_EQ(programs_.Starts[2].Program, Program("c.sh"));
}

TEST_F(LauncherPageTest, DeletingCheckedRowsAsksAsTheConfirmationBoxSays) {
    const std::string rows =
        "[Button1]\r\nProgPath=" + Program("a.sh") +
        "\r\nProgTitle=A\r\nCheckBox=1\r\n[Button2]\r\nProgPath=" + Program("b.sh") +
        "\r\nCheckBox=1\r\n";
    WriteFile(0, rows);
    page_->SelectPage(0);
    auto* confirm = window_.findChild<QCheckBox*>(QStringLiteral("CheckBoxConf"));

    confirm->setChecked(false); // one question for all
    auto asked = Answer(QMessageBox::Cancel);
    page_->ButtonIconDeleteClick();
    EXPECT_EQ(*asked, QStringLiteral(
                          "選択した全てのｱｲｺﾝを削除します。\n\n復旧は出来ませんが宜しいですか?"));
    EXPECT_TRUE(Notices().isEmpty());
    EXPECT_EQ(Button(1)->ProgramTitle(), QStringLiteral("A"));

    confirm->setChecked(true); // one question per button, each declined
    asked = Answer(QMessageBox::Cancel, {}, 2);
    page_->ButtonIconDeleteClick();
    EXPECT_EQ(*asked, QStringLiteral(" のｱｲｺﾝを削除します。\n\n復旧は出来ませんが宜しいですか?"));
    EXPECT_TRUE(Notices().isEmpty());
    EXPECT_FALSE(Button(2)->ProgramPath().isEmpty());

    confirm->setChecked(false);
    Answer(QMessageBox::Yes);
    page_->ButtonIconDeleteClick();
    EXPECT_TRUE(Button(1)->ProgramPath().isEmpty());
    EXPECT_TRUE(Button(2)->ProgramPath().isEmpty());
    EXPECT_FALSE(Check(1)->isChecked());
    EXPECT_EQ(Label(1)->text(), kNoTitle);
    EXPECT_NE(File(0).find("[Button1]\r\nProgPath=\r\nCheckBox=0\r\n"), std::string::npos);

    Answer(QMessageBox::Yes); // nothing left to delete
    page_->ButtonIconDeleteClick();
    EXPECT_EQ(Notices(), QStringList{QStringLiteral("削除するｱｲｺﾝはありません。")});
}

TEST_F(LauncherPageTest, APageSwitchedWhileAQuestionWaitsEndsTheDelete) {
    const std::string rows = "[Button1]\r\nProgPath=" + Program("a.sh") + "\r\nCheckBox=1\r\n";
    WriteFile(0, rows);
    WriteFile(1, rows);
    page_->SelectPage(0);
    Answer(QMessageBox::Yes, [&] { page_->SelectPage(1); }); // a scheduled "ランチャー"
    page_->ButtonIconDeleteClick();
    EXPECT_EQ(page_->CurrentPage(), 1);
    EXPECT_FALSE(Button(1)->ProgramPath().isEmpty());
    EXPECT_NE(File(1).find("ProgPath=" + Program("a.sh")), std::string::npos);
    EXPECT_NE(File(0).find("ProgPath=" + Program("a.sh")), std::string::npos);
}

TEST_F(LauncherPageTest, TheClipboardCarriesAButtonAcrossPages) {
    WriteFile(0, "[Button1]\r\nProgPath=" + Program("a.sh") +
                     "\r\nProgTitle=Ay\r\nProgState=2\r\nIconNo=4\r\n");
    WriteFile(2,
              "[Button3]\r\nProgPath=" + Program("c.sh") + "\r\nProgTitle=Cee\r\nCheckBox=1\r\n");
    page_->SelectPage(0);
    PopupOn(2);                                                   // an empty row
    EXPECT_FALSE(page_->PopupMenu3()->actions()[2]->isEnabled()); // nothing to paste yet
    EXPECT_FALSE(page_->PopupMenu3()->actions()[0]->isEnabled());
    PopupOn(1);
    page_->Copy1Click();
    const std::string page0 = File(0);

    page_->SelectPage(2);
    PopupOn(3); // over a registered row: asked with both titles
    auto asked = Answer(QMessageBox::No);
    page_->Paste1Click();
    EXPECT_EQ(*asked, QStringLiteral("Cee のｱｲｺﾝを Ay に上書きして宜しいですか?"));
    EXPECT_EQ(Button(3)->ProgramTitle(), QStringLiteral("Cee"));
    Answer(QMessageBox::Yes);
    page_->Paste1Click();
    EXPECT_EQ(Button(3)->Item(),
              (LaunchItem{"Ay", Program("a.sh"), "", "", TProgState::psMinimized, "", 4}));
    EXPECT_EQ(Label(3)->text(), QStringLiteral("Ay"));
    EXPECT_TRUE(Check(3)->isChecked());
    EXPECT_NE(File(2).find("[Button3]\r\nProgPath=" + Program("a.sh") +
                           "\r\nProgTitle=Ay\r\nCheckBox=1\r\nProgState=2\r\nIconNo=4\r\n"),
              std::string::npos);
    EXPECT_EQ(File(0), page0);

    // Cut and paste into the same row brings it back, title included.
    PopupOn(3);
    page_->Cut1Click();
    EXPECT_TRUE(Button(3)->ProgramPath().isEmpty());
    EXPECT_EQ(Label(3)->text(), kNoTitle);
    PopupOn(3);
    EXPECT_TRUE(page_->PopupMenu3()->actions()[2]->isEnabled());
    page_->Paste1Click(); // an empty row: nothing asked
    EXPECT_EQ(Label(3)->text(), QStringLiteral("Ay"));
    EXPECT_TRUE(Check(3)->isChecked());

    auto deleted = Answer(QMessageBox::Yes);
    page_->Delete2Click();
    EXPECT_EQ(*deleted,
              QStringLiteral("Ay のｱｲｺﾝを削除します。\n\n復旧は出来ませんが宜しいですか?"));
    EXPECT_TRUE(Button(3)->ProgramPath().isEmpty());
}

TEST_F(LauncherPageTest, TitlesShowAsWrittenNeverAsMarkup) {
    page_->SelectPage(0);
    const QStringList titles{QStringLiteral("<b>bold"), QStringLiteral("<img src=x>")};
    for (int n = 1; n <= 2; ++n) {
        const QString& title = titles[n - 1];
        Button(n)->DropFiles({QString::fromStdString(folder_.Path().string()) + QLatin1Char('/') +
                              title + QStringLiteral(".sh")});
        // As plain text the label is as wide as its characters.
        EXPECT_GE(Label(n)->width(), Label(n)->fontMetrics().horizontalAdvance(title))
            << title.toStdString();
        const QString tip = Button(n)->toolTip();
        const QString shown =
            Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
        EXPECT_EQ(shown, title);
    }
}

TEST_F(LauncherPageTest, TypedFoldersAndCountsAreTakenAsMeant) {
    page_->SelectPage(0);
    // A folder typed with a trailing slash: named and placed as a dropped one.
    std::filesystem::create_directories(folder_ / "Tools");
    QTimer::singleShot(0, &window_, [&] {
        LaunchButtonDialog* dialog = Button(1)->Dialog();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("EditPath"))
            ->setText(QString::fromStdString((folder_ / "Tools").string() + "/"));
        dialog->ButtonOKClick();
    });
    Button(1)->OpenPropertyDialog();
    EXPECT_EQ(Label(1)->text(), QStringLiteral("Tools"));
    EXPECT_EQ(Button(1)->ProgramPath().toStdString(), (folder_ / "Tools").string());
    EXPECT_EQ(Button(1)->ProgramDir().toStdString(), folder_.Path().string());

    // 100 typed as the row count: the most, 99.
    auto* spin = window_.findChild<QSpinBox*>(QStringLiteral("SpinEdit2"));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("100"));
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(Rows(), 99);
    EXPECT_NE(File(0).find("LBtnNo=99\r\n"), std::string::npos);
}

TEST_F(LauncherPageTest, OpeningAPageLeavesAHandMadeFileAsItIs) {
    const std::string made = "[Setting]\nLaunchTitle=\xED\x40\nLBtnNo = 1\n"
                             "[Button1]\nProgPath=" +
                             Program("a.sh") + "\nCheckBox=1";
    WriteFile(0, made);
    page_->SelectPage(0);
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(Check(1)->isChecked());
    EXPECT_EQ(File(0), made);
}

TEST_F(LauncherPageTest, TheTitleEditRenamesThePage) {
    page_->SelectPage(1);
    window_.findChild<QLineEdit*>(QStringLiteral("EditLaunchTitle"))
        ->setText(QStringLiteral("仕事"));
    EXPECT_EQ(page_->Titles()[1], QStringLiteral("仕事"));
    EXPECT_NE(File(1).find("LaunchTitle=\x8e\x64\x8e\x96\r\n"), std::string::npos);
    page_->SelectPage(0);
    EXPECT_EQ(window_.findChild<QLineEdit*>(QStringLiteral("EditLaunchTitle"))->text(),
              QStringLiteral("タイトル0"));
    EXPECT_EQ(page_->Titles()[1], QStringLiteral("仕事"));
    // A title longer than the edit takes, written by hand, is kept whole.
    WriteFile(2, "[Setting]\r\nLaunchTitle=a title of twenty-six chars\r\n");
    page_->SelectPage(2);
    EXPECT_EQ(page_->Titles()[2], QStringLiteral("a title of twenty-six chars"));
    EXPECT_NE(File(2).find("LaunchTitle=a title of twenty-six chars\r\n"), std::string::npos);
}

} // namespace
} // namespace rimo

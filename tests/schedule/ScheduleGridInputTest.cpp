// Row operations, the sort, the grid's menu, its hints, and files browsed for
// or dropped into the argument column.
#include "EditorFixture.h"

#include "TempFolder.h"
#include "schedule/ScheduleFileInput.h"
#include "schedule/ScheduleGridHints.h"
#include "schedule/SchedulePopupMenu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

namespace rimo {
namespace {

class ScheduleGridInputTest : public EditorFixture {
protected:
    void Titles(int rows) {
        table_.SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            table_.SetCell(ColTitle, r, "row" + std::to_string(r));
        }
    }

    SchedulePopupMenu& Menu() { return editor_->PopupMenu(); }
    // A right click where the user points; the menu that opens, if any.
    QMenu* RightClick(int column, int row) {
        const QRect cell = grid_->CellRect(column, row);
        QTest::mousePress(grid_->viewport(), Qt::RightButton, Qt::NoModifier, cell.center());
        QContextMenuEvent request(QContextMenuEvent::Mouse, cell.center(),
                                  grid_->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid_->viewport(), &request);
        QTest::mouseRelease(grid_->viewport(), Qt::RightButton, Qt::NoModifier, cell.center());
        QApplication::processEvents();
        QMenu* menu = Menu().PopupMenu2();
        return menu->isVisible() ? menu : nullptr;
    }
    static QStringList VisibleItems(QMenu* menu) {
        QStringList items;
        for (QAction* action : menu->actions()) {
            if (action->isVisible()) {
                items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
            }
        }
        return items;
    }

    void Drop(const QList<QUrl>& urls) {
        auto* data = new QMimeData;
        data->setUrls(urls);
        const QPoint at = grid_->viewport()->mapTo(
            &window_, grid_->CellRect(ColArgument, grid_->CurrentTableRow()).center());
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &enter);
        lastDragAccepted_ = enter.isAccepted();
        QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &drop);
        delete data;
        QApplication::processEvents();
    }

    // Runs the file dialog, handing it to `answer` once it is shown.
    void Browse(const std::function<void(QFileDialog*)>& answer) {
        QTimer::singleShot(0, [answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QStringLiteral("OpenDialog1") && widget->isVisible()) {
                    answer(static_cast<QFileDialog*>(widget));
                    return;
                }
            }
            ADD_FAILURE() << "OpenDialog1 was not shown";
        });
        editor_->Refer1Click();
    }

    bool lastDragAccepted_ = false;
};

TEST_F(ScheduleGridInputTest, DeleteNeverTakesTheFirstRowAndClearsBeforeRemoving) {
    Titles(5);
    grid_->SetCurrentCell(0, 1);
    editor_->Delete1Click();
    EXPECT_EQ(table_.RowCount(), 6);
    grid_->SetCurrentCell(0, 3);
    editor_->Delete1Click();
    ASSERT_EQ(table_.RowCount(), 5);
    EXPECT_EQ(Cell(ColTitle, 3), "row4");
    EXPECT_EQ(grid_->CurrentTableRow(), 3);
    editor_->Add1Click();
    EXPECT_EQ(table_.Row(5), ScheduleRow{});
}

TEST_F(ScheduleGridInputTest, InsertLeavesAnEmptyRowAtTheCurrentRow) {
    Titles(5);
    grid_->SetCurrentCell(0, 2);
    editor_->Insert1Click();
    EXPECT_EQ(table_.RowCount(), 7);
    EXPECT_EQ(Cell(ColTitle, 2), "");
    EXPECT_EQ(Cell(ColTitle, 3), "row2");
    EXPECT_EQ(grid_->CurrentTableRow(), 2);
    editor_->Add1Click();
    EXPECT_EQ(table_.RowCount(), 8);
    EXPECT_EQ(grid_->model()->rowCount(), 7);
}

TEST_F(ScheduleGridInputTest, SortSelectsTheNextEventAndAsksForANewTitle) {
    const ScheduleRow later{"later", "", "2026/12/10/木", "12:00:00", "警告音", "", "しない", "○"};
    const ScheduleRow sooner{"sooner", "", "2026/12/09/水", "18:00:00",
                             "警告音", "", "しない",        "○"};
    const ScheduleRow undated{"undated", "", "", "", "", "", "しない", "×"};
    table_.ReplaceScheduleRows({later, sooner, undated});
    grid_->SetCurrentCell(ColTime, 3);
    state_.TitleRefreshPending = false;
    editor_->SortButtonClick();
    EXPECT_EQ(Cell(ColTitle, 1), "undated");
    EXPECT_EQ(Cell(ColTitle, 2), "sooner");
    EXPECT_EQ(Cell(ColTitle, 3), "later");
    EXPECT_EQ(grid_->CurrentTableRow(), 2);
    EXPECT_EQ(grid_->CurrentColumn(), ColTitle);
    EXPECT_TRUE(state_.TitleRefreshPending);

    // Nothing enabled ahead: row 1. A row with a date but no time is passed over.
    ScheduleRow noTime = sooner;
    noTime[ColTime].clear();
    table_.ReplaceScheduleRows(
        {noTime, {"past", "", "2026/12/01/火", "07:00:00", "", "", "", "○"}});
    grid_->SetCurrentCell(ColAction, 2);
    editor_->SortButtonClick();
    EXPECT_EQ(grid_->CurrentTableRow(), 1);
    EXPECT_EQ(grid_->CurrentColumn(), ColTitle);
    EXPECT_TRUE(MessageBoxes().isEmpty());

    editor_->Test1Click();
    EXPECT_TRUE(state_.TestRequested);
}

TEST_F(ScheduleGridInputTest, TheMenuOffersRowOperationsOnTitlesAndBrowsingOnArguments) {
    Titles(3);
    EXPECT_TRUE(Menu().AutoPopup()); // on at start
    EXPECT_FALSE(Menu().Refer1()->isVisible());

    Click(ColTime, 2);
    EXPECT_EQ(RightClick(ColTime, 2), nullptr); // no menu on the other columns

    Click(ColTitle, 2);
    QMenu* menu = RightClick(ColTitle, 3);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(VisibleItems(menu),
              (QStringList{QStringLiteral("挿入(&I)"), QStringLiteral("削除(&D)"),
                           QStringLiteral("追加(&A)"), QStringLiteral("-"),
                           QStringLiteral("テスト(&T)"), QStringLiteral("実行履歴(&R)...")}));
    // The right press did not move the current cell; the whole row shows selected.
    EXPECT_EQ(grid_->CurrentTableRow(), 2);
    EXPECT_TRUE(grid_->RowSelectDisplay());
    EXPECT_TRUE(grid_->selectionModel()->isRowSelected(1, QModelIndex()));
    menu->close();
    // The items act on the current row.
    Menu().Delete1()->trigger();
    EXPECT_EQ(table_.RowCount(), 3);
    EXPECT_EQ(Cell(ColTitle, 2), "row3");

    Click(ColArgument, 1);
    EXPECT_FALSE(grid_->RowSelectDisplay());
    menu = RightClick(ColArgument, 1);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(VisibleItems(menu), QStringList{QStringLiteral("参照(&R)")});
    menu->close();
    EXPECT_FALSE(Menu().AutoPopup());
}

TEST_F(ScheduleGridInputTest, TheMenuKeyOpensTheMenuOfTheCurrentCell) {
    Titles(2);
    Click(ColTitle, 2);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(0, 0),
                              grid_->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(grid_, &request);
    QApplication::processEvents();
    ASSERT_TRUE(Menu().PopupMenu2()->isVisible());
    EXPECT_TRUE(Menu().Insert1()->isVisible());
    Menu().PopupMenu2()->close();
}

TEST_F(ScheduleGridInputTest, HintsNameTheColumnAndShortenQuotedPaths) {
    const std::string longPath =
        "/usr/share/applications/a-rather-long-folder/another-long-folder/program.desktop";
    table_.SetCell(ColArgument, 1, "\"" + longPath + "\"");
    table_.SetCell(ColTitle, 1, "起床");
    ScheduleGridHints& hints = editor_->Hints();
    EXPECT_EQ(hints.Hint(), QStringLiteral("Rimo Time Information Schedule"));

    QTest::mouseMove(grid_->viewport(), grid_->CellRect(ColArgument, 1).center());
    const QString shown = hints.Hint();
    EXPECT_FALSE(shown.contains(QLatin1Char('"')));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/..."))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/program.desktop")));
    EXPECT_LE(QFontMetrics(grid_->font()).horizontalAdvance(shown), 230);

    QTest::mouseMove(grid_->viewport(), grid_->CellRect(ColTime, 2).center());
    EXPECT_EQ(hints.Hint(), QStringLiteral("指定時刻の入力"));
    QTest::mouseMove(grid_->viewport(), grid_->CellRect(ColArgument, 2).center());
    EXPECT_EQ(
        hints.Hint(),
        QStringLiteral("選択して左クリックでメッセージ入力、右クリックでパス参照、D&Dも可能"));
    // The header row by its column; below the last row, the grid's own hint.
    QHeaderView* header = grid_->horizontalHeader();
    QTest::mouseMove(header->viewport(), QPoint(header->sectionPosition(ColTitle) + 5, 5));
    EXPECT_EQ(hints.Hint(), QStringLiteral("タイトル"));
    QTest::mouseMove(header->viewport(), QPoint(header->sectionPosition(ColEnabled) + 5, 5));
    EXPECT_EQ(hints.Hint(), QStringLiteral("○で有効"));
    table_.SetRowCount(2);
    QTest::mouseMove(grid_->viewport(), QPoint(5, grid_->viewport()->height() - 3));
    EXPECT_EQ(hints.Hint(), QStringLiteral("Rimo Time Information Schedule"));
    // A click shows the text of the current cell.
    Click(ColTitle, 1);
    EXPECT_EQ(hints.Hint(), QStringLiteral("起床"));
}

TEST_F(ScheduleGridInputTest, OneDroppedFileFillsTheEmptyArgumentCell) {
    TempFolder folder;
    const std::filesystem::path file = folder / "起床の音.wav";
    TempFolder::Write(file, "RIFF");
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));

    Click(ColArgument, 1);
    Drop({url});
    EXPECT_TRUE(lastDragAccepted_);
    EXPECT_EQ(Cell(ColArgument, 1), "\"" + file.string() + "\"");
    EXPECT_EQ(Cell(ColTitle, 1), "起床の音");

    // A filled cell, two files, or something that is not a local file: nothing.
    Drop({QUrl::fromLocalFile(QStringLiteral("/tmp/other.wav"))});
    EXPECT_FALSE(lastDragAccepted_);
    EXPECT_EQ(Cell(ColArgument, 1), "\"" + file.string() + "\"");
    Click(ColArgument, 2);
    Drop({url, url});
    EXPECT_FALSE(lastDragAccepted_);
    Drop({QUrl(QStringLiteral("https://example.org/a.wav"))});
    EXPECT_EQ(Cell(ColArgument, 2), "");
    EXPECT_EQ(Cell(ColTitle, 2), "");

    // Only while column 5 is current does the window take files at all.
    Click(ColAction, 2);
    EXPECT_FALSE(window_.acceptDrops());
    Drop({url});
    EXPECT_EQ(Cell(ColArgument, 2), "");
}

TEST_F(ScheduleGridInputTest, BrowsingWritesTheChosenFileInQuotes) {
    TempFolder folder;
    const std::filesystem::path picture = folder / "wall paper.bmp";
    TempFolder::Write(picture, "BM");
    TempFolder::Write(folder / "other.png", "PNG");
    table_.SetCell(ColAction, 1, "壁紙変更");
    table_.SetCell(ColArgument, 1, "\"" + (folder / "old.bmp").string() + "\"");
    Click(ColArgument, 1);

    Browse([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ファイル名の指定"));
        ASSERT_EQ(dialog->nameFilters().size(), 1);
        // The pictures Linux desktops take as wallpapers, BMP among them.
        const QString filter = dialog->nameFilters()[0];
        const QStringList patterns =
            filter.mid(filter.indexOf(u'(') + 1).chopped(1).split(u' ', Qt::SkipEmptyParts);
        const auto offered = [&](const QString& name) {
            return std::any_of(patterns.begin(), patterns.end(), [&](const QString& pattern) {
                return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                    .match(name)
                    .hasMatch();
            });
        };
        for (const char* name : {"a.png", "a.jpg", "a.jpeg", "a.bmp", "a.webp", "a.svg"}) {
            EXPECT_TRUE(offered(QString::fromLatin1(name))) << name;
        }
        EXPECT_FALSE(offered(QStringLiteral("a.wav")));
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral("OK"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("OK"));
        // It opens where the cell's file lies.
        EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder.Path().string());
        dialog->selectFile(QString::fromStdString(picture.string()));
        buttons->button(QDialogButtonBox::Open)->click(); // the user presses "OK"
    });
    EXPECT_EQ(Cell(ColArgument, 1), "\"" + picture.string() + "\"");

    // Cancelled: the cell stays.
    Browse([](QFileDialog* dialog) {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(Cell(ColArgument, 1), "\"" + picture.string() + "\"");

    EXPECT_EQ(ScheduleFileInput::FilterForAction("サウンド"), QStringLiteral("WaveFile (*.wav)"));
    EXPECT_EQ(ScheduleFileInput::FilterForAction("起動"), QStringLiteral("すべてのファイル (*)"));
}

// Ticks run while the file dialog or the menu is open; a row that runs moves
// on and the sort makes the next event current. What the user chose still
// belongs to the row it was chosen for.
class ChoicesDuringTicksTest : public ScheduleGridInputTest {
protected:
    const ScheduleRow alarm_{"alarm",  "毎日", "2026/12/09/水", "12:00:00",
                             "警告音", "",     "しない",        "○"};
    const ScheduleRow wallpaper_{"wallpaper", "", "2026/12/10/木", "12:00:00",
                                 "壁紙変更",  "", "しない",        "×"};

    // The alarm runs and moves on past the wallpaper row; the sort makes it current.
    void AlarmRunsAndMovesOn() {
        table_.SetCell(ColDate, 1, "2026/12/11/金");
        editor_->SortButtonClick();
        ASSERT_EQ(Cell(ColTitle, grid_->CurrentTableRow()), "alarm");
    }
};

TEST_F(ChoicesDuringTicksTest, TheBrowsedFileGoesToItsRowOrNowhere) {
    TempFolder folder;
    const std::filesystem::path picture = folder / "sea.png";
    TempFolder::Write(picture, "PNG");
    const auto choose = [&](QFileDialog* dialog) {
        dialog->selectFile(QString::fromStdString(picture.string()));
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    };
    table_.ReplaceScheduleRows({alarm_, wallpaper_});
    Click(ColArgument, 2);
    Browse([&](QFileDialog* dialog) {
        AlarmRunsAndMovesOn();
        choose(dialog);
    });
    ScheduleRow expected = wallpaper_;
    expected[ColArgument] = "\"" + picture.string() + "\"";
    EXPECT_EQ(table_.Row(1), expected);
    EXPECT_EQ(table_.Row(2), (ScheduleRow{"alarm", "毎日", "2026/12/11/金", "12:00:00", "警告音",
                                          "", "しない", "○"}));

    // The row is deleted meanwhile: the choice is dropped.
    table_.ReplaceScheduleRows({alarm_, wallpaper_});
    Click(ColArgument, 2);
    Browse([&](QFileDialog* dialog) {
        table_.RemoveRow(2);
        choose(dialog);
    });
    EXPECT_EQ(table_.Rows(), (std::vector<ScheduleRow>{ScheduleHeader(), alarm_}));
}

TEST_F(ChoicesDuringTicksTest, AMenuItemActsOnTheRowTheMenuWasOpenedFor) {
    table_.ReplaceScheduleRows({alarm_, wallpaper_, {"third"}});
    Click(ColTitle, 2);
    QMenu* menu = RightClick(ColTitle, 2);
    ASSERT_NE(menu, nullptr);
    AlarmRunsAndMovesOn();
    menu->close();
    Menu().Delete1()->trigger();
    ASSERT_EQ(table_.RowCount(), 3);
    EXPECT_EQ(Cell(ColTitle, 1), "third");
    EXPECT_EQ(Cell(ColTitle, 2), "alarm");

    // Gone meanwhile: the item does nothing.
    menu = RightClick(ColTitle, 2);
    ASSERT_NE(menu, nullptr);
    table_.SetCell(ColTitle, 2, "renamed");
    menu->close();
    Menu().Delete1()->trigger();
    EXPECT_EQ(table_.RowCount(), 3);
}

} // namespace
} // namespace rimo

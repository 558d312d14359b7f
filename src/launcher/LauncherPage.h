#pragma once

#include "core/AppPaths.h"
#include "launcher/LaunchButton.h"
#include "launcher/LaunchClipboard.h"
#include "launcher/LauncherFile.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QWidget;

namespace rimo {

class RadioGroup;

// The launcher page ("RIMOランチャー(&L)"): one of three titled pages of
// rows (check box, launch button, label) at a time, each page kept in its
// file Launcher<k>.dat in the data folder and written at every change. The
// row controls are built at run time in ScrollBox1 and carry the names
// CheckBox<n>, Button<n> and Label<n>. The row labels' menu (PopupMenu3)
// cuts, copies, pastes and deletes buttons through a clipboard kept across
// page switches.
//
// Questions wait with the event loop running: a tick may switch the page
// meanwhile, after which an operation that asked stops (its rows are gone).
class LauncherPage : public QObject {
    Q_OBJECT
public:
    LauncherPage(QWidget& tabSheet, const AppPaths& paths, LaunchButtonServices services);
    ~LauncherPage() override;

    // The page index (ItemIndex of RadioGroupLaunchTitle), -1 before a page is chosen.
    int CurrentPage() const;
    // Selecting page k as a user's click does (opens it when the index changes).
    void SelectPage(int page);
    // The three page titles, in page order.
    QStringList Titles() const;
    int LaunchButtonCount() const { return launchButtonCount_; }
    bool AllChecked() const { return allChecked_; }
    LaunchClipboard& Clipboard() { return clipboard_; }
    // The launcher message position (ScrollBox1's top-left corner on the screen).
    QPoint MessagePosition() const;

    // Handlers of the page's controls.
    void RadioGroupLaunchTitleClick();
    void SpinEdit2Change();
    void EditLaunchTitleChange();
    void ButtonSelectAllClick();
    void ButtonReverseClick();
    void ButtonStartClick();
    void ButtonIconDeleteClick();

    // Operations behind them.
    std::filesystem::path LauncherFileName() const;
    void BuildLauncherRows(int count);
    void FreeLauncherRows();
    void LoadLaunchTitle(int page);
    void LoadLaunchButtons();
    void SaveLaunchButton(TLaunchButton& button);
    void LoadLauncherLabels();
    void LoadLauncherChecks();
    void SaveLauncherChecks();
    void LauncherCheckClick();
    void LauncherLabelDblClick(const QLabel& label);
    void LaunchButtonUpdated(TLaunchButton* button);

    // PopupMenu3 on the row labels.
    void LauncherLabelMouseDown(const QLabel& label, Qt::MouseButtons buttons);
    void PopupMenu3Popup();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete2Click();
    QMenu* PopupMenu3() const { return popupMenu3_; }
    int PopupRow() const { return popupRow_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QCheckBox* Check;
        TLaunchButton* Button;
        QLabel* Label;
    };
    void CreateControls(QWidget& page);
    void CreatePopupMenu3();
    LauncherFile& File();
    void Report(const Status& status);
    void ReportFileProblems();
    void FitRowsHost();
    // The button of PopupRow; nullptr when the page changed since the menu opened.
    TLaunchButton* PopupButton() const;
    // Runs `change` on the check boxes with one selection refresh at the end.
    template <typename Change> void ChangeChecks(Change change);
    // Keyboard and screen reader (LauncherPageKeys.cpp): the rows follow the
    // title field in the tab order; a row's check box is named by its row and
    // title; the Menu key or Shift+F10 on it opens PopupMenu3 for its row.
    void ChainRowsAfterTitle();
    void NameRowChecks();
    bool RowCheckKey(QCheckBox& check, QEvent& event);
    void OpenRowMenu(int row, const QPoint& globalPos);

    LaunchButtonServices services_;
    std::vector<LauncherFile> files_;
    LaunchClipboard clipboard_;
    int launchButtonCount_ = 0;
    bool allChecked_ = false;
    std::vector<Row> rows_;
    // Counts the row sets built: an operation that waited compares it.
    int generation_ = 0;
    bool checksHeld_ = false; // a bulk change of check boxes is running
    bool deleting_ = false;
    int popupRow_ = 0;
    int popupGeneration_ = -1;
    std::string lastError_;

    QWidget& page_;
    RadioGroup* radioGroupLaunchTitle_ = nullptr;
    QCheckBox* checkBoxConf_ = nullptr;
    QSpinBox* spinEdit2_ = nullptr;
    QPushButton* buttonIconDelete_ = nullptr;
    QPushButton* buttonStart_ = nullptr;
    QPushButton* buttonSelectAll_ = nullptr;
    QScrollArea* scrollBox1_ = nullptr;
    QWidget* rowsHost_ = nullptr;
    QLineEdit* editLaunchTitle_ = nullptr;
    QMenu* popupMenu3_ = nullptr;
    QAction* cut1_ = nullptr;
    QAction* copy1_ = nullptr;
    QAction* paste1_ = nullptr;
    QAction* delete2_ = nullptr;
};

} // namespace rimo

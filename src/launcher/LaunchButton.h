#pragma once

#include "launcher/LaunchItem.h"
#include "platform/ProgramStarter.h"

#include <QPointer>
#include <QString>
#include <QToolButton>

namespace rimo {

class LaunchButtonDialog;
class LaunchIcons;

// What a launch button needs from the system.
struct LaunchButtonServices {
    ProgramStarter& Programs;
    LaunchIcons& Icons;
};

// TLaunchButton: a small button that stands for one program, document,
// folder or URL and opens it when clicked. It shows the item's icon (its
// glyph) and the item's title as its hint; in captioned mode (a non-empty
// caption) the caption follows the title too. It takes one dropped file, and
// the release of the right button over it opens its property dialog. Updated
// tells the owner that the user changed the item, so that it is stored.
//
// Order of assignment: ProgramTitle before ProgramPath, and ProgramPath last
// of all, since its setter derives the hint from the title and the glyph from
// the icon properties.
class TLaunchButton : public QToolButton {
    Q_OBJECT
public:
    TLaunchButton(LaunchButtonServices services, QWidget* parent = nullptr);
    ~TLaunchButton() override;

    const QString& ProgramTitle() const { return programTitle_; }
    const QString& ProgramPath() const { return programPath_; }
    const QString& ProgramDir() const { return programDir_; }
    const QString& ProgramOption() const { return programOption_; }
    TProgState ProgramState() const { return programState_; }
    const QString& ProgramIconPath() const { return programIconPath_; }
    int ProgramIconNo() const { return programIconNo_; }
    bool IsIconSmall() const { return isIconSmall_; }
    bool AcceptDragFile() const { return acceptDragFile_; }

    void SetProgramTitle(const QString& title);
    // Empty: ClearProgram. Non-empty: stored, hint and glyph rebuilt (the
    // glyph also when the path is unchanged).
    void SetProgramPath(const QString& path);
    void SetProgramDir(const QString& dir);
    void SetProgramOption(const QString& option);
    void SetProgramState(TProgState state);
    void SetProgramIconPath(const QString& path);
    // While the property dialog is open, its icon selector follows.
    void SetProgramIconNo(int number);
    void SetIsIconSmall(bool small);
    void SetAcceptDragFile(bool accept);

    // The seven properties at once, in the order of assignment.
    LaunchItem Item() const;
    void SetItem(const LaunchItem& item);

    // Starts the item (nothing when unregistered). A start that fails is
    // reported in a message that does not wait.
    void Click();
    // The button becomes unregistered (Updated is not emitted).
    void ClearProgram();
    // Emits Updated.
    void DoUpdated();
    // Opens the property dialog and waits until it is closed (the event loop
    // runs meanwhile; the button may be gone afterwards).
    void OpenPropertyDialog();
    // WMDropFiles: one local file registers the button, or is opened with
    // its item; several are refused with a message.
    void DropFiles(const QStringList& paths);

    // The file whose icons the property dialog offers.
    QString IconSource;
    // The dialog open for this button (nullptr when none).
    LaunchButtonDialog* Dialog() const;
    LaunchButtonServices& Services() { return services_; }
    // The glyph as drawn (null when unregistered).
    const QPixmap& Glyph() const { return glyph_; }
    // DrawIconGlyph with the button's size and face.
    QPixmap DrawGlyph(const QString& source, int number, bool useShellIcon) const;
    // The glyph for an icon file (empty: the path's own icons) and number: an
    // image file's image number N (the file itself is the icon), another
    // file's icon number N, or for 0 the shell's icon of the file.
    QPixmap IconGlyph(const QString& iconPath, int number) const;

Q_SIGNALS:
    void Updated(TLaunchButton* button);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Enter starts the item as Space does; the Menu key and Shift+F10 open
    // the property dialog as the right button does.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Captioned() const { return !text().isEmpty(); }
    void SetHint(const QString& hint);
    void SetGlyph(const QPixmap& glyph);
    void ReportFailure(const QString& text);
    void StartWith(const QStringList& arguments, StartState state);
    // What a screen reader calls the button: the title, else the file name,
    // else "未登録" (the hint may be empty, the name never is).
    void UpdateAccessibleName();
    void OpenPropertyDialogFromKeyboard();

    LaunchButtonServices services_;
    QString programTitle_;
    QString programPath_;
    QString programDir_;
    QString programOption_;
    TProgState programState_ = TProgState::psNormal;
    QString programIconPath_;
    int programIconNo_ = 0;
    bool isIconSmall_ = false;
    bool acceptDragFile_ = false;
    int showCommand_ = 0; // the show command of the last start (1, 2 or 3)
    QPixmap glyph_;
    QPointer<LaunchButtonDialog> dialog_;
};

} // namespace rimo

#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>

class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace rimo {

class TLaunchButton;

// "LaunchButtonDialog": the property dialog of one launch button, built in
// code each time it opens, placed under the button. The start state and the
// icon act on the button's properties at once; the four texts on OK. OK and
// delete emit the button's Updated (the page stores it) while the dialog is
// still open; Cancel leaves what was set but stores nothing.
class LaunchButtonDialog : public QDialog {
    Q_OBJECT
public:
    LaunchButtonDialog(TLaunchButton& button, QWidget* parent);
    ~LaunchButtonDialog() override;

    // The icon selector's position (its change handling runs when it moves).
    void MoveIconSelector(int number);
    void ClearPreview();
    const QPixmap& Preview() const { return preview_; }

    void ButtonIconClick();
    void ScrollBarIconChange(int position);
    void ButtonDefaultIconClick();
    void ComboStateChange(int index);
    void ButtonBrowseClick();
    void ButtonDeleteClick();
    void ButtonOKClick();

private:
    void CreateControls();
    void FitCaptions(QPushButton& browse, QPushButton& remove, QPushButton& standard);
    void PlaceUnderButton();
    void FormShow();
    void SetPreview(const QPixmap& preview);
    void SetSelectorMaximum(int count);

    QPointer<TLaunchButton> button_;
    QPixmap preview_;
    QLineEdit* editTitle_ = nullptr;
    QLineEdit* editPath_ = nullptr;
    QLineEdit* editDir_ = nullptr;
    QComboBox* comboState_ = nullptr;
    QLineEdit* editOption_ = nullptr;
    QToolButton* buttonIcon_ = nullptr;
    QScrollBar* scrollBarIcon_ = nullptr;
};

} // namespace rimo

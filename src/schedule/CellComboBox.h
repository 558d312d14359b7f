#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace rimo {

// A drop-down list laid over a grid cell. Choosing an item is the only
// change: keys that would step a closed list (arrows, typing) drop it down
// instead, so nothing is written before the user picks an item. Its items
// are stored texts, shown in the interface's language as the grid shows
// that column's cells (`column`; -1 for texts shown as they are).
class CellComboBox : public QComboBox {
    Q_OBJECT
public:
    CellComboBox(const QString& name, int column, const std::vector<std::string>& items,
                 QWidget* parent);

    void SetItems(const std::vector<std::string>& items);
    // Selects the item whose stored text equals `stored`, none when no item does.
    void SelectText(const QString& stored);
    // The stored text of the chosen item (empty when none).
    QString ChosenText() const;
    // Width of the dropped-down list (at least the control's own).
    void SetDroppedWidth(int width);

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    void PopupAboutToShow();
    void PopupHidden();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int column_;
};

} // namespace rimo

#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace rimo {

// A drop-down list laid over a grid cell. Choosing an item is the only
// change: keys that would step a closed list (arrows, typing) drop it down
// instead, so nothing is written before the user picks an item.
class CellComboBox : public QComboBox {
    Q_OBJECT
public:
    CellComboBox(const QString& name, const std::vector<std::string>& items, QWidget* parent);

    void SetItems(const std::vector<std::string>& items);
    // Selects the item whose text equals `text`, none when no item does.
    void SelectText(const QString& text);
    // Width of the dropped-down list (at least the control's own).
    void SetDroppedWidth(int width);

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    void PopupAboutToShow();
    void PopupHidden();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rimo

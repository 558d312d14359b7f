#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace rimo {

// A framed column of radio buttons with one chosen item (-1: none), as the
// designed radio groups ("アイコン表示", "カウント設定", "ランチャー・タイトル").
// Assigning ItemIndex runs ItemIndexChanged exactly as a user's click does,
// and only when the index changes; the settings loader relies on that.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex NOTIFY ItemIndexChanged USER true)
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
public:
    explicit RadioGroup(const QString& caption, QWidget* parent = nullptr);

    QStringList Items() const { return items_; }
    // Replaces the items; the chosen index stays when it still exists.
    void SetItems(const QStringList& items);
    // Changes one item's text (a launcher page renamed).
    void SetItemText(int index, const QString& text);

    int ItemIndex() const { return itemIndex_; }
    // An index outside the items chooses none.
    void SetItemIndex(int index);

Q_SIGNALS:
    void ItemIndexChanged(int index);

private:
    QButtonGroup* buttons_;
    QStringList items_;
    int itemIndex_ = -1;
};

} // namespace rimo

#pragma once

#include <QWidget>

namespace rimo {

// The focus mark of the grid's current cell, drawn over the cell editor
// that stands on it while the grid has the keyboard: the editor covers the
// grid's own mark, and it has not the focus to draw one itself.
class CellFocusRing : public QWidget {
    Q_OBJECT
public:
    explicit CellFocusRing(QWidget* parent);

    // Drawn around `editor` (a sibling), or hidden for none.
    void Surround(const QWidget* editor);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace rimo

#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>

namespace rimo {

// The editor of a grid cell being typed into (the title and the message):
// a line edit that knows its cell, so that a screen reader finds it inside
// that cell and calls it by the column's header.
class CellTextEditor : public QLineEdit {
    Q_OBJECT
public:
    CellTextEditor(const QModelIndex& cell, QWidget* parent);

    const QPersistentModelIndex& Cell() const { return cell_; }
    // The rectangle of the character at `offset`, in the editor's coordinates.
    QRect CharacterRect(int offset) const;

private:
    QPersistentModelIndex cell_;
};

} // namespace rimo

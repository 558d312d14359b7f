#include "schedule/CellFocusRing.h"

#include <QPainter>

namespace rimo {

namespace {

constexpr int kWidth = 2;

} // namespace

CellFocusRing::CellFocusRing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CellFocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CellFocusRing::Surround(const QWidget* editor) {
    if (!editor || !editor->isVisible()) {
        if (isVisible()) {
            hide();
        }
        return;
    }
    if (isVisible() && geometry() == editor->geometry()) {
        return;
    }
    setGeometry(editor->geometry());
    raise(); // over the editor, shown after it
    show();
}

void CellFocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(kWidth / 2, kWidth / 2, -kWidth / 2, -kWidth / 2));
}

} // namespace rimo

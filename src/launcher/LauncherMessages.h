#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QString>

#include <optional>

class QWidget;

namespace rimo {

// The launcher's questions: a modal box (the event loop, and the tick, run
// while it waits) with the buttons Yes and `other`, its text shown as plain
// text, its top-left corner at `at` when given. True when Yes was chosen.
bool AskYes(QWidget* parent, const QString& text, QMessageBox::StandardButton other,
            std::optional<QPoint> at = std::nullopt);

// A notice that does not wait, at `at` when given.
void ShowNotice(QWidget* parent, const QString& caption, const QString& text,
                std::optional<QPoint> at = std::nullopt);

} // namespace rimo

#pragma once

#include <QString>

class QWidget;

namespace rimo {

// Message boxes of the program. They do not block: the program (and its
// tick) goes on while a message is shown. Texts are shown as written (plain
// text, never markup).
void ShowErrorMessage(QWidget* parent, const QString& text);
void ShowInformation(QWidget* parent, const QString& caption, const QString& text);

} // namespace rimo

#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace rimo {

// Message boxes of the program. They do not block: the program (and its
// tick) goes on while a message is shown. The text is shown as plain text.
// Each returns its box (deleted when closed).
QMessageBox* ShowErrorMessage(QWidget* parent, const QString& text);
QMessageBox* ShowInformation(QWidget* parent, const QString& caption, const QString& text);

} // namespace rimo

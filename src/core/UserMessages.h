#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace rimo {

// Message boxes of the program. They do not block: the program (and its
// tick) goes on while a message is shown. Texts are shown as written (plain
// text, never markup). The box deletes itself when closed. It stands over
// `parent` while the user works in that window; otherwise it is a window of
// its own, kept above others, so that it reaches the user in any case.
QMessageBox* ShowErrorMessage(QWidget* parent, const QString& text);
QMessageBox* ShowInformation(QWidget* parent, const QString& caption, const QString& text);

} // namespace rimo

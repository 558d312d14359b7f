#pragma once

#include <QString>

class QWidget;

namespace rimo {

// "OpenDialog1", the program's file dialog: title "ファイル名の指定", OK button
// reading "OK", the filter each caller gives (Qt's "Name (*.ext)" form). It
// opens in `startIn` when that folder exists. Runs modally (the tick goes on)
// and returns the chosen file's full path, or an empty text on cancel.
QString RunOpenDialog1(QWidget* parent, const QString& filter, const QString& startIn = {});

} // namespace rimo

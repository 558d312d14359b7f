#pragma once

#include <QString>

namespace rimo {

// Where this user's run-time files go: $XDG_RUNTIME_DIR when it is this user's
// own with mode 0700, else a folder of this user's own (mode 0700) in the
// temporary folder, never a folder other users can write (they could plant or
// take files there). Empty, with the reason in
// `problem`, when that folder cannot be had.
QString PrivateRuntimeFolder(QString* problem = nullptr);

} // namespace rimo

#pragma once

#include "core/DateTime.h"

#include <functional>
#include <string>

namespace rimo {

struct PreparedMessage {
    std::string Text;
    bool MultiLine = false; // a "%n" became a line break
};

// The text of a message window: every "H:M" becomes " hh:nn " (the time of
// `now`), and the first "%n" or "%N" becomes a line break (CR LF); later ones
// stay as typed.
PreparedMessage PrepareMessage(const std::string& message, DateTime now);

// The numbers of the message windows: "RimoTimeInformation" followed by the
// number. Not limited to 256; a number whose window is still open is passed over.
class MessageWindowNumbering {
public:
    using WindowExists = std::function<bool(int number)>;

    // The number for a new window.
    int Next(const WindowExists& exists);
    // After OK on a window: back to 0 when the window numbered one below the
    // current number is gone.
    void OkClicked(const WindowExists& exists);

    int Number() const { return number_; } // MessageWindowNumber

private:
    int number_ = 0;
};

} // namespace rimo

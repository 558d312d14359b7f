#pragma once

#include "core/DateTime.h"

namespace rimo {

// The day (UTC) this program was built. No true time can lie before it, so a
// server's reply that does is refused.
DateTime BuildDate();

} // namespace rimo

#include "app/WindowRules.h"

namespace rimo {

WindowRules::RollState WindowRules::ToggleRollUp(int showFlag, int height) {
    if (showFlag == 1 && height == kFullHeight) {
        return {-1, kRolledUpHeight};
    }
    return {-showFlag, kFullHeight};
}

int WindowRules::CorrectedHeight(int showFlag, int height) {
    return (showFlag == 1 && height <= kFullHeight) ? kFullHeight : height;
}

} // namespace rimo

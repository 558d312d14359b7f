#include "app/WindowRules.h"

#include <algorithm>

namespace rimo {

WindowRules::RollState WindowRules::ToggleRollUp(int showFlag, int height) {
    if (showFlag == 1 && height == kFullHeight) {
        return {-1, kRolledUpHeight};
    }
    return {-showFlag, kFullHeight};
}

int WindowRules::ShowFlagAfterResize(int showFlag, int height) {
    return (showFlag == -1 && height >= kFullHeight) ? 1 : showFlag;
}

int WindowRules::CorrectedHeight(int showFlag, int height) {
    return (showFlag == 1 && height <= kFullHeight) ? kFullHeight : height;
}

WindowRules::Place WindowRules::KeepReachable(Place place, int desktopRight, int desktopBottom) {
    place.Left = std::max(0, std::min(place.Left, desktopRight - kMinWidth));
    place.Top = std::max(0, std::min(place.Top, desktopBottom - kRolledUpHeight));
    return place;
}

} // namespace rimo

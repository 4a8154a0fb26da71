#include "engine/engine_context.h"

namespace zelk {

SelectionLimits LimitsFromChoices(int kindItemIndex, int binItemIndex) {
    return {kindItemIndex + 1, binItemIndex + 1};
}

}  // namespace zelk

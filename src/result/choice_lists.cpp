#include "result/choice_lists.h"

#include <string>

#include "base/translate.h"

namespace zelk {

namespace {

// The kept position when it still names an item, else the last item. A position that no longer
// exists would leave nothing selected and so limit a calculation to no fix length or no bin.
void Select(ChoiceList& list, int fixKinds, int previous, bool keepSelection) {
    bool keep = keepSelection && previous >= 0 && previous < fixKinds;
    list.itemIndex = keep ? previous : fixKinds - 1;
}

}  // namespace

void FillChoiceLists(CalculationPage& page, int fixKinds, bool keepSelection) {
    ChoiceList& kinds = page.CB_KBIS;
    int previousKinds = kinds.itemIndex;
    kinds.items.clear();
    for (int k = 1; k < fixKinds; ++k) {
        kinds.items.push_back(Translate("nur ") + std::to_string(k) + Translate(" Fixl. pro LL"));
    }
    kinds.items.push_back(Translate("nur nach optimalem Rest"));
    Select(kinds, fixKinds, previousKinds, keepSelection);

    ChoiceList& bins = page.cb_ablageplaetze;
    int previousBins = bins.itemIndex;
    bins.items.clear();
    for (int k = 1; k <= fixKinds; ++k) {
        bins.items.push_back(std::to_string(k));
    }
    Select(bins, fixKinds, previousBins, keepSelection);
}

}  // namespace zelk

#include "job/forms.h"

namespace zelk {

TextGrid& OrderForm::FixList(int group) {
    return group == 1 ? G_Fixl : group == 2 ? g_fixl2 : g_fixl3;
}

const TextGrid& OrderForm::FixList(int group) const {
    return group == 1 ? G_Fixl : group == 2 ? g_fixl2 : g_fixl3;
}

std::string OrderPage::UnitText() const {
    if (cb_einheit < 0 || cb_einheit >= static_cast<int>(kUnitEntries.size())) {
        return "";
    }
    return kUnitEntries[cb_einheit];
}

}  // namespace zelk

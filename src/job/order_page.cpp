#include "job/order_page.h"

#include "base/translate.h"

namespace zelk {

// The one-character defaults below are assigned as characters: GCC 12 at -O3 with
// _FORTIFY_SOURCE reports a false overlap (-Wrestrict) inside std::string's copy of a literal.

void ResetToOneEmptyRow(TextGrid& list) {
    list.SetColCount(2);
    list.SetRowCount(2);
    list.ClearRow(1);
}

void Btn_ANeuClick(OrderForm& order) {
    order.E_ABez.clear();
    for (TextGrid* list : {&order.g_hsl, &order.G_Fixl, &order.g_fixl2, &order.g_fixl3}) {
        ResetToOneEmptyRow(*list);
    }
    order.group2Shown = false;
    order.group3Shown = false;
    order.e_fixbez.clear();
    order.e_fixbez2.clear();
    order.e_fixbez3.clear();
    PlaceGroupButton(order);
    order.EToleranz = '0';
    order.E_WastToStock = '0';
}

void btnNeueFLClick(OrderForm& order) {
    if (!order.group2Shown) {
        order.group2Shown = true;
        if (order.e_fixbez.empty()) {
            order.e_fixbez = '1';
        }
        if (order.e_fixbez2.empty()) {
            order.e_fixbez2 = '2';
        }
    } else {
        order.group3Shown = true;
        if (order.e_fixbez3.empty()) {
            order.e_fixbez3 = '3';
        }
    }
    PlaceGroupButton(order);
}

void PlaceGroupButton(OrderForm& order) {
    if (!order.group2Shown) {
        order.btnNeueFL = GroupButtonPlace::UnderGroup2;
    } else if (!order.group3Shown) {
        order.btnNeueFL = GroupButtonPlace::UnderGroup3;
    } else {
        order.btnNeueFL = GroupButtonPlace::Hidden;
    }
}

void SetListHeader(TextGrid& list, const std::string& unitText) {
    list.SetCell(0, 0, Translate("Stück"));
    list.SetCell(0, 1, Translate("Länge") + " " + unitText);
}

void cb_einheitChange(OrderPage& page) {
    std::string unit = page.UnitText();
    for (std::string& label : page.unitLabels) {
        label = unit;
    }
    OrderForm& order = page.order;
    for (TextGrid* list : {&order.g_hsl, &order.G_Fixl, &order.g_fixl2, &order.g_fixl3}) {
        SetListHeader(*list, unit);
    }
}

}  // namespace zelk

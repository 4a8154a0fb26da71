// The texts of the order page as plain structs: the machine fields, the unit box with its labels,
// and the order with its four input lists and group labels. File readers and writers, ReadJob and
// the list aids work on them; the window fills them from its widgets and shows them back.
#pragma once

#include <array>
#include <string>

#include "base/text_grid.h"

namespace zelk {

// Machine half of the order page.
struct MachineForm {
    std::string E_MBez;  // machine name
    std::string E_ASL;   // "Anschnittlänge": trim cut at the head of each bar
    std::string E_RSL;   // "Restspannlänge": what the clamp needs at the end of each bar
    std::string E_SKB;   // "Schnittkanalbreite": kerf width
};

// Entries of the unit box cb_einheit, in order.
inline constexpr std::array<const char*, 2> kUnitEntries = {"mm", "in."};

// Where the button for a further fix-length group stands (PlaceGroupButton).
enum class GroupButtonPlace { UnderGroup2, UnderGroup3, Hidden };

// Order half of the order page. Every list has a header row ("Stück", "Länge mm") and at least
// one data row; column 0 holds the count, column 1 the length.
struct OrderForm {
    std::string E_ABez;         // order name
    std::string EToleranz;      // "+ Toleranz Fixlängen"
    std::string E_WastToStock;  // "Reste zurück ins Lager ab"

    TextGrid g_hsl{2, 2};    // stock lengths
    TextGrid G_Fixl{2, 2};   // fix-length group 1
    TextGrid g_fixl2{2, 2};  // fix-length group 2
    TextGrid g_fixl3{2, 2};  // fix-length group 3

    std::string e_fixbez;   // label of group 1, visible while group 2 is
    std::string e_fixbez2;  // label of group 2
    std::string e_fixbez3;  // label of group 3

    bool group2Shown = false;
    bool group3Shown = false;
    GroupButtonPlace btnNeueFL = GroupButtonPlace::UnderGroup2;

    // The fix list of group 1, 2 or 3.
    TextGrid& FixList(int group);
    const TextGrid& FixList(int group) const;
};

// The whole order page: machine, unit and order.
struct OrderPage {
    MachineForm machine;
    int cb_einheit = 0;  // selected unit entry, -1 when none is selected
    // Label6 (clamp rest), Label7 (kerf), Label14 (remnant threshold), Label25 (tolerance).
    std::array<std::string, 4> unitLabels = {"mm", "mm", "mm", "mm"};
    OrderForm order;

    // The unit text: the selected entry, empty when none is selected.
    std::string UnitText() const;
};

}  // namespace zelk

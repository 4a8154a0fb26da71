// Operations on the order page that several commands share: the new order, showing a further
// fix-length group, placing the group button, and the unit change.
#pragma once

#include "job/forms.h"

namespace zelk {

// Sets a list to its header row and one data row with both cells empty (the header is kept).
void ResetToOneEmptyRow(TextGrid& list);

// New order (Btn_ANeuClick): name emptied, four lists emptied, groups 2 and 3 hidden, labels
// emptied, group button placed, tolerance and remnant threshold "0". Machine and unit untouched.
void Btn_ANeuClick(OrderForm& order);

// Shows group 2, or group 3 when group 2 is shown already, filling empty labels.
void btnNeueFLClick(OrderForm& order);

// Decides where the button for a further group stands, or that it is hidden.
void PlaceGroupButton(OrderForm& order);

// Unit change (cb_einheitChange): the four unit labels and the length headers of the four input
// lists show the selected unit; nothing is converted.
void cb_einheitChange(OrderPage& page);

// The header row of an input list: "Stück" and "Länge" + " " + unit, translated but the unit.
void SetListHeader(TextGrid& list, const std::string& unitText);

}  // namespace zelk

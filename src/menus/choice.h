// Groups of menu items of which exactly one carries the check mark.
#pragma once

#include <initializer_list>

#include "platform/controls.h"

namespace rallo {

// Moves the group's check mark to `chosen`, writing every item in group
// order. Returns false, changing nothing, when `chosen` is already checked.
inline bool Choose(MenuItem& chosen, std::initializer_list<MenuItem*> group) {
    if (chosen.Checked) return false;
    for (MenuItem* item : group)
        item->Checked = (item == &chosen);
    return true;
}

}  // namespace rallo

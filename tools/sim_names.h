// The names a script may give the play window's controls and menu items,
// known before the window exists.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace rallo {

bool IsPlayWindowControl(const std::string& name);
bool IsMenuName(const std::string& name);
// The item of that name in a menu tree; nullptr if there is none.
MenuItem* FindMenu(const std::vector<MenuItem*>& items, const std::string& name);

}  // namespace rallo

#include "sim_names.h"

#include <algorithm>

#include "app/play_window.h"
#include "app/program.h"
#include "platform/headless/headless_platform.h"

namespace rallo {

namespace {

// The names of the play window's controls and menu items, known before the
// window exists.
struct PlayWindowNames {
    std::vector<std::string> controls;
    std::vector<std::string> menus;
};

const PlayWindowNames& Names() {
    static const PlayWindowNames names = [] {
        HeadlessPlatform platform;
        Program program(platform);
        const frmRallo window(program, platform);
        PlayWindowNames all;
        for (const Control* control : window.form.controls)
            all.controls.push_back(control->name);
        std::vector<MenuItem*> pending = window.form.menuBar;
        while (!pending.empty()) {
            MenuItem* item = pending.back();
            pending.pop_back();
            all.menus.push_back(item->name);
            pending.insert(pending.end(), item->children.begin(), item->children.end());
        }
        return all;
    }();
    return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

MenuItem* FindMenu(const std::vector<MenuItem*>& items, const std::string& name) {
    for (MenuItem* item : items) {
        if (item->name == name) return item;
        if (MenuItem* found = FindMenu(item->children, name)) return found;
    }
    return nullptr;
}

bool IsMenuName(const std::string& name) {
    return Contains(Names().menus, name);
}

bool IsPlayWindowControl(const std::string& name) {
    return Contains(Names().controls, name);
}

}  // namespace rallo

// Helpers of the order and estimate tests: choices set on the controls as the user
// leaves them, without firing the handlers.
#pragma once

#include <string>

#include "app/layout/Layout.h"
#include "tests/core/TestSupport.h"

namespace wavepost::test {

// Checks one radio button of its group and unchecks the others.
inline void SetRadio(platform::MemoryToolkit& tk, int buttonId) {
    for (int id : *RadioGroupOf(buttonId)) tk.Control(id).check = id == buttonId ? 1 : 0;
}

// Unchecks every button of a group.
inline void ClearRadio(platform::MemoryToolkit& tk, int anyButtonId) {
    for (int id : *RadioGroupOf(anyButtonId)) tk.Control(id).check = 0;
}

// The four zone texts: lon1, lat1, lon2, lat2.
inline void SetZone(platform::MemoryToolkit& tk, const std::string& lon1, const std::string& lat1,
                    const std::string& lon2, const std::string& lat2) {
    tk.Control(1073).text = lon1;
    tk.Control(1074).text = lat1;
    tk.Control(1079).text = lon2;
    tk.Control(1080).text = lat2;
}

inline void SetListCheck(platform::MemoryToolkit& tk, platform::ControlHandle list, int item,
                         int state) {
    tk.Control(list).checkItems.at(static_cast<std::size_t>(item)).check = state;
}

// Shows another map the way a change of map does: the catalogue reloaded for it.
inline void ShowMap(TestWindow& w, int map) {
    for (int i = 0; i < 3; ++i) w.tk.Control(1008 + i).check = i == map ? 1 : 0;
    w.dlg.m_nMap = map;
    w.dlg.ReleaseCatalogue();
    w.dlg.LoadCatalogue();
}

}  // namespace wavepost::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own folders under the user's base directories: its settings, and its
// state (the request copies, the order history).
#pragma once

#include <string>

namespace wavepost {

// "<base>/wavepost" for a base directory variable's value; an empty or relative value is
// ignored for "<home>/<fallback>/wavepost". Empty when neither gives an absolute folder.
std::string XdgProgramFolder(const std::string& baseValue, const std::string& home,
                             const std::string& fallbackUnderHome);

// $XDG_CONFIG_HOME/wavepost, else $HOME/.config/wavepost.
std::string ConfigFolder(const std::string& xdgConfigHome, const std::string& home);
// $XDG_STATE_HOME/wavepost, else $HOME/.local/state/wavepost.
std::string StateFolder(const std::string& xdgStateHome, const std::string& home);

// The same, from this process's environment.
std::string ConfigFolderFromEnvironment();
std::string StateFolderFromEnvironment();

}  // namespace wavepost

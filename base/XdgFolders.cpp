#include "base/XdgFolders.h"

#include <cstdlib>

namespace wavepost {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

}  // namespace

std::string XdgProgramFolder(const std::string& baseValue, const std::string& home,
                             const std::string& fallbackUnderHome) {
    // Relative values are invalid for the base directories and must be ignored.
    if (IsAbsolute(baseValue)) return baseValue + "/wavepost";
    if (IsAbsolute(home)) return home + "/" + fallbackUnderHome + "/wavepost";
    return {};
}

std::string ConfigFolder(const std::string& xdgConfigHome, const std::string& home) {
    return XdgProgramFolder(xdgConfigHome, home, ".config");
}

std::string StateFolder(const std::string& xdgStateHome, const std::string& home) {
    return XdgProgramFolder(xdgStateHome, home, ".local/state");
}

std::string ConfigFolderFromEnvironment() {
    return ConfigFolder(Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

std::string StateFolderFromEnvironment() {
    return StateFolder(Environment("XDG_STATE_HOME"), Environment("HOME"));
}

}  // namespace wavepost

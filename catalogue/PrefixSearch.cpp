#include "catalogue/PrefixSearch.h"

#include <cctype>

namespace wavepost {

namespace {

// ASCII letters only: the process locale must not change which item is found.
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(prefix[i])) return false;
    }
    return true;
}

}  // namespace

int SelectByPrefix(platform::IToolkit& toolkit, platform::ControlHandle combo,
                   const std::string& value) {
    const int count = toolkit.ComboGetCount(combo);
    for (int step = 1; step <= count; ++step) {
        int index = step % count;  // 1, 2, ..., count - 1, then 0
        if (StartsWithNoCase(toolkit.ComboGetItemText(combo, index), value)) {
            toolkit.ComboSetSelection(combo, index);
            return index;
        }
    }
    toolkit.ComboSetSelection(combo, -1);
    return -1;
}

void SelectDataRow(platform::IToolkit& toolkit, platform::ControlHandle combo, int index) {
    toolkit.ComboSetSelection(combo, index < 0 ? -1 : index);
}

}  // namespace wavepost

// SPDX-License-Identifier: GPL-3.0-or-later
// The option keys of the options table: how each one loads into the window and how it is
// stored back, in one row per key.
#pragma once

#include <string>

namespace wavepost {

class CMarlockDlg;

namespace catalogue {

// The "Défaut" button that restores a key's default value, if any.
enum class DefaultButton { None, Options, Params };

struct OptionBinding {
    const char* name;  // the key as the table writes it, without quotes
    DefaultButton defaultButton;
    // The zone mode: loading it also sets the mode the coordinate texts are written in.
    bool zoneMode;
    // Applies a value of the table to the window's members and lists.
    void (*load)(CMarlockDlg& dlg, const std::string& value);
    // The value the window holds now, as the table keeps it.
    std::string (*store)(CMarlockDlg& dlg);
};

// The binding of an unquoted key, the keys being compared in the table's order; nullptr
// for a key the program does not know.
const OptionBinding* FindOptionBinding(const std::string& unquotedKey);

}  // namespace catalogue
}  // namespace wavepost

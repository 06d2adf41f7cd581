// "Adresses...": the addresses of the address file set in the window.
#include "app/AddressFile.h"
#include "app/CConfigFile.h"
#include "app/CMarlockDlg.h"
#include "app/MailAddress.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"

namespace wavepost {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Why the address cannot be taken; empty when it can. The sender may stay empty.
std::string AddressProblem(const std::string& address, bool optional) {
    if (optional && address.empty()) return {};
    if (!IsPlainAddress(address))
        return Format(LoadString(IDS_ADDRESS_REFUSED).c_str(), address.c_str());
    if (IsPlaceholderAddress(address))
        return Format(LoadString(IDS_ADDRESS_PLACEHOLDER).c_str(), address.c_str());
    return {};
}

}  // namespace

void CMarlockDlg::OnAddresses() {
    const std::string path = StoragePath(LoadString(IDS_CONFIG_FILE_NAME));
    const std::vector<std::string> keys = {LoadString(IDS_KEY_METEO), LoadString(IDS_KEY_QUESTION),
                                           kSenderKey};
    std::vector<std::string> old;
    try {
        CConfigFile config(path, false);
        for (const std::string& key : keys) {
            const std::string value = config.GetValue(key);
            old.push_back(value == LoadString(IDS_CONFIG_ERROR) ? std::string() : value);
        }
    } catch (const FileError&) {
        m_toolkit.MessageBox(LoadString(IDS_NO_CONFIG_FILE));
        return;
    }
    const std::vector<std::string> labels = {LoadString(IDS_ADDRESS_LABEL_METEO),
                                             LoadString(IDS_ADDRESS_LABEL_QUESTION),
                                             LoadString(IDS_ADDRESS_LABEL_SENDER)};
    std::vector<std::string> values = old;
    // The form comes back with what was typed until every address is taken or the user
    // cancels.
    while (m_toolkit.EditFields(LoadString(IDS_ADDRESSES_TITLE), labels, values)) {
        values.resize(keys.size());
        std::string problem;
        for (std::size_t i = 0; i < keys.size() && problem.empty(); ++i) {
            values[i] = Trimmed(values[i]);
            problem = AddressProblem(values[i], i == 2);
        }
        if (!problem.empty()) {
            m_toolkit.MessageBox(problem);
            continue;
        }
        // Only what changed is written: an absent sender key stays absent when left empty.
        std::vector<std::pair<std::string, std::string>> changed;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (values[i] != old[i]) changed.emplace_back(keys[i], values[i]);
        try {
            WriteConfigValues(path, changed);
        } catch (const FileError&) {
            m_toolkit.MessageBox(Format(LoadString(IDS_ADDRESSES_NOT_SAVED).c_str(), path.c_str()));
        }
        return;
    }
}

}  // namespace wavepost

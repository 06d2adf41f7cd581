#include "catalogue/OptionBindings.h"

#include "app/CMarlockDlg.h"
#include "base/NumberText.h"
#include "catalogue/PrefixSearch.h"

namespace wavepost::catalogue {

namespace {

std::string SelectedText(platform::IToolkit& toolkit, platform::ControlHandle combo) {
    int selection = toolkit.ComboGetSelection(combo);
    return selection < 0 ? std::string() : toolkit.ComboGetItemText(combo, selection);
}

// The first cell of a table's data row index (row index + 2).
std::string KeyOfRow(const std::unique_ptr<CIniTable>& table, int index) {
    return table->GetCell(index + 2, 1);
}

using D = CMarlockDlg;
using V = const std::string&;
constexpr auto kOptions = DefaultButton::Options;
constexpr auto kParams = DefaultButton::Params;
constexpr auto kNone = DefaultButton::None;

const OptionBinding kBindings[] = {
    {"MODE", kOptions, true, [](D& d, V v) { d.m_nZoneMode = d.m_pModes->FindRow(v, 1, 0) - 2; },
     [](D& d) { return KeyOfRow(d.m_pModes, d.m_nZoneMode); }},
    {"COMPRESSION", kOptions, false,
     [](D& d, V v) { d.m_nCompression = d.m_pCompressions->FindRow(v, 1, 0) - 2; },
     [](D& d) { return KeyOfRow(d.m_pCompressions, d.m_nCompression); }},
    {"TELECOM", kOptions, false,
     [](D& d, V v) {
         SelectDataRow(d.Toolkit(), d.m_comboTelecom, d.m_pTelecoms->FindRow(v, 1, 0) - 2);
     },
     [](D& d) {
         const int selection = d.Toolkit().ComboGetSelection(d.m_comboTelecom);
         return selection < 0 ? std::string() : KeyOfRow(d.m_pTelecoms, selection);
     }},
    {"DONTERRE", kOptions, false,
     [](D& d, V v) { d.m_nLandData = static_cast<std::int32_t>(ReadInteger(v)); },
     [](D& d) { return Format("%d", d.m_nLandData); }},
    {"ENVOI", kOptions, false,
     [](D& d, V v) { d.m_nSubscription = d.m_pEnvois->FindRow(v, 1, 0) - 2; },
     [](D& d) { return KeyOfRow(d.m_pEnvois, d.m_nSubscription); }},
    {"TOUSLES", kOptions, false, [](D& d, V v) { d.m_strDays = v; },
     [](D& d) { return d.m_strDays; }},
    {"DOLLARS", kOptions, false, [](D& d, V v) { d.m_strDollarRate = v; },
     [](D& d) { return d.m_strDollarRate; }},
    {"CAP", kNone, false, [](D& d, V v) { d.m_strHeading = v; },
     [](D& d) { return d.m_strHeading; }},
    {"VITESSE", kNone, false, [](D& d, V v) { d.m_strSpeed = v; },
     [](D& d) { return d.m_strSpeed; }},
    {"UNITE", kOptions, false, [](D& d, V v) { SelectByPrefix(d.Toolkit(), d.m_comboCurrency, v); },
     [](D& d) { return SelectedText(d.Toolkit(), d.m_comboCurrency); }},
    {"X1", kNone, false, [](D& d, V v) { d.m_strLon1 = v; }, [](D& d) { return d.m_strLon1; }},
    {"X2", kNone, false, [](D& d, V v) { d.m_strLon2 = v; }, [](D& d) { return d.m_strLon2; }},
    {"Y1", kNone, false, [](D& d, V v) { d.m_strLat1 = v; }, [](D& d) { return d.m_strLat1; }},
    {"Y2", kNone, false, [](D& d, V v) { d.m_strLat2 = v; }, [](D& d) { return d.m_strLat2; }},
    {"LAT", kParams, false, [](D& d, V v) { SelectByPrefix(d.Toolkit(), d.m_comboMeshLat, v); },
     [](D& d) { return SelectedText(d.Toolkit(), d.m_comboMeshLat); }},
    {"LONG", kParams, false, [](D& d, V v) { SelectByPrefix(d.Toolkit(), d.m_comboMeshLon, v); },
     [](D& d) { return SelectedText(d.Toolkit(), d.m_comboMeshLon); }},
};

}  // namespace

const OptionBinding* FindOptionBinding(const std::string& unquotedKey) {
    for (const OptionBinding& binding : kBindings)
        if (unquotedKey == binding.name) return &binding;
    return nullptr;
}

}  // namespace wavepost::catalogue

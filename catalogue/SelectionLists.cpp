// The user's choices between controls, tables and files; the map list; the defaults.
#include <algorithm>
#include <string>

#include "app/CMarlockDlg.h"
#include "app/FileAccess.h"
#include "app/MapName.h"
#include "app/NumberText.h"
#include "app/layout/StringTable.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueRows.h"
#include "catalogue/PrefixSearch.h"

namespace wavepost {

using catalogue::OptionKey;

namespace {

// The items of the map list: "Monde", "Europe", "France".
constexpr int kMapCount = 3;

// Writes the check states of a list into one column of the current map's rows. It runs on
// every keystroke: only the map's rows are visited, and an unchanged state costs a compare.
void StoreChecks(platform::IToolkit& toolkit, platform::ControlHandle list, CIniTable* table,
                 int column, const std::string& map) {
    if (!table || list == platform::kNoControl) return;
    const int count = toolkit.CheckListGetCount(list);
    int item = 0;
    for (const std::int32_t r : table->RowsMatching(1, map)) {
        if (item >= count) break;
        if (!table->CellMatches(r, 1, map)) continue;
        table->SetCell(r, column, std::to_string(toolkit.CheckListGetCheck(list, item)));
        ++item;
    }
}

std::string SelectedText(platform::IToolkit& toolkit, platform::ControlHandle combo) {
    int selection = toolkit.ComboGetSelection(combo);
    return selection < 0 ? std::string() : toolkit.ComboGetItemText(combo, selection);
}

// Applies the default values (column 3) of the map's options rows whose key is listed.
// The mode's default leaves the mode the texts are written in alone.
void ApplyDefaults(CMarlockDlg& d, const std::string& map, std::initializer_list<OptionKey> keys) {
    if (!d.m_pOptions) return;
    for (int r = 2; r <= d.m_pOptions->GetRowCount(); ++r) {
        if (Unquoted(d.m_pOptions->GetCell(r, 4)) != map) continue;
        const OptionKey key = catalogue::ParseOptionKey(Unquoted(d.m_pOptions->GetCell(r, 1)));
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            catalogue::ApplyOptionValue(d, key, Unquoted(d.m_pOptions->GetCell(r, 3)));
    }
}

}  // namespace

void CMarlockDlg::StoreChoices() {
    const std::string map = MapNameOf(m_nMap);
    ExchangeData(ExchangeDirection::FromControls);
    StoreChecks(m_toolkit, m_pListEcheances, m_pEcheances.get(), 3, map);
    StoreChecks(m_toolkit, m_pListParametres, m_pParametres.get(), 4, map);
    StoreChecks(m_toolkit, m_pListBulletins, m_pBulletins.get(), 4, map);
    StoreChecks(m_toolkit, m_pListImages, m_pImages.get(), 4, map);
    if (!m_pOptions) return;
    for (const std::int32_t r : m_pOptions->RowsMatching(4, map)) {
        if (!m_pOptions->CellMatches(r, 4, map)) continue;
        std::string value;
        switch (catalogue::ParseOptionKey(Unquoted(m_pOptions->GetCell(r, 1)))) {
            case OptionKey::Mode:
                value = m_pModes->GetCell(m_nZoneMode + 2, 1);
                break;
            case OptionKey::Compression:
                value = m_pCompressions->GetCell(m_nCompression + 2, 1);
                break;
            case OptionKey::Telecom: {
                int selection = m_toolkit.ComboGetSelection(m_comboTelecom);
                if (selection >= 0) value = m_pTelecoms->GetCell(selection + 2, 1);
                break;
            }
            case OptionKey::LandData:
                value = Format("%d", m_nLandData);
                break;
            case OptionKey::Subscription:
                value = m_pEnvois->GetCell(m_nSubscription + 2, 1);
                break;
            case OptionKey::Days:
                value = m_strDays;
                break;
            case OptionKey::DollarRate:
                value = m_strDollarRate;
                break;
            case OptionKey::Heading:
                value = m_strHeading;
                break;
            case OptionKey::Speed:
                value = m_strSpeed;
                break;
            case OptionKey::Currency:
                value = SelectedText(m_toolkit, m_comboCurrency);
                break;
            case OptionKey::X1:
                value = m_strLon1;
                break;
            case OptionKey::X2:
                value = m_strLon2;
                break;
            case OptionKey::Y1:
                value = m_strLat1;
                break;
            case OptionKey::Y2:
                value = m_strLat2;
                break;
            case OptionKey::MeshLat:
                value = SelectedText(m_toolkit, m_comboMeshLat);
                break;
            case OptionKey::MeshLon:
                value = SelectedText(m_toolkit, m_comboMeshLon);
                break;
            case OptionKey::Unknown:
                continue;
        }
        m_pOptions->SetCell(r, 2, value);
    }
}

void CMarlockDlg::SaveCatalogue() {
    // One change as the next start sees it: every table new, or every one old.
    std::vector<FileBytes> files;
    for (auto* table :
         {&m_pEcheances, &m_pParametres, &m_pDomaines, &m_pModes, &m_pOptions, &m_pUnites,
          &m_pMailles, &m_pCompressions, &m_pEnvois, &m_pTelecoms, &m_pBulletins, &m_pImages})
        if (*table) files.push_back({(*table)->Path(), (*table)->Bytes()});
    WriteFilesTogether(catalogue::kFolder, files);
}

void CMarlockDlg::OnMapListClick() {
    if (m_toolkit.ListViewGetSelectionMark(m_listMaps) == -1) return;
    StoreChoices();
    try {
        SaveCatalogue();
    } catch (const platform::FileError&) {
        // The map stays; so must the list's highlight, which the click has already moved.
        m_toolkit.ListViewSetSelectionMark(m_listMaps, m_nMap);
        m_toolkit.ListViewSelectItem(m_listMaps, m_nMap);
        throw;
    }
    ExchangeData(ExchangeDirection::FromControls);
    const std::int32_t old = m_nMap;
    m_nMap = m_toolkit.ListViewGetSelectionMark(m_listMaps);
    if (m_nMap != old) SwitchMap();
    ExchangeData(ExchangeDirection::ToControls);
    m_toolkit.ListViewSelectItem(m_listMaps, m_toolkit.ListViewGetSelectionMark(m_listMaps));
}

void CMarlockDlg::OnMapListKeyDown(int key) {
    const int rows = m_pDomaines ? m_pDomaines->GetRowCount() : 0;
    // Extra rows in the domain table (a blank line at its end, say) must not lead past
    // the last item of the list.
    const int lastMap = std::min(rows - 2, kMapCount - 1);
    ExchangeData(ExchangeDirection::FromControls);
    const int mark = m_toolkit.ListViewGetSelectionMark(m_listMaps);
    if (mark == -1) return;
    StoreChoices();
    SaveCatalogue();
    ExchangeData(ExchangeDirection::FromControls);
    if (key == platform::kKeyUp && mark > 0) {
        m_nMap = mark - 1;
        SwitchMap();
    } else if (key == platform::kKeyDown && mark < lastMap) {
        m_nMap = mark + 1;
        SwitchMap();
    }
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnMapListOther() {
    m_toolkit.ListViewSelectItem(m_listMaps, m_toolkit.ListViewGetSelectionMark(m_listMaps));
}

void CMarlockDlg::OnDefaultOptions() {
    const std::string map = GetMapName();
    ApplyDefaults(
        *this, map,
        {OptionKey::Mode, OptionKey::Compression, OptionKey::Telecom, OptionKey::LandData,
         OptionKey::Subscription, OptionKey::Days, OptionKey::DollarRate, OptionKey::Currency});
    ExchangeData(ExchangeDirection::ToControls);
    FollowZoneMode();
    UpdateCostEstimate();
}

void CMarlockDlg::OnDefaultParams() {
    const std::string map = GetMapName();
    if (m_pEcheances && m_pListEcheances != platform::kNoControl) {
        m_toolkit.CheckListReset(m_pListEcheances);
        catalogue::FillCheckList(*this, m_pListEcheances, *m_pEcheances, map, 2, false, 4);
    }
    if (m_pParametres && m_pListParametres != platform::kNoControl) {
        m_toolkit.CheckListReset(m_pListParametres);
        catalogue::FillCheckList(*this, m_pListParametres, *m_pParametres, map, 3, true, 5);
    }
    ApplyDefaults(*this, map, {OptionKey::MeshLat, OptionKey::MeshLon});
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
}

}  // namespace wavepost

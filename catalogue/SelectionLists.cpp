// SPDX-License-Identifier: GPL-3.0-or-later
// The user's choices between controls, tables and files; the map list; the defaults.
#include <algorithm>
#include <string>

#include "app/CMarlockDlg.h"
#include "app/MapName.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueRows.h"
#include "catalogue/OptionBindings.h"
#include "catalogue/PrefixSearch.h"

namespace wavepost {

using catalogue::DefaultButton;

namespace {

// The items of the map list: "Monde", "Europe", "France".
constexpr int kMapCount = 3;

// Writes the check states of a list into one column of the current map's rows. It runs on
// every keystroke: only the map's rows are visited, and an unchanged state costs a compare.
void StoreChecks(platform::IToolkit& toolkit, platform::ControlHandle list, CIniTable* table,
                 int column, const std::string& map) {
    if (!table || list == platform::kNoControl) return;
    table->ForEachItemRow(
        catalogue::kMapColumn, map, toolkit.CheckListGetCount(list), [&](int item, std::int32_t r) {
            table->SetCell(r, column, std::to_string(toolkit.CheckListGetCheck(list, item)));
        });
}

// Applies the default values (column 3) of the map's options rows whose key belongs to
// the button. The mode's default leaves the mode the texts are written in alone.
void ApplyDefaults(CMarlockDlg& d, const std::string& map, DefaultButton button) {
    if (!d.m_pOptions) return;
    d.m_pOptions->ForEachRowMatching(catalogue::kOptionMapColumn, map, [&](std::int32_t r) {
        const auto* binding = catalogue::FindOptionBinding(Unquoted(d.m_pOptions->GetCell(r, 1)));
        if (binding && binding->defaultButton == button)
            binding->load(d, Unquoted(d.m_pOptions->GetCell(r, 3)));
    });
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
    m_pOptions->ForEachRowMatching(catalogue::kOptionMapColumn, map, [&](std::int32_t r) {
        const auto* binding = catalogue::FindOptionBinding(Unquoted(m_pOptions->GetCell(r, 1)));
        if (binding) m_pOptions->SetCell(r, 2, binding->store(*this));
    });
}

void CMarlockDlg::SaveCatalogue() {
    // One change as the next start sees it: every table new, or every one old.
    std::vector<FileBytes> files;
    const auto tables = catalogue::CatalogueTables(*this);
    for (std::size_t i = 0; i < catalogue::kSavedTableCount; ++i)
        if (*tables[i]) files.push_back({(*tables[i])->Path(), (*tables[i])->Bytes()});
    WriteFilesTogether(StoragePath(catalogue::kFolder), files, m_toolkit.SystemDirectory());
}

void CMarlockDlg::OnMapListClick() {
    if (m_toolkit.ListViewGetSelectionMark(m_listMaps) == -1) return;
    StoreChoices();
    try {
        SaveCatalogue();
    } catch (const FileError&) {
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
    ApplyDefaults(*this, map, DefaultButton::Options);
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
    ApplyDefaults(*this, map, DefaultButton::Params);
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
}

}  // namespace wavepost

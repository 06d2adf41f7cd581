// SPDX-License-Identifier: GPL-3.0-or-later
// Favourites: the current choices kept under a name, and brought back as if typed again.
#include <algorithm>
#include <set>

#include "app/CMarlockDlg.h"
#include "app/MapName.h"
#include "app/layout/StringTable.h"
#include "base/Favourites.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "base/ProgramSettings.h"
#include "catalogue/CatalogueRows.h"
#include "catalogue/OptionBindings.h"
#include "request/SaildocsOrder.h"

namespace wavepost {

namespace {

// The rate of the dollar is the day's, not a choice: a favourite leaves it alone.
bool IsKeptOption(const std::string& key) {
    return key != "DOLLARS" && catalogue::FindOptionBinding(key) != nullptr;
}

// Ticks the map's rows whose code is listed and unticks the others; the codes the table
// no longer has are added to dropped.
void SetTicks(CIniTable* table, const std::string& map, int codeColumn, int tickColumn,
              const std::vector<std::string>& codes, std::vector<std::string>& dropped) {
    std::set<std::string> missing(codes.begin(), codes.end());
    if (table)
        table->ForEachRowMatching(catalogue::kMapColumn, map, [&](std::int32_t r) {
            const bool ticked = missing.erase(Unquoted(table->GetCell(r, codeColumn))) > 0;
            table->SetCell(r, tickColumn, ticked ? "1" : "0");
        });
    for (const std::string& code : codes)
        if (missing.count(code)) dropped.push_back(code);
}

int MapIndexOf(const std::string& name) {
    for (int map = 0; map < 3; ++map)
        if (MapNameOf(map) == name) return map;
    return -1;
}

std::string JoinedLines(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : "\n") + text;
    return out;
}

}  // namespace

Favourite CMarlockDlg::CurrentFavourite(const std::string& name) {
    StoreChoices();
    Favourite f;
    f.name = name;
    f.map = MapNameOf(m_nMap);
    f.saildocs = m_bSaildocs;
    if (m_pOptions)
        m_pOptions->ForEachRowMatching(catalogue::kOptionMapColumn, f.map, [&](std::int32_t r) {
            const std::string key = Unquoted(m_pOptions->GetCell(r, 1));
            if (IsKeptOption(key)) f.options.emplace_back(key, m_pOptions->GetCell(r, 2));
        });
    f.steps = catalogue::TickedCodes(m_pEcheances.get(), f.map, 2, 3);
    f.parameters = catalogue::TickedCodes(m_pParametres.get(), f.map, 2, 4);
    f.bulletins = catalogue::TickedCodes(m_pBulletins.get(), f.map, 2, 4);
    f.images = catalogue::TickedCodes(m_pImages.get(), f.map, 2, 4);
    return f;
}

std::vector<std::string> CMarlockDlg::RecallFavourite(const Favourite& f) {
    std::vector<std::string> dropped;
    StoreChoices();
    int map = MapIndexOf(f.map);
    if (map < 0) {
        dropped.push_back(f.map);
        map = m_nMap;
    }
    const std::string mapName = MapNameOf(map);
    // Written into the tables as the choices are kept, then loaded as at a change of map:
    // the window then holds what the same choices made by hand give.
    std::vector<std::pair<std::string, std::string>> asked;
    if (m_pOptions)
        // Named variables, not a structured binding: the lambda below captures them.
        for (const auto& option : f.options) {
            const std::string& key = option.first;
            const std::string& value = option.second;
            if (!IsKeptOption(key)) continue;
            bool found = false;
            m_pOptions->ForEachRowMatching(catalogue::kOptionMapColumn, mapName,
                                           [&](std::int32_t r) {
                                               if (Unquoted(m_pOptions->GetCell(r, 1)) != key)
                                                   return;
                                               m_pOptions->SetCell(r, 2, value);
                                               found = true;
                                           });
            if (found)
                asked.emplace_back(key, value);
            else
                dropped.push_back(key + " = " + value);
        }
    SetTicks(m_pEcheances.get(), mapName, 2, 3, f.steps, dropped);
    SetTicks(m_pParametres.get(), mapName, 2, 4, f.parameters, dropped);
    SetTicks(m_pBulletins.get(), mapName, 2, 4, f.bulletins, dropped);
    SetTicks(m_pImages.get(), mapName, 2, 4, f.images, dropped);

    if (f.saildocs != m_bSaildocs) {
        ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
        ChooseSaildocs(settings, f.saildocs);
        if (!m_toolkit.SettingsDirectory().empty())
            SaveSettings(m_toolkit.SettingsDirectory(), settings);
        FillServiceChoices();
        m_bSaildocs = f.saildocs;
    }

    SaveCatalogue();
    ExchangeData(ExchangeDirection::FromControls);
    m_nMap = map;
    SwitchMap();
    ExchangeData(ExchangeDirection::ToControls);
    m_toolkit.ListViewSetSelectionMark(m_listMaps, m_nMap);
    m_toolkit.ListViewSelectItem(m_listMaps, m_nMap);

    // A value the catalogue no longer offers (a mode, a link, a spacing...) does not load:
    // stored back, it reads otherwise.
    StoreChoices();
    for (const auto& option : asked) {
        const std::string& key = option.first;
        const std::string& value = option.second;
        m_pOptions->ForEachRowMatching(catalogue::kOptionMapColumn, mapName, [&](std::int32_t r) {
            if (Unquoted(m_pOptions->GetCell(r, 1)) == key &&
                Unquoted(m_pOptions->GetCell(r, 2)) != Unquoted(value))
                dropped.push_back(key + " = " + Unquoted(value));
        });
    }
    return dropped;
}

void CMarlockDlg::OnFavourites() {
    const std::string folder = m_toolkit.SettingsDirectory();
    if (folder.empty()) {
        m_toolkit.MessageBox(LoadString(IDS_FAVOURITE_NO_FOLDER));
        return;
    }
    std::vector<Favourite> favourites;
    try {
        favourites = ReadFavourites(folder);
    } catch (const FileError&) {
        m_toolkit.MessageBox(
            Format(LoadString(IDS_FAVOURITES_UNREADABLE).c_str(), FavouritesPath(folder).c_str()));
        return;
    }
    // The favourites first: one choice recalls one.
    std::vector<std::string> items;
    for (const Favourite& f : favourites) items.push_back(f.name);
    const int count = static_cast<int>(favourites.size());
    items.push_back(LoadString(IDS_FAVOURITE_SAVE_NEW));
    if (count > 0) {
        items.push_back(LoadString(IDS_FAVOURITE_RENAME));
        items.push_back(LoadString(IDS_FAVOURITE_DELETE));
    }
    const int chosen = m_toolkit.ChooseItem(LoadString(IDS_FAVOURITES_CHOOSE), items);
    if (chosen < 0 || chosen >= static_cast<int>(items.size())) return;
    if (chosen < count) {
        const Favourite& f = favourites[static_cast<std::size_t>(chosen)];
        const std::vector<std::string> dropped = RecallFavourite(f);
        if (!dropped.empty())
            m_toolkit.MessageBox(Format(LoadString(IDS_FAVOURITE_DROPPED).c_str(), f.name.c_str(),
                                        JoinedLines(dropped).c_str()));
        return;
    }

    std::vector<std::string> names(items.begin(), items.begin() + count);
    auto nameTaken = [&](const std::string& name, int except) {
        for (int i = 0; i < count; ++i)
            if (i != except && favourites[static_cast<std::size_t>(i)].name == name) return true;
        return false;
    };
    // Asks a name until it is one the file can hold and no other favourite has.
    auto askName = [&](std::string name, int except, std::string& out) {
        for (;;) {
            std::vector<std::string> values{name};
            if (!m_toolkit.EditFields(LoadString(IDS_FAVOURITE_NAME_TITLE),
                                      {LoadString(IDS_FAVOURITE_NAME_LABEL)}, values))
                return false;
            name = TrimmedName(values.at(0));
            if (IsFavouriteName(name) && !nameTaken(name, except)) {
                out = name;
                return true;
            }
            m_toolkit.MessageBox(
                Format(LoadString(IDS_FAVOURITE_NAME_TAKEN).c_str(), name.c_str()));
        }
    };
    const int action = chosen - count;
    if (action == 0) {
        std::string name;
        if (!askName({}, -1, name)) return;
        favourites.push_back(CurrentFavourite(name));
    } else {
        const int which = m_toolkit.ChooseItem(
            LoadString(action == 1 ? IDS_FAVOURITE_WHICH_RENAME : IDS_FAVOURITE_WHICH_DELETE),
            names);
        if (which < 0 || which >= count) return;
        const auto at = favourites.begin() + which;
        if (action == 1) {
            if (!askName(at->name, which, at->name)) return;
        } else {
            favourites.erase(at);
        }
    }
    try {
        SaveFavourites(folder, favourites);
    } catch (const FileError& error) {
        m_toolkit.MessageBox(
            Format(LoadString(IDS_FAVOURITES_NOT_SAVED).c_str(), error.Path().c_str()));
    }
}

}  // namespace wavepost

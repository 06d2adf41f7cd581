// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the catalogue tables into the tab pages for the current map.
#include <cctype>
#include <new>

#include "app/CMarlockDlg.h"
#include "app/MapName.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueRows.h"
#include "catalogue/OptionBindings.h"
#include "catalogue/PrefixSearch.h"

namespace wavepost {

using platform::Rect;
using platform::RuntimeControlKind;

namespace {

// The presentation text: raw bytes up to a zero byte. Throws FileError.
std::string ReadPresentation(const std::string& path) {
    std::string text = ReadWholeFile(path, ReadAccess::ReadOnly);
    auto zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

// At most maxBytes of the text, cut at a character boundary of UTF-8.
std::string Truncated(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

std::unique_ptr<CIniTable> LoadTable(const std::string& path) {
    auto table = std::make_unique<CIniTable>(path);
    table->Load();
    return table;
}

}  // namespace

namespace catalogue {

void FillCheckList(CMarlockDlg& d, platform::ControlHandle list, CIniTable& table,
                   const std::string& map, int textColumn, bool unquote, int checkColumn) {
    platform::IToolkit& tk = d.Toolkit();
    table.ForEachRowMatching(kMapColumn, map, [&](std::int32_t r) {
        std::string text = table.GetCell(r, textColumn);
        tk.CheckListAddItem(list, unquote ? Unquoted(text) : text);
        tk.CheckListSetCheck(list, tk.CheckListGetCount(list) - 1,
                             static_cast<int>(ReadInteger(table.GetCell(r, checkColumn))));
    });
}

std::array<std::unique_ptr<CIniTable>*, kSavedTableCount + 1> CatalogueTables(CMarlockDlg& d) {
    return {&d.m_pEcheances, &d.m_pParametres, &d.m_pDomaines,     &d.m_pModes,  &d.m_pOptions,
            &d.m_pUnites,    &d.m_pMailles,    &d.m_pCompressions, &d.m_pEnvois, &d.m_pTelecoms,
            &d.m_pBulletins, &d.m_pImages,     &d.m_pSoft};
}

std::vector<std::string> TickedCodes(CIniTable* table, const std::string& map, int codeColumn,
                                     int tickColumn) {
    std::vector<std::string> codes;
    if (!table) return codes;
    table->ForEachRowMatching(kMapColumn, map, [&](std::int32_t r) {
        if (ReadInteger(table->GetCell(r, tickColumn)) != 0)
            codes.push_back(Unquoted(table->GetCell(r, codeColumn)));
    });
    return codes;
}

}  // namespace catalogue

std::string CMarlockDlg::GetMapName() {
    ExchangeData(ExchangeDirection::FromControls);
    return MapNameOf(m_nMap);
}

void CMarlockDlg::LoadCatalogue() {
    using namespace catalogue;
    const Rect tab = m_toolkit.GetControlRect(m_tabPages);
    const int W = tab.Width();
    const int H = tab.Height();
    const int u = W / 64;

    try {
        m_strPresentation = ReadPresentation(StoragePath(kPresentation));
    } catch (const FileError& error) {
        m_toolkit.MessageBox(Truncated(FileErrorMessage(error), 254));
    }
    // Pushed even without the presentation: GetMapName below reads the controls back, and
    // on a map switch the map buttons still hold the map being left.
    ExchangeData(ExchangeDirection::ToControls);

    const std::string map = GetMapName();
    auto page = [&](RuntimeControlKind kind, int id, int textId, Rect rect,
                    platform::FontHandle font) {
        return m_toolkit.CreatePageControl(kind, id, textId ? LoadString(textId) : std::string(),
                                           rect, font);
    };

    // The tables are read as one set, never halfway through another program's save; a
    // save cut short by a crash is finished or undone first.
    const std::string folder = StoragePath(kFolder);
    CFolderLock lock(folder);
    if (lock.IsHeld()) {
        std::vector<std::string> saved;
        for (const char* name : kSavedTables) saved.push_back(StoragePath(name));
        if (const std::optional<FileFailure> refused =
                RecoverFileSet(folder, saved, m_toolkit.SystemDirectory()))
            m_toolkit.MessageBox(FileErrorMessage(*refused));
    }
    try {
        m_pDomaines = LoadTable(StoragePath(kDomaines));

        m_pCaptionEcheances = page(RuntimeControlKind::Caption, IDC_STEPS_CAPTION,
                                   IDS_CAPTION_STEPS, {23 * u, 40, 43 * u, 60}, m_pCaptionFont);
        m_pEcheances = LoadTable(StoragePath(kEcheances));
        m_pListEcheances = page(RuntimeControlKind::CheckList, IDC_STEPS_LIST, 0,
                                {23 * u, 60, 43 * u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListEcheances, *m_pEcheances, map, 2, false, 3);

        m_pCaptionParametres = page(RuntimeControlKind::Caption, IDC_PARAMETERS_CAPTION,
                                    IDS_CAPTION_PARAMETERS, {u, 40, 21 * u, 60}, m_pCaptionFont);
        m_pParametres = LoadTable(StoragePath(kParametres));
        m_pListParametres = page(RuntimeControlKind::CheckList, IDC_PARAMETERS_LIST, 0,
                                 {u, 60, 21 * u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListParametres, *m_pParametres, map, 3, true, 4);

        m_pCaptionBulletins = page(RuntimeControlKind::Caption, IDC_BULLETINS_CAPTION,
                                   IDS_CAPTION_BULLETINS, {u, 40, W - u, 70}, m_pLargeFont);
        m_pBulletins = LoadTable(StoragePath(kBulletins));
        m_pListBulletins = page(RuntimeControlKind::CheckList, IDC_BULLETINS_LIST, 0,
                                {u, 70, W - u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListBulletins, *m_pBulletins, map, 3, true, 4);

        m_pSoft = LoadTable(StoragePath(kSoft));

        m_pCaptionImages = page(RuntimeControlKind::Caption, IDC_IMAGES_CAPTION, IDS_CAPTION_IMAGES,
                                {u, 40, W - u, 70}, m_pLargeFont);
        m_pImages = LoadTable(StoragePath(kImages));
        m_pListImages = page(RuntimeControlKind::CheckList, IDC_IMAGES_LIST, 0,
                             {u, 70, W - u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListImages, *m_pImages, map, 3, true, 4);

        m_pCaptionPresentation = page(RuntimeControlKind::Caption, IDC_PRESENTATION_CAPTION,
                                      IDS_CAPTION_PRESENTATION, {u, 40, W - u, 70}, m_pLargeFont);
        m_pOptions = LoadTable(StoragePath(kOptions));
        m_pCaptionZone = page(RuntimeControlKind::Caption, IDC_ZONE_CAPTION, IDS_CAPTION_ZONE,
                              {u, 40, 21 * u, 70}, m_pCaptionFont);

        m_pModes = LoadTable(StoragePath(kModes));
        m_pCompressions = LoadTable(StoragePath(kCompressions));
        m_pEnvois = LoadTable(StoragePath(kEnvois));
        m_pTelecoms = LoadTable(StoragePath(kTelecoms));
        m_toolkit.ComboReset(m_comboTelecom);
        for (int r = 2; r <= m_pTelecoms->GetRowCount(); ++r)
            m_toolkit.ComboAddItem(m_comboTelecom, Unquoted(m_pTelecoms->GetCell(r, 1)));

        m_pUnites = LoadTable(StoragePath(kUnites));
        m_toolkit.ComboReset(m_comboCurrency);
        for (int r = 2; r <= m_pUnites->GetRowCount(); ++r)
            m_toolkit.ComboAddItem(m_comboCurrency, Unquoted(m_pUnites->GetCell(r, 1)));

        m_pMailles = LoadTable(StoragePath(kMailles));
        m_toolkit.ComboReset(m_comboMeshLon);
        m_toolkit.ComboReset(m_comboMeshLat);
        m_pMailles->ForEachRowMatching(kMapColumn, map, [&](std::int32_t r) {
            std::string axis = Unquoted(m_pMailles->GetCell(r, 2));
            std::string spacing = Unquoted(m_pMailles->GetCell(r, 3));
            if (axis == "LONG") m_toolkit.ComboAddItem(m_comboMeshLon, spacing);
            if (axis == "LAT") m_toolkit.ComboAddItem(m_comboMeshLat, spacing);
        });
    } catch (const TableTooLargeError& error) {
        m_toolkit.MessageBox(FileErrorMessage(error));
        m_toolkit.ExitProcess(1);
    } catch (const FileShapeError& error) {
        lock.Release();
        m_toolkit.MessageBox(FileErrorMessage(error));
        m_toolkit.ExitProcess(1);
    } catch (const FileError&) {
        lock.Release();
        m_toolkit.MessageBox(LoadString(IDS_CATALOGUE_MISSING));
        m_toolkit.ExitProcess(1);
    } catch (const std::bad_alloc&) {
        // Half a catalogue cannot be shown or saved.
        m_toolkit.MessageBox(LoadString(IDS_OUT_OF_MEMORY));
        m_toolkit.ExitProcess(1);
    }
    lock.Release();

    m_pOptions->ForEachRowMatching(kOptionMapColumn, map, [&](std::int32_t r) {
        const OptionBinding* binding = FindOptionBinding(Unquoted(m_pOptions->GetCell(r, 1)));
        if (!binding) return;
        binding->load(*this, Unquoted(m_pOptions->GetCell(r, 2)));
        // The coordinate texts are written in the mode just loaded.
        if (binding->zoneMode) m_nPrevZoneMode = m_nZoneMode;
    });
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::ReleaseCatalogue() {
    for (platform::ControlHandle* control :
         {&m_pListEcheances, &m_pCaptionEcheances, &m_pListParametres, &m_pCaptionParametres,
          &m_pCaptionZone, &m_pListBulletins, &m_pCaptionBulletins, &m_pListImages,
          &m_pCaptionImages, &m_pCaptionPresentation}) {
        if (*control != platform::kNoControl) m_toolkit.DestroyPageControl(*control);
        *control = platform::kNoControl;
    }
    for (auto* table : catalogue::CatalogueTables(*this)) table->reset();
}

}  // namespace wavepost

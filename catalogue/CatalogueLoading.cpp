// Loading the catalogue tables into the tab pages for the current map.
#include <cctype>
#include <fstream>
#include <new>
#include <sstream>

#include "app/CMarlockDlg.h"
#include "app/FileAccess.h"
#include "app/MapName.h"
#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueRows.h"
#include "catalogue/PrefixSearch.h"

namespace wavepost {

using platform::Rect;
using platform::RuntimeControlKind;

namespace catalogue {

OptionKey ParseOptionKey(const std::string& key) {
    static const std::pair<const char*, OptionKey> keys[] = {
        {"MODE", OptionKey::Mode},
        {"COMPRESSION", OptionKey::Compression},
        {"TELECOM", OptionKey::Telecom},
        {"DONTERRE", OptionKey::LandData},
        {"ENVOI", OptionKey::Subscription},
        {"TOUSLES", OptionKey::Days},
        {"DOLLARS", OptionKey::DollarRate},
        {"CAP", OptionKey::Heading},
        {"VITESSE", OptionKey::Speed},
        {"UNITE", OptionKey::Currency},
        {"X1", OptionKey::X1},
        {"X2", OptionKey::X2},
        {"Y1", OptionKey::Y1},
        {"Y2", OptionKey::Y2},
        {"LAT", OptionKey::MeshLat},
        {"LONG", OptionKey::MeshLon},
    };
    for (const auto& [name, value] : keys)
        if (key == name) return value;
    return OptionKey::Unknown;
}

}  // namespace catalogue

namespace {

// The presentation text: raw bytes up to a zero byte. Throws platform::FileError.
std::string ReadPresentation(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    if (in) content << in.rdbuf();
    if (!in || in.bad())
        throw platform::FileError(path,
                                  Format(LoadString(IDS_FILE_READ_ERROR).c_str(), path.c_str()));
    std::string text = content.str();
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

std::unique_ptr<CIniTable> LoadTable(const char* path) {
    auto table = std::make_unique<CIniTable>(path);
    table->Load();
    return table;
}

}  // namespace

namespace catalogue {

void ApplyOptionValue(CMarlockDlg& d, OptionKey key, const std::string& value) {
    platform::IToolkit& tk = d.Toolkit();
    switch (key) {
        case OptionKey::Mode:
            d.m_nZoneMode = d.m_pModes->FindRow(value, 1, 0) - 2;
            break;
        case OptionKey::Compression:
            d.m_nCompression = d.m_pCompressions->FindRow(value, 1, 0) - 2;
            break;
        case OptionKey::Telecom:
            SelectDataRow(tk, d.m_comboTelecom, d.m_pTelecoms->FindRow(value, 1, 0) - 2);
            break;
        case OptionKey::LandData:
            d.m_nLandData = static_cast<std::int32_t>(ReadInteger(value));
            break;
        case OptionKey::Subscription:
            d.m_nSubscription = d.m_pEnvois->FindRow(value, 1, 0) - 2;
            break;
        case OptionKey::Days:
            d.m_strDays = value;
            break;
        case OptionKey::DollarRate:
            d.m_strDollarRate = value;
            break;
        case OptionKey::Heading:
            d.m_strHeading = value;
            break;
        case OptionKey::Speed:
            d.m_strSpeed = value;
            break;
        case OptionKey::Currency:
            SelectByPrefix(tk, d.m_comboCurrency, value);
            break;
        case OptionKey::X1:
            d.m_strLon1 = value;
            break;
        case OptionKey::X2:
            d.m_strLon2 = value;
            break;
        case OptionKey::Y1:
            d.m_strLat1 = value;
            break;
        case OptionKey::Y2:
            d.m_strLat2 = value;
            break;
        case OptionKey::MeshLat:
            SelectByPrefix(tk, d.m_comboMeshLat, value);
            break;
        case OptionKey::MeshLon:
            SelectByPrefix(tk, d.m_comboMeshLon, value);
            break;
        case OptionKey::Unknown:
            break;
    }
}

void FillCheckList(CMarlockDlg& d, platform::ControlHandle list, CIniTable& table,
                   const std::string& map, int textColumn, bool unquote, int checkColumn) {
    platform::IToolkit& tk = d.Toolkit();
    for (int r = 2; r <= table.GetRowCount(); ++r) {
        if (Unquoted(table.GetCell(r, 1)) != map) continue;
        std::string text = table.GetCell(r, textColumn);
        tk.CheckListAddItem(list, unquote ? Unquoted(text) : text);
        tk.CheckListSetCheck(list, tk.CheckListGetCount(list) - 1,
                             static_cast<int>(ReadInteger(table.GetCell(r, checkColumn))));
    }
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
        m_strPresentation = ReadPresentation(kPresentation);
    } catch (const platform::FileError& error) {
        m_toolkit.MessageBox(Truncated(error.what(), 254));
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
    CFolderLock lock(kFolder);
    if (lock.IsHeld()) RecoverFileSet(kFolder, {std::begin(kSavedTables), std::end(kSavedTables)});
    try {
        m_pDomaines = LoadTable(kDomaines);

        m_pCaptionEcheances = page(RuntimeControlKind::Caption, IDC_STEPS_CAPTION,
                                   IDS_CAPTION_STEPS, {23 * u, 40, 43 * u, 60}, m_pCaptionFont);
        m_pEcheances = LoadTable(kEcheances);
        m_pListEcheances = page(RuntimeControlKind::CheckList, IDC_STEPS_LIST, 0,
                                {23 * u, 60, 43 * u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListEcheances, *m_pEcheances, map, 2, false, 3);

        m_pCaptionParametres = page(RuntimeControlKind::Caption, IDC_PARAMETERS_CAPTION,
                                    IDS_CAPTION_PARAMETERS, {u, 40, 21 * u, 60}, m_pCaptionFont);
        m_pParametres = LoadTable(kParametres);
        m_pListParametres = page(RuntimeControlKind::CheckList, IDC_PARAMETERS_LIST, 0,
                                 {u, 60, 21 * u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListParametres, *m_pParametres, map, 3, true, 4);

        m_pCaptionBulletins = page(RuntimeControlKind::Caption, IDC_BULLETINS_CAPTION,
                                   IDS_CAPTION_BULLETINS, {u, 40, W - u, 70}, m_pLargeFont);
        m_pBulletins = LoadTable(kBulletins);
        m_pListBulletins = page(RuntimeControlKind::CheckList, IDC_BULLETINS_LIST, 0,
                                {u, 70, W - u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListBulletins, *m_pBulletins, map, 3, true, 4);

        m_pSoft = LoadTable(kSoft);

        m_pCaptionImages = page(RuntimeControlKind::Caption, IDC_IMAGES_CAPTION, IDS_CAPTION_IMAGES,
                                {u, 40, W - u, 70}, m_pLargeFont);
        m_pImages = LoadTable(kImages);
        m_pListImages = page(RuntimeControlKind::CheckList, IDC_IMAGES_LIST, 0,
                             {u, 70, W - u, H - 30}, m_pListFont);
        FillCheckList(*this, m_pListImages, *m_pImages, map, 3, true, 4);

        m_pCaptionPresentation = page(RuntimeControlKind::Caption, IDC_PRESENTATION_CAPTION,
                                      IDS_CAPTION_PRESENTATION, {u, 40, W - u, 70}, m_pLargeFont);
        m_pOptions = LoadTable(kOptions);
        m_pCaptionZone = page(RuntimeControlKind::Caption, IDC_ZONE_CAPTION, IDS_CAPTION_ZONE,
                              {u, 40, 21 * u, 70}, m_pCaptionFont);

        m_pModes = LoadTable(kModes);
        m_pCompressions = LoadTable(kCompressions);
        m_pEnvois = LoadTable(kEnvois);
        m_pTelecoms = LoadTable(kTelecoms);
        m_toolkit.ComboReset(m_comboTelecom);
        for (int r = 2; r <= m_pTelecoms->GetRowCount(); ++r)
            m_toolkit.ComboAddItem(m_comboTelecom, Unquoted(m_pTelecoms->GetCell(r, 1)));

        m_pUnites = LoadTable(kUnites);
        m_toolkit.ComboReset(m_comboCurrency);
        for (int r = 2; r <= m_pUnites->GetRowCount(); ++r)
            m_toolkit.ComboAddItem(m_comboCurrency, Unquoted(m_pUnites->GetCell(r, 1)));

        m_pMailles = LoadTable(kMailles);
        m_toolkit.ComboReset(m_comboMeshLon);
        m_toolkit.ComboReset(m_comboMeshLat);
        for (int r = 2; r <= m_pMailles->GetRowCount(); ++r) {
            if (Unquoted(m_pMailles->GetCell(r, 1)) != map) continue;
            std::string axis = Unquoted(m_pMailles->GetCell(r, 2));
            std::string spacing = Unquoted(m_pMailles->GetCell(r, 3));
            if (axis == "LONG") m_toolkit.ComboAddItem(m_comboMeshLon, spacing);
            if (axis == "LAT") m_toolkit.ComboAddItem(m_comboMeshLat, spacing);
        }
    } catch (const TableTooLargeError& error) {
        m_toolkit.MessageBox(error.what());
        m_toolkit.ExitProcess(1);
    } catch (const platform::FileError&) {
        lock.Release();
        m_toolkit.MessageBox(LoadString(IDS_CATALOGUE_MISSING));
        m_toolkit.ExitProcess(1);
    } catch (const std::bad_alloc&) {
        // Half a catalogue cannot be shown or saved.
        m_toolkit.MessageBox(LoadString(IDS_OUT_OF_MEMORY));
        m_toolkit.ExitProcess(1);
    }
    lock.Release();

    for (int r = 2; r <= m_pOptions->GetRowCount(); ++r) {
        if (Unquoted(m_pOptions->GetCell(r, 4)) != map) continue;
        const OptionKey key = ParseOptionKey(Unquoted(m_pOptions->GetCell(r, 1)));
        ApplyOptionValue(*this, key, Unquoted(m_pOptions->GetCell(r, 2)));
        // The coordinate texts are written in the mode just loaded.
        if (key == OptionKey::Mode) m_nPrevZoneMode = m_nZoneMode;
    }
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
    for (auto* table : {&m_pEcheances, &m_pParametres, &m_pDomaines, &m_pModes, &m_pOptions,
                        &m_pUnites, &m_pMailles, &m_pCompressions, &m_pEnvois, &m_pTelecoms,
                        &m_pBulletins, &m_pImages, &m_pSoft})
        table->reset();
}

}  // namespace wavepost

// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, start-up, data exchange and the closing rules of the main window.
#include "app/CMarlockDlg.h"

#include <algorithm>
#include <climits>
#include <span>

#include "app/CConfigFile.h"
#include "app/CMarlockDlgAutoProxy.h"
#include "app/layout/Layout.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"

namespace wavepost {

using platform::ControlHandle;

namespace {

constexpr platform::Color kMapListGrey{192, 192, 192};
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

template <std::size_t N>
void Bind(std::array<ControlHandle, N>& members, const std::array<int, N>& ids) {
    for (std::size_t i = 0; i < N; ++i) members[i] = ids[i];
}

}  // namespace

CMarlockDlg::CMarlockDlg(platform::IToolkit& toolkit, std::string storageFolder)
    : m_toolkit(toolkit), m_strStorageFolder(std::move(storageFolder)) {
    // One icon from a colour and a mask bitmap serves as large and small window icon.
    m_hIcon = CIcon{IDB_WINDOW_ICON, IDB_WINDOW_ICON_MASK};
}

std::string CMarlockDlg::StoragePath(const std::string& name) const {
    return m_strStorageFolder == "." ? name : m_strStorageFolder + "/" + name;
}

CMarlockDlg::~CMarlockDlg() {
    for (auto* font : {&m_pCaptionFont, &m_pLargeFont, &m_pListFont}) {
        if (*font != platform::kNoFont) m_toolkit.ReleaseFont(*font);
        *font = platform::kNoFont;
    }
    m_pImageList.reset();
    // Page controls and tables go, the tables without being saved.
    ReleaseCatalogue();
    if (m_pAutoProxy) m_pAutoProxy->m_pDialog = nullptr;
}

bool CMarlockDlg::Initialise() {
    // 1. Bind the controls, then show the initial values.
    m_tabPages = IDC_TAB_PAGES;
    m_btnQuit = IDC_QUIT_BUTTON;
    m_btnSend = IDC_SEND_BUTTON;
    m_spinSpeed = IDC_SPEED_SPIN;
    m_btnDefaultParams = IDC_DEFAULT_PARAMS_BUTTON;
    m_grpHelp = IDC_HELP_GROUP;
    m_listMaps = IDC_MAP_LIST;
    m_comboTelecom = IDC_TELECOM_COMBO;
    m_btnDefaultOptions = IDC_DEFAULT_OPTIONS_BUTTON;
    m_lblTelecomCost = IDC_TELECOM_COST_LABEL;
    m_lblWeatherCost = IDC_WEATHER_COST_LABEL;
    m_btnQuestion = IDC_QUESTION_BUTTON;
    m_editPresentation = IDC_PRESENTATION_EDIT;
    m_comboMeshLon = IDC_MESH_LON_COMBO;
    m_comboMeshLat = IDC_MESH_LAT_COMBO;
    m_btnHelp = IDC_HELP_BUTTON;
    m_chkAntimeridian = IDC_ANTIMERIDIAN_CHECK;
    m_grpCost = IDC_COST_GROUP;
    Bind(m_lblZonePage,
         {IDC_KNOTS_LABEL, IDC_SPEED_LABEL, IDC_LON2_LABEL, IDC_LON1_LABEL, IDC_LAT2_LABEL,
          IDC_LAT1_LABEL, IDC_LON2_DEGREE_LABEL, IDC_LAT2_DEGREE_LABEL, IDC_LON1_DEGREE_LABEL,
          IDC_LAT1_DEGREE_LABEL, IDC_HEADING_LABEL});
    m_spinHeading = IDC_HEADING_SPIN;
    m_editSpeed = IDC_SPEED_EDIT;
    m_editLon2 = IDC_LON2_EDIT;
    m_editLon1 = IDC_LON1_EDIT;
    m_editLat2 = IDC_LAT2_EDIT;
    m_editLat1 = IDC_LAT1_EDIT;
    m_editHeading = IDC_HEADING_EDIT;
    Bind(m_lblZoneTitles, {IDC_COLUMN2_TITLE, IDC_COLUMN1_TITLE, IDC_MOTION_TITLE});
    Bind(m_grpZonePage, {IDC_COLUMN2_GROUP, IDC_MOTION_GROUP, IDC_COLUMN1_GROUP, IDC_MAP_FRAME});
    Bind(m_ctlMeshArea, {IDC_MESH_LABEL, IDC_MESH_GROUP, IDC_MESH_LON_LABEL, IDC_MESH_LAT_LABEL});
    m_editDays = IDC_DAYS_EDIT;
    Bind(m_radioSubscription, kSubscriptionRadios);
    Bind(m_lblOptionsPage,
         {IDC_ZONE_MODE_LABEL, IDC_TELECOM_LABEL, IDC_CURRENCY_UNIT_LABEL, IDC_SUBSCRIPTION_LABEL,
          IDC_LAND_DATA_LABEL, IDC_DOLLAR_RATE_LABEL, IDC_COMPRESSION_LABEL});
    Bind(m_grpOptionsPage, {IDC_ZONE_MODE_GROUP, IDC_TELECOM_GROUP, IDC_CURRENCY_GROUP,
                            IDC_SUBSCRIPTION_GROUP, IDC_LAND_DATA_GROUP, IDC_COMPRESSION_GROUP});
    Bind(m_lblCurrency, {IDC_CURRENCY_LABEL, IDC_EURO_SIGN_LABEL});
    Bind(m_radioLandData, kLandDataRadios);
    m_editDollarRate = IDC_DOLLAR_RATE_EDIT;
    Bind(m_radioCompression, kCompressionRadios);
    m_comboCurrency = IDC_CURRENCY_COMBO;
    Bind(m_radioZoneMode, kZoneModeRadios);
    ExchangeData(ExchangeDirection::ToControls);

    // 2. The about item.
    const std::string& aboutText = LoadString(IDS_ABOUTBOX);
    if (!aboutText.empty()) m_toolkit.AddWindowMenuItem(aboutText, 16);

    // 3. Icons.
    m_toolkit.SetWindowIcon(m_hIcon.colorBitmap, m_hIcon.maskBitmap);

    // 4. Fonts.
    if (m_pCaptionFont == platform::kNoFont)
        m_pCaptionFont = m_toolkit.CreateFont("MS Sans Serif", 14);
    if (m_pLargeFont == platform::kNoFont) m_pLargeFont = m_toolkit.CreateFont("MS Sans Serif", 24);
    if (m_pListFont == platform::kNoFont) m_pListFont = m_toolkit.CreateFont("MS Sans Serif", 14);

    // 5. The large font on six buttons.
    for (ControlHandle button :
         {m_btnHelp, m_btnQuestion, m_btnDefaultOptions, m_btnDefaultParams, m_btnSend, m_btnQuit})
        m_toolkit.SetControlFont(button, m_pLargeFont);

    // 6.-9. The map list.
    m_pImageList = std::make_unique<CImageList>();
    if (m_toolkit.ColorDepth() > 8)
        m_pImageList->bitmaps = {IDB_ICON_WORLD, IDB_ICON_EUROPE, IDB_ICON_FRANCE};
    else
        m_pImageList->bitmaps = {IDB_ICON_WORLD_16, IDB_ICON_EUROPE_16, IDB_ICON_FRANCE_16};
    m_toolkit.ListViewSetColors(m_listMaps, kMapListGrey, kMapListGrey);
    m_toolkit.ListViewSetImageList(m_listMaps, m_pImageList->bitmaps, platform::Color{0, 0, 0});
    m_toolkit.ListViewInsertItem(m_listMaps, 0, LoadString(IDS_MAP_WORLD), 0);
    m_toolkit.ListViewInsertItem(m_listMaps, 1, LoadString(IDS_MAP_EUROPE), 1);
    m_toolkit.ListViewInsertItem(m_listMaps, 2, LoadString(IDS_MAP_FRANCE), 2);
    m_toolkit.ListViewSetSelectionMark(m_listMaps, 0);
    m_toolkit.ListViewSelectItem(m_listMaps, 0);

    // 10. The tabs. The order page's word would not fit the strip: its tab shows an envelope.
    const int tabs[kPageCount] = {IDS_TAB_ZONE,      IDS_TAB_PARAMETERS, IDS_TAB_OPTIONS,
                                  IDS_TAB_BULLETINS, IDS_TAB_IMAGES,     IDS_TAB_ORDER,
                                  IDS_TAB_HELP};
    for (int i = 0; i < kPageCount; ++i) m_toolkit.TabInsert(m_tabPages, i, LoadString(tabs[i]));
    m_toolkit.TabSetIcon(m_tabPages, kOrderPage, IDB_ENVELOPE, LoadString(IDS_TAB_ORDER));
    m_toolkit.SetControlFont(IDC_ORDER_TITLE, m_pCaptionFont);
    FillHandOverChoices();
    FillServiceChoices();

    // 11.-14.
    LoadCatalogue();
    HideAllPages();
    m_toolkit.TabSelect(m_tabPages, 0);
    ShowZonePage();

    // 15. The address file.
    try {
        CConfigFile config(StoragePath(LoadString(IDS_CONFIG_FILE_NAME)), false);
        // Saturated before narrowing: a huge value must not wrap round to 1.
        m_bAntimeridian = static_cast<std::int32_t>(
            std::clamp<long>(ReadInteger(config.GetValue("Antime")), INT32_MIN, INT32_MAX));
        m_dPtEuro = ReadNumber(config.GetValue(LoadString(IDS_KEY_PTEURO)));
        config.Close();
    } catch (const FileShapeError& error) {
        m_toolkit.MessageBox(FileErrorMessage(error));
        m_toolkit.ExitProcess(1);
    } catch (const FileError&) {
        m_toolkit.MessageBox(LoadString(IDS_NO_ADDRESS));
        m_toolkit.ExitProcess(1);
    }

    // 16.-18.
    ExchangeData(ExchangeDirection::ToControls);
    UpdateZoneFromFields();
    UpdateCostEstimate();
    TidyStateFolder();
    WatchBoatPosition();
    return true;
}

void CMarlockDlg::ExchangeData(ExchangeDirection direction) {
    const bool toControls = direction == ExchangeDirection::ToControls;
    auto radio = [&](std::int32_t& value, std::span<const int> buttons) {
        if (toControls) {
            int index = 0;
            for (int id : buttons) m_toolkit.SetCheck(id, index++ == value ? 1 : 0);
        } else {
            value = -1;
            int index = 0;
            for (int id : buttons) {
                if (m_toolkit.GetCheck(id) != 0) value = index;
                ++index;
            }
        }
    };
    auto text = [&](std::string& value, int control) {
        if (toControls) {
            if (m_toolkit.GetControlText(control) != value)
                m_toolkit.SetControlText(control, value);
        } else {
            value = m_toolkit.GetControlText(control);
        }
    };
    radio(m_nMap, kMapRadios);
    radio(m_nZoneMode, kZoneModeRadios);
    radio(m_nCompression, kCompressionRadios);
    text(m_strDollarRate, IDC_DOLLAR_RATE_EDIT);
    radio(m_nLandData, kLandDataRadios);
    radio(m_nSubscription, kSubscriptionRadios);
    text(m_strDays, IDC_DAYS_EDIT);
    text(m_strHeading, IDC_HEADING_EDIT);
    text(m_strLat1, IDC_LAT1_EDIT);
    text(m_strLat2, IDC_LAT2_EDIT);
    text(m_strLon1, IDC_LON1_EDIT);
    text(m_strLon2, IDC_LON2_EDIT);
    text(m_strSpeed, IDC_SPEED_EDIT);
    if (toControls) {
        if (m_bAntimeridian < 0 || m_bAntimeridian > 2) m_bAntimeridian = 0;
        m_toolkit.SetCheck(IDC_ANTIMERIDIAN_CHECK, m_bAntimeridian);
    } else {
        m_bAntimeridian = m_toolkit.GetCheck(IDC_ANTIMERIDIAN_CHECK);
    }
    text(m_strColumn1Title, IDC_COLUMN1_TITLE);
    text(m_strColumn2Title, IDC_COLUMN2_TITLE);
    text(m_strPresentation, IDC_PRESENTATION_EDIT);
    text(m_strWeatherCost, IDC_WEATHER_COST_EDIT);
    text(m_strTelecomCost, IDC_TELECOM_COST_EDIT);
}

void CMarlockDlg::OnSystemCommand(unsigned commandId) {
    if ((commandId & 0xFFF0u) == 16u) m_toolkit.ShowAboutBox();
}

bool CMarlockDlg::CanExit() {
    if (m_pAutoProxy) {
        m_toolkit.HideWindow();
        return false;
    }
    return true;
}

void CMarlockDlg::OnCloseRequest() {
    StoreChoices();
    if (CanExit()) OnCancel();
}

void CMarlockDlg::OnQuit() {
    if (!CanExit()) return;
    StoreChoices();
    SaveCatalogue();
    ExchangeData(ExchangeDirection::FromControls);
    m_toolkit.EndModal(kIdOk);
}

void CMarlockDlg::OnCancel() {
    if (CanExit()) m_toolkit.EndModal(kIdCancel);
}

}  // namespace wavepost

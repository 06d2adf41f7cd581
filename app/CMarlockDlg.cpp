// Construction, start-up, data exchange and the closing rules of the main window.
#include "app/CMarlockDlg.h"

#include <algorithm>
#include <climits>

#include "app/CConfigFile.h"
#include "app/CMarlockDlgAutoProxy.h"
#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"

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
    m_tabPages = 1063;
    m_btnQuit = 1;
    m_btnSend = 1013;
    m_spinSpeed = 1093;
    m_btnDefaultParams = 1062;
    m_grpHelp = 1061;
    m_listMaps = 1060;
    m_comboTelecom = 1037;
    m_btnDefaultOptions = 1035;
    m_lblTelecomCost = 1007;
    m_lblWeatherCost = 1006;
    m_btnQuestion = 1003;
    m_editPresentation = 1096;
    m_comboMeshLon = 1001;
    m_comboMeshLat = 1002;
    m_btnHelp = 9;
    m_chkAntimeridian = 1092;
    m_grpCost = 1089;
    Bind(m_lblZonePage, {1088, 1084, 1077, 1071, 1078, 1072, 1082, 1081, 1076, 1075, 1083});
    m_spinHeading = 1087;
    m_editSpeed = 1086;
    m_editLon2 = 1079;
    m_editLon1 = 1073;
    m_editLat2 = 1080;
    m_editLat1 = 1074;
    m_editHeading = 1085;
    Bind(m_lblZoneTitles, {1069, 1068, 1070});
    Bind(m_grpZonePage, {1066, 1067, 1065, 1064});
    Bind(m_ctlMeshArea, {1057, 1056, 1058, 1059});
    m_editDays = 1055;
    Bind(m_radioSubscription, {1024, 1025, 1026, 1027});
    Bind(m_lblOptionsPage, {1046, 1050, 1051, 1049, 1047, 1052, 1048});
    Bind(m_grpOptionsPage, {1040, 1044, 1045, 1043, 1041, 1042});
    Bind(m_lblCurrency, {1054, 1053});
    Bind(m_radioLandData, {1018, 1019});
    m_editDollarRate = 1034;
    Bind(m_radioCompression, {1020, 1021, 1022, 1023});
    m_comboCurrency = 1039;
    Bind(m_radioZoneMode, {1016, 1017});
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

    // 10. The six tabs.
    const int tabs[] = {IDS_TAB_ZONE,      IDS_TAB_PARAMETERS, IDS_TAB_OPTIONS,
                        IDS_TAB_BULLETINS, IDS_TAB_IMAGES,     IDS_TAB_HELP};
    for (int i = 0; i < 6; ++i) m_toolkit.TabInsert(m_tabPages, i, LoadString(tabs[i]));

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
    } catch (const FileError&) {
        m_toolkit.MessageBox(LoadString(IDS_NO_ADDRESS));
        m_toolkit.ExitProcess(1);
    }

    // 16.-18.
    ExchangeData(ExchangeDirection::ToControls);
    UpdateZoneFromFields();
    UpdateCostEstimate();
    return true;
}

void CMarlockDlg::ExchangeData(ExchangeDirection direction) {
    const bool toControls = direction == ExchangeDirection::ToControls;
    auto radio = [&](std::int32_t& value, std::initializer_list<int> buttons) {
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
    radio(m_nMap, {1008, 1009, 1010});
    radio(m_nZoneMode, {1016, 1017});
    radio(m_nCompression, {1020, 1021, 1022, 1023});
    text(m_strDollarRate, 1034);
    radio(m_nLandData, {1018, 1019});
    radio(m_nSubscription, {1024, 1025, 1026, 1027});
    text(m_strDays, 1055);
    text(m_strHeading, 1085);
    text(m_strLat1, 1074);
    text(m_strLat2, 1080);
    text(m_strLon1, 1073);
    text(m_strLon2, 1079);
    text(m_strSpeed, 1086);
    if (toControls) {
        if (m_bAntimeridian < 0 || m_bAntimeridian > 2) m_bAntimeridian = 0;
        m_toolkit.SetCheck(1092, m_bAntimeridian);
    } else {
        m_bAntimeridian = m_toolkit.GetCheck(1092);
    }
    text(m_strColumn1Title, 1068);
    text(m_strColumn2Title, 1069);
    text(m_strPresentation, 1096);
    text(m_strWeatherCost, 1011);
    text(m_strTelecomCost, 1012);
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

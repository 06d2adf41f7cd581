// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinate, heading and speed fields, the antimeridian view and the change of map.
#include "app/CConfigFile.h"
#include "app/CMarlockDlg.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

using namespace zone;

namespace {

constexpr long kHeadingStep = 10;

long Bounded(long value, long low, long high) {
    return value > high ? high : value < low ? low : value;
}

}  // namespace

void CMarlockDlg::OnZoneFieldChanged(int) {
    UpdateZoneFromFields();
    RedrawMap();
    UpdateCostEstimate();
}

void CMarlockDlg::OnZoneFieldLeft(int fieldId) {
    ExchangeData(ExchangeDirection::FromControls);
    std::string* text = fieldId == IDC_LON1_EDIT   ? &m_strLon1
                        : fieldId == IDC_LAT1_EDIT ? &m_strLat1
                        : fieldId == IDC_LON2_EDIT ? &m_strLon2
                        : fieldId == IDC_LAT2_EDIT ? &m_strLat2
                                                   : nullptr;
    if (!text) return;
    const ZoneRect before = ZoneOfTexts(ZoneTextsOf(*this, m_nZoneMode));
    const Quantity quantity = fieldId == IDC_LON1_EDIT   ? Quantity::Longitude
                              : fieldId == IDC_LAT1_EDIT ? Quantity::Latitude
                              : fieldId == IDC_LON2_EDIT
                                  ? SecondColumn(m_nZoneMode, Quantity::Longitude)
                                  : SecondColumn(m_nZoneMode, Quantity::Latitude);
    // A decimal comma is what a French keyboard types.
    *text = NormalisedCoordinate(*text, quantity);
    ExchangeData(ExchangeDirection::ToControls);
    ValidateZoneFields();
    UpdateZoneFromFields();
    RedrawMap();
    // The clamp may have changed the zone: the estimate shown must be the zone's. A leave
    // that changed no number (60 written 60.0) has nothing new to estimate or warn about.
    if (ZoneOfTexts(ZoneTextsOf(*this, m_nZoneMode)) == before) return;
    UpdateCostEstimate();
}

void CMarlockDlg::ValidateZoneFields() {
    ExchangeData(ExchangeDirection::FromControls);
    const std::optional<ZoneTexts> clamped =
        ClampedToFrame(MapViewOf(*this), ZoneTextsOf(*this, m_nZoneMode));
    if (!clamped) return;
    SetZoneTexts(*this, *clamped);
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnHeadingSpin(int delta) {
    if (delta == 0) return;
    ExchangeData(ExchangeDirection::FromControls);
    long heading = ReadInteger(m_strHeading);
    // The up-down control sends the up arrow as a negative change.
    if (delta < 0)
        heading = heading < kMaxHeading ? heading + kHeadingStep : kHeadingStep;
    else
        heading = heading > kHeadingStep ? heading - kHeadingStep : kMaxHeading;
    m_strHeading = Format("%ld", heading);
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnSpeedSpin(int delta) {
    if (delta == 0) return;
    ExchangeData(ExchangeDirection::FromControls);
    long speed = ReadInteger(m_strSpeed);
    if (delta < 0 && speed < kMaxSpeed)
        ++speed;
    else if (delta > 0 && speed > 0)
        --speed;
    m_strSpeed = Format("%ld", speed);
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnHeadingLeft() {
    ExchangeData(ExchangeDirection::FromControls);
    m_strHeading = Format("%ld", Bounded(ReadInteger(m_strHeading), 0, kMaxHeading));
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnSpeedLeft() {
    ExchangeData(ExchangeDirection::FromControls);
    m_strSpeed = Format("%ld", Bounded(ReadInteger(m_strSpeed), 0, kMaxSpeed));
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnAntimeridian() {
    const std::int32_t previous = m_bAntimeridian;
    ExchangeData(ExchangeDirection::FromControls);
    try {
        CConfigFile config(StoragePath(LoadString(IDS_CONFIG_FILE_NAME)), false);
        config.SetValue("Antime", m_bAntimeridian == 1 ? "1" : "0");
        config.Close();
    } catch (const FileError& error) {
        // A setting that cannot be kept is not taken: the box and the map stay as they were.
        m_toolkit.MessageBox(
            Format(LoadString(IDS_ANTIMERIDIAN_NOT_SAVED).c_str(), error.Path().c_str()));
        m_bAntimeridian = previous;
        ExchangeData(ExchangeDirection::ToControls);
        return;
    }
    RedrawMap();
}

void CMarlockDlg::OnMapButton() {
    StoreChoices();
    SaveCatalogue();
    ExchangeData(ExchangeDirection::FromControls);
    SwitchMap();
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnZoneModeChanged() {
    ExchangeData(ExchangeDirection::FromControls);
    FollowZoneMode();
    UpdateCostEstimate();
}

void CMarlockDlg::FollowZoneMode() {
    // With no mode checked the texts keep the mode they are written in.
    if (m_nZoneMode != 0 && m_nZoneMode != 1) return;
    if (m_nZoneMode == m_nPrevZoneMode) return;
    const bool centred = m_nZoneMode == 0;
    m_strColumn1Title = LoadString(centred ? IDS_CENTRE_POSITION : IDS_UPPER_LEFT);
    m_strColumn2Title = LoadString(centred ? IDS_GRID_SIZE : IDS_LOWER_RIGHT);
    ConvertZoneFields(m_nPrevZoneMode, m_nZoneMode);
    m_nPrevZoneMode = m_nZoneMode;
    ExchangeData(ExchangeDirection::ToControls);
    UpdateZoneFromFields();
}

void CMarlockDlg::ShowZonePage() {
    for (platform::ControlHandle control : PageControls(*this, 0))
        m_toolkit.ShowControl(control, true);
    m_nCurrentPage = 0;

    ExchangeData(ExchangeDirection::FromControls);
    const bool centred = m_nZoneMode == 0;
    m_strColumn1Title = LoadString(centred ? IDS_CENTRE_POSITION : IDS_UPPER_LEFT);
    m_strColumn2Title = LoadString(centred ? IDS_GRID_SIZE : IDS_LOWER_RIGHT);
    ExchangeData(ExchangeDirection::ToControls);
    // The texts follow a change of mode made on the options page only now.
    ConvertZoneFields(m_nPrevZoneMode, m_nZoneMode);
    ExchangeData(ExchangeDirection::ToControls);
    m_nPrevZoneMode = m_nZoneMode;
    m_toolkit.ShowControl(m_chkAntimeridian, GetMapName() == LoadString(IDS_MAP_WORLD));
}

void CMarlockDlg::SwitchMap() {
    // A selection in progress belongs to the map being left.
    AbandonDrag();
    m_fZoneWest = m_fZoneEast = m_fZoneNorth = m_fZoneSouth = 0.0f;
    m_fDragX0 = m_fDragX1 = m_fDragY0 = m_fDragY1 = 0.0f;
    ReleaseCatalogue();
    LoadCatalogue();
    HideAllPages();
    m_toolkit.TabSelect(m_tabPages, 0);
    ShowZonePage();
    ExchangeData(ExchangeDirection::ToControls);
    UpdateZoneFromFields();
    RedrawMap();
    UpdateCostEstimate();
}

}  // namespace wavepost

// The coordinate, heading and speed fields, the antimeridian view and the change of map.
#include "app/CConfigFile.h"
#include "app/CMarlockDlg.h"
#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "zone/ZoneGeometry.h"

namespace wavepost {

using namespace zone;

namespace {

constexpr long kMaxHeading = 360;
constexpr long kHeadingStep = 10;
constexpr long kMaxSpeed = 50;

std::string CoordinateText(float value) {
    return FormatFixed(static_cast<double>(value), 1);
}

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
    // A decimal comma is what a French keyboard types.
    *text = FormatFixed(ReadNumber(Replace(*text, ',', '.')), 1);
    ExchangeData(ExchangeDirection::ToControls);
    ValidateZoneFields();
    UpdateZoneFromFields();
    RedrawMap();
    // The clamp may have changed the zone: the estimate shown must be the zone's.
    UpdateCostEstimate();
}

void CMarlockDlg::ValidateZoneFields() {
    ExchangeData(ExchangeDirection::FromControls);
    const bool world = IsWorldMap(m_nMap);
    const DomainFrame frame = FindDomainRow(MapNameOf(m_nMap));
    // Clamping into an undefined frame would throw the user's zone away.
    if (!IsUsable(frame)) return;
    const float shift = world ? 180.0f : 0.0f;  // the world row is in shifted longitudes
    const float west = frame.left - shift;
    const float east = frame.right - shift;
    const float north = frame.top;
    const float south = frame.bottom;
    if (world && m_bAntimeridian == 1) return;

    float lon1 = ToFloat(ReadNumber(m_strLon1));
    float lat1 = ToFloat(ReadNumber(m_strLat1));
    float lon2 = ToFloat(ReadNumber(m_strLon2));
    float lat2 = ToFloat(ReadNumber(m_strLat2));

    if (m_nZoneMode != 0) {
        // Each corner is held inside on its own; crossed corners stay crossed.
        auto hold = [](std::string& text, float value, float low, float high) {
            float held = value;
            if (value > high) held = high;
            if (value < low) held = low;
            if (held != value) text = CoordinateText(held);
        };
        hold(m_strLon1, lon1, west, east);
        hold(m_strLon2, lon2, west, east);
        hold(m_strLat1, lat1, south, north);
        hold(m_strLat2, lat2, south, north);
    } else {
        if (lon1 > east) {
            lon1 = east;
            m_strLon1 = CoordinateText(lon1);
        }
        if (lon1 < west) {
            lon1 = west;
            m_strLon1 = CoordinateText(lon1);
        }
        if (lon1 - lon2 / 2.0f < west) {
            lon2 = (lon1 - west) * 2.0f;
            m_strLon2 = CoordinateText(lon2);
        }
        if (lon1 + lon2 / 2.0f > east) m_strLon2 = CoordinateText((east - lon1) * 2.0f);
        if (lat1 > north) {
            lat1 = north;
            m_strLat1 = CoordinateText(lat1);
        }
        if (lat1 < south) {
            lat1 = south;
            m_strLat1 = CoordinateText(lat1);
        }
        if (lat1 + lat2 / 2.0f > north) {
            lat2 = (north - lat1) * 2.0f;
            m_strLat2 = CoordinateText(lat2);
        }
        if (lat1 - lat2 / 2.0f < south) m_strLat2 = CoordinateText((lat1 - south) * 2.0f);
    }
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
        CConfigFile config(LoadString(IDS_CONFIG_FILE_NAME), false);
        config.SetValue("Antime", m_bAntimeridian == 1 ? "1" : "0");
        config.Close();
    } catch (const platform::FileError& error) {
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

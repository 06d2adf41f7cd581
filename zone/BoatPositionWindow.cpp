// SPDX-License-Identifier: GPL-3.0-or-later
// The boat's position on the zone page: "Position du bateau", the state line beside it and
// the mark on the map.
#include "app/CMarlockDlg.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/UtcTime.h"
#include "zone/BoatPosition.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

using namespace zone;

namespace {

// Magenta in a black border: unlike the red zone, the graticule and the map's colours.
constexpr platform::Color kMarkColor{255, 0, 255};
constexpr platform::Color kMarkBorder{0, 0, 0};
constexpr int kMarkHalf = 4;

double SecondsNow() {
    return static_cast<double>(UtcNow().time_since_epoch().count());
}

// "19:55:02", the fix's time of day in UTC.
std::string TimeOfDay(std::int64_t seconds) {
    return FormatIsoUtc(UtcTime{std::chrono::seconds{seconds}}).substr(11, 8);
}

std::string StateText(const BoatFix& fix, const GpsdAddress& gpsd) {
    switch (fix.state) {
        case BoatState::NotWatched:
            return {};
        case BoatState::Connecting:
            return Format(LoadString(IDS_BOAT_CONNECTING).c_str(), gpsd.host.c_str(), gpsd.port);
        case BoatState::Unreachable:
            return Format(LoadString(IDS_BOAT_UNREACHABLE).c_str(), gpsd.host.c_str(), gpsd.port);
        case BoatState::NoFix:
            return LoadString(IDS_BOAT_NO_FIX);
        case BoatState::Stale:
            return Format(LoadString(IDS_BOAT_STALE).c_str(), TimeOfDay(fix.time).c_str());
        case BoatState::BadTime:
            return LoadString(IDS_BOAT_BAD_TIME);
        case BoatState::BadPosition:
            return LoadString(IDS_BOAT_BAD_POSITION);
        case BoatState::Usable:
            return Format(LoadString(IDS_BOAT_FIX).c_str(), TimeOfDay(fix.time).c_str(),
                          fix.threeD ? "3D" : "2D");
    }
    return {};
}

}  // namespace

void CMarlockDlg::WatchBoatPosition() {
    m_gpsd = GpsdAddressOf(LoadSettings(m_toolkit.SettingsDirectory()));
    m_toolkit.WatchPosition(m_gpsd.host, m_gpsd.port);
    OnPositionChanged();
}

void CMarlockDlg::OnPositionChanged() {
    // Only the state line and the mark: the fields may be in the middle of an entry.
    const BoatFix fix = ReadBoatFix(m_toolkit.LatestPosition(), SecondsNow());
    const std::string state = StateText(fix, m_gpsd);
    if (state != m_strBoatState) {
        m_strBoatState = state;
        m_toolkit.SetControlText(IDC_BOAT_STATE_LABEL, state);
    }
    std::optional<BoatFix> mark;
    if (fix.state == BoatState::Usable) mark = fix;
    const bool moved = !mark != !m_boatMark || (mark && (mark->latitude != m_boatMark->latitude ||
                                                         mark->longitude != m_boatMark->longitude));
    m_boatMark = mark;
    if (moved && m_nCurrentPage == 0) RedrawMap();
}

void CMarlockDlg::OnBoatPosition() {
    OnPositionChanged();
    const BoatFix fix = ReadBoatFix(m_toolkit.LatestPosition(), SecondsNow());
    if (fix.state != BoatState::Usable) {
        m_toolkit.MessageBox(StateText(fix, m_gpsd));
        return;
    }
    ExchangeData(ExchangeDirection::FromControls);
    const MapView view = MapViewOf(*this);
    if (!MapShows(view, fix.latitude, fix.longitude)) {
        m_toolkit.MessageBox(
            Format(LoadString(IDS_BOAT_OUTSIDE_MAP).c_str(), GetMapName().c_str()));
        return;
    }
    const std::optional<ZoneTexts> texts =
        ZoneAtBoat(view, ZoneTextsOf(*this, m_nZoneMode), fix.latitude, fix.longitude);
    if (!texts) return;
    // As the sailor typing these numbers and leaving the fields: held in the map's frame,
    // then the zone, the map and the estimate follow.
    SetZoneTexts(*this, *texts);
    if (fix.heading) m_strHeading = Format("%ld", *fix.heading);
    if (fix.knots) m_strSpeed = Format("%ld", *fix.knots);
    ExchangeData(ExchangeDirection::ToControls);
    ValidateZoneFields();
    UpdateZoneFromFields();
    RedrawMap();
    UpdateCostEstimate();
}

// Draws from the fix already held: painting reads no report. A fix that has grown old since
// (the daemon silent) is no longer where the boat is.
void CMarlockDlg::DrawBoatMark(platform::IPainter& painter) {
    if (!m_boatMark || SecondsNow() - static_cast<double>(m_boatMark->time) > kFixMaxAgeSeconds)
        return;
    const std::optional<std::pair<int, int>> pixel =
        BoatPixel(MapViewOf(*this), m_boatMark->latitude, m_boatMark->longitude);
    if (!pixel) return;
    const auto [x, y] = *pixel;
    painter.FillRect({x - kMarkHalf, y - kMarkHalf, x + kMarkHalf + 1, y + kMarkHalf + 1},
                     kMarkBorder);
    painter.FillRect({x - kMarkHalf + 1, y - kMarkHalf + 1, x + kMarkHalf, y + kMarkHalf},
                     kMarkColor);
}

}  // namespace wavepost

// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the window: the page switch, the cost labels, the map, graticule and zone.
#include "app/CMarlockDlg.h"
#include "app/layout/Layout.h"
#include "app/layout/StringTable.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

using namespace zone;
using platform::ControlHandle;
using platform::Rect;

namespace {

constexpr platform::Color kRed{255, 0, 0};
constexpr platform::Pen kGraticulePen{1, {0, 0, 0}};
// The window icon is drawn at the large-icon size.
constexpr int kIconSize = 32;

void DrawGraticule(platform::IPainter& painter, const DomainFrame& frame, const Rect& area) {
    const Graticule lines = GraticuleLines(frame, area);
    for (int x : lines.meridians) painter.DrawLine(x, area.top, x, area.bottom, kGraticulePen);
    for (int y : lines.parallels) painter.DrawLine(area.left, y, area.right, y, kGraticulePen);
}

}  // namespace

namespace zone {

std::vector<ControlHandle> PageControls(const CMarlockDlg& d, int page) {
    std::vector<ControlHandle> all;
    // push_back rather than a range insert, which GCC 12 at -O3 wrongly warns about.
    auto add = [&all](std::initializer_list<ControlHandle> controls) {
        for (ControlHandle control : controls) all.push_back(control);
    };
    auto addAll = [&all](const auto& controls) {
        for (ControlHandle control : controls) all.push_back(control);
    };
    switch (page) {
        case 0:
            addAll(d.m_grpZonePage);
            addAll(d.m_lblZoneTitles);
            addAll(d.m_lblZonePage);
            add({d.m_spinHeading, d.m_spinSpeed, d.m_editHeading, d.m_editSpeed, d.m_editLon1,
                 d.m_editLat1, d.m_editLon2, d.m_editLat2, IDC_BOAT_POSITION_BUTTON,
                 IDC_BOAT_STATE_LABEL});
            break;
        case 1:
            add({d.m_pListEcheances, d.m_pCaptionEcheances, d.m_pListParametres,
                 d.m_pCaptionParametres});
            addAll(d.m_ctlMeshArea);
            add({d.m_comboMeshLon, d.m_comboMeshLat, d.m_btnDefaultParams});
            break;
        case 2:
            addAll(d.m_radioSubscription);
            addAll(d.m_lblOptionsPage);
            addAll(d.m_lblCurrency);
            addAll(d.m_grpOptionsPage);
            add({d.m_comboTelecom});
            addAll(d.m_radioLandData);
            add({d.m_editDollarRate});
            addAll(d.m_radioCompression);
            add({d.m_comboCurrency});
            addAll(d.m_radioZoneMode);
            add({d.m_editDays, d.m_btnDefaultOptions});
            break;
        case 3:
            add({d.m_pListBulletins, d.m_pCaptionBulletins});
            break;
        case 4:
            add({d.m_pListImages, d.m_pCaptionImages});
            break;
        case kOrderPage:
            add({IDC_ORDER_TITLE, IDC_ORDER_KIND_LABEL, IDC_ORDER_SIZE_LABEL, IDC_ORDER_TEXT_EDIT,
                 IDC_ORDER_COPY_BUTTON, IDC_ORDER_SAVE_BUTTON, IDC_HANDOVER_LABEL,
                 IDC_HANDOVER_COMBO, IDC_OUTBOX_BUTTON, IDC_HISTORY_EDIT, IDC_WITHDRAW_BUTTON,
                 IDC_SERVICE_LABEL, IDC_SERVICE_COMBO, IDC_ADDRESSES_BUTTON, IDC_RESEND_BUTTON,
                 IDC_FAVOURITES_BUTTON});
            break;
        case kHelpPage:
            add({d.m_editPresentation, d.m_pCaptionPresentation, d.m_btnQuestion, d.m_btnHelp,
                 d.m_grpHelp});
            break;
        default:
            break;
    }
    // Unbound members are 0, page controls not created are kNoControl.
    std::erase_if(all, [](ControlHandle control) { return control <= 0; });
    return all;
}

}  // namespace zone

// Draws from the window's state alone: it reads no control and changes nothing, since it
// runs inside the platform's paint cycle (the page switch is OnTabChanged's).
void CMarlockDlg::PaintWindow(platform::IPainter& painter) {
    if (m_toolkit.IsWindowMinimised()) {
        const Rect client = m_toolkit.GetClientRect();
        painter.DrawIcon((client.Width() - kIconSize + 1) / 2,
                         (client.Height() - kIconSize + 1) / 2);
        return;
    }

    // The cost panel in the desktop's colours; the map below keeps its own.
    const platform::Color paper = painter.PanelColor();
    painter.FillRect(m_toolkit.GetControlRect(m_grpCost), paper);
    painter.DrawText(m_toolkit.GetControlRect(m_lblWeatherCost), LoadString(IDS_WEATHER_COST),
                     m_pCaptionFont, paper);
    painter.DrawText(m_toolkit.GetControlRect(m_lblTelecomCost), LoadString(IDS_TELECOM_COST),
                     m_pCaptionFont, paper);

    if (m_nCurrentPage != 0) return;
    const MapView view = MapViewOf(*this);
    const DomainFrame frame = InShiftedLongitudes(view.frame);
    const Rect& area = view.area;
    const bool antimeridian = view.world && view.antimeridian;
    painter.DrawPicture(MapPicture(m_nMap, antimeridian, painter.ColorDepth()), area);
    // The map is still shown when its frame is undefined, only without lines or zone.
    if (!IsUsable(frame) || !IsUsable(area)) return;
    DrawGraticule(painter, frame, area);
    if (m_fZoneEast - m_fZoneWest != 0.0f && m_fZoneSouth - m_fZoneNorth != 0.0f)
        DrawZoneRect(painter, kRed);
    DrawBoatMark(painter);
}

void CMarlockDlg::OnTabChanged() {
    AbandonDrag();
    SwitchToSelectedPage();
    m_toolkit.RedrawRect(m_toolkit.GetClientRect());
}

void CMarlockDlg::SwitchToSelectedPage() {
    ExchangeData(ExchangeDirection::FromControls);
    const int selected = m_toolkit.TabGetSelection(m_tabPages);
    if (selected == m_nCurrentPage) return;
    HideAllPages();
    ShowPage(selected);
    if (selected == 0) UpdateZoneFromFields();
    m_nCurrentPage = selected;
}

void CMarlockDlg::HideAllPages() {
    for (int page = 0; page < kPageCount; ++page)
        for (ControlHandle control : PageControls(*this, page))
            m_toolkit.ShowControl(control, false);
    for (ControlHandle control : {m_chkAntimeridian, m_pCaptionZone})
        if (control > 0) m_toolkit.ShowControl(control, false);
}

void CMarlockDlg::ShowPage(int page) {
    if (page == 0) {
        ShowZonePage();
        return;
    }
    for (ControlHandle control : PageControls(*this, page)) m_toolkit.ShowControl(control, true);
    m_nCurrentPage = page;
}

void CMarlockDlg::RedrawMap() {
    m_toolkit.RedrawRect(GetMapArea());
}

void CMarlockDlg::DrawZoneRect(platform::IPainter& painter, platform::Color color) {
    const zone::ZoneRect zone{m_fZoneWest, m_fZoneEast, m_fZoneNorth, m_fZoneSouth};
    for (const platform::Rect& piece : zone::ZonePieces(MapViewOf(*this), zone))
        painter.DrawRectOutline(piece.left, piece.top, piece.right, piece.bottom, {2, color});
}

}  // namespace wavepost

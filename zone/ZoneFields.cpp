// The coordinate, heading and speed fields, the antimeridian view and the change of map.
#include "app/CMarlockDlg.h"

namespace wavepost {

void CMarlockDlg::OnZoneFieldChanged(int) {}
void CMarlockDlg::OnZoneFieldLeft(int) {}
void CMarlockDlg::ValidateZoneFields() {}
void CMarlockDlg::OnHeadingSpin(int) {}
void CMarlockDlg::OnSpeedSpin(int) {}
void CMarlockDlg::OnHeadingLeft() {}
void CMarlockDlg::OnSpeedLeft() {}
void CMarlockDlg::OnAntimeridian() {}
void CMarlockDlg::OnMapButton() {}
void CMarlockDlg::ShowZonePage() {}
void CMarlockDlg::SwitchMap() {
    m_fZoneWest = m_fZoneEast = m_fZoneNorth = m_fZoneSouth = 0.0f;
    m_fDragX0 = m_fDragX1 = m_fDragY0 = m_fDragY1 = 0.0f;
    ReleaseCatalogue();
    LoadCatalogue();
    HideAllPages();
    m_toolkit.TabSelect(m_tabPages, 0);
    ShowPage(0);
    ExchangeData(ExchangeDirection::ToControls);
    UpdateZoneFromFields();
    RedrawMap();
    UpdateCostEstimate();
}

}  // namespace wavepost

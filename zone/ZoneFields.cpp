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
void CMarlockDlg::SwitchMap() {}

}  // namespace wavepost

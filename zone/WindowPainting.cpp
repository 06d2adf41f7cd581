// Painting the window: the page switch, the cost labels, the map, graticule and zone.
#include "app/CMarlockDlg.h"

namespace wavepost {

void CMarlockDlg::PaintWindow(platform::IPainter&) {}
void CMarlockDlg::OnTabChanged() {}
void CMarlockDlg::HideAllPages() {}
void CMarlockDlg::ShowPage(int) {}
void CMarlockDlg::RedrawMap() {}
void CMarlockDlg::DrawZoneRect(platform::IPainter&, platform::Color) {}

}  // namespace wavepost

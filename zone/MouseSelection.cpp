// Marking the zone on the map with the mouse.
#include "app/CMarlockDlg.h"

namespace wavepost {

void CMarlockDlg::OnLButtonDown(int, int) {}
void CMarlockDlg::OnMouseMove(int, int) {}
void CMarlockDlg::OnLButtonUp(int, int) {}
void CMarlockDlg::DrawRubberBand(int, int, int, int) {}
void CMarlockDlg::WriteSelectionTexts(float, float, float, float, LongitudeForm) {}

}  // namespace wavepost

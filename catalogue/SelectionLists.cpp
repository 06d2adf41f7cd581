// The user's choices between controls, tables and files; the map list; the defaults.
#include "app/CMarlockDlg.h"

namespace wavepost {

void CMarlockDlg::StoreChoices() {}
void CMarlockDlg::SaveCatalogue() {}
void CMarlockDlg::OnMapListClick() {}
void CMarlockDlg::OnMapListKeyDown(int) {}
void CMarlockDlg::OnMapListOther() {}
void CMarlockDlg::OnDefaultOptions() {}
void CMarlockDlg::OnDefaultParams() {}

}  // namespace wavepost

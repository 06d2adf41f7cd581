// Handing the orders, the question mail and the help page to the desktop.
#include "app/CMarlockDlg.h"

namespace wavepost {

void CMarlockDlg::OnSend() {}
void CMarlockDlg::OnAskQuestion() {}
void CMarlockDlg::OnHelp() {}

}  // namespace wavepost

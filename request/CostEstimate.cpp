// The weather and telecom cost estimate and the point-count warnings.
#include "app/CMarlockDlg.h"

namespace wavepost {

void CMarlockDlg::UpdateCostEstimate() {}
std::int32_t CMarlockDlg::CountAnalysisOnlyParameters() { return 0; }
void CMarlockDlg::OnCostInputChanged() {}
void CMarlockDlg::OnDollarRateKillFocus() {}

}  // namespace wavepost

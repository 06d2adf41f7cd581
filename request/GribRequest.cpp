// The request text for gridded weather data.
#include "app/CMarlockDlg.h"

namespace wavepost {

std::string CMarlockDlg::BuildGribRequest() { return {}; }

}  // namespace wavepost

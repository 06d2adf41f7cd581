// Copies of the sent orders and the error log.
#include "app/CMarlockDlg.h"

namespace wavepost {

bool CMarlockDlg::WriteRequestCopy(std::string, std::string) { return false; }

}  // namespace wavepost

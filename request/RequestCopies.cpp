// Copies of the sent orders and the error log.
#include <fstream>

#include "app/CMarlockDlg.h"
#include "app/FileAccess.h"

namespace wavepost {

bool CMarlockDlg::WriteRequestCopy(std::string content, std::string fileName) {
    const std::string directory = m_toolkit.SystemDirectory();
    if (directory.empty()) return false;
    try {
        // Replaced whole, so a failed write leaves the previous copy rather than half of one.
        WriteFileAtomically(directory + "/" + fileName, content);
        return true;
    } catch (const platform::FileError&) {
        // The send goes on regardless; the log only keeps the last failure.
        std::ofstream log(directory + "/wavepost_error.log", std::ios::out | std::ios::trunc);
        log << "Unable to open file for writing" << std::endl;
        return false;
    }
}

}  // namespace wavepost

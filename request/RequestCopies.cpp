#include "request/RequestCopies.h"

#include "base/FileAccess.h"

namespace wavepost {

bool WriteRequestCopyFile(const std::string& directory, const std::string& fileName,
                          const std::string& content) {
    try {
        // Replaced whole, so a failed write leaves the previous copy rather than half of one.
        WriteFileAtomically(directory + "/" + fileName, content);
        return true;
    } catch (const FileError&) {
        // The send goes on regardless; the log only keeps the last failure.
        try {
            WriteFileAtomically(directory + "/wavepost_error.log",
                                "Unable to open file for writing\n");
        } catch (const FileError&) {
        }
        return false;
    }
}

}  // namespace wavepost

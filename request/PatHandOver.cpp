#include "request/PatHandOver.h"

#include <regex>

#include "app/NumberText.h"
#include "app/layout/StringTable.h"

namespace wavepost {

std::string HandOverProgressText(const std::string& destination, const OutgoingMail& mail) {
    return Format(LoadString(IDS_PROGRESS_HANDOVER).c_str(), destination.c_str(),
                  mail.subject.c_str(), mail.address.c_str());
}

platform::ProgramRun HandToPat(platform::IToolkit& toolkit, const std::string& patPath,
                               const OutgoingMail& mail) {
    if (mail.address.empty() || mail.address.front() == '-')
        return {false, false, -1, LoadString(IDS_PAT_BAD_ADDRESS), false, {}};
    return toolkit.RunProgram({patPath, "compose", "-s", mail.subject, mail.address}, mail.body,
                              HandOverProgressText(LoadString(IDS_TO_PAT), mail));
}

bool PatTookIt(const platform::ProgramRun& run) {
    return run.Succeeded();
}

std::string PatFailureMessage(const platform::ProgramRun& run, const OutgoingMail& mail) {
    std::string what;
    if (!run.started)
        what = Format(LoadString(IDS_PAT_NOT_STARTED).c_str(), run.errorText.c_str());
    else if (run.cancelled)
        what = Format(LoadString(IDS_HANDOVER_CANCELLED).c_str(), LoadString(IDS_TO_PAT).c_str());
    else if (run.timedOut)
        what = Format(LoadString(IDS_PAT_TIMED_OUT).c_str(), run.errorText.c_str());
    else
        what = Format(LoadString(IDS_PAT_FAILED).c_str(), run.exitStatus, run.errorText.c_str());
    return what +
           Format(LoadString(IDS_ORDER_IN_CLIPBOARD).c_str(), mail.address.c_str(),
                  mail.subject.c_str()) +
           LoadString(IDS_NOT_IN_HISTORY);
}

std::optional<std::string> PatVersionProblem(const platform::ProgramRun& versionRun) {
    // "Pat v0.16.0 (0b1c2d3) linux/amd64 - go1.19.8"
    static const std::regex kVersion(R"((^|\s)v?(\d+)\.(\d+)\.(\d+))");
    std::smatch match;
    if (!versionRun.Succeeded() || !std::regex_search(versionRun.standardOutput, match, kVersion))
        return Format(LoadString(IDS_PAT_VERSION_UNKNOWN).c_str(),
                      (versionRun.standardOutput + versionRun.errorText).c_str());
    const long major = ReadInteger(match[2].str()), minor = ReadInteger(match[3].str());
    const bool reads = major > 0 || (minor >= 13 && minor != 17);
    if (reads) return std::nullopt;
    const std::string version = match[0].str().substr(match[1].length());
    return Format(LoadString(IDS_PAT_VERSION_REFUSED).c_str(), version.c_str());
}

}  // namespace wavepost

#include "request/PatHandOver.h"

#include "app/NumberText.h"
#include "app/layout/StringTable.h"

namespace wavepost {

platform::ProgramRun HandToPat(platform::IToolkit& toolkit, const std::string& patPath,
                               const OutgoingMail& mail) {
    if (mail.address.empty() || mail.address.front() == '-')
        return {false, false, -1, LoadString(IDS_PAT_BAD_ADDRESS)};
    return toolkit.RunProgram({patPath, "compose", "-s", mail.subject, mail.address}, mail.body);
}

bool PatTookIt(const platform::ProgramRun& run) {
    return run.started && !run.timedOut && run.exitStatus == 0;
}

std::string PatFailureMessage(const platform::ProgramRun& run, const OutgoingMail& mail) {
    std::string what;
    if (!run.started)
        what = Format(LoadString(IDS_PAT_NOT_STARTED).c_str(), run.errorText.c_str());
    else if (run.timedOut)
        what = Format(LoadString(IDS_PAT_TIMED_OUT).c_str(), run.errorText.c_str());
    else
        what = Format(LoadString(IDS_PAT_FAILED).c_str(), run.exitStatus, run.errorText.c_str());
    return what + Format(LoadString(IDS_ORDER_IN_CLIPBOARD).c_str(), mail.address.c_str(),
                         mail.subject.c_str());
}

}  // namespace wavepost

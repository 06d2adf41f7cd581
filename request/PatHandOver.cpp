#include "request/PatHandOver.h"

#include <cctype>
#include <sstream>

#include "app/layout/StringTable.h"
#include "base/NumberText.h"

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

namespace {

// "v0.16.0" or "0.16.0" at the start of a word: the text matched and its three numbers.
struct PatVersion {
    std::string text;
    long major = 0, minor = 0;
};

std::optional<PatVersion> FindVersion(const std::string& output) {
    std::istringstream words(output);
    std::string word;
    while (words >> word) {
        std::size_t at = word.front() == 'v' ? 1 : 0;
        long numbers[3] = {};
        bool whole = true;
        for (int n = 0; n < 3 && whole; ++n) {
            if (n > 0 && (at >= word.size() || word[at++] != '.')) whole = false;
            const std::size_t digits = at;
            while (at < word.size() && std::isdigit(static_cast<unsigned char>(word[at]))) ++at;
            if (at == digits)
                whole = false;
            else
                numbers[n] = ReadInteger(word.substr(digits, at - digits));
        }
        if (whole) return PatVersion{word.substr(0, at), numbers[0], numbers[1]};
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PatVersionProblem(const platform::ProgramRun& versionRun) {
    // "Pat v0.16.0 (0b1c2d3) linux/amd64 - go1.19.8"
    const std::optional<PatVersion> version =
        versionRun.Succeeded() ? FindVersion(versionRun.standardOutput) : std::nullopt;
    if (!version)
        return Format(LoadString(IDS_PAT_VERSION_UNKNOWN).c_str(),
                      (versionRun.standardOutput + versionRun.errorText).c_str());
    const bool reads = version->major > 0 || (version->minor >= 13 && version->minor != 17);
    if (reads) return std::nullopt;
    return Format(LoadString(IDS_PAT_VERSION_REFUSED).c_str(), version->text.c_str());
}

}  // namespace wavepost

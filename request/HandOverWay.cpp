#include "request/HandOverWay.h"

namespace wavepost {

HandOverWay ChooseHandOver(const ProgramSettings& settings, const std::string& patPath) {
    switch (settings.method) {
        case HandOverMethod::Pat:
            if (!patPath.empty()) return {HandOverMethod::Pat, patPath, {}};
            break;
        case HandOverMethod::File:
            if (!settings.outboxFolder.empty())
                return {HandOverMethod::File, {}, settings.outboxFolder};
            break;
        case HandOverMethod::Mail:
            break;
    }
    return {};
}

}  // namespace wavepost

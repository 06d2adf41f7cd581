// Orders for Saildocs, the free GRIB service that answers mail: its rules as a table of
// its own ("ini/saildocs.txt"), and the order built from the window's choices. The
// service's documentation and how each rule follows from it: docs/saildocs.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/ProgramSettings.h"
#include "catalogue/CatalogueFiles.h"
#include "request/RequestText.h"

namespace wavepost {

class CIniTable;

inline constexpr const char* kSaildocsTable = catalogue::kSaildocs;

// The service "Envoi" orders from, kept in the program's settings as "service=saildocs"
// ("service=catalogue", or no key, for the catalogue's own service).
bool ChoosesSaildocs(const ProgramSettings& settings);
void ChooseSaildocs(ProgramSettings& settings, bool saildocs);

// What the service offers and how it reads a request, from its table.
struct SaildocsService {
    std::string address;                // where requests go
    std::string model;                  // the model code before ':' ("gfs")
    int stepHours = 0;                  // the steps offered are multiples of this...
    int lastHour = 0;                   // ...up to this hour
    std::vector<std::string> spacings;  // the grid spacings offered, in degrees, as written
    struct Parameter {
        std::string catalogueCode;  // the code of the catalogue's parameter list
        std::string code;           // the service's code for it
        int fields = 1;             // GRIB messages per step (2 for the wind's u and v)
    };
    std::vector<Parameter> parameters;
    std::string subscriptionTime;  // "time=" of subscriptions (UTC); none when empty
    std::size_t lineLimit = 0;     // longer lines continue after a final '='; 0: no limit
};

// The service as the table describes it: rows of kind (column 1), catalogue code (2),
// value (3) and, for parameters, the messages per step (4). None when the table lacks the
// address or the model.
std::optional<SaildocsService> ReadSaildocsService(CIniTable& table);

struct SaildocsOrder {
    // The mail's body, line by line, as the service reads it; empty when refused.
    std::vector<std::string> lines;
    // Why there is no order, for the user; empty when there is one.
    std::string refusal;
    // The reply's grid: points of one field, and GRIB messages in all.
    std::int64_t points = 0, fields = 0;
};

// The order for the choices: "send", "sub" with "days=" and "time=", or "cancel all";
// the zone in whole degrees (widened to take in the zone chosen), hemispheres written
// N/S/E/W, an antimeridian zone from its western edge east ("170E,170W"); spacing latitude
// first; the steps with "a,b..c" where a range is shorter; the parameters under the
// service's codes. A choice the service does not offer refuses the order, naming it.
SaildocsOrder BuildSaildocsOrder(const RequestChoices& choices, const SaildocsService& service);

// "0,6..24" for 0 6 12 18 24: runs of three or more equal gaps written as a range where
// that is shorter. The steps in ascending order.
std::string SaildocsTimeList(const std::vector<long>& hours);

}  // namespace wavepost

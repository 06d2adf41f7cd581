// SPDX-License-Identifier: GPL-3.0-or-later
// The request text for gridded weather data, from the choices as plain values: the order's
// rules, apart from the window that gathers the choices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavepost {

struct RequestChoices {
    std::int32_t subscription = -1;  // 0 single, 1 for N days, 2 permanent, 3 cancel all
    std::string days;
    std::int32_t zoneMode = -1;  // 0 centred: centre and size; else two corners
    std::string lon1, lat1, lon2, lat2;
    std::optional<std::string> lonMesh, latMesh;  // the spacings chosen; none when not
    std::string heading, speed;
    std::string map;
    // The codes of the ticked parameters and forecast steps of the map, as the catalogue
    // holds them (quotes removed), in file order.
    std::vector<std::string> parameters, steps;
    std::int32_t compression = -1;        // 0 none, 1 zip, 2 gzip, else bzip2
    std::int32_t landData = -1;           // 0: data over land too
    std::optional<std::string> software;  // the software identifier, when there is one
};

// The order's lines between its markers, joined with "%0A" and ready for a mailto: URL
// (texts from files escaped, blanks as "%20"); the empty text when the choices make no
// order (no zone, no parameter or step ticked, a speed that is not a number); the
// no-spacing sentence when no spacing is chosen; a sentence for the user instead of an
// order when no kind of order is chosen or the day count is not a positive number.
// Cancelling all subscriptions needs no other choice.
std::string BuildRequestText(const RequestChoices& choices);

}  // namespace wavepost

// The Saildocs request's rules.
#include "request/SaildocsOrder.h"

#include <algorithm>
#include <cmath>

#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "catalogue/CIniTable.h"

namespace wavepost {

namespace {

// Typed positions far beyond any map: not a zone to order.
constexpr double kMaxDegrees = 1e6;

SaildocsOrder Refused(std::string why) {
    SaildocsOrder order;
    order.refusal = std::move(why);
    return order;
}

// The zone's edges in degrees: west in [-180, 180), east - west in (0, 360].
struct Edges {
    double south = 0, north = 0, west = 0, east = 0;
};

std::optional<Edges> ZoneEdges(const RequestChoices& c) {
    const double a = ReadNumber(c.lon1), b = ReadNumber(c.lat1);
    const double x = ReadNumber(c.lon2), y = ReadNumber(c.lat2);
    for (const double v : {a, b, x, y})
        if (!std::isfinite(v) || std::fabs(v) > kMaxDegrees) return std::nullopt;
    Edges e;
    if (c.zoneMode == 0) {
        // Centre, width, height.
        e.west = a - std::fabs(x) / 2, e.east = a + std::fabs(x) / 2;
        e.south = b - std::fabs(y) / 2, e.north = b + std::fabs(y) / 2;
    } else {
        // Upper-left and lower-right corners; a lower-right corner west of the upper-left
        // one lies beyond the antimeridian.
        e.west = a, e.north = b, e.east = x, e.south = y;
        if (e.north < e.south) std::swap(e.north, e.south);
        if (e.east < e.west) e.east += 360 * std::ceil((e.west - e.east) / 360);
    }
    if (e.east == e.west || e.north == e.south) return std::nullopt;
    const double shift = 360 * std::floor((e.west + 180) / 360);
    e.west -= shift, e.east -= shift;
    // Whole degrees that take in the whole zone.
    e.south = std::floor(std::max(e.south, -90.0));
    e.north = std::ceil(std::min(e.north, 90.0));
    e.west = std::floor(e.west);
    e.east = std::min(std::ceil(e.east), e.west + 360);
    if (e.north <= e.south) return std::nullopt;
    return e;
}

std::string LatitudeText(double value) {
    return Format("%ld%c", std::lround(std::fabs(value)), value < 0 ? 'S' : 'N');
}

// The western edge is written in [-180, 180), the eastern one in (-180, 180].
std::string LongitudeText(double value, bool eastern) {
    while (eastern ? value > 180 : value >= 180) value -= 360;
    while (eastern ? value <= -180 : value < -180) value += 360;
    return Format("%ld%c", std::lround(std::fabs(value)), value < 0 ? 'W' : 'E');
}

// The offered spacing equal to the one chosen, as the table writes it.
const std::string* OfferedSpacing(const SaildocsService& service, const std::string& chosen) {
    const double value = ReadNumber(chosen);
    for (const std::string& offered : service.spacings) {
        const double spacing = ReadNumber(offered);
        if (spacing > 0 && std::fabs(spacing - value) < 1e-9) return &offered;
    }
    return nullptr;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
    return text;
}

// A line longer than the limit goes on after a final '=' on the next line, cut after a
// ',' or '|' so that no code or number is split.
std::vector<std::string> Continued(const std::string& line, std::size_t limit) {
    if (limit < 3 || line.size() <= limit) return {line};
    std::vector<std::string> lines;
    std::string rest = line;
    while (rest.size() > limit) {
        const std::size_t room = limit - 1;  // the '=' takes the last column
        const std::size_t separator = rest.find_last_of(",|", room - 1);
        const std::size_t keep = separator == std::string::npos ? room : separator + 1;
        lines.push_back(rest.substr(0, keep) + "=");
        rest.erase(0, keep);
    }
    lines.push_back(rest);
    return lines;
}

constexpr const char* kServiceKey = "service";

}  // namespace

bool ChoosesSaildocs(const ProgramSettings& settings) {
    for (const auto& [key, value] : settings.otherKeys)
        if (key == kServiceKey) return value == "saildocs";
    return false;
}

void ChooseSaildocs(ProgramSettings& settings, bool saildocs) {
    const char* value = saildocs ? "saildocs" : "catalogue";
    for (auto& [key, old] : settings.otherKeys)
        if (key == kServiceKey) {
            old = value;
            return;
        }
    settings.otherKeys.emplace_back(kServiceKey, value);
}

std::optional<SaildocsService> ReadSaildocsService(CIniTable& table) {
    if (table.GetColumnCount() < 4) return std::nullopt;
    SaildocsService s;
    for (std::int32_t r = 2; r <= table.GetRowCount(); ++r) {
        const std::string kind = Unquoted(table.CellView(r, 1));
        const std::string code = Unquoted(table.CellView(r, 2));
        const std::string value = Unquoted(table.CellView(r, 3));
        if (kind == "ADRESSE")
            s.address = value;
        else if (kind == "MODELE")
            s.model = value;
        else if (kind == "PAS")
            s.stepHours = static_cast<int>(ReadInteger(value));
        else if (kind == "DERNIERE")
            s.lastHour = static_cast<int>(ReadInteger(value));
        else if (kind == "MAILLE")
            s.spacings.push_back(value);
        else if (kind == "HEURE")
            s.subscriptionTime = value;
        else if (kind == "LIGNE")
            s.lineLimit = static_cast<std::size_t>(std::max(0L, ReadInteger(value)));
        else if (kind == "PARAM")
            s.parameters.push_back(
                {code, value,
                 static_cast<int>(std::max(1L, ReadInteger(Unquoted(table.CellView(r, 4)))))});
    }
    if (s.address.empty() || s.model.empty()) return std::nullopt;
    return s;
}

std::string SaildocsTimeList(const std::vector<long>& hours) {
    std::vector<std::string> pieces;
    const std::size_t n = hours.size();
    for (std::size_t i = 0; i < n;) {
        if (i + 2 < n) {
            const long gap = hours[i + 1] - hours[i];
            std::size_t last = i + 1;
            while (last + 1 < n && hours[last + 1] - hours[last] == gap) ++last;
            if (last - i >= 2) {
                const std::string range =
                    Format("%ld,%ld..%ld", hours[i], hours[i + 1], hours[last]);
                std::vector<std::string> plain;
                for (std::size_t k = i; k <= last; ++k) plain.push_back(std::to_string(hours[k]));
                if (range.size() < Joined(plain, ",").size()) {
                    pieces.push_back(range);
                    i = last + 1;
                    continue;
                }
            }
        }
        pieces.push_back(std::to_string(hours[i]));
        ++i;
    }
    return Joined(pieces, ",");
}

SaildocsOrder BuildSaildocsOrder(const RequestChoices& c, const SaildocsService& service) {
    std::string verb = "send", tail;
    switch (c.subscription) {
        case 0:
            break;
        case 1: {
            const long days = ReadInteger(c.days);
            if (days < 1) return Refused(LoadString(IDS_SD_DAYS));
            verb = "sub";
            tail = Format(" days=%ld", days);
            if (!service.subscriptionTime.empty()) tail += " time=" + service.subscriptionTime;
            break;
        }
        case 2:
            return Refused(LoadString(IDS_SD_PERMANENT));
        default: {
            SaildocsOrder order;
            order.lines = {"cancel all"};
            return order;
        }
    }

    const std::optional<Edges> edges = ZoneEdges(c);
    if (!edges) return Refused(LoadString(IDS_BAD_PARAMETERS));

    if (!c.lonMesh && !c.latMesh) return Refused(LoadString(IDS_NO_MESH));
    // A spacing chosen in one direction only holds for both.
    const std::string& lonChosen = c.lonMesh ? *c.lonMesh : *c.latMesh;
    const std::string& latChosen = c.latMesh ? *c.latMesh : *c.lonMesh;
    const std::string* lonSpacing = OfferedSpacing(service, lonChosen);
    const std::string* latSpacing = OfferedSpacing(service, latChosen);
    if (!lonSpacing || !latSpacing)
        return Refused(Format(LoadString(IDS_SD_SPACING).c_str(),
                              (lonSpacing ? latChosen : lonChosen).c_str(),
                              Joined(service.spacings, ", ").c_str()));

    const double speed = ReadNumber(c.speed);
    if (!std::isfinite(speed) || speed != 0) return Refused(LoadString(IDS_SD_MOVING));

    std::vector<std::string> codes;
    int fieldsPerStep = 0;
    for (const std::string& wanted : c.parameters) {
        const auto found = std::find_if(service.parameters.begin(), service.parameters.end(),
                                        [&](const auto& p) { return p.catalogueCode == wanted; });
        if (found == service.parameters.end())
            return Refused(Format(LoadString(IDS_SD_PARAMETER).c_str(), wanted.c_str()));
        if (std::find(codes.begin(), codes.end(), found->code) != codes.end()) continue;
        codes.push_back(found->code);
        fieldsPerStep += found->fields;
    }
    if (codes.empty()) return Refused(LoadString(IDS_BAD_PARAMETERS));

    std::vector<long> hours;
    for (const std::string& step : c.steps) {
        const double h = ReadNumber(step);
        const bool offered =
            std::isfinite(h) && h >= 0 && h <= service.lastHour && h == std::floor(h) &&
            (service.stepHours <= 0 || static_cast<long>(h) % service.stepHours == 0);
        if (!offered)
            return Refused(Format(LoadString(IDS_SD_STEP).c_str(), step.c_str(), service.stepHours,
                                  service.lastHour));
        hours.push_back(static_cast<long>(h));
    }
    if (hours.empty()) return Refused(LoadString(IDS_BAD_PARAMETERS));
    std::sort(hours.begin(), hours.end());
    hours.erase(std::unique(hours.begin(), hours.end()), hours.end());

    const Edges& e = *edges;
    const std::string zone = LatitudeText(e.south) + "," + LatitudeText(e.north) + "," +
                             LongitudeText(e.west, false) + "," + LongitudeText(e.east, true);
    const std::string line = verb + " " + service.model + ":" + zone + "|" + *latSpacing + "," +
                             *lonSpacing + "|" + SaildocsTimeList(hours) + "|" +
                             Joined(codes, ",") + tail;

    SaildocsOrder order;
    order.lines = Continued(line, service.lineLimit);
    const auto count = [](double extent, const std::string& spacing) {
        return static_cast<std::int64_t>(std::floor(extent / ReadNumber(spacing) + 1e-9)) + 1;
    };
    order.points = count(e.north - e.south, *latSpacing) * count(e.east - e.west, *lonSpacing);
    order.fields =
        static_cast<std::int64_t>(fieldsPerStep) * static_cast<std::int64_t>(hours.size());
    return order;
}

}  // namespace wavepost

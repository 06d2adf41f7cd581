// The weather and telecom cost estimate and the point-count warnings.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "app/CMarlockDlg.h"
#include "app/NumberText.h"
#include "app/layout/StringTable.h"

namespace wavepost {

namespace {

// Catalogue integers are 32-bit quantities; anything longer is taken at the bound.
std::int32_t ReadInt32(const std::string& text) {
    const long value = ReadInteger(text);
    constexpr long kMin = std::numeric_limits<std::int32_t>::min();
    constexpr long kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kMin ? kMin : value > kMax ? kMax : value);
}

// Columns or rows of grid points along one side: the quotient plus the point at the far
// edge, kept in single precision like the zone bounds. zero: the side has no extent.
float PointsAlong(float from, float to, double spacing, bool& zero) {
    double points = (to - from) / spacing;
    zero = points == 0;
    points += points >= 0 ? 1 : -1;
    return ToFloat(points);
}

// The point count, in 64 bits so that a huge zone cannot wrap into a small or negative
// count; a count beyond any real order is held at a bound far above every threshold.
std::int64_t PointCount(float columns, float rows) {
    const double count = std::fabs(static_cast<double>(columns) * static_cast<double>(rows));
    if (std::isnan(count)) return 0;
    constexpr double kBound = 4.0e18;
    return count >= kBound ? static_cast<std::int64_t>(kBound) : static_cast<std::int64_t>(count);
}

// A cell's text without its double quotes; short cells are not allocated.
std::string UnquotedCell(const CIniTable& table, std::int32_t row, std::int32_t column) {
    const std::string_view cell = table.CellView(row, column);
    std::string text;
    std::copy_if(cell.begin(), cell.end(), std::back_inserter(text),
                 [](char c) { return c != '"'; });
    return text;
}

// The map's parameters that exist only for the 0-hour step and are ticked, as the table
// holds them.
std::int32_t TickedAnalysisOnly(CIniTable& parametres, const std::string& map) {
    std::int32_t count = 0;
    for (const std::int32_t r : parametres.RowsMatching(1, map)) {
        if (ReadInteger(UnquotedCell(parametres, r, 7)) == 1 &&
            ReadInteger(UnquotedCell(parametres, r, 4)) == 1)
            ++count;
    }
    return count;
}

// An amount with its currency; one too large to compute (an infinite price or rate, or a
// product of infinity and zero) is said to be so instead of showing "inf".
std::string AmountText(double amount, const std::string& currency) {
    if (!std::isfinite(amount)) return LoadString(IDS_AMOUNT_NOT_FINITE);
    return FormatFixed(amount, 2) + " " + currency.c_str();
}

}  // namespace

void CMarlockDlg::UpdateCostEstimate() {
    StoreChoices();
    const std::string map = GetMapName();
    if (!m_pUnites || !m_pTelecoms || !m_pCompressions || !m_pEcheances || !m_pParametres) return;

    // A selection past the end of its table (the file changed under the list) counts as
    // no selection.
    const int currency = m_toolkit.ComboGetSelection(m_comboCurrency);
    if (currency < 0 || currency + 2 > m_pUnites->GetRowCount()) return;
    const std::string label = Unquoted(m_pUnites->GetCell(currency + 2, 2));
    const std::string factorCell = Unquoted(m_pUnites->GetCell(currency + 2, 4));
    const double dollarRate = ReadNumber(m_strDollarRate);
    float currencyFactor = 0.0f;
    if (factorCell != "DOLLARS")
        currencyFactor = ToFloat(ReadNumber(factorCell));
    else if (dollarRate != 0)
        currencyFactor = ToFloat(1.0 / dollarRate);

    const int link = m_toolkit.ComboGetSelection(m_comboTelecom);
    if (link < 0 || link + 2 > m_pTelecoms->GetRowCount()) return;
    const float telecomPrice = ToFloat(ReadNumber(m_pTelecoms->GetCell(link + 2, 2)));
    m_nPointsAlarm = ReadInt32(m_pTelecoms->GetCell(link + 2, 3));
    m_nPointsFatal = ReadInt32(m_pTelecoms->GetCell(link + 2, 4));

    float compressionFactor = 1.0f;
    if (m_nCompression >= 0 && m_nCompression + 2 <= m_pCompressions->GetRowCount())
        compressionFactor = ToFloat(ReadNumber(m_pCompressions->GetCell(m_nCompression + 2, 2)));

    // Sums in double: exact for any real catalogue, and no overflow for absurd cells.
    double stepCount = 0;
    bool analysisStep = false;
    for (const std::int32_t r : m_pEcheances->RowsMatching(1, map)) {
        const std::string_view flag = m_pEcheances->CellView(r, 3);
        stepCount += ReadInt32(std::string(flag));
        if (ReadInteger(std::string(m_pEcheances->CellView(r, 2))) == 0 &&
            m_pEcheances->CellMatches(r, 3, "1"))
            analysisStep = true;
    }

    // Analysis-only parameters exist only for the 0-hour step.
    double weightedSum = 0;
    const bool hasList = m_pListParametres != platform::kNoControl;
    bool unticked = false;
    int item = 0;
    for (const std::int32_t r : m_pParametres->RowsMatching(1, map)) {
        const double weight = ReadInt32(UnquotedCell(*m_pParametres, r, 6));
        const double ticked = ReadInt32(std::string(m_pParametres->CellView(r, 4)));
        const bool analysisOnly = ReadInteger(UnquotedCell(*m_pParametres, r, 7)) == 1;
        if (analysisStep) {
            weightedSum += ticked * weight;
            if (analysisOnly && hasList)
                m_toolkit.CheckListEnableItem(m_pListParametres, item, true);
        } else if (analysisOnly) {
            if (hasList) {
                m_toolkit.CheckListEnableItem(m_pListParametres, item, false);
                if (m_toolkit.CheckListGetCheck(m_pListParametres, item) != 0) unticked = true;
                m_toolkit.CheckListSetCheck(m_pListParametres, item, 0);
            }
        } else {
            weightedSum += ticked * weight;
            if (hasList) m_toolkit.CheckListEnableItem(m_pListParametres, item, true);
        }
        ++item;
    }

    const int lonItem = m_toolkit.ComboGetSelection(m_comboMeshLon);
    if (lonItem < 0) return;
    const double lonSpacing = ReadNumber(m_toolkit.ComboGetItemText(m_comboMeshLon, lonItem));

    float west, east, north, south;
    if (m_nZoneMode == 0) {
        const double lon = ReadNumber(m_strLon1), lat = ReadNumber(m_strLat1);
        const double width = ReadNumber(m_strLon2), height = ReadNumber(m_strLat2);
        west = ToFloat(lon - width * 0.5);
        east = ToFloat(lon + width * 0.5);
        north = ToFloat(lat + height * 0.5);
        south = ToFloat(lat - height * 0.5);
    } else {
        west = static_cast<float>(ReadInteger(m_strLon1));
        north = static_cast<float>(ReadInteger(m_strLat1));
        east = static_cast<float>(ReadInteger(m_strLon2));
        south = static_cast<float>(ReadInteger(m_strLat2));
    }

    const int latItem = m_toolkit.ComboGetSelection(m_comboMeshLat);
    if (latItem < 0) return;
    const double latSpacing = ReadNumber(m_toolkit.ComboGetItemText(m_comboMeshLat, latItem));

    // A spacing of 0 has no grid: no points, nothing to warn about.
    std::int64_t points = 0;
    if (lonSpacing != 0 && latSpacing != 0) {
        bool noColumns = false, noRows = false;
        const float columns = PointsAlong(west, east, lonSpacing, noColumns);
        const float rows = PointsAlong(north, south, latSpacing, noRows);
        points = PointCount(columns, rows);
        // Reaching the fatal threshold is fatal, not an alarm.
        if (points >= m_nPointsAlarm && points < m_nPointsFatal)
            m_toolkit.MessageBox(LoadString(IDS_POINTS_ALARM));
        else if (points >= m_nPointsFatal)
            m_toolkit.MessageBox(LoadString(IDS_POINTS_FATAL));
        if (noColumns || noRows) points = 0;
    }

    // Ticks just taken off must reach the table before the count; otherwise the table holds
    // the choices already, and storing them again would only repeat the work.
    const double analysisOnly =
        unticked ? CountAnalysisOnlyParameters() : TickedAnalysisOnly(*m_pParametres, GetMapName());
    const double units = analysisOnly + (weightedSum - analysisOnly) * stepCount;

    double weather = 0, telecom = 0;
    if (points != 0 && weightedSum != 0 && stepCount != 0) {
        const double count = static_cast<double>(points);
        weather = count * units * m_dPtEuro * currencyFactor + 0.005;
        telecom = (count + 100) * units * dollarRate * compressionFactor * telecomPrice *
                      currencyFactor * 1.35 +
                  0.005;
    }
    m_strWeatherCost = AmountText(weather, label);
    m_strTelecomCost = AmountText(telecom, label);
    ExchangeData(ExchangeDirection::ToControls);
}

std::int32_t CMarlockDlg::CountAnalysisOnlyParameters() {
    ExchangeData(ExchangeDirection::FromControls);
    StoreChoices();
    const std::string map = GetMapName();
    if (!m_pParametres) return 0;
    return TickedAnalysisOnly(*m_pParametres, map);
}

void CMarlockDlg::OnCostInputChanged() {
    UpdateCostEstimate();
}

void CMarlockDlg::OnDollarRateKillFocus() {
    ExchangeData(ExchangeDirection::FromControls);
    m_strDollarRate = Replace(m_strDollarRate, ',', '.');
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
}

}  // namespace wavepost

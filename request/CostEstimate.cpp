// SPDX-License-Identifier: GPL-3.0-or-later
// The weather and telecom cost estimate and the point-count warnings.
#include <cmath>

#include "app/CMarlockDlg.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "request/CostArithmetic.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

namespace {

// An amount with its currency; one too large to compute (an infinite price or rate, or a
// product of infinity and zero) is said to be so instead of showing "inf".
std::string AmountText(double amount, const std::string& currency) {
    if (!std::isfinite(amount)) return LoadString(IDS_AMOUNT_NOT_FINITE);
    return FormatFixed(amount, 2) + " " + currency.c_str();
}

}  // namespace

void CMarlockDlg::UpdateCostEstimate() {
    m_lastEstimate.reset();
    StoreChoices();
    const std::string map = GetMapName();
    if (!m_pUnites || !m_pTelecoms || !m_pCompressions || !m_pEcheances || !m_pParametres) return;

    // A selection past the end of its table (the file changed under the list) counts as
    // no selection.
    CostChoices c;
    const int currency = m_toolkit.ComboGetSelection(m_comboCurrency);
    if (currency >= 0 && currency + 2 <= m_pUnites->GetRowCount())
        c.currency = {Unquoted(m_pUnites->GetCell(currency + 2, 2)),
                      Unquoted(m_pUnites->GetCell(currency + 2, 4))};
    c.dollarRate = m_strDollarRate;
    const int link = m_toolkit.ComboGetSelection(m_comboTelecom);
    if (link >= 0 && link + 2 <= m_pTelecoms->GetRowCount()) {
        c.link = {m_pTelecoms->GetCell(link + 2, 2), m_pTelecoms->GetCell(link + 2, 3),
                  m_pTelecoms->GetCell(link + 2, 4)};
        // The rate came later as column 5: a narrower table has none (a cell beyond the
        // header's columns would be read from the next row).
        if (m_pTelecoms->GetColumnCount() >= 5) c.link->rate = m_pTelecoms->GetCell(link + 2, 5);
    }
    if (m_nCompression >= 0 && m_nCompression + 2 <= m_pCompressions->GetRowCount())
        c.compressionFactor = m_pCompressions->GetCell(m_nCompression + 2, 2);
    c.compression = m_nCompression;
    for (const std::int32_t r : m_pEcheances->RowsMatching(1, map))
        c.steps.push_back(
            {std::string(m_pEcheances->CellView(r, 2)), std::string(m_pEcheances->CellView(r, 3))});
    for (const std::int32_t r : m_pParametres->RowsMatching(1, map))
        c.parameters.push_back({std::string(m_pParametres->CellView(r, 4)),
                                Unquoted(m_pParametres->CellView(r, 6)),
                                Unquoted(m_pParametres->CellView(r, 7))});
    const bool hasList = m_pListParametres != platform::kNoControl;
    if (hasList) c.listedParameters = m_toolkit.CheckListGetCount(m_pListParametres);
    const int lonItem = m_toolkit.ComboGetSelection(m_comboMeshLon);
    if (lonItem >= 0) c.lonSpacing = m_toolkit.ComboGetItemText(m_comboMeshLon, lonItem);
    const int latItem = m_toolkit.ComboGetSelection(m_comboMeshLat);
    if (latItem >= 0) c.latSpacing = m_toolkit.ComboGetItemText(m_comboMeshLat, latItem);
    c.zoneMode = m_nZoneMode;
    const zone::ZoneTexts zone = zone::PlainPositions(zone::ZoneTextsOf(*this, m_nZoneMode));
    c.lon1 = zone.lon1, c.lat1 = zone.lat1, c.lon2 = zone.lon2, c.lat2 = zone.lat2;
    c.ptEuro = m_dPtEuro;

    const CostResult result = EstimateCost(c);
    if (result.reached == CostResult::Reached::Nothing) return;
    m_nPointsFatal = result.pointsFatal;
    for (std::size_t k = 0; k < result.items.size(); ++k) {
        const int item = static_cast<int>(k);
        if (result.items[k] == CostResult::Item::Offer) {
            m_toolkit.CheckListEnableItem(m_pListParametres, item, true);
        } else if (result.items[k] == CostResult::Item::Withhold) {
            m_toolkit.CheckListEnableItem(m_pListParametres, item, false);
            m_toolkit.CheckListSetCheck(m_pListParametres, item, 0);
        }
    }
    if (result.reached != CostResult::Reached::Amounts) return;
    m_lastEstimate = result;
    if (result.warning == CostResult::Warning::Alarm)
        m_toolkit.MessageBox(LoadString(IDS_POINTS_ALARM));
    else if (result.warning == CostResult::Warning::Fatal)
        m_toolkit.MessageBox(LoadString(IDS_POINTS_FATAL));
    // Ticks just taken off reach the table at once; otherwise it holds the choices already.
    if (result.untickedAny) StoreChoices();
    // Saildocs is free: only the link costs.
    m_strWeatherCost = AmountText(m_bSaildocs ? 0.0 : result.weather, result.currencyLabel);
    m_strTelecomCost = AmountText(result.telecom, result.currencyLabel);
    ExchangeData(ExchangeDirection::ToControls);
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

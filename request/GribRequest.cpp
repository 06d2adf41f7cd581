// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of the request text: the choices gathered from the controls and the
// catalogue of the current map.
#include "app/CMarlockDlg.h"
#include "base/NumberText.h"
#include "catalogue/CatalogueRows.h"
#include "request/RequestText.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

std::string CMarlockDlg::BuildGribRequest() {
    return BuildRequestText(GatherRequestChoices());
}

RequestChoices CMarlockDlg::GatherRequestChoices() {
    StoreChoices();
    RequestChoices c;
    c.map = GetMapName();
    c.subscription = m_nSubscription;
    c.days = m_strDays;
    c.zoneMode = m_nZoneMode;
    // A position still as typed (an order taken before its field was left) reads as it
    // will once left.
    const zone::ZoneTexts zone = zone::PlainPositions(zone::ZoneTextsOf(*this, m_nZoneMode));
    c.lon1 = zone.lon1;
    c.lat1 = zone.lat1;
    c.lon2 = zone.lon2;
    c.lat2 = zone.lat2;
    const int lonItem = m_toolkit.ComboGetSelection(m_comboMeshLon);
    const int latItem = m_toolkit.ComboGetSelection(m_comboMeshLat);
    if (lonItem >= 0) c.lonMesh = m_toolkit.ComboGetItemText(m_comboMeshLon, lonItem);
    if (latItem >= 0) c.latMesh = m_toolkit.ComboGetItemText(m_comboMeshLat, latItem);
    c.heading = m_strHeading;
    c.speed = m_strSpeed;
    c.parameters = catalogue::TickedCodes(m_pParametres.get(), c.map, 2, 4);
    c.steps = catalogue::TickedCodes(m_pEcheances.get(), c.map, 2, 3);
    c.compression = m_nCompression;
    c.landData = m_nLandData;
    if (m_pSoft && m_pSoft->GetRowCount() >= 2) c.software = m_pSoft->GetCell(2, 1);
    return c;
}

}  // namespace wavepost

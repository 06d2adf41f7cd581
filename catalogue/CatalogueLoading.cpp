// Loading the catalogue tables into the tab pages for the current map.
#include "app/CMarlockDlg.h"
#include "app/layout/StringTable.h"

namespace wavepost {

std::string CMarlockDlg::GetMapName() {
    ExchangeData(ExchangeDirection::FromControls);
    switch (m_nMap) {
        case 1:
            return LoadString(IDS_MAP_EUROPE);
        case 2:
            return LoadString(IDS_MAP_FRANCE);
        default:
            return LoadString(IDS_MAP_WORLD);
    }
}

void CMarlockDlg::LoadCatalogue() {}

void CMarlockDlg::ReleaseCatalogue() {}

}  // namespace wavepost

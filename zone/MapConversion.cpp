// Map frames and the conversions between pixels, coordinate texts and the zone rectangle.
#include "app/CMarlockDlg.h"

namespace wavepost {

DomainFrame CMarlockDlg::FindDomainRow(const std::string&) const { return {}; }
platform::Rect CMarlockDlg::GetMapArea() const { return {}; }
void CMarlockDlg::PixelToGeo(float&, float&, float&, float&) {}
bool CMarlockDlg::GeoToPixel(int&, int&, int&, int&) { return false; }
int CMarlockDlg::ClampToRect(float&, float&, float&, float&, int, int, int, int) { return 0; }
void CMarlockDlg::UpdateZoneFromFields() {}
void CMarlockDlg::ConvertZoneFields(int, int) {}
double CMarlockDlg::ReduceLongitude(double value, LongitudeForm) { return value; }

}  // namespace wavepost

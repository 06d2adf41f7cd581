// The order page: what "Envoi" would hand over, shown before it leaves.
#include "app/CMarlockDlg.h"
#include "app/layout/Layout.h"
#include "app/layout/StringTable.h"
#include "request/OrderPageText.h"

namespace wavepost {

namespace {

OrderFigures FiguresOf(const CMarlockDlg& d, platform::IToolkit& toolkit) {
    OrderFigures f;
    f.subscription = d.m_nSubscription;
    f.days = d.m_strDays;
    const int link = toolkit.ComboGetSelection(d.m_comboTelecom);
    if (link >= 0) f.linkName = toolkit.ComboGetItemText(d.m_comboTelecom, link);
    if (const auto& estimate = d.m_lastEstimate) {
        f.points = estimate->points;
        f.replyBytes = static_cast<double>(estimate->replyBytes);
        f.transferSeconds = estimate->transferSeconds;
        f.pointsAlarm = estimate->pointsAlarm;
        f.pointsFatal = estimate->pointsFatal;
    }
    return f;
}

}  // namespace

void CMarlockDlg::RefreshOrderPage() {
    // Without a catalogue there is no order to show (the window is closing or failed).
    if (m_nCurrentPage != kOrderPage || !m_pParametres) return;
    const OrderPageTexts texts = DescribeOrders(PlanOrders(), FiguresOf(*this, m_toolkit));
    m_toolkit.SetControlText(IDC_ORDER_KIND_LABEL, texts.kind);
    m_toolkit.SetControlText(IDC_ORDER_SIZE_LABEL, texts.size);
    m_toolkit.SetControlText(IDC_ORDER_TEXT_EDIT, texts.mails);
}

void CMarlockDlg::OnCopyOrders() {
    m_toolkit.SetClipboardText(DescribeOrders(PlanOrders(), FiguresOf(*this, m_toolkit)).mails);
}

void CMarlockDlg::OnSaveOrders() {}

}  // namespace wavepost

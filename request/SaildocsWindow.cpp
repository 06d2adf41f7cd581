// The window's side of Saildocs: the choice of service, and the orders planned for it.
#include "app/CMarlockDlg.h"
#include "app/MailAddress.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/TextEncoding.h"
#include "request/SaildocsOrder.h"

namespace wavepost {

namespace {

bool AnyTicked(platform::IToolkit& toolkit, platform::ControlHandle list) {
    if (list == platform::kNoControl) return false;
    for (int item = 0; item < toolkit.CheckListGetCount(list); ++item)
        if (toolkit.CheckListGetCheck(list, item) != 0) return true;
    return false;
}

}  // namespace

OrderPlan CMarlockDlg::PlanSaildocsOrders() {
    OrderPlan plan;
    // The table is read at each use: a change on the service's side is a table edit.
    std::optional<SaildocsService> service;
    try {
        CIniTable table(StoragePath(kSaildocsTable));
        table.Load();
        service = ReadSaildocsService(table);
    } catch (const FileError&) {
    }
    if (!service) {
        plan.insteadMessage = LoadString(IDS_SD_TABLE_MISSING);
        return plan;
    }
    if (AnyTicked(m_toolkit, m_pListBulletins) || AnyTicked(m_toolkit, m_pListImages))
        plan.note = LoadString(IDS_SD_NO_BULLETINS);

    // The sailor's own address signs message files for this service too.
    plan.addressFile = StoragePath(LoadString(IDS_CONFIG_FILE_NAME));
    try {
        const AddressEntry sender = LookUpSender(plan.addressFile);
        if (sender.refused) {
            plan.addressMessage = sender.message;
            plan.addressRefused = true;
            return plan;
        }
        plan.sender = sender.address;
    } catch (const FileError&) {
        // Saildocs needs no address of the file: the orders go unsigned.
    }
    const SaildocsOrder order = BuildSaildocsOrder(GatherRequestChoices(), *service);
    if (!order.refusal.empty()) {
        plan.insteadMessage = order.refusal;
        return plan;
    }
    std::string body;
    for (const std::string& line : order.lines) body += (body.empty() ? "" : "%0A") + ForUrl(line);
    const std::string subject = "Grib";
    plan.mails.push_back(
        {service->address, subject, body,
         "mailto:" + ForUrl(service->address) + "?subject=" + subject + "&body=" + body,
         "WavepostGrib.txt", true});
    plan.replyPoints = order.points;
    plan.replyFields = order.fields;
    return plan;
}

void CMarlockDlg::FillServiceChoices() {
    m_bSaildocs = ChoosesSaildocs(LoadSettings(m_toolkit.SettingsDirectory()));
    m_toolkit.ComboReset(IDC_SERVICE_COMBO);
    m_toolkit.ComboAddItem(IDC_SERVICE_COMBO, LoadString(IDS_SERVICE_CATALOGUE));
    m_toolkit.ComboAddItem(IDC_SERVICE_COMBO, LoadString(IDS_SERVICE_SAILDOCS));
    m_toolkit.ComboSetSelection(IDC_SERVICE_COMBO, m_bSaildocs ? 1 : 0);
}

void CMarlockDlg::OnServiceChanged() {
    const int item = m_toolkit.ComboGetSelection(IDC_SERVICE_COMBO);
    if (item < 0) return;
    m_bSaildocs = item == 1;
    ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    ChooseSaildocs(settings, m_bSaildocs);
    // Without a settings folder the choice holds for this run only.
    const std::string folder = m_toolkit.SettingsDirectory();
    if (!folder.empty()) SaveSettings(folder, settings);
    UpdateCostEstimate();
}

}  // namespace wavepost

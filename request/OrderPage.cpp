// SPDX-License-Identifier: GPL-3.0-or-later
// The order page: what "Envoi" would hand over, shown before it leaves; the way it leaves;
// the orders already handed over.
#include <filesystem>

#include "app/CMarlockDlg.h"
#include "app/layout/Layout.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "base/ProgramSettings.h"
#include "request/HandOverWay.h"
#include "request/OrderHistory.h"
#include "request/OrderPageText.h"
#include "request/OutgoingMail.h"
#include "request/ReplySize.h"
#include "request/Subscriptions.h"

namespace wavepost {

namespace {

// The history lines the page lists.
constexpr std::size_t kRecentOrders = 5;
// The orders offered for withdrawal: the ones a sailor may still be looking for.
constexpr std::size_t kWithdrawable = 20;

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
        f.weather = estimate->weather;
        f.telecom = estimate->telecom;
        f.currency = estimate->currencyLabel;
    }
    const ProgramSettings settings = LoadSettings(toolkit.SettingsDirectory());
    f.byMailProgram =
        ChooseHandOver(settings, settings.method == HandOverMethod::Pat ? toolkit.FindProgram("pat")
                                                                        : std::string())
            .method == HandOverMethod::Mail;
    return f;
}

// The reply the service's own grid gives (Saildocs sends its GRIB files uncompressed), and
// its time on the link chosen.
void ServiceReplyFigures(const CMarlockDlg& d, platform::IToolkit& toolkit, const OrderPlan& plan,
                         OrderFigures& f) {
    const std::int64_t bytes =
        ReplyBytes({*plan.replyPoints, *plan.replyFields, kServiceBitsPerValue, GribEdition::One,
                    ReplyCompression::None});
    f.points = *plan.replyPoints;
    f.replyBytes = static_cast<double>(bytes);
    std::optional<double> rate;
    const int link = toolkit.ComboGetSelection(d.m_comboTelecom);
    if (d.m_pTelecoms && link >= 0 && link + 2 <= d.m_pTelecoms->GetRowCount() &&
        d.m_pTelecoms->GetColumnCount() >= 5)
        rate = LinkRate(d.m_pTelecoms->GetCell(link + 2, 5));
    f.transferSeconds = TransferSeconds(bytes, rate);
}

// Keeps the settings when the machine has a place for them; otherwise the choice holds for
// this run only.
void KeepSettings(platform::IToolkit& toolkit, const ProgramSettings& settings) {
    const std::string folder = toolkit.SettingsDirectory();
    if (!folder.empty()) SaveSettings(folder, settings);
}

// Asks for the folder "Fichier" writes the orders into; false when the user cancels.
bool AskOutbox(platform::IToolkit& toolkit, ProgramSettings& settings) {
    const std::string folder =
        toolkit.PickFolder(LoadString(IDS_CHOOSE_OUTBOX), settings.outboxFolder);
    if (folder.empty()) return false;
    settings.outboxFolder = folder;
    return true;
}

// Size and time of the last change: empty when the file cannot be looked at.
std::string FileStamp(const std::string& path) {
    std::error_code sizeError, timeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    const auto time = std::filesystem::last_write_time(path, timeError);
    if (sizeError || timeError) return {};
    return std::to_string(size) + "/" + std::to_string(time.time_since_epoch().count());
}

}  // namespace

void CMarlockDlg::RefreshOrderPage() {
    // Without a catalogue there is no order to show (the window is closing or failed).
    if (m_nCurrentPage != kOrderPage || !m_pParametres) return;
    const OrderPlan plan = PlanOrders();
    OrderFigures figures = FiguresOf(*this, m_toolkit);
    if (plan.replyPoints && plan.replyFields) ServiceReplyFigures(*this, m_toolkit, plan, figures);
    const OrderPageTexts texts = DescribeOrders(plan, figures);
    m_toolkit.SetControlText(IDC_ORDER_KIND_LABEL, texts.kind);
    m_toolkit.SetControlText(IDC_ORDER_SIZE_LABEL, texts.size);
    m_toolkit.SetControlText(IDC_ORDER_TEXT_EDIT, texts.mails);

    std::string history;
    const ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    if (settings.method == HandOverMethod::File && !settings.outboxFolder.empty())
        history = Format(LoadString(IDS_OUTBOX_LINE).c_str(), settings.outboxFolder.c_str()) + "\n";
    const HistoryContents& contents = KnownHistory();
    history += HistoryText(LastRecords(contents, kRecentOrders),
                           ActiveSubscriptions(contents.records, UtcNow()));
    m_toolkit.SetControlText(IDC_HISTORY_EDIT, history);
}

const HistoryContents& CMarlockDlg::KnownHistory() {
    const std::string folder = m_toolkit.SystemDirectory();
    if (folder.empty()) return m_history = {};
    const std::string path = HistoryPath(folder);
    // The page follows every event: the file is read again only once it changed.
    const std::string stamp = FileStamp(path);
    if (!stamp.empty() && stamp == m_historyStamp) return m_history;
    m_historyStamp = stamp;
    // A damaged or unreadable history is told once and left as it is; what can be read
    // of it is shown.
    try {
        m_history = ReadHistory(folder);
    } catch (const FileError&) {
        m_history = {};
        m_historyStamp.clear();
        if (!m_bHistoryProblemReported)
            m_toolkit.MessageBox(Format(LoadString(IDS_HISTORY_UNREADABLE).c_str(), path.c_str()));
        m_bHistoryProblemReported = true;
        return m_history;
    }
    if (m_history.olderRecordsIgnored && !m_bHistoryProblemReported) {
        m_bHistoryProblemReported = true;
        m_toolkit.MessageBox(Format(LoadString(IDS_HISTORY_CUT).c_str(), path.c_str()));
    }
    if (m_history.damagedLines > 0 && !m_bHistoryProblemReported) {
        m_bHistoryProblemReported = true;
        m_toolkit.MessageBox(
            Format(LoadString(IDS_HISTORY_DAMAGED).c_str(), path.c_str(), m_history.damagedLines));
    }
    return m_history;
}

void CMarlockDlg::OnCopyOrders() {
    const OrderPlan plan = PlanOrders();
    if (plan.mails.empty()) {
        m_toolkit.MessageBox(plan.noAddressFile    ? LoadString(IDS_NO_CONFIG_FILE)
                             : plan.addressRefused ? *plan.addressMessage
                                                   : LoadString(IDS_NOTHING_TO_COPY));
        return;
    }
    m_toolkit.SetClipboardText(ClipboardText(plan.mails));
}

void CMarlockDlg::OnSaveOrders() {
    const OrderPlan plan = PlanOrders();
    if (plan.addressMissing) {
        m_toolkit.MessageBox(Format(LoadString(IDS_NO_ADDRESS_NOTHING_SENT).c_str(),
                                    LoadString(IDS_KEY_METEO).c_str(), plan.addressFile.c_str()));
        return;
    }
    if (plan.mails.empty()) {
        m_toolkit.MessageBox(plan.noAddressFile    ? LoadString(IDS_NO_CONFIG_FILE)
                             : plan.addressRefused ? *plan.addressMessage
                                                   : LoadString(IDS_ORDER_NOTHING_TO_SAVE));
        return;
    }
    ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    const std::string folder =
        m_toolkit.PickFolder(LoadString(IDS_CHOOSE_ORDER_FOLDER), settings.saveFolder);
    if (folder.empty()) return;
    const UtcTime now = UtcNow();
    for (const OrderMail& mail : plan.mails)
        WriteEmlFile(folder, {mail.address, mail.subject, mail.Text()}, now, plan.sender);
    settings.saveFolder = folder;
    KeepSettings(m_toolkit, settings);
    m_toolkit.MessageBox(Format(LoadString(IDS_ORDER_SAVED).c_str(), folder.c_str()));
}

void CMarlockDlg::FillHandOverChoices() {
    m_handOverChoices = {HandOverMethod::Mail};
    // Pat is offered only where it can be run.
    if (!m_toolkit.FindProgram("pat").empty()) m_handOverChoices.push_back(HandOverMethod::Pat);
    m_handOverChoices.push_back(HandOverMethod::File);
    m_toolkit.ComboReset(IDC_HANDOVER_COMBO);
    for (HandOverMethod method : m_handOverChoices)
        m_toolkit.ComboAddItem(IDC_HANDOVER_COMBO, MethodLabel(method));
    const ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    if (settings.problem) m_toolkit.MessageBox(FileErrorMessage(*settings.problem));
    // The way "Envoi" will really take: Pat without Pat, or files without a folder, go by mail.
    int selected = 0;
    for (std::size_t i = 0; i < m_handOverChoices.size(); ++i)
        if (m_handOverChoices[i] == settings.method &&
            (settings.method != HandOverMethod::File || !settings.outboxFolder.empty()))
            selected = static_cast<int>(i);
    m_toolkit.ComboSetSelection(IDC_HANDOVER_COMBO, selected);
}

void CMarlockDlg::OnHandOverChanged() {
    const int item = m_toolkit.ComboGetSelection(IDC_HANDOVER_COMBO);
    if (item < 0 || item >= static_cast<int>(m_handOverChoices.size())) return;
    ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    const HandOverMethod method = m_handOverChoices[static_cast<std::size_t>(item)];
    // Files need a folder to go to: without one the choice is not taken.
    if (method == HandOverMethod::File && settings.outboxFolder.empty() &&
        !AskOutbox(m_toolkit, settings)) {
        FillHandOverChoices();
        return;
    }
    settings.method = method;
    KeepSettings(m_toolkit, settings);
}

void CMarlockDlg::OnWithdrawOrder() {
    const std::string folder = UsableStateFolder();
    if (folder.empty()) return;
    std::vector<HistoryRecord> offered;
    for (const HistoryRecord& r : LastRecords(KnownHistory(), kWithdrawable))
        if (!r.withdrawn) offered.insert(offered.begin(), r);  // newest first
    const std::optional<HistoryRecord> chosen =
        ChooseFromHistory(offered, IDS_WITHDRAW_NONE, IDS_WITHDRAW_CHOOSE);
    if (!chosen) return;
    try {
        AppendWithdrawal(folder, *chosen, UtcNow());
    } catch (const FileError& error) {
        m_toolkit.MessageBox(FileErrorMessage(error));
        return;
    }
    RefreshOrderPage();
}

std::optional<HistoryRecord> CMarlockDlg::ChooseFromHistory(
    const std::vector<HistoryRecord>& offered, int noneId, int chooseId) {
    if (offered.empty()) {
        m_toolkit.MessageBox(LoadString(noneId));
        return std::nullopt;
    }
    std::vector<std::string> items;
    for (const HistoryRecord& r : offered) items.push_back(RecordLine(r).substr(2));
    const int chosen = m_toolkit.ChooseItem(LoadString(chooseId), items);
    if (chosen < 0 || chosen >= static_cast<int>(offered.size())) return std::nullopt;
    return offered[static_cast<std::size_t>(chosen)];
}

void CMarlockDlg::OnChooseOutbox() {
    ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    if (AskOutbox(m_toolkit, settings)) KeepSettings(m_toolkit, settings);
}

}  // namespace wavepost

// SPDX-License-Identifier: GPL-3.0-or-later
// Handing the orders, the question mail and the help page to the desktop.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/AddressFile.h"
#include "app/CMarlockDlg.h"
#include "app/MailAddress.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "catalogue/CatalogueRows.h"
#include "request/HandOverWay.h"
#include "request/OrderHistory.h"
#include "request/OrderPageText.h"
#include "request/OrderPlan.h"
#include "request/OrderWords.h"
#include "request/OutgoingMail.h"
#include "request/PatHandOver.h"
#include "request/RequestCopies.h"

namespace wavepost {

using platform::ShowState;

namespace {

// A press while orders are being handed over (the toolkit keeps the window's input away
// meanwhile; this is the logic's own guard) would hand them over twice.
class OneHandOverAtATime {
  public:
    explicit OneHandOverAtATime(bool& busy) : m_busy(busy), m_bRefused(busy) { busy = true; }
    ~OneHandOverAtATime() {
        if (!m_bRefused) m_busy = false;
    }
    OneHandOverAtATime(const OneHandOverAtATime&) = delete;
    OneHandOverAtATime& operator=(const OneHandOverAtATime&) = delete;
    bool Refused() const { return m_bRefused; }

  private:
    bool& m_busy;
    const bool m_bRefused;
};

// Why the mail program did not take the order, for the user.
std::string MailFailure(const platform::ProgramRun& run) {
    if (!run.started)
        return Format(LoadString(IDS_MAIL_NOT_STARTED).c_str(), run.errorText.c_str());
    if (run.cancelled)
        return Format(LoadString(IDS_HANDOVER_CANCELLED).c_str(),
                      LoadString(IDS_TO_MAIL_PROGRAM).c_str());
    if (run.timedOut) return Format(LoadString(IDS_MAIL_TIMED_OUT).c_str(), run.errorText.c_str());
    return Format(LoadString(IDS_MAIL_FAILED).c_str(), run.exitStatus, run.errorText.c_str());
}

// Hands one order over the way chosen, the next only once this one has ended. None when
// it was taken, else what to tell the user in one message naming the order (the caller
// then puts the order on the clipboard). patProblem: why Pat cannot take orders, if so.
std::optional<std::string> HandOverOrder(platform::IToolkit& toolkit, const OrderMail& mail,
                                         const HandOverWay& way, const std::string& sender,
                                         UtcTime time,
                                         const std::optional<std::string>& patProblem) {
    const OutgoingMail outgoing{mail.address, mail.subject, mail.Text()};
    const std::string inClipboard = Format(LoadString(IDS_ORDER_IN_CLIPBOARD).c_str(),
                                           mail.address.c_str(), mail.subject.c_str()) +
                                    LoadString(IDS_NOT_IN_HISTORY);
    switch (way.method) {
        case HandOverMethod::Mail: {
            const platform::ProgramRun run = toolkit.OpenMailUrl(
                mail.url, HandOverProgressText(LoadString(IDS_TO_MAIL_PROGRAM), outgoing));
            if (run.Succeeded()) return std::nullopt;
            return MailFailure(run) + inClipboard;
        }
        case HandOverMethod::Pat: {
            if (patProblem) return *patProblem + inClipboard;
            const platform::ProgramRun run = HandToPat(toolkit, way.patPath, outgoing);
            if (PatTookIt(run)) return std::nullopt;
            return PatFailureMessage(run, outgoing);
        }
        case HandOverMethod::File:
            try {
                WriteEmlFile(way.outbox, outgoing, time, sender);
                return std::nullopt;
            } catch (const FileError& error) {
                return Format(LoadString(IDS_EML_NOT_WRITTEN).c_str(), error.Path().c_str()) +
                       inClipboard;
            }
    }
    return std::nullopt;
}

// Without a mail program to take them the orders would be lost silently: all of them go to
// the clipboard at once, as the texts the service reads, under one message.
void OrdersToClipboard(platform::IToolkit& toolkit, const std::vector<OrderMail>& mails) {
    if (mails.empty()) return;
    toolkit.SetClipboardText(ClipboardText(mails));
    const OrderMail& first = mails.front();
    toolkit.MessageBox(mails.size() == 1
                           ? Format(LoadString(IDS_NO_MAIL_PROGRAM).c_str(), first.address.c_str(),
                                    first.subject.c_str())
                           : Format(LoadString(IDS_NO_MAIL_PROGRAM_ORDERS).c_str(),
                                    static_cast<int>(mails.size()), first.address.c_str()));
}

// Why Pat cannot take the orders, asked of Pat once per "Envoi" while the progress window
// names the first order; nothing when it can.
std::optional<std::string> AskPatVersion(platform::IToolkit& toolkit, const std::string& patPath,
                                         const OrderMail& first) {
    const platform::ProgramRun run = toolkit.RunProgram(
        {patPath, "version"}, "",
        HandOverProgressText(LoadString(IDS_TO_PAT), {first.address, first.subject, {}}));
    return PatVersionProblem(run);
}

// The codes of the ticked items of a list, ready for the URL: item i stands for the i-th
// row of the map.
void CollectTicked(platform::IToolkit& toolkit, platform::ControlHandle list, CIniTable* table,
                   const std::string& map, std::vector<std::string>& codes) {
    if (!table || list == platform::kNoControl) return;
    table->ForEachItemRow(catalogue::kMapColumn, map, toolkit.CheckListGetCount(list),
                          [&](int item, std::int32_t r) {
                              if (toolkit.CheckListGetCheck(list, item) != 0)
                                  codes.push_back(ForUrl(Unquoted(table->GetCell(r, 2))));
                          });
}

// The orders offered to be sent again: the ones a sailor may still be looking for.
constexpr std::size_t kResendable = 20;

// An order of the history as it is handed over again: the same recipient, subject and
// body; the URL is made anew from them, as Envoi makes it.
OrderMail ResentMail(const OutgoingMail& earlier) {
    const std::string body = ForUrl(earlier.body);
    const bool bulletin = earlier.subject == kBulletinSubject;
    return {earlier.address,
            earlier.subject,
            body,
            "mailto:" + ForUrl(earlier.address) + "?subject=" + ForUrl(earlier.subject) +
                "&body=" + body,
            bulletin ? "WavepostBulletin.txt" : "WavepostGrib.txt",
            false};
}

}  // namespace

bool CMarlockDlg::WriteRequestCopy(std::string content, std::string fileName) {
    const std::string directory = m_toolkit.SystemDirectory();
    return !directory.empty() && WriteRequestCopyFile(directory, fileName, content);
}

std::string CMarlockDlg::UsableStateFolder() {
    const std::string folder = m_toolkit.SystemDirectory();
    if (!folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0) return folder;
    // The orders go all the same; the sailor is told once a run that nothing is kept.
    if (!m_bStateFolderReported) {
        m_bStateFolderReported = true;
        m_toolkit.MessageBox(LoadString(IDS_NO_STATE_FOLDER));
    }
    return {};
}

void CMarlockDlg::RecordHandOver(const std::string& folder, const HistoryRecord& record) {
    if (folder.empty()) return;
    try {
        AppendToHistory(folder, record);
    } catch (const FileError& error) {
        if (m_bHistoryFailureReported) return;
        m_bHistoryFailureReported = true;
        m_toolkit.MessageBox(
            Format(LoadString(IDS_HISTORY_NOT_WRITTEN).c_str(), error.Path().c_str()));
    }
}

void CMarlockDlg::TidyStateFolder() {
    const std::string folder = m_toolkit.SystemDirectory();
    if (folder.empty() || ::access(folder.c_str(), W_OK | X_OK) != 0) return;
    {
        CFolderLock lock(folder);
        RecoverFileSet(folder, StateFiles(folder), {});  // saved aside, never in place
    }
    try {
        if (const std::optional<HistoryRecord> cut = RecoverPendingHandOver(folder))
            m_toolkit.MessageBox(Format(LoadString(IDS_HANDOVER_INTERRUPTED).c_str(),
                                        cut->mail.subject.c_str(), cut->mail.address.c_str()));
    } catch (const FileError& error) {
        m_toolkit.MessageBox(
            Format(LoadString(IDS_HISTORY_NOT_WRITTEN).c_str(), error.Path().c_str()));
    }
}

std::string OrderMail::Text() const {
    return PercentDecoded(urlBody);
}

OrderPlan CMarlockDlg::PlanOrders() {
    if (m_bSaildocs) return PlanSaildocsOrders();
    OrderPlan plan;
    plan.addressFile = StoragePath(LoadString(IDS_CONFIG_FILE_NAME));
    AddressEntry entry, sender;
    try {
        entry = LookUpAddress(plan.addressFile, LoadString(IDS_KEY_METEO));
        sender = LookUpSender(plan.addressFile);
    } catch (const FileError&) {
        plan.noAddressFile = true;
        return plan;
    }
    plan.addressMessage = entry.message;
    plan.addressRefused = entry.refused;
    plan.addressMissing = entry.missing;
    // A placeholder reaches nobody (or, worse, someone): nothing leaves, whatever the way.
    if (!entry.refused && IsPlaceholderAddress(entry.address)) {
        plan.addressMessage =
            Format(LoadString(IDS_ADDRESS_NOT_SET).c_str(), entry.address.c_str());
        plan.addressRefused = plan.addressNotSet = true;
    }
    if (plan.addressRefused) return plan;
    if (sender.refused) {
        plan.addressMessage = sender.message;
        plan.addressRefused = true;
        return plan;
    }
    plan.sender = sender.address;
    const std::string& address = entry.address;
    const std::string base = "mailto:" + ForUrl(address);

    const std::string map = GetMapName();
    std::vector<std::string> codes;
    CollectTicked(m_toolkit, m_pListBulletins, m_pBulletins.get(), map, codes);
    CollectTicked(m_toolkit, m_pListImages, m_pImages.get(), map, codes);
    if (!codes.empty()) {
        std::string body = kBulletinStart + std::string(kOrderLineBreak);
        for (const std::string& code : codes) body += code + kOrderLineBreak;
        body += kRequestEnd;
        plan.mails.push_back({address, kBulletinSubject, body,
                              base + "?body=" + body + "&subject=" + kBulletinSubject,
                              "WavepostBulletin.txt", false});
    }

    const std::string request = BuildGribRequest();
    if (request.empty()) {
        if (codes.empty()) plan.insteadMessage = LoadString(IDS_BAD_PARAMETERS);
    } else if (request.rfind(kGribStart, 0) != 0) {
        // A sentence for the user (no spacing, no kind of order, no day count): there is no
        // order to mail, and the service must never get the sentence.
        plan.insteadMessage = request;
    } else {
        plan.mails.push_back({address, kGribSubject, request,
                              base + "?subject=" + kGribSubject + "&body=" + request,
                              "WavepostGrib.txt", true});
    }
    return plan;
}

HandOverWay CMarlockDlg::CurrentHandOverWay() {
    const ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    return ChooseHandOver(
        settings, settings.method == HandOverMethod::Pat ? m_toolkit.FindProgram("pat") : "");
}

bool CMarlockDlg::HandOverMails(const std::vector<OrderMail>& mails, const HandOverWay& way,
                                const std::string& sender, bool addressMissing) {
    const bool noMailProgram =
        way.method == HandOverMethod::Mail && !mails.empty() && !m_toolkit.HasMailHandler();
    std::optional<std::string> patProblem;
    if (way.method == HandOverMethod::Pat && !mails.empty())
        patProblem = AskPatVersion(m_toolkit, way.patPath, mails.front());
    const std::string folder = mails.empty() ? std::string() : UsableStateFolder();
    // The orders that went to the clipboard instead, all of them kept there together.
    std::vector<OrderMail> inClipboard;
    for (const OrderMail& mail : mails) {
        if (mail.isGribOrder) {
            // The order stays unsent when the choices it was made from cannot be kept.
            try {
                SaveCatalogue();
            } catch (const FileError& error) {
                if (noMailProgram) OrdersToClipboard(m_toolkit, inClipboard);
                m_toolkit.MessageBox(Format(LoadString(IDS_ORDER_NOT_SENT).c_str(),
                                            FileErrorMessage(error).c_str()));
                return false;
            }
        }
        if (noMailProgram) {
            WriteRequestCopy(mail.url, mail.copyFile);
            inClipboard.push_back(mail);
            continue;
        }
        const HistoryRecord record{UtcNow(), way.method, {mail.address, mail.subject, mail.Text()}};
        // The order is noted as under way before it is handed over, and its line written
        // after: a crash in between leaves the note, which the next start records. An
        // order addressed to the error text leaves only once the user mends it: no line.
        bool noted = false;
        if (!folder.empty() && !addressMissing) {
            try {
                WritePendingHandOver(folder, record);
                noted = true;
            } catch (const FileError&) {
                // Without the note the order still goes; only a crash could lose its line.
            }
        }
        // One after the other: the next order is handed over once this one's program ended.
        const std::optional<std::string> failure =
            HandOverOrder(m_toolkit, mail, way, sender, record.time, patProblem);
        WriteRequestCopy(mail.url, mail.copyFile);
        if (!failure && !addressMissing) RecordHandOver(folder, record);
        if (noted) ClearPendingHandOver(folder);
        if (!failure) continue;
        inClipboard.push_back(mail);
        m_toolkit.SetClipboardText(ClipboardText(inClipboard));
        m_toolkit.MessageBox(*failure);
    }
    if (noMailProgram) OrdersToClipboard(m_toolkit, inClipboard);
    return true;
}

void CMarlockDlg::OnSend() {
    const OneHandOverAtATime turn(m_bHandingOver);
    if (turn.Refused()) return;

    ExchangeData(ExchangeDirection::FromControls);
    const OrderPlan plan = PlanOrders();
    if (plan.noAddressFile) {
        m_toolkit.MessageBox(LoadString(IDS_NO_CONFIG_FILE));
        m_nSubscription = 0;
        ExchangeData(ExchangeDirection::ToControls);
        return;
    }
    if (plan.addressNotSet) {
        if (m_toolkit.AskYesNo(*plan.addressMessage + "\n\n" + LoadString(IDS_OFFER_ADDRESSES)))
            OnAddresses();
        return;
    }
    const HandOverWay way = CurrentHandOverWay();
    // Only a mail program lets the user mend a missing address; Pat and the files would
    // take the error text for one.
    if (plan.addressMissing && way.method != HandOverMethod::Mail) {
        m_toolkit.MessageBox(Format(LoadString(IDS_NO_ADDRESS_NOTHING_SENT).c_str(),
                                    LoadString(IDS_KEY_METEO).c_str(), plan.addressFile.c_str()));
        return;
    }
    if (plan.addressMessage) m_toolkit.MessageBox(*plan.addressMessage);
    // A refused address sends nothing, so the choices stay for a try once the file is mended.
    if (plan.addressRefused) return;
    if (!HandOverMails(plan.mails, way, plan.sender, plan.addressMissing)) return;
    if (plan.insteadMessage) m_toolkit.MessageBox(*plan.insteadMessage);
    if (plan.note) m_toolkit.MessageBox(*plan.note);
    if (!plan.HasGribOrder()) return;

    m_nSubscription = 0;
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnResendOrder() {
    const OneHandOverAtATime turn(m_bHandingOver);
    if (turn.Refused()) return;

    // Withdrawn ones too: an order abandoned in the mail program is the one sent again.
    std::vector<HistoryRecord> offered = LastRecords(KnownHistory(), kResendable);
    std::reverse(offered.begin(), offered.end());  // newest first
    const std::optional<HistoryRecord> chosen =
        ChooseFromHistory(offered, IDS_RESEND_NONE, IDS_RESEND_CHOOSE);
    if (!chosen) return;
    const OutgoingMail& earlier = chosen->mail;

    // The history is a file like any other: its recipient is checked as the address
    // file's is before anything leaves.
    if (!IsPlainAddress(earlier.address)) {
        m_toolkit.MessageBox(
            Format(LoadString(IDS_RESEND_BAD_ADDRESS).c_str(), earlier.address.c_str()));
        return;
    }
    if (IsPlaceholderAddress(earlier.address)) {
        if (m_toolkit.AskYesNo(
                Format(LoadString(IDS_ADDRESS_NOT_SET).c_str(), earlier.address.c_str()) + "\n\n" +
                LoadString(IDS_OFFER_ADDRESSES)))
            OnAddresses();
        return;
    }
    std::string sender;
    try {
        const AddressEntry entry = LookUpSender(StoragePath(LoadString(IDS_CONFIG_FILE_NAME)));
        if (entry.refused) {
            m_toolkit.MessageBox(*entry.message);
            return;
        }
        sender = entry.address;
    } catch (const FileError&) {
        // The recipient is the history's: without the address file the order goes unsigned.
    }
    HandOverMails({ResentMail(earlier)}, CurrentHandOverWay(), sender, false);
    RefreshOrderPage();
}

void CMarlockDlg::OnAskQuestion() {
    AddressEntry entry;
    try {
        entry = LookUpAddress(StoragePath(LoadString(IDS_CONFIG_FILE_NAME)),
                              LoadString(IDS_KEY_QUESTION));
    } catch (const FileError&) {
        m_toolkit.MessageBox(LoadString(IDS_NO_CONFIG_FILE));
        return;
    }
    if (!entry.refused && IsPlaceholderAddress(entry.address)) {
        if (m_toolkit.AskYesNo(
                Format(LoadString(IDS_QUESTION_NOT_SET).c_str(), entry.address.c_str()) + "\n\n" +
                LoadString(IDS_OFFER_ADDRESSES)))
            OnAddresses();
        return;
    }
    if (entry.message) m_toolkit.MessageBox(*entry.message);
    if (entry.refused) return;
    const std::string& address = entry.address;
    const char* subject = "Help";
    const std::string url = "mailto:" + ForUrl(address) + "?subject=" + subject;
    if (m_toolkit.HasMailHandler() && m_toolkit.ShellOpen(url, ShowState::Default)) return;
    m_toolkit.SetClipboardText(address);
    m_toolkit.MessageBox(
        Format(LoadString(IDS_NO_MAIL_PROGRAM_QUESTION).c_str(), address.c_str(), subject));
}

void CMarlockDlg::OnHelp() {
    const std::string name = LoadString(IDS_HELP_FILE_NAME);
    if (m_toolkit.ShellOpen(name, ShowState::Default)) return;
    // With no program to show the page, the user is told where it is.
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(name, error);
    m_toolkit.MessageBox(
        Format(LoadString(IDS_NO_HELP_VIEWER).c_str(), error ? name.c_str() : path.c_str()));
}

}  // namespace wavepost

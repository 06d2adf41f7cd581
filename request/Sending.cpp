// Handing the orders, the question mail and the help page to the desktop.
#include <filesystem>
#include <optional>
#include <vector>

#include "app/CConfigFile.h"
#include "app/CMarlockDlg.h"
#include "app/NumberText.h"
#include "app/TextEncoding.h"
#include "app/layout/StringTable.h"
#include "catalogue/CatalogueRows.h"
#include "request/HandOverWay.h"
#include "request/OrderHistory.h"
#include "request/OrderPlan.h"
#include "request/OutgoingMail.h"
#include "request/PatHandOver.h"
#include "request/RequestCopies.h"

namespace wavepost {

using platform::ShowState;

namespace {

constexpr const char* kLineBreak = "%0A";

// True when the text is one plain address: a blank, a control byte, or any of "?&#,;"
// would let a file add recipients or headers to the mail.
bool IsPlainAddress(const std::string& address) {
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return false;
        if (c == '?' || c == '&' || c == '#' || c == ',' || c == ';') return false;
    }
    return true;
}

// One address of the address file, as the program takes it.
struct AddressEntry {
    std::string address;
    // For the user: a missing or empty entry, whose text is used all the same so that the
    // user still gets a mail to correct by hand; or an entry that is not one plain address,
    // which is refused: no mail may go anywhere else.
    std::optional<std::string> message;
    bool refused = false;
};

// Throws FileError when the address file cannot be read.
AddressEntry LookUpAddress(const std::string& file, int keyId) {
    CConfigFile config(file, false);
    AddressEntry entry;
    entry.address = config.GetValue(LoadString(keyId));
    config.Close();
    if (entry.address.empty() || entry.address == LoadString(IDS_CONFIG_ERROR)) {
        entry.message = LoadString(IDS_NO_ADDRESS);
    } else if (!IsPlainAddress(entry.address)) {
        entry.message =
            Format(LoadString(IDS_BAD_ADDRESS).c_str(), LoadString(keyId).c_str(), file.c_str());
        entry.refused = true;
    }
    return entry;
}

// Opens an order mail. Without a mail program to take it the order would be lost
// silently, so it goes to the clipboard as the plain text the service would read, with
// real line breaks, and the user is told where to send it.
bool OpenOrderMail(platform::IToolkit& toolkit, const OrderMail& mail) {
    if (toolkit.HasMailHandler() && toolkit.ShellOpen(mail.url, ShowState::Normal)) return true;
    toolkit.SetClipboardText(mail.Text());
    toolkit.MessageBox(Format(LoadString(IDS_NO_MAIL_PROGRAM).c_str(), mail.address.c_str(),
                              mail.subject.c_str()));
    return false;
}

// Hands one order over the way chosen; false when it went to the clipboard instead, the
// user told why, as when no mail program takes it.
bool HandOverOrder(platform::IToolkit& toolkit, const OrderMail& mail, const HandOverWay& way,
                   UtcTime time) {
    const OutgoingMail outgoing{mail.address, mail.subject, mail.Text()};
    std::string failure;
    switch (way.method) {
        case HandOverMethod::Mail:
            return OpenOrderMail(toolkit, mail);
        case HandOverMethod::Pat: {
            const platform::ProgramRun run = HandToPat(toolkit, way.patPath, outgoing);
            if (PatTookIt(run)) return true;
            failure = PatFailureMessage(run, outgoing);
            break;
        }
        case HandOverMethod::File:
            try {
                WriteEmlFile(way.outbox, outgoing, time);
                return true;
            } catch (const FileError& error) {
                failure = Format(LoadString(IDS_EML_NOT_WRITTEN).c_str(), error.Path().c_str()) +
                          Format(LoadString(IDS_ORDER_IN_CLIPBOARD).c_str(), mail.address.c_str(),
                                 mail.subject.c_str());
            }
            break;
    }
    toolkit.SetClipboardText(outgoing.body);
    toolkit.MessageBox(failure);
    return false;
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

}  // namespace

bool CMarlockDlg::WriteRequestCopy(std::string content, std::string fileName) {
    const std::string directory = m_toolkit.SystemDirectory();
    return !directory.empty() && WriteRequestCopyFile(directory, fileName, content);
}

void CMarlockDlg::RecordHandOver(const OrderMail& mail, HandOverMethod method, UtcTime time) {
    // Without a state folder there are neither copies nor a history.
    const std::string folder = m_toolkit.SystemDirectory();
    if (folder.empty()) return;
    try {
        AppendToHistory(folder, {time, method, {mail.address, mail.subject, mail.Text()}});
    } catch (const FileError& error) {
        if (m_bHistoryFailureReported) return;
        m_bHistoryFailureReported = true;
        m_toolkit.MessageBox(
            Format(LoadString(IDS_HISTORY_NOT_WRITTEN).c_str(), error.Path().c_str()));
    }
}

std::string OrderMail::Text() const {
    return PercentDecoded(urlBody);
}

OrderPlan CMarlockDlg::PlanOrders() {
    OrderPlan plan;
    AddressEntry entry;
    try {
        entry = LookUpAddress(StoragePath(LoadString(IDS_CONFIG_FILE_NAME)), IDS_KEY_METEO);
    } catch (const FileError&) {
        plan.noAddressFile = true;
        return plan;
    }
    plan.addressMessage = entry.message;
    plan.addressRefused = entry.refused;
    if (entry.refused) return plan;
    const std::string& address = entry.address;
    const std::string base = "mailto:" + ForUrl(address);

    const std::string map = GetMapName();
    std::vector<std::string> codes;
    CollectTicked(m_toolkit, m_pListBulletins, m_pBulletins.get(), map, codes);
    CollectTicked(m_toolkit, m_pListImages, m_pImages.get(), map, codes);
    if (!codes.empty()) {
        std::string body = LoadString(IDS_BULLETIN_START) + kLineBreak;
        for (const std::string& code : codes) body += code + kLineBreak;
        body += LoadString(IDS_REQUEST_END);
        plan.mails.push_back({address, "Bulletin", body,
                              base + "?body=" + body + "&subject=Bulletin", "WavepostBulletin.txt",
                              false});
    }

    const std::string request = BuildGribRequest();
    if (request.empty()) {
        if (codes.empty()) plan.insteadMessage = LoadString(IDS_BAD_PARAMETERS);
    } else if (request.rfind(LoadString(IDS_GRIB_START), 0) != 0) {
        // A sentence for the user (no spacing, no kind of order, no day count): there is no
        // order to mail, and the service must never get the sentence.
        plan.insteadMessage = request;
    } else {
        plan.mails.push_back({address, "Grib", request, base + "?subject=Grib&body=" + request,
                              "WavepostGrib.txt", true});
    }
    return plan;
}

void CMarlockDlg::OnSend() {
    ExchangeData(ExchangeDirection::FromControls);
    const OrderPlan plan = PlanOrders();
    if (plan.noAddressFile) {
        m_toolkit.MessageBox(LoadString(IDS_NO_CONFIG_FILE));
        m_nSubscription = 0;
        ExchangeData(ExchangeDirection::ToControls);
        return;
    }
    if (plan.addressMessage) m_toolkit.MessageBox(*plan.addressMessage);
    // A refused address sends nothing, so the choices stay for a try once the file is mended.
    if (plan.addressRefused) return;

    const ProgramSettings settings = LoadSettings(m_toolkit.SettingsDirectory());
    const HandOverWay way = ChooseHandOver(
        settings, settings.method == HandOverMethod::Pat ? m_toolkit.FindProgram("pat") : "");
    for (const OrderMail& mail : plan.mails) {
        if (mail.isGribOrder) {
            // The order stays unsent when the choices it was made from cannot be kept.
            try {
                SaveCatalogue();
            } catch (const FileError& error) {
                m_toolkit.MessageBox(Format(LoadString(IDS_ORDER_NOT_SENT).c_str(), error.what()));
                return;
            }
        }
        const UtcTime now = UtcNow();
        const bool handedOver = HandOverOrder(m_toolkit, mail, way, now);
        WriteRequestCopy(mail.url, mail.copyFile);
        if (handedOver) RecordHandOver(mail, way.method, now);
    }
    if (plan.insteadMessage) m_toolkit.MessageBox(*plan.insteadMessage);
    if (!plan.HasGribOrder()) return;

    m_nSubscription = 0;
    ExchangeData(ExchangeDirection::ToControls);
}

void CMarlockDlg::OnAskQuestion() {
    AddressEntry entry;
    try {
        entry = LookUpAddress(StoragePath(LoadString(IDS_CONFIG_FILE_NAME)), IDS_KEY_QUESTION);
    } catch (const FileError&) {
        m_toolkit.MessageBox(LoadString(IDS_NO_CONFIG_FILE));
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

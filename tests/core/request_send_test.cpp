#include <gtest/gtest.h>

#include <functional>

#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/Favourites.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "request/OrderHistory.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using platform::ShowState;
using test::ReadFile;
using test::SetListCheck;
using test::SetRadio;

// Blanks go into the URL as "%20".
const std::string kOrder = WithBlanksEncoded(
    "@mto@reqt@grib@%0AA 1%0AZ 0.0 0.0 20.0 10.0%0AM 0.5%0AD Monde%0AP vent pmer%0AE 0 12 "
    "24%0AS 1.0%0A@mto@reqt@fin@");
const std::string kGribUrl = "mailto:meteo@example.org?subject=Grib&body=" + kOrder;
const std::string kBulletinUrl =
    "mailto:meteo@example.org?body=@mto@reqt@bull@%0AB1%0AB%202%0AI1%0A@mto@reqt@fin@&subject="
    "Bulletin";

const std::string kBulletinText = "@mto@reqt@bull@\nB1\nB 2\nI1\n@mto@reqt@fin@";
const std::string kGribText =
    "@mto@reqt@grib@\nA 1\nZ 0.0 0.0 20.0 10.0\nM 0.5\nD Monde\nP vent pmer\nE 0 12 "
    "24\nS 1.0\n@mto@reqt@fin@";
const OutgoingMail kBulletinMail{"meteo@example.org", "Bulletin", kBulletinText};
const OutgoingMail kGribMail{"meteo@example.org", "Grib", kGribText};
// Both on the clipboard, as "Copier" and a hand-over that falls back on it put them.
const std::string kBothTexts =
    "===== Message \"Bulletin\" à meteo@example.org : le texte qui suit =====\n" + kBulletinText +
    "\n\n===== Message \"Grib\" à meteo@example.org : le texte qui suit =====\n" + kGribText;

std::string CrLfLines(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out + "\r\n";
}

// The mails a way takes: all of them when it is the way chosen, else none.
std::vector<OutgoingMail> IfTheWay(bool chosen, std::vector<OutgoingMail> mails) {
    return chosen ? mails : std::vector<OutgoingMail>{};
}

std::string EmlBody(const std::string& eml) {
    return eml.substr(eml.find("\r\n\r\n") + 4);
}

struct Sender : test::RequestWindow {
    std::filesystem::path copies = dir.Path() / "state";
    std::filesystem::path settings = dir.Path() / "config";
    Sender() {
        std::filesystem::create_directory(copies);
        tk.systemDirectory = copies.string();
        tk.settingsDirectory = settings.string();
    }
    void TickBulletins() {
        SetListCheck(tk, dlg.m_pListBulletins, 0, 1);
        SetListCheck(tk, dlg.m_pListBulletins, 1, 1);
        SetListCheck(tk, dlg.m_pListImages, 0, 1);
    }
    std::string Copy(const char* name) const { return ReadFile(copies / name); }
    std::string Outbox() const { return (dir.Path() / "outbox").string(); }
    // Pat on the PATH, of a version that reads the order; its other runs answer runResult.
    void UsePat(const std::string& version = "Pat v0.16.0 (abc1234) linux/amd64 - go1.19") {
        test::WriteFile(settings / "settings.txt", "handover=pat\n");
        tk.programsOnPath["pat"] = "/opt/pat/bin/pat";
        tk.answer = [this, version](const std::vector<std::string>& argv) {
            platform::ProgramRun run = tk.runResult;
            if (argv.size() == 2 && argv[1] == "version")
                run = {true, false, 0, {}, false, version};
            return run;
        };
    }
    // Each history record as "<way> <subject>[ withdrawn]".
    std::vector<std::string> HistoryLines() const {
        std::vector<std::string> lines;
        for (const HistoryRecord& r : ReadHistory(copies.string()).records)
            lines.push_back(std::string(MethodName(r.method)) + " " + r.mail.subject +
                            (r.withdrawn ? " withdrawn" : ""));
        return lines;
    }
    // "OUTBOX" stands for the test's outbox folder.
    std::string InFolder(std::string text) const {
        for (std::size_t at; (at = text.find("OUTBOX")) != std::string::npos;)
            text.replace(at, 6, Outbox());
        return text;
    }
    // The settings file as given, with the outbox folder made.
    void HandOverBy(const std::string& settingsText) {
        test::WriteFile(settings / "settings.txt", InFolder(settingsText));
        std::filesystem::create_directory(Outbox());
    }
    // The message files in the folder (the outbox by default), the Bulletin's first.
    std::vector<std::string> Emls(std::string folder = {}) const {
        if (folder.empty()) folder = Outbox();
        std::vector<std::string> emls;
        if (std::filesystem::exists(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                emls.push_back(ReadFile(entry.path()));
        std::sort(emls.begin(), emls.end(), [](const std::string& a, const std::string& b) {
            return a.find("Bulletin") < b.find("Bulletin");
        });
        return emls;
    }
    // The mails given to Pat, after the question of its version.
    void ExpectComposed(const std::vector<OutgoingMail>& mails) const {
        ASSERT_EQ(tk.runs.size(), mails.empty() ? 0 : mails.size() + 1);
        for (std::size_t i = 0; i < mails.size(); ++i) {
            EXPECT_EQ(tk.runs[i + 1].argv,
                      (std::vector<std::string>{"/opt/pat/bin/pat", "compose", "-s",
                                                mails[i].subject, mails[i].address}));
            EXPECT_EQ(tk.runs[i + 1].standardInput, mails[i].body);
        }
    }
    // The mails written as message files into the outbox.
    void ExpectFiled(const std::vector<OutgoingMail>& mails) const {
        const std::vector<std::string> emls = Emls();
        ASSERT_EQ(emls.size(), mails.size());
        for (std::size_t i = 0; i < mails.size(); ++i) {
            EXPECT_EQ(
                emls[i].rfind(
                    "To: " + mails[i].address + "\r\nSubject: " + mails[i].subject + "\r\n", 0),
                0u);
            EXPECT_EQ(EmlBody(emls[i]), CrLfLines(mails[i].body));
        }
    }
    std::vector<std::string> clipboardAtMessage;
    void WatchClipboard() {
        tk.onMessageBox = [this](const std::string&) {
            clipboardAtMessage.push_back(tk.clipboard);
        };
    }
    std::string OrderPage() {
        tk.SelectTab(kOrderPage);
        return tk.Control(IDC_ORDER_TEXT_EDIT).text;
    }
};

TEST(Sending, BulletinsThenGribThenSingleRequestAgain) {
    Sender w;
    w.TickBulletins();
    SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
    w.tk.Click(IDC_SEND_BUTTON);
    const std::string permanent =
        "mailto:meteo@example.org?subject=Grib&body=@mto@reqt@grib@%0AA%20X" +
        kOrder.substr(kOrder.find("%0AZ"));
    ASSERT_EQ(w.tk.opened.size(), 2u);
    EXPECT_EQ(w.tk.opened[0], std::make_pair(kBulletinUrl, ShowState::Normal));
    EXPECT_EQ(w.tk.opened[1], std::make_pair(permanent, ShowState::Normal));
    EXPECT_TRUE(w.tk.messages.empty());
    EXPECT_EQ(w.Copy("WavepostBulletin.txt"), kBulletinUrl);
    EXPECT_EQ(w.Copy("WavepostGrib.txt"), permanent);
    EXPECT_EQ(w.tk.Control(IDC_SUBSCRIPTION_SINGLE_RADIO).check, 1);
    // The choices were saved with the order.
    EXPECT_NE(ReadFile(w.dir / "ini/bulletins.txt").find("Monde;B1;Un;1"), std::string::npos);
}

TEST(Sending, IncompleteOrdersAreNotMailed) {
    Sender w;
    const std::string options = ReadFile(w.dir / "ini/options.txt");
    test::WriteFile(w.copies / "WavepostGrib.txt", "earlier");
    SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 1, 0);
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_BAD_PARAMETERS)});
    EXPECT_TRUE(w.tk.opened.empty());

    // Bulletins alone go without a message.
    w.tk.messages.clear();
    w.TickBulletins();
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_TRUE(w.tk.messages.empty());
    EXPECT_EQ(w.tk.opened.size(), 1u);

    // Without a spacing the sentence is shown, not mailed as an order.
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 1);
    w.tk.Control(IDC_MESH_LON_COMBO).selection = w.tk.Control(IDC_MESH_LAT_COMBO).selection = -1;
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_NO_MESH)});
    ASSERT_EQ(w.tk.opened.size(), 2u);
    EXPECT_EQ(w.tk.opened[1].first, kBulletinUrl);

    EXPECT_EQ(w.tk.Control(IDC_SUBSCRIPTION_PERMANENT_RADIO).check, 1);
    EXPECT_EQ(ReadFile(w.dir / "ini/options.txt"), options);
    EXPECT_EQ(w.Copy("WavepostGrib.txt"), "earlier");
}

TEST(Sending, AddressFileProblems) {
    Sender w;
    test::WriteFile(w.dir / "init.cnf", "question=q@example.org\r\n");
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_NO_ADDRESS)});
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(
        w.tk.opened[0].first,
        "mailto:Erreur%20dans%20le%20fichier%20de%20configuration?subject=Grib&body=" + kOrder);
    // Addressed to the error text, the order leaves only once the user mends the address.
    EXPECT_TRUE(ReadHistory(w.copies.string()).records.empty());

    w.tk.messages.clear();
    w.tk.opened.clear();
    std::filesystem::remove(w.dir / "init.cnf");
    w.TickBulletins();
    SetRadio(w.tk, IDC_SUBSCRIPTION_DAYS_RADIO);
    w.tk.Click(IDC_SEND_BUTTON);
    w.tk.Click(IDC_QUESTION_BUTTON);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>(2, LoadString(IDS_NO_CONFIG_FILE)));
    EXPECT_TRUE(w.tk.opened.empty());
    EXPECT_EQ(w.tk.Control(IDC_SUBSCRIPTION_SINGLE_RADIO).check, 1);
}

// An address that is not one plain address is named and refused: no mail goes anywhere,
// nothing is saved or copied.
TEST(Sending, AddressesThatAreNotOnePlainAddressAreRefused) {
    const std::vector<std::string> bad = {"grib@example.org<x@evil.example>",
                                          "evil:x@evil.example",
                                          "m@b?bcc=s@e",
                                          "m@b,s@e",
                                          "m@b;s@e",
                                          "m@b ",
                                          "m @b",
                                          "m@\x01b",
                                          std::string(251, 'm') + "@b.c"};
    for (const std::string& address : bad) {
        Sender w;
        const std::string options = ReadFile(w.dir / "ini/options.txt");
        const std::string config = w.dlg.StoragePath("init.cnf");
        test::WriteFile(config, "meteo=" + address + "\r\nquestion=" + address + "\r\n");
        w.TickBulletins();
        SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
        w.tk.Click(IDC_SEND_BUTTON);
        w.tk.Click(IDC_QUESTION_BUTTON);
        auto refused = [&](const char* key) {
            return "L'adresse de la clé \"" + std::string(key) + "\" du fichier \"" + config +
                   "\" n'est pas une adresse simple de la forme nom@domaine :\nni blanc, ni "
                   "caractère de contrôle, ni < > : , ; ni guillemets hors d'un nom entre "
                   "guillemets,\net au plus 254 octets.\nAucun message n'a été envoyé.";
        };
        EXPECT_EQ(w.tk.messages, (std::vector<std::string>{refused("meteo"), refused("question")}))
            << address;
        EXPECT_TRUE(w.tk.opened.empty()) << address;
        EXPECT_TRUE(w.tk.clipboard.empty()) << address;
        EXPECT_TRUE(std::filesystem::is_empty(w.copies)) << address;
        EXPECT_EQ(ReadFile(w.dir / "ini/options.txt"), options) << address;
        // Nothing was sent, so the kind of order stays for the next try.
        EXPECT_EQ(w.tk.Control(IDC_SUBSCRIPTION_PERMANENT_RADIO).check, 1) << address;
    }
}

// A code from a file and an address reach the mail as the texts they are (one recipient,
// the program's fields), the copy holds the URL handed over, the clipboard the plain text.
TEST(Sending, TextsFromFilesCannotAddRecipientsOrLines) {
    Sender w;
    test::WriteFile(w.dir / "init.cnf", "meteo=met%65o@example.org\r\nquestion=q@example.org\r\n");
    std::string bulletins = ReadFile(w.dir / "ini/bulletins.txt");
    bulletins.replace(bulletins.find("Monde;B1;"), 9, "Monde;X&bcc=someone@elsewhere&x=<y>;");
    test::WriteFile(w.dir / "ini/bulletins.txt", bulletins);
    test::ShowMap(w, 0);
    SetListCheck(w.tk, w.dlg.m_pListBulletins, 0, 1);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 1, 0);
    w.tk.Click(IDC_SEND_BUTTON);
    const std::string url =
        "mailto:met%2565o@example.org?body=@mto@reqt@bull@%0AX%26bcc%3Dsomeone@elsewhere%26x%3D%"
        "3Cy%3E%0A@mto@reqt@fin@&subject=Bulletin";
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first, url);
    EXPECT_EQ(w.Copy("WavepostBulletin.txt"), url);
    EXPECT_TRUE(w.tk.messages.empty());
    w.tk.mailHandler = false;
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.clipboard, "@mto@reqt@bull@\nX&bcc=someone@elsewhere&x=<y>\n@mto@reqt@fin@");
}

TEST(Sending, WithoutMailProgramTheOrdersGoToTheClipboard) {
    Sender w;
    w.tk.Click(IDC_QUESTION_BUTTON);
    w.tk.Click(IDC_HELP_BUTTON);
    EXPECT_EQ(w.tk.opened, (std::vector<std::pair<std::string, ShowState>>{
                               {"mailto:questions@example.org?subject=Help", ShowState::Default},
                               {"aide.html", ShowState::Default}}));

    w.WatchClipboard();
    w.tk.opened.clear();
    w.tk.mailHandler = false;
    w.TickBulletins();
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_TRUE(w.tk.opened.empty());
    // Both orders at once, each under the line naming its mail, and one message.
    EXPECT_EQ(w.tk.messages,
              std::vector<std::string>{
                  "Aucun programme de messagerie n'a pu être ouvert.\nLes 2 commandes ont été "
                  "copiées ensemble dans le presse-papiers, chacune sous une ligne qui nomme son "
                  "message.\nEnvoyez chacune dans un message à part à l'adresse "
                  "meteo@example.org, avec le sujet que donne sa ligne."});
    EXPECT_EQ(w.clipboardAtMessage, std::vector<std::string>{kBothTexts});
    EXPECT_EQ(w.Copy("WavepostGrib.txt"), kGribUrl);
    EXPECT_TRUE(ReadHistory(w.copies.string()).records.empty());
    // "Copier" puts the same there.
    w.tk.clipboard.clear();
    w.tk.Click(IDC_ORDER_COPY_BUTTON);
    EXPECT_EQ(w.tk.clipboard, kBothTexts);
    // One order alone, as it is.
    for (int i : {0, 1}) SetListCheck(w.tk, w.dlg.m_pListBulletins, i, 0);
    SetListCheck(w.tk, w.dlg.m_pListImages, 0, 0);
    w.tk.Click(IDC_ORDER_COPY_BUTTON);
    EXPECT_EQ(w.tk.clipboard, kGribText);
    w.tk.messages.clear();
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.clipboard, kGribText);
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_NE(w.tk.messages[0].find("avec le sujet \"Grib\""), std::string::npos);

    // A program that refuses the URL counts the same.
    w.tk.mailHandler = true;
    w.tk.shellOpenSucceeds = false;
    w.tk.messages.clear();
    w.tk.Click(IDC_QUESTION_BUTTON);
    EXPECT_EQ(w.tk.clipboard, "questions@example.org");
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_NE(w.tk.messages[0].find("questions@example.org avec le sujet \"Help\""),
              std::string::npos);

    // With nothing to show the help page, the message names it by its full path. The
    // program opens it by its bare name, from the folder it was started in.
    test::WorkingDirectoryAt started(w.dir.Path());
    w.tk.messages.clear();
    w.tk.Click(IDC_HELP_BUTTON);
    EXPECT_EQ(w.tk.messages,
              std::vector<std::string>{"Aucun programme n'a pu ouvrir la page d'aide.\nOuvrez le "
                                       "fichier \"" +
                                       (w.dir.Path() / "aide.html").string() +
                                       "\" avec votre navigateur."});
}

TEST(Sending, FilesThatCannotBeWritten) {
    Sender w;
    // A copy that cannot be written leaves a one-line log; the mail still goes.
    std::filesystem::create_directory(w.copies / "WavepostGrib.txt");
    test::WriteFile(w.copies / "wavepost_error.log", "old line\nanother\n");
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.Copy("wavepost_error.log"), "Unable to open file for writing\n");
    EXPECT_TRUE(w.tk.messages.empty());

    // A catalogue that cannot be saved is named, and the order stays unsent.
    std::filesystem::remove(w.dir / "ini/echeances.txt");
    std::filesystem::create_directory(w.dir / "ini/echeances.txt");
    SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
    w.tk.Click(IDC_SEND_BUTTON);
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_EQ(w.tk.messages[0].rfind("La commande Grib n'a PAS été envoyée", 0), 0u)
        << w.tk.messages[0];
    EXPECT_NE(w.tk.messages[0].find(w.dlg.StoragePath("ini/echeances.txt")), std::string::npos);
    EXPECT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.Control(IDC_SUBSCRIPTION_PERMANENT_RADIO).check, 1);
}

// The order page shows, before "Envoi", each mail it then hands over, byte for byte, and the
// messages it then shows instead.
TEST(Sending, TheOrderPageShowsWhatEnvoiThenDoes) {
    struct Case {
        const char* name;
        std::function<void(Sender&)> setUp;
        const char* kind;
        bool addressMessage = false, insteadMessage = false;
    };
    const auto noSpacing = [](Sender& w) {
        w.TickBulletins();
        w.tk.Control(IDC_MESH_LON_COMBO).selection = w.tk.Control(IDC_MESH_LAT_COMBO).selection =
            -1;
    };
    const auto noAddress = [](Sender& w) {
        test::WriteFile(w.dir / "init.cnf", "question=q@example.org\r\n");
        SetRadio(w.tk, IDC_SUBSCRIPTION_DAYS_RADIO);
        w.tk.Control(IDC_DAYS_EDIT).text = "5";
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"bulletins and a permanent subscription", [](Sender& w) { w.TickBulletins(), SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO); }, "Abonnement GRIB permanent"},
        {"nothing to order", [](Sender& w) { SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0), SetListCheck(w.tk, w.dlg.m_pListParametres, 1, 0); }, "Aucune demande GRIB", false, true},
        {"bulletins without a spacing", noSpacing, "Aucune demande GRIB", false, true},
        {"no address, for 5 days", noAddress, "Abonnement GRIB pour 5 jours", true},
        {"no kind of order", [](Sender& w) { for (int id : *RadioGroupOf(IDC_SUBSCRIPTION_SINGLE_RADIO)) w.tk.Control(id).check = 0; }, "Aucune demande GRIB", false, true},
        {"for 0 days", [](Sender& w) { SetRadio(w.tk, IDC_SUBSCRIPTION_DAYS_RADIO), w.tk.Control(IDC_DAYS_EDIT).text = "0"; }, "Aucune demande GRIB", false, true},
        {"cancel all", [](Sender& w) { SetRadio(w.tk, IDC_SUBSCRIPTION_CANCEL_RADIO); }, "Suppression de tous les abonnements en cours"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Sender w;
        c.setUp(w);
        w.tk.SelectTab(kOrderPage);
        const std::string page = w.tk.Control(IDC_ORDER_TEXT_EDIT).text;
        EXPECT_EQ(w.tk.Control(IDC_ORDER_KIND_LABEL).text, c.kind) << c.name;
        // A size only for an order with a GRIB reply.
        EXPECT_EQ(w.tk.Control(IDC_ORDER_SIZE_LABEL).text.empty(),
                  c.insteadMessage || std::string(c.name) == "cancel all")
            << c.name;
        w.tk.Click(IDC_SEND_BUTTON);

        std::string expected;
        if (c.addressMessage) expected += w.tk.messages.at(0) + "\n\n";
        for (const auto& [url, show] : w.tk.opened) {
            const std::size_t query = url.find('?');
            const std::size_t body = url.find("body=") + 5;
            // Instead of a recipient, the page names what is missing.
            const std::string to = c.addressMessage
                                       ? "aucune adresse (clé \"meteo\" absente ou vide dans \"" +
                                             w.dlg.StoragePath("init.cnf") + "\")"
                                       : PercentDecoded(url.substr(7, query - 7));
            expected += "À : " + to + "\nObjet : " +
                        (url.find("subject=Grib") != std::string::npos ? "Grib" : "Bulletin") +
                        "\n\n" + PercentDecoded(url.substr(body, url.find('&', body) - body)) +
                        "\n\n";
        }
        if (c.insteadMessage)
            expected += "Envoi afficherait ce message :\n" +
                        w.tk.messages.at(w.tk.messages.size() - 1) + "\n";
        while (!expected.empty() && expected.back() == '\n') expected.pop_back();
        EXPECT_EQ(page, expected) << c.name;
        EXPECT_FALSE(w.tk.opened.empty() && !c.insteadMessage) << c.name;
    }
}

// Each way of handing the orders over, as the settings file chooses it; the copies are
// written whatever the way, and the history keeps what was handed over.
TEST(Sending, EachWayOfHandingOver) {
    struct Case {
        const char* name;
        std::string settings;
        std::function<void(Sender&)> setUp;
        bool mail, pat, files;  // the way that takes the orders
        const char* message;    // each order's message starts so; none when empty
        const char* way;        // in the history; none when empty
    };
    const auto patOnPath = [](Sender& w) { w.UsePat(); };
    const auto noOutbox = [](Sender& w) { std::filesystem::remove(w.Outbox()); };
    const auto refusing = [&](Sender& w) {
        patOnPath(w);
        w.tk.runResult = {true, false, 2, "no callsign configured", false, {}};
    };
    const char* patSaid =
        "Pat n'a pas pu prendre la commande (code 2) :\nno callsign configured\n\n";
    const char* notWritten =
        "La commande n'a pas pu être écrite dans le dossier d'envoi :\n\"OUTBOX/";
    // clang-format off
    const std::vector<Case> cases = {
        {"mail by default", "", {}, true, false, false, "", "mail"},
        {"pat", "handover=pat\n", patOnPath, false, true, false, "", "pat"},
        {"pat not on the PATH", "handover=pat\n", {}, true, false, false, "", "mail"},
        {"pat refusing", "handover=pat\n", refusing, false, true, false, patSaid, ""},
        {"files", "handover=file\noutbox=OUTBOX\n", {}, false, false, true, "", "file"},
        {"files without a folder chosen", "handover=file\n", {}, true, false, false, "", "mail"},
        {"files into a missing folder", "handover=file\noutbox=OUTBOX\n", noOutbox, false, false, false, notWritten, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sender w;
        w.HandOverBy(c.settings);
        if (c.setUp) c.setUp(w);
        w.WatchClipboard();
        w.TickBulletins();
        w.tk.Click(IDC_SEND_BUTTON);

        EXPECT_EQ(w.tk.opened.size(), c.mail ? 2u : 0u);
        w.ExpectComposed(IfTheWay(c.pat, {kBulletinMail, kGribMail}));
        w.ExpectFiled(IfTheWay(c.files, {kBulletinMail, kGribMail}));
        if (*c.message) {
            ASSERT_EQ(w.tk.messages.size(), 2u);
            for (const std::string& message : w.tk.messages)
                EXPECT_EQ(message.rfind(w.InFolder(c.message), 0), 0u) << message;
            EXPECT_EQ(w.clipboardAtMessage, (std::vector<std::string>{kBulletinText, kBothTexts}));
        } else {
            EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
        }
        EXPECT_EQ(w.Copy("WavepostBulletin.txt"), kBulletinUrl);
        EXPECT_EQ(w.Copy("WavepostGrib.txt"), kGribUrl);

        const std::vector<std::string> history = w.HistoryLines();
        if (*c.way) {
            EXPECT_EQ(history, (std::vector<std::string>{std::string(c.way) + " Bulletin",
                                                         std::string(c.way) + " Grib"}));
            EXPECT_EQ(ReadHistory(w.copies.string()).records.at(1).mail, kGribMail);
        } else {
            EXPECT_TRUE(history.empty());
        }
    }
}

// Saildocs: one order in its syntax by every way, no bulletins (said), no weather cost, its
// own reply size; the catalogue's service chosen again gives its order unchanged.
TEST(Sending, SaildocsOrdersByEachWay) {
    const std::string text = "send gfs:5S,5N,10W,10E|0.5,0.5|0,12,24|WIND,PRMSL";
    // As handed over: plain ASCII, the blanks and bars encoded.
    const std::string url =
        "mailto:query@saildocs.com?subject=Grib&body=send%20gfs:5S,5N,10W,"
        "10E%7C0.5,0.5%7C0,12,24%7CWIND,PRMSL";
    const OutgoingMail order{"query@saildocs.com", "Grib", text};
    struct Case {
        const char* name;
        std::string settings;
        bool mail, pat, files;  // the way that takes the order
    };
    const std::vector<Case> cases = {
        {"mail", "", true, false, false},
        {"pat", "handover=pat\n", false, true, false},
        {"files", "handover=file\noutbox=OUTBOX\n", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sender w;
        // The service's codes for this catalogue's parameters: a table edit.
        test::WriteFile(w.dir / "ini/saildocs.txt",
                        "Genre;Code;Valeur;Messages;Description\r\nADRESSE;;query@saildocs.com;;"
                        "\r\nMODELE;;gfs;;\r\nPAS;;3;;\r\nDERNIERE;;384;;\r\nMAILLE;;0.5;;\r\n"
                        "LIGNE;;72;;\r\nPARAM;vent;WIND;2;\r\nPARAM;pmer;PRMSL;1;\r\n");
        w.HandOverBy(c.settings);
        if (c.pat) w.UsePat();
        w.TickBulletins();
        w.tk.Choose(IDC_SERVICE_COMBO, 1);
        EXPECT_NE(ReadFile(w.settings / "settings.txt").find("service=saildocs\n"),
                  std::string::npos);
        EXPECT_EQ(w.tk.Control(IDC_WEATHER_COST_EDIT).text, "0.00 EUR");
        EXPECT_EQ(w.OrderPage(), "À : query@saildocs.com\nObjet : Grib\n\n" + text + "\n\n" +
                                     LoadString(IDS_SD_NO_BULLETINS));
        // 21 x 41 points, wind (u, v) and pressure at 3 steps: 9 messages of 108 + 1292
        // bytes, as the service sends them, uncompressed.
        const std::string size = w.tk.Control(IDC_ORDER_SIZE_LABEL).text;
        EXPECT_EQ(size.rfind("Fichier GRIB estimé : 12.6 ko (861 points).", 0), 0u) << size;

        w.tk.messages.clear();
        w.tk.Click(IDC_SEND_BUTTON);
        EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_SD_NO_BULLETINS)});
        ASSERT_EQ(w.tk.opened.size(), c.mail ? 1u : 0u);
        if (c.mail) {
            EXPECT_EQ(w.tk.opened[0].first, url);
        }
        w.ExpectComposed(IfTheWay(c.pat, {order}));
        w.ExpectFiled(IfTheWay(c.files, {order}));
        EXPECT_EQ(w.Copy("WavepostGrib.txt"), url);
        const HistoryContents history = ReadHistory(w.copies.string());
        ASSERT_EQ(history.records.size(), 1u);
        EXPECT_EQ(history.records[0].mail, order);

        // Back to the catalogue's service: its order as before.
        w.tk.Choose(IDC_SERVICE_COMBO, 0);
        w.tk.opened.clear();
        test::WriteFile(w.settings / "settings.txt", "service=catalogue\n");
        w.tk.Click(IDC_SEND_BUTTON);
        ASSERT_EQ(w.tk.opened.size(), 2u);
        EXPECT_EQ(w.tk.opened[1].first, kGribUrl);
    }
}

// The shipped placeholders stop every way and offer the address dialog, which takes only
// plain, real addresses and writes them into the file, every other byte kept.
TEST(Sending, PlaceholderAddressesStopEveryWayUntilSet) {
    const std::string shipped =
        ReadFile(std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data/init.cnf");
    const std::string notSet =
        Format(LoadString(IDS_ADDRESS_NOT_SET).c_str(), "commandes@a-regler.invalid");
    for (const char* settings : {"", "handover=pat\n", "handover=file\noutbox=OUTBOX\n"}) {
        SCOPED_TRACE(settings);
        Sender w;
        test::WriteFile(w.dir / "init.cnf", shipped);
        w.HandOverBy(settings);
        w.tk.programsOnPath["pat"] = "/opt/pat/bin/pat";
        w.TickBulletins();
        EXPECT_EQ(w.OrderPage(), notSet);
        w.tk.Click(IDC_SEND_BUTTON);
        EXPECT_EQ(w.tk.questions,
                  std::vector<std::string>{notSet + "\n\n" + LoadString(IDS_OFFER_ADDRESSES)});
        EXPECT_TRUE(w.tk.messages.empty() && w.tk.forms.empty() && w.tk.opened.empty());
        EXPECT_TRUE(w.tk.runs.empty() && w.Emls().empty());
        EXPECT_FALSE(std::filesystem::exists(w.copies / "history.txt"));
        w.tk.Click(IDC_ORDER_SAVE_BUTTON);
        EXPECT_EQ(w.tk.messages, std::vector<std::string>{notSet});
        EXPECT_EQ(ReadFile(w.dir / "init.cnf"), shipped);
    }

    Sender w;
    test::WriteFile(w.dir / "init.cnf", shipped);
    w.tk.yesAnswer = true;
    const std::vector<std::string> refused = {"grib@example.org<x@evil.example>", "q@example.org",
                                              ""};
    const std::vector<std::string> placeholder = {"commandes@a-regler.invalid", "q@example.org",
                                                  ""};
    w.tk.formAnswers = {refused,
                        placeholder,
                        {" bord@voilier.example.net ", "q@example.org", "moi@bord.example.net"}};
    w.tk.Click(IDC_SEND_BUTTON);
    ASSERT_EQ(w.tk.forms.size(), 3u);
    EXPECT_EQ(w.tk.forms[0].values, (std::vector<std::string>{"commandes@a-regler.invalid",
                                                              "questions@a-regler.invalid", ""}));
    EXPECT_EQ(w.tk.forms[1].values, refused);
    EXPECT_EQ(w.tk.messages,
              (std::vector<std::string>{
                  Format(LoadString(IDS_ADDRESS_REFUSED).c_str(), refused[0].c_str()),
                  Format(LoadString(IDS_ADDRESS_PLACEHOLDER).c_str(), placeholder[0].c_str())}));
    std::string expected = shipped;
    expected.replace(expected.find("commandes@a-regler.invalid"), 26, "bord@voilier.example.net");
    expected.replace(expected.find("questions@a-regler.invalid"), 26, "q@example.org");
    EXPECT_EQ(ReadFile(w.dir / "init.cnf"), expected + "expediteur=moi@bord.example.net\r\n");
    EXPECT_TRUE(w.tk.opened.empty());

    w.tk.messages.clear();
    w.tk.Click(IDC_SEND_BUTTON);
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first.rfind("mailto:bord@voilier.example.net?subject=Grib&body=", 0),
              0u);
    w.tk.Click(IDC_QUESTION_BUTTON);
    EXPECT_EQ(w.tk.opened.back().first, "mailto:q@example.org?subject=Help");
}

// A history that cannot be written, or no state folder at all, is told once; orders still go.
TEST(Sending, AHistoryThatCannotBeWrittenIsToldOnceAndStopsNothing) {
    for (const bool noStateFolder : {false, true}) {
        Sender w;
        const std::string history = (w.copies / "history.txt").string();
        if (noStateFolder)
            w.tk.systemDirectory.clear();
        else
            std::filesystem::create_directory(history);
        w.TickBulletins();
        w.tk.Click(IDC_SEND_BUTTON);
        w.tk.Click(IDC_SEND_BUTTON);
        EXPECT_EQ(w.tk.opened.size(), 4u);
        EXPECT_EQ(w.tk.messages,
                  std::vector<std::string>{
                      noStateFolder
                          ? LoadString(IDS_NO_STATE_FOLDER)
                          : Format(LoadString(IDS_HISTORY_NOT_WRITTEN).c_str(), history.c_str())});
        if (!noStateFolder) {
            EXPECT_EQ(w.Copy("WavepostGrib.txt"), kGribUrl);
        }
    }
}

// The page offers the ways this machine has, keeps the one chosen, asks for the outbox
// folder the files need, saves the orders as message files where the user picks, and
// lists the orders handed over with the subscription they started.
TEST(Sending, TheOrderPageChoosesTheWaySavesAndLists) {
    Sender w;
    const auto items = [&] { return w.tk.Control(IDC_HANDOVER_COMBO).items; };
    EXPECT_EQ(items(), (std::vector<std::string>{"Messagerie", "Fichier"}));
    w.tk.SelectTab(kOrderPage);
    EXPECT_EQ(w.tk.Control(IDC_HISTORY_EDIT).text,
              "Abonnements en cours d'après l'historique : aucun\nAucune commande transmise "
              "pour l'instant.");

    // Files without a folder: the folder is asked for; cancelled, the way stays the mail.
    w.tk.Choose(IDC_HANDOVER_COMBO, 1);
    EXPECT_EQ(w.tk.Control(IDC_HANDOVER_COMBO).selection, 0);
    EXPECT_FALSE(std::filesystem::exists(w.settings / "settings.txt"));
    std::filesystem::create_directory(w.Outbox());
    w.tk.pickedFolder = w.Outbox();
    w.tk.Choose(IDC_HANDOVER_COMBO, 1);
    EXPECT_EQ(ReadFile(w.settings / "settings.txt"),
              "handover=file\noutbox=" + w.Outbox() + "\nsave-folder=\n");

    // "Enregistrer..." writes what the page shows, and starts in the same folder next time.
    const std::string saved = (w.dir.Path() / "saved").string();
    std::filesystem::create_directory(saved);
    w.tk.pickedFolder = saved;
    w.tk.Click(IDC_ORDER_SAVE_BUTTON);
    w.tk.Click(IDC_ORDER_SAVE_BUTTON);
    EXPECT_EQ(w.tk.folderPickerStarts.back(), saved);
    const std::vector<std::string> files = w.Emls(saved);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(EmlBody(files[0]), CrLfLines(kGribText));
    EXPECT_TRUE(w.Emls().empty());

    // Sent as a permanent subscription, the order is listed with the subscription it began.
    SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
    w.tk.SelectTab(kOptionsPage);
    w.tk.SelectTab(kOrderPage);
    w.tk.Click(IDC_SEND_BUTTON);
    const std::string history = w.tk.Control(IDC_HISTORY_EDIT).text;
    EXPECT_EQ(history.rfind("Dossier d'envoi : " + w.Outbox() +
                                "\nAbonnements en cours d'après l'historique :\n  permanent "
                                "depuis le ",
                            0),
              0u)
        << history;
    EXPECT_NE(history.find("Dernières commandes :\n  "), std::string::npos) << history;
    EXPECT_NE(history.find(" Grib à meteo@example.org, écrite dans le dossier"), std::string::npos)
        << history;
}

// A hand-over that fails in any way is told once per order, naming it, with the order on
// the clipboard; it leaves no history line; the next order is still handed over after it.
TEST(HandOver, EveryFailureIsToldAndLeavesNoHistoryLine) {
    using platform::ProgramRun;
    struct Case {
        const char* name;
        bool pat;
        ProgramRun run;          // the answer to the opener, or to "pat compose"
        std::string patVersion;  // what "pat version" prints
        const char* says;        // each order's message holds it; none: handed over
    };
    const std::string v16 = "Pat v0.16.0 (abc1234) linux/amd64 - go1.19";
    // clang-format off
    const Case cases[] = {
        {"mail program exits 1", false, {true, false, 1, "refused", false, {}}, "", "n'a pas pris la commande (code 1).\nrefused"},
        {"opener missing", false, {false, false, -1, "No such file", false, {}}, "", "n'a pas pu être ouverte :\nNo such file"},
        {"opener timed out", false, {true, true, -1, "", false, {}}, "", "n'a pas rendu la main"},
        {"cancelled", false, {true, false, -1, "", true, {}}, "", "à la messagerie a été annulée"},
        {"pat fails", true, {true, false, 1, "no mycall", false, {}}, v16, "(code 1) :\nno mycall"},
        {"pat cancelled", true, {true, false, -1, "", true, {}}, v16, "à Pat a été annulée"},
        {"pat 0.17 would prompt", true, {true, false, 0, "", false, {}}, "Pat v0.17.0 (x) linux/amd64", "(v0.17.0) demanderait"},
        {"pat 0.12 would prompt", true, {true, false, 0, "", false, {}}, "Pat v0.12.1 (x)", "(v0.12.1) demanderait"},
        {"pat version unreadable", true, {true, false, 0, "", false, {}}, "pat: unknown command", "\"pat version\""},
        {"pat 0.13 reads", true, {true, false, 0, "", false, {}}, "Pat v0.13.0 (x)", nullptr},
        {"pat 0.18 reads", true, {true, false, 0, "", false, {}}, "Pat v0.18.0 (x) linux/arm64 - go1.21", nullptr},
        {"pat 1.0 reads", true, {true, false, 0, "", false, {}}, "Pat v1.0.0 (x)", nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sender w;
        if (c.pat) w.UsePat(c.patVersion);
        w.tk.runResult = c.run;
        w.WatchClipboard();
        w.TickBulletins();
        w.tk.Click(IDC_SEND_BUTTON);
        // Both orders were tried, the bulletins first.
        const std::size_t tried = c.pat ? w.tk.runs.size() : w.tk.opened.size();
        const bool refusedUnrun = c.pat && c.run.Succeeded() && c.says;
        EXPECT_EQ(tried, refusedUnrun ? 1u : c.pat ? 3u : 2u);
        if (!c.says) {
            EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
            const std::string way = c.pat ? "pat " : "mail ";
            EXPECT_EQ(w.HistoryLines(), (std::vector<std::string>{way + "Bulletin", way + "Grib"}));
            continue;
        }
        ASSERT_EQ(w.tk.messages.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const std::string& message = w.tk.messages[i];
            for (const std::string& part :
                 {std::string(c.says), std::string("pas inscrite dans l'historique"),
                  std::string("meteo@example.org avec le sujet \"") +
                      (i == 0 ? "Bulletin" : "Grib") + "\""})
                EXPECT_NE(message.find(part), std::string::npos) << message;
        }
        // The clipboard keeps every order that failed so far.
        EXPECT_EQ(w.clipboardAtMessage, (std::vector<std::string>{kBulletinText, kBothTexts}));
        EXPECT_TRUE(w.HistoryLines().empty());
        EXPECT_FALSE(std::filesystem::exists(w.copies / "handover-pending.txt"));
    }
}

// While an order is handed over the progress window names it; a second "Envoi" pressed
// meanwhile starts nothing; the order is noted as under way until its line is written.
TEST(HandOver, OneAtATimeAndNotedWhileUnderWay) {
    Sender w;
    w.TickBulletins();
    std::vector<std::string> pendingDuringRun;
    w.tk.whileRunning = [&] {
        pendingDuringRun.push_back(ReadFile(w.copies / "handover-pending.txt"));
        if (pendingDuringRun.size() == 1) w.tk.Click(IDC_SEND_BUTTON);
    };
    w.tk.Click(IDC_SEND_BUTTON);
    ASSERT_EQ(w.tk.opened.size(), 2u);
    EXPECT_EQ(w.tk.progressTexts[0],
              "Remise de la commande à la messagerie...\n(\"Bulletin\" pour meteo@example.org)");
    EXPECT_EQ(w.HistoryLines(), (std::vector<std::string>{"mail Bulletin", "mail Grib"}));
    ASSERT_EQ(pendingDuringRun.size(), 2u);
    const std::string history = ReadFile(w.copies / "history.txt");
    // The note is the order's history line to be.
    EXPECT_EQ(pendingDuringRun[0] + pendingDuringRun[1], history);
    EXPECT_FALSE(std::filesystem::exists(w.copies / "handover-pending.txt"));
}

// After a crash during a hand-over the next start writes its history line once, says so,
// and removes the temporary files left behind.
TEST(HandOver, ACrashDuringTheHandOverKeepsItsLine) {
    struct Killed {};
    for (const bool lineWritten : {false, true}) {
        Sender w;
        w.tk.whileRunning = [&] {
            if (lineWritten) {
                const HistoryContents pending =
                    ParseHistory(ReadFile(w.copies / "handover-pending.txt"));
                AppendToHistory(w.copies.string(), pending.records.at(0));
            }
            throw Killed{};
        };
        EXPECT_THROW(w.tk.Click(IDC_SEND_BUTTON), Killed);
        EXPECT_TRUE(std::filesystem::exists(w.copies / "handover-pending.txt"));
        test::WriteFile(w.copies / "WavepostGrib.txt.wavepost-a1B2c3", "half");

        test::TestWindow again(w.dir.Path());
        again.tk.systemDirectory = w.copies.string();
        again.Start();
        EXPECT_EQ(w.HistoryLines(), std::vector<std::string>{"mail Grib"}) << lineWritten;
        // After the start's own (the catalogue's point-count alarm).
        ASSERT_FALSE(again.tk.messages.empty());
        EXPECT_EQ(again.tk.messages.back().rfind("Wavepost a été arrêté pendant la remise de la "
                                                 "commande \"Grib\" pour meteo@example.org.",
                                                 0),
                  0u);
        EXPECT_FALSE(std::filesystem::exists(w.copies / "handover-pending.txt"));
        EXPECT_FALSE(std::filesystem::exists(w.copies / "WavepostGrib.txt.wavepost-a1B2c3"));
    }
}

// An order abandoned in the mail program is withdrawn from the page: one line is added,
// the list marks it and the subscription it started is gone.
TEST(HandOver, AWithdrawnOrderStartsNoSubscription) {
    Sender w;
    w.tk.Click(IDC_SEND_BUTTON);
    SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
    w.tk.Click(IDC_SEND_BUTTON);
    w.tk.SelectTab(kOrderPage);
    const std::string before = ReadFile(w.copies / "history.txt");
    EXPECT_NE(w.tk.Control(IDC_HISTORY_EDIT).text.find("permanent depuis"), std::string::npos);

    w.tk.Click(IDC_WITHDRAW_BUTTON);  // cancelled: nothing changes
    ASSERT_EQ(w.tk.choiceItems.size(), 2u);
    EXPECT_EQ(ReadFile(w.copies / "history.txt"), before);
    w.tk.chosenItem = 0;  // the newest, the permanent one
    w.tk.Click(IDC_WITHDRAW_BUTTON);
    // A line added, none rewritten.
    EXPECT_EQ(ReadFile(w.copies / "history.txt").substr(0, before.size()), before);
    EXPECT_EQ(w.HistoryLines(), (std::vector<std::string>{"mail Grib", "mail Grib withdrawn"}));
    const std::string page = w.tk.Control(IDC_HISTORY_EDIT).text;
    EXPECT_EQ(page.find("permanent depuis"), std::string::npos) << page;
    EXPECT_NE(page.find("Grib à meteo@example.org, remise à la messagerie (retirée)"),
              std::string::npos)
        << page;
    // Only the one left is offered next.
    w.tk.Click(IDC_WITHDRAW_BUTTON);
    EXPECT_EQ(w.tk.choiceItems.size(), 1u);
}

// "Renvoyer" hands a past order over unchanged by the way chosen now and records it; a
// failed hand-over records nothing and leaves the order on the clipboard.
TEST(HandOver, ResendsAnOrderOfTheHistoryTheWayChosenNow) {
    struct Case {
        const char* name;
        std::string settings;
        platform::ProgramRun run;  // the opener's or "pat compose"'s answer
        int chosen;                // 0 the newest (Grib), 1 the bulletins
        bool mail, pat, files;     // the way that takes the order
        const char* way;           // the new history line's; none when it failed
    };
    const platform::ProgramRun ok{true, false, 0, {}, false, {}};
    const platform::ProgramRun fails{true, false, 2, "no", false, {}};
    // clang-format off
    const std::vector<Case> cases = {
        {"mail", "", ok, 0, true, false, false, "mail"},
        {"mail, the bulletins", "", ok, 1, true, false, false, "mail"},
        {"pat", "handover=pat\n", ok, 0, false, true, false, "pat"},
        {"files", "handover=file\noutbox=OUTBOX\n", ok, 0, false, false, true, "file"},
        {"mail failing", "", fails, 0, true, false, false, nullptr},
        {"pat refusing", "handover=pat\n", fails, 0, false, true, false, nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sender w;
        w.TickBulletins();
        w.tk.Click(IDC_SEND_BUTTON);
        // Other choices now: the order sent again is the earlier one all the same.
        SetListCheck(w.tk, w.dlg.m_pListBulletins, 0, 0);
        w.tk.Type(IDC_LON1_EDIT, "5");
        w.HandOverBy(c.settings);
        if (c.pat) w.UsePat();
        w.tk.runResult = c.run;
        w.tk.opened.clear();
        w.tk.messages.clear();
        w.tk.chosenItem = c.chosen;
        w.tk.Click(IDC_RESEND_BUTTON);

        const bool grib = c.chosen == 0;
        const OutgoingMail& mail = grib ? kGribMail : kBulletinMail;
        ASSERT_EQ(w.tk.choiceItems.size(), 2u);
        EXPECT_NE(w.tk.choiceItems[0].find("Grib"), std::string::npos);
        ASSERT_EQ(w.tk.opened.size(), c.mail ? 1u : 0u);
        // The same bytes as the first time, but for the order of the fields.
        if (c.mail) {
            EXPECT_EQ(w.tk.opened[0].first,
                      grib ? kGribUrl
                           : "mailto:meteo@example.org?subject=Bulletin&body=@mto@reqt@bull@%0AB1%"
                             "0AB%202%0AI1%0A@mto@reqt@fin@");
        }
        w.ExpectComposed(IfTheWay(c.pat, {mail}));
        w.ExpectFiled(IfTheWay(c.files, {mail}));
        std::vector<std::string> history = {"mail Bulletin", "mail Grib"};
        if (c.way) {
            history.push_back(std::string(c.way) + " " + mail.subject);
            EXPECT_EQ(ReadHistory(w.copies.string()).records.back().mail, mail);
            EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
        } else {
            ASSERT_EQ(w.tk.messages.size(), 1u);
            EXPECT_EQ(w.tk.clipboard, mail.body);
        }
        EXPECT_EQ(w.HistoryLines(), history);
        EXPECT_FALSE(std::filesystem::exists(w.copies / "handover-pending.txt"));
    }
}

// The history is a file anyone may edit: its recipient is checked as "Envoi" checks one.
TEST(HandOver, ResendChecksTheAddressesAsEnvoiDoes) {
    struct Case {
        std::string recipient, senderLine;
        const char* message;  // the start of the message shown; empty: a question instead
    };
    const std::vector<Case> cases = {
        {"meteo@example.org,evil@example.com", "",
         "Le destinataire \"meteo@example.org,evil@example.com\" de cette commande"},
        {"meteo@example.org\r\nBcc: evil@example.com", "", "Le destinataire"},
        {"meteo@example.invalid", "", ""},  // the placeholder
        {"meteo@example.org", "expediteur=a b@example.org\r\n", "L'adresse"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recipient + c.senderLine);
        Sender w;
        test::WriteFile(w.dir / "init.cnf",
                        "meteo=meteo@example.org\r\nquestion=q@example.org\r\n" + c.senderLine);
        AppendToHistory(w.copies.string(),
                        {UtcNow(), HandOverMethod::Mail, {c.recipient, "Grib", kGribText}});
        w.tk.chosenItem = 0;
        w.tk.messages.clear();
        w.tk.Click(IDC_RESEND_BUTTON);
        EXPECT_TRUE(w.tk.opened.empty());
        EXPECT_EQ(ReadHistory(w.copies.string()).records.size(), 1u);
        EXPECT_EQ(w.tk.questions.size(), *c.message ? 0u : 1u);
        ASSERT_EQ(w.tk.messages.size(), *c.message ? 1u : 0u);
        if (*c.message) {
            EXPECT_EQ(w.tk.messages[0].rfind(c.message, 0), 0u) << w.tk.messages[0];
        }
    }
    // An empty history: said so.
    Sender empty;
    empty.tk.Click(IDC_RESEND_BUTTON);
    EXPECT_EQ(empty.tk.messages, std::vector<std::string>{LoadString(IDS_RESEND_NONE)});
}

// A window on the shipped catalogue, with a settings folder.
struct OnShipped : test::FolderFirst, test::TestWindow {
    std::filesystem::path settings = dir.Path() / "config";
    OnShipped() : TestWindow(dir.Path()) {
        test::SeedDefaultData(dir.Path());
        tk.settingsDirectory = settings.string();
        Start();
    }
};

// The URLs "Envoi" would hand over now.
std::vector<std::string> PlannedUrls(test::TestWindow& w) {
    std::vector<std::string> urls;
    for (const OrderMail& mail : w.dlg.PlanOrders().mails) urls.push_back(mail.url);
    return urls;
}

// A recalled favourite gives the order its choices gave by hand, byte for byte, and keeps
// them as a change of map does, for the next start.
TEST(Favourites, RecallGivesTheOrderTheSameChoicesGiveByHand) {
    struct Case {
        const char* name;
        std::function<void(OnShipped&)> byHand;
    };
    const std::vector<Case> cases = {
        {"world, bulletins, days",
         [](OnShipped& w) {
             w.tk.ToggleCheckListItem(w.dlg.m_pListBulletins, 1);
             w.tk.ToggleCheckListItem(w.dlg.m_pListImages, 0);
             w.tk.Click(IDC_SUBSCRIPTION_DAYS_RADIO);
             w.tk.Type(IDC_DAYS_EDIT, "3");
             w.tk.Type(IDC_LON1_EDIT, "-12.5");
             w.tk.Type(IDC_HEADING_EDIT, "200");
             w.tk.Type(IDC_SPEED_EDIT, "7");
         }},
        {"Europe, rectangle, steps",
         [](OnShipped& w) {
             w.tk.ClickMapList(1);
             w.tk.Click(IDC_ZONE_RECTANGLE_RADIO);
             w.tk.Type(IDC_LON1_EDIT, "-8");
             w.tk.Type(IDC_LAT1_EDIT, "50");
             w.tk.ToggleCheckListItem(w.dlg.m_pListEcheances, 3);
             w.tk.ToggleCheckListItem(w.dlg.m_pListParametres, 2);
             w.tk.Click(IDC_COMPRESSION_BZIP2_RADIO);
             w.tk.Choose(IDC_MESH_LON_COMBO, 1);
         }},
        {"world, defaults", [](OnShipped&) {}},
    };
    for (const Case& c : cases) {
        OnShipped w;
        c.byHand(w);
        const std::vector<std::string> expected = PlannedUrls(w);
        ASSERT_FALSE(expected.empty()) << c.name;
        w.tk.chosenItem = 0;  // "Enregistrer..." comes first while there is none
        w.tk.formAnswers = {{"  Gascogne  "}};
        w.tk.Click(IDC_FAVOURITES_BUTTON);
        const std::string file = ReadFile(w.settings / "favourites.txt");
        EXPECT_EQ(file.rfind("[Gascogne]\nmap=", 0), 0u) << file;

        // Everything otherwise (kept by a change of map), then the other map shown.
        w.tk.Click(IDC_ZONE_CENTRED_RADIO);
        w.tk.Type(IDC_LON1_EDIT, "30");
        w.tk.Type(IDC_SPEED_EDIT, "0");
        for (platform::ControlHandle list : {w.dlg.m_pListEcheances, w.dlg.m_pListParametres,
                                             w.dlg.m_pListBulletins, w.dlg.m_pListImages})
            w.tk.ToggleCheckListItem(list, 0);
        w.tk.Click(IDC_COMPRESSION_NONE_RADIO);
        w.tk.Click(IDC_SUBSCRIPTION_PERMANENT_RADIO);
        w.tk.ClickMapList(c.name[0] == 'E' ? 0 : 1);
        ASSERT_NE(PlannedUrls(w), expected) << c.name;

        w.tk.messages.clear();
        w.tk.chosenItem = 0;  // the favourite
        w.tk.Click(IDC_FAVOURITES_BUTTON);
        EXPECT_EQ(PlannedUrls(w), expected) << c.name;
        for (const std::string& message : w.tk.messages)  // nothing was dropped
            EXPECT_EQ(message.find("Le favori"), std::string::npos) << c.name << ": " << message;

        // Saved as a change of map saves: the next start gives the same order.
        test::TestWindow again(w.dir.Path());
        again.tk.settingsDirectory = w.settings.string();
        again.Start();  // on the world map, whatever was shown last
        if (c.name[0] == 'E') again.tk.ClickMapList(1);
        EXPECT_EQ(PlannedUrls(again), expected) << c.name;
    }
}

// A favourite naming what the catalogue no longer has brings back the rest and names
// what it left out, in one message; names are kept apart, renamed and deleted.
TEST(Favourites, WhatTheCatalogueLostIsListedAndNamesAreKeptApart) {
    Sender w;
    test::WriteFile(w.settings / "favourites.txt",
                    "[Vieux]\nmap=Monde\nservice=catalogue\noption.COMPRESSION=Rar\n"
                    "option.X1=-20.0\nstep=12\nstep=99\nparameter=vent\nparameter=houle\n"
                    "bulletin=B1\n");
    w.tk.chosenItem = 0;
    w.tk.Click(IDC_FAVOURITES_BUTTON);
    // After the point count's alarm of the map shown.
    ASSERT_FALSE(w.tk.messages.empty());
    EXPECT_EQ(w.tk.messages.back(),
              "Le favori \"Vieux\" a été rappelé, sauf ce que le catalogue "
              "n'offre plus :\n99\nhoule\nCOMPRESSION = Rar");
    EXPECT_EQ(w.tk.Control(IDC_LON1_EDIT).text, "-20.0");
    const auto checks = [&](platform::ControlHandle list) {
        std::vector<int> out;
        for (const auto& item : w.tk.Control(list).checkItems) out.push_back(item.check);
        return out;
    };
    EXPECT_EQ(checks(w.dlg.m_pListEcheances), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(checks(w.dlg.m_pListParametres), (std::vector<int>{1, 0, 0}));

    // A name taken, then one with a bracket, then a good one.
    w.tk.messages.clear();
    w.tk.chosenItem = 1;  // "Enregistrer..."
    w.tk.formAnswers = {{"Vieux"}, {"a[b"}, {"Neuf"}};
    w.tk.Click(IDC_FAVOURITES_BUTTON);
    EXPECT_EQ(w.tk.messages.size(), 2u);
    EXPECT_EQ(w.tk.choiceItems,
              (std::vector<std::string>{"Vieux", LoadString(IDS_FAVOURITE_SAVE_NEW),
                                        LoadString(IDS_FAVOURITE_RENAME),
                                        LoadString(IDS_FAVOURITE_DELETE)}));
    const auto names = [&] {
        std::vector<std::string> out;
        for (const Favourite& f : ReadFavourites(w.settings.string())) out.push_back(f.name);
        return out;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"Vieux", "Neuf"}));
    // Rename: the action, which one, the name (its own name is no clash); delete likewise.
    w.tk.chosenItems = {3, 0};
    w.tk.formAnswers = {{"Vieux "}};
    w.tk.Click(IDC_FAVOURITES_BUTTON);
    EXPECT_EQ(names(), (std::vector<std::string>{"Vieux", "Neuf"}));
    w.tk.chosenItems = {3, 1};
    w.tk.formAnswers = {{"Ancien"}};
    w.tk.Click(IDC_FAVOURITES_BUTTON);
    EXPECT_EQ(names(), (std::vector<std::string>{"Vieux", "Ancien"}));
    w.tk.chosenItems = {4, 0};
    w.tk.Click(IDC_FAVOURITES_BUTTON);
    EXPECT_EQ(names(), std::vector<std::string>{"Ancien"});
    EXPECT_EQ(w.tk.messages.size(), 2u);
}

// Without a "meteo" address all but the mail program (AddressFileProblems) stop, recording
// nothing.
TEST(Sending, AMissingAddressStopsEveryWayButTheMailProgram) {
    struct Case {
        const char *settings, *configFile;
        int button;
    };
    const std::vector<Case> cases = {
        {"handover=pat\n", "question=q@example.org\r\n", IDC_SEND_BUTTON},
        {"handover=file\noutbox=OUTBOX\n", "meteo=\r\nquestion=q@example.org\r\n", IDC_SEND_BUTTON},
        {"", "meteo=", IDC_ORDER_SAVE_BUTTON},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        Sender w;
        w.tk.programsOnPath["pat"] = "/opt/pat/bin/pat";
        w.HandOverBy(c.settings);
        test::WriteFile(w.dir / "init.cnf", c.configFile);
        w.tk.pickedFolder = w.Outbox();
        w.TickBulletins();
        EXPECT_NE(w.OrderPage().find("À : aucune adresse (clé \"meteo\""), std::string::npos);
        w.tk.Click(c.button);
        EXPECT_TRUE(w.tk.opened.empty() && w.tk.runs.empty() && w.Emls().empty());
        EXPECT_TRUE(ReadHistory(w.copies.string()).records.empty());
        EXPECT_EQ(w.tk.messages,
                  std::vector<std::string>{
                      "La clé \"meteo\" du fichier \"" + w.dlg.StoragePath("init.cnf") +
                      "\" est absente ou vide.\nAucune commande n'a été transmise ni enregistrée : "
                      "indiquez-y l'adresse du service météo."});
    }
}

// A line longer than the 72 characters many mail programs wrap at is pointed out while the
// orders go by mail; message files and Pat carry it whole.
TEST(Sending, TheOrderPageWarnsOfLinesMailProgramsCut) {
    Sender w;
    const std::string bulletins = ReadFile(w.dir / "ini/bulletins.txt");
    // The page with the first bulletin's code replaced and ticked.
    const auto page = [&](const std::string& code) {
        std::string table = bulletins;
        table.replace(table.find("Monde;B1;"), 9, "Monde;" + code + ";");
        test::WriteFile(w.dir / "ini/bulletins.txt", table);
        test::ShowMap(w, 0);
        SetListCheck(w.tk, w.dlg.m_pListBulletins, 0, 1);
        w.tk.SelectTab(kOptionsPage);
        return w.OrderPage();
    };
    const std::string warning =
        "Attention : la commande \"Bulletin\" a une ligne de plus de 72 caractères, que beaucoup "
        "de programmes de messagerie coupent.\nPréférez \"Fichier\" ou \"Winlink (Pat)\" "
        "dans \"Envoi par\".";
    EXPECT_EQ(page(std::string(72, 'B')).find("Attention"), std::string::npos);
    // Characters count, not bytes.
    EXPECT_EQ(page("é" + std::string(71, 'B')).find("Attention"), std::string::npos);
    const std::string longer = "éé" + std::string(71, 'B');
    EXPECT_EQ(page(longer).rfind(warning + "\n\nÀ : meteo@example.org", 0), 0u) << page(longer);
    w.HandOverBy("handover=file\noutbox=OUTBOX\n");
    EXPECT_EQ(page(longer).find("Attention"), std::string::npos);
}

// The sailor's own address ("expediteur") is the From: of the message files and shown on
// the order page; one that is not a plain address is refused like the others.
TEST(Sending, TheSendersAddressSignsTheMessageFiles) {
    Sender w;
    w.HandOverBy("handover=file\noutbox=OUTBOX\n");
    test::WriteFile(w.dir / "init.cnf",
                    "meteo=meteo@example.org\r\nexpediteur=marin@bücher.example\r\n");
    w.tk.Click(IDC_SEND_BUTTON);
    std::vector<std::string> emls = w.Emls();
    ASSERT_EQ(emls.size(), 1u);
    EXPECT_EQ(
        emls[0].rfind(
            "From: marin@xn--bcher-kva.example\r\nTo: meteo@example.org\r\nSubject: Grib\r\n", 0),
        0u)
        << emls[0];
    EXPECT_NE(emls[0].find("@xn--bcher-kva.example>\r\nX-Unsent: 1\r\n"), std::string::npos);
    EXPECT_TRUE(w.tk.messages.empty());
    const std::string page = w.OrderPage();
    EXPECT_EQ(page.rfind("De : marin@bücher.example\nÀ : meteo@example.org\n", 0), 0u) << page;

    test::WriteFile(w.dir / "init.cnf",
                    "meteo=meteo@example.org\r\nexpediteur=marin@bord<x@evil.example>\r\n");
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.Emls().size(), 1u);
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_EQ(w.tk.messages[0].rfind("L'adresse de la clé \"expediteur\" du fichier", 0), 0u)
        << w.tk.messages[0];
}

}  // namespace
}  // namespace wavepost

#include <gtest/gtest.h>

#include <functional>

#include "app/NumberText.h"
#include "app/TextEncoding.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "request/OrderHistory.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using platform::ShowState;
using test::ReadFile;
using test::SetListCheck;
using test::SetRadio;

const std::string kOrder =
    "@mto@reqt@grib@%0AA 1%0AZ 0.0 0.0 20.0 10.0%0AM 0.5%0AD Monde%0AP vent pmer%0AE 0 12 "
    "24%0AS 1.0%0A@mto@reqt@fin@";
const std::string kGribUrl = "mailto:meteo@example.org?subject=Grib&body=" + kOrder;
const std::string kBulletinUrl =
    "mailto:meteo@example.org?body=@mto@reqt@bull@%0AB1%0AB 2%0AI1%0A@mto@reqt@fin@&subject="
    "Bulletin";

const std::string kBulletinText = "@mto@reqt@bull@\nB1\nB 2\nI1\n@mto@reqt@fin@";
const std::string kGribText =
    "@mto@reqt@grib@\nA 1\nZ 0.0 0.0 20.0 10.0\nM 0.5\nD Monde\nP vent pmer\nE 0 12 "
    "24\nS 1.0\n@mto@reqt@fin@";

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
};

TEST(Sending, BulletinsThenGribThenSingleRequestAgain) {
    Sender w;
    w.TickBulletins();
    SetRadio(w.tk, IDC_SUBSCRIPTION_PERMANENT_RADIO);
    w.tk.Click(IDC_SEND_BUTTON);
    const std::string permanent =
        "mailto:meteo@example.org?subject=Grib&body=@mto@reqt@grib@%0AA X" +
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
    EXPECT_EQ(w.tk.opened[0].first,
              "mailto:Erreur dans le fichier de configuration?subject=Grib&body=" + kOrder);

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
    const std::vector<std::string> bad = {"m@b?bcc=s@e", "m@b&bcc=s@e", "m@b#x", "m@b,s@e",
                                          "m@b;s@e",     "m@b ",        "m @b",  "m@b\t",
                                          "m@\x01b",     "m@b\x7F"};
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
                   "\" n'est pas une adresse simple : elle contient\nun blanc, un caractère de "
                   "contrôle ou l'un des signes ? & # , ;\nAucun message n'a été envoyé.";
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
    bulletins.replace(bulletins.find("Monde;B1;"), 9, "Monde;X&bcc=someone@elsewhere&x=;");
    test::WriteFile(w.dir / "ini/bulletins.txt", bulletins);
    test::ShowMap(w, 0);
    SetListCheck(w.tk, w.dlg.m_pListBulletins, 0, 1);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 1, 0);
    w.tk.Click(IDC_SEND_BUTTON);
    const std::string url =
        "mailto:met%2565o@example.org?body=@mto@reqt@bull@%0AX%26bcc=someone@elsewhere%26x=%0A@"
        "mto@reqt@fin@&subject=Bulletin";
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first, url);
    EXPECT_EQ(w.Copy("WavepostBulletin.txt"), url);
    EXPECT_TRUE(w.tk.messages.empty());
    w.tk.mailHandler = false;
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.clipboard, "@mto@reqt@bull@\nX&bcc=someone@elsewhere&x=\n@mto@reqt@fin@");
}

TEST(Sending, WithoutMailProgramTheOrdersGoToTheClipboard) {
    Sender w;
    w.tk.Click(IDC_QUESTION_BUTTON);
    w.tk.Click(IDC_HELP_BUTTON);
    EXPECT_EQ(w.tk.opened, (std::vector<std::pair<std::string, ShowState>>{
                               {"mailto:questions@example.org?subject=Help", ShowState::Default},
                               {"aide.html", ShowState::Default}}));

    std::vector<std::string> clipboardAtMessage;
    w.tk.onMessageBox = [&](const std::string&) { clipboardAtMessage.push_back(w.tk.clipboard); };
    w.tk.opened.clear();
    w.tk.mailHandler = false;
    w.TickBulletins();
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_TRUE(w.tk.opened.empty());
    ASSERT_EQ(w.tk.messages.size(), 2u);
    EXPECT_EQ(w.tk.messages[0],
              "Aucun programme de messagerie n'a pu être ouvert.\nLa commande a été copiée dans "
              "le presse-papiers.\nEnvoyez-la à l'adresse meteo@example.org avec le sujet "
              "\"Bulletin\".");
    EXPECT_NE(w.tk.messages[1].find("avec le sujet \"Grib\""), std::string::npos);
    EXPECT_EQ(clipboardAtMessage, (std::vector<std::string>{kBulletinText, kGribText}));
    EXPECT_EQ(w.Copy("WavepostGrib.txt"), kGribUrl);

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
            expected += "À : " + PercentDecoded(url.substr(7, query - 7)) + "\nObjet : " +
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

std::string CrLfLines(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out + "\r\n";
}

// Each way of handing the orders over, as the settings file chooses it; the copies are
// written whatever the way, and the history keeps what was handed over.
TEST(Sending, EachWayOfHandingOver) {
    struct Case {
        const char* name;
        std::string settings;
        std::function<void(Sender&)> setUp;
        std::size_t opened, runs, emls;
        const char* message;  // each order's message starts so; none when empty
        std::vector<std::string> history;
    };
    const auto patOnPath = [](Sender& w) { w.tk.programsOnPath["pat"] = "/opt/pat/bin/pat"; };
    const auto outbox = [](Sender& w) { std::filesystem::create_directory(w.Outbox()); };
    const auto refusing = [&](Sender& w) {
        patOnPath(w);
        w.tk.runResult = {true, false, 2, "no callsign configured"};
    };
    const char* patSaid =
        "Pat n'a pas pu prendre la commande (code 2) :\nno callsign configured\n\n";
    const char* noOutbox =
        "La commande n'a pas pu être écrite dans le dossier d'envoi :\n\"OUTBOX/";
    // clang-format off
    const std::vector<Case> cases = {
        {"mail by default", "", {}, 2, 0, 0, "", {"mail", "mail"}},
        {"pat", "handover=pat\n", patOnPath, 0, 2, 0, "", {"pat", "pat"}},
        {"pat not on the PATH", "handover=pat\n", {}, 2, 0, 0, "", {"mail", "mail"}},
        {"pat refusing", "handover=pat\n", refusing, 0, 2, 0, patSaid, {}},
        {"files", "handover=file\noutbox=OUTBOX\n", outbox, 0, 0, 2, "", {"file", "file"}},
        {"files without a folder chosen", "handover=file\n", outbox, 2, 0, 0, "", {"mail", "mail"}},
        {"files into a missing folder", "handover=file\noutbox=OUTBOX\n", {}, 0, 0, 0, noOutbox, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        Sender w;
        // The outbox lies in the test's own folder.
        const auto inFolder = [&](std::string text) {
            for (std::size_t at; (at = text.find("OUTBOX")) != std::string::npos;)
                text.replace(at, 6, w.Outbox());
            return text;
        };
        test::WriteFile(w.settings / "settings.txt", inFolder(c.settings));
        if (c.setUp) c.setUp(w);
        std::vector<std::string> clipboardAtMessage;
        w.tk.onMessageBox = [&](const std::string&) {
            clipboardAtMessage.push_back(w.tk.clipboard);
        };
        w.TickBulletins();
        w.tk.Click(IDC_SEND_BUTTON);

        EXPECT_EQ(w.tk.opened.size(), c.opened) << c.name;
        ASSERT_EQ(w.tk.runs.size(), c.runs) << c.name;
        for (std::size_t i = 0; i < c.runs; ++i) {
            const std::string subject = i == 0 ? "Bulletin" : "Grib";
            EXPECT_EQ(w.tk.runs[i].argv,
                      (std::vector<std::string>{"/opt/pat/bin/pat", "compose", "-s", subject,
                                                "meteo@example.org"}))
                << c.name;
            EXPECT_EQ(w.tk.runs[i].standardInput, i == 0 ? kBulletinText : kGribText) << c.name;
        }
        std::vector<std::string> emls;
        if (std::filesystem::exists(w.Outbox()))
            for (const auto& entry : std::filesystem::directory_iterator(w.Outbox()))
                emls.push_back(ReadFile(entry.path()));
        // The Bulletin's subject sorts before the Grib's.
        std::sort(emls.begin(), emls.end(), [](const std::string& a, const std::string& b) {
            return a.find("Bulletin") < b.find("Bulletin");
        });
        ASSERT_EQ(emls.size(), c.emls) << c.name;
        for (std::size_t i = 0; i < c.emls; ++i) {
            EXPECT_EQ(emls[i].rfind("To: meteo@example.org\r\nSubject: ", 0), 0u) << c.name;
            EXPECT_EQ(emls[i].substr(emls[i].find("\r\n\r\n") + 4),
                      CrLfLines(i == 0 ? kBulletinText : kGribText))
                << c.name;
        }
        if (*c.message) {
            ASSERT_EQ(w.tk.messages.size(), 2u) << c.name;
            for (const std::string& message : w.tk.messages)
                EXPECT_EQ(message.rfind(inFolder(c.message), 0), 0u) << message;
            EXPECT_EQ(clipboardAtMessage, (std::vector<std::string>{kBulletinText, kGribText}));
        } else {
            EXPECT_TRUE(w.tk.messages.empty()) << c.name << ": " << w.tk.messages.front();
        }
        EXPECT_EQ(w.Copy("WavepostBulletin.txt"), kBulletinUrl) << c.name;
        EXPECT_EQ(w.Copy("WavepostGrib.txt"), kGribUrl) << c.name;

        const HistoryContents history = ReadHistory(w.copies.string());
        std::vector<std::string> methods;
        for (const HistoryRecord& r : history.records) methods.push_back(MethodName(r.method));
        EXPECT_EQ(methods, c.history) << c.name;
        if (history.records.size() == 2) {
            EXPECT_EQ(history.records[1].mail,
                      (OutgoingMail{"meteo@example.org", "Grib", kGribText}));
        }
    }
}

TEST(Sending, AHistoryThatCannotBeWrittenIsToldOnceAndStopsNothing) {
    Sender w;
    std::filesystem::create_directory(w.copies / "history.txt");
    w.TickBulletins();
    w.tk.Click(IDC_SEND_BUTTON);
    w.tk.Click(IDC_SEND_BUTTON);
    EXPECT_EQ(w.tk.opened.size(), 4u);
    EXPECT_EQ(w.tk.messages,
              std::vector<std::string>{Format(LoadString(IDS_HISTORY_NOT_WRITTEN).c_str(),
                                              (w.copies / "history.txt").string().c_str())});
    EXPECT_EQ(w.Copy("WavepostGrib.txt"), kGribUrl);
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
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(saved))
        files.push_back(ReadFile(entry.path()));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].substr(files[0].find("\r\n\r\n") + 4), CrLfLines(kGribText));
    EXPECT_TRUE(std::filesystem::is_empty(w.Outbox()));

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
    EXPECT_NE(history.find(" Grib à meteo@example.org (Fichier)"), std::string::npos) << history;
}

}  // namespace
}  // namespace wavepost

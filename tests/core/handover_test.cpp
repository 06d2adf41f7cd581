// SPDX-License-Identifier: GPL-3.0-or-later
// The orders on their way out other than by a mailto: URL: message files, Pat, and the
// program's own settings and folders that choose between them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/FileAccess.h"
#include "base/ProgramSettings.h"
#include "base/XdgFolders.h"
#include "platform/memory/MemoryToolkit.h"
#include "request/OutgoingMail.h"
#include "request/PatHandOver.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using namespace std::chrono;
using test::ReadFile;
using test::TempFolder;

const UtcTime kTuesday = sys_days(2026y / December / 8) + 8h + 3min + 33s;
const OutgoingMail kGrib{"meteo@example.org", "Grib", "@mto@reqt@grib@\nA 1\n@mto@reqt@fin@"};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(MessageFile, HeadersThenTheBodyWithCrLf) {
    EXPECT_EQ(FormatEml(kGrib, kTuesday, "x.1@wavepost.invalid"),
              "To: meteo@example.org\r\nSubject: Grib\r\nDate: Tue, 08 Dec 2026 08:03:33 +0000\r\n"
              "Message-ID: <x.1@wavepost.invalid>\r\nX-Unsent: 1\r\n"
              "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
              "Content-Transfer-Encoding: 8bit\r\n\r\n"
              "@mto@reqt@grib@\r\nA 1\r\n@mto@reqt@fin@\r\n");
    // Any line end of the body becomes CRLF; an old installation's byte becomes UTF-8.
    EXPECT_EQ(Lines(FormatEml({"a@b", "s", "x\r\ny\rz\n\nCaf\xE9"}, kTuesday, "i@d")).back(),
              "Café");
    EXPECT_EQ(FormatMailDate(sys_days(2024y / February / 29) + 23h + 59min + 59s),
              "Thu, 29 Feb 2024 23:59:59 +0000");
}

TEST(MessageFile, NoTextOfTheMailStartsAHeader) {
    const std::vector<std::string> fields = {
        "To: ",        "Subject: ",      "Date: ",         "Message-ID: ",
        "X-Unsent: 1", "MIME-Version: ", "Content-Type: ", "Content-Transfer-Encoding: "};
    struct Case {
        std::string address, subject;
    } cases[] = {
        {"a@b\r\nBcc: x@y", "Grib"},
        {"a@b", "Grib\nBcc: x@y\r\n\r\nother body"},
        {"a@b", "Prévision " + std::string(200, 'e') + "\nBcc: x@y"},
    };
    for (const Case& c : cases) {
        const std::string eml = FormatEml({c.address, c.subject, "body"}, kTuesday, "i@d");
        const std::string head = eml.substr(0, eml.find("\r\n\r\n") + 2);
        std::size_t field = 0;
        for (const std::string& line : Lines(head)) {
            EXPECT_LE(line.size(), 78u) << line;
            if (line.rfind(' ', 0) == 0) continue;  // a folded continuation
            ASSERT_LT(field, fields.size()) << c.address << c.subject;
            EXPECT_EQ(line.rfind(fields[field++], 0), 0u) << line;
        }
        EXPECT_EQ(field, fields.size());
        EXPECT_EQ(eml.substr(eml.find("\r\n\r\n") + 4), "body\r\n");
    }
}

// Each encoded word decodes alone: none ends inside a character.
TEST(MessageFile, SubjectOutsideAsciiIsEncodedInWholeCharacters) {
    std::string subject = "x";
    for (int i = 0; i < 40; ++i) subject += "é";  // the first cut falls inside one
    subject += " à € près";
    const std::string eml = FormatEml({"a@b", subject, ""}, kTuesday, "i@d");
    EXPECT_EQ(eml.substr(0, eml.find("\r\nDate:")),
              "To: a@b\r\nSubject: "
              "=?UTF-8?B?eMOpw6nDqcOpw6nDqcOpw6nDqcOpw6nDqcOpw6nDqcOpw6nDqcOpw6k=?=\r\n"
              " =?UTF-8?B?w6nDqcOpw6nDqcOpw6nDqcOpw6nDqcOpw6nDqcOpw6nDqcOpw6nDqSA=?=\r\n"
              " =?UTF-8?B?w6Ag4oKsIHByw6hz?=");
}

// The Message-ID a message file holds, without its angle brackets.
std::string MessageIdOf(const std::string& eml) {
    const std::size_t start = eml.find("\r\nMessage-ID: <") + 15;
    return eml.substr(start, eml.find(">\r\n", start) - start);
}

TEST(MessageFile, WrittenUnderAFreshSafeNameForTheUserAlone) {
    TempFolder dir;
    const std::string folder = dir.Path().string();
    const std::string first = folder + "/20261208-080333-Grib.eml";
    EXPECT_EQ(WriteEmlFile(folder, kGrib, kTuesday), first);
    const std::string written = ReadFile(first);
    EXPECT_EQ(written, FormatEml(kGrib, kTuesday, MessageIdOf(written)));
    struct stat st {};
    ASSERT_EQ(::stat(first.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // The same second and subject again: a new file and a new Message-ID, the first kept.
    OutgoingMail again = kGrib;
    again.body = "other";
    EXPECT_EQ(WriteEmlFile(folder, again, kTuesday), folder + "/20261208-080333-Grib-2.eml");
    EXPECT_EQ(ReadFile(first), written);
    EXPECT_NE(MessageIdOf(ReadFile(folder + "/20261208-080333-Grib-2.eml")), MessageIdOf(written));
    // A subject cannot lead out of the folder.
    EXPECT_EQ(WriteEmlFile(folder, {"a@b", "../../x y", ""}, kTuesday),
              folder + "/20261208-080333-______x_y.eml");
}

// The sailor's address as From:, addresses with their domain in ASCII, a Message-ID of the
// sender's domain; no header line over 998 bytes, whatever the texts.
TEST(MessageFile, AddressesInAsciiAndLinesWithinLimits) {
    const OutgoingMail mail{"grib@météo.example", "Grib", "body"};
    const std::string from = "marin@bücher.example";
    const std::string eml = FormatEml(mail, kTuesday, "x.1@xn--bcher-kva.example", from);
    EXPECT_EQ(eml.substr(0, eml.find("\r\nSubject:")),
              "From: marin@xn--bcher-kva.example\r\nTo: grib@xn--mto-bmab.example");
    const std::string id = NewMessageId(from, kTuesday);
    EXPECT_EQ(id.rfind("20261208T080333Z.", 0), 0u) << id;
    EXPECT_EQ(id.substr(id.size() - 22), "@xn--bcher-kva.example") << id;
    EXPECT_NE(NewMessageId(from, kTuesday), id);
    EXPECT_EQ(NewMessageId("", kTuesday).substr(33), "@wavepost.invalid");

    // Folded before a blank, the address is whole once the line ends are taken out; a run
    // without blanks (never a checked address) is cut.
    const std::string blanks =
        "a " + std::string(900, 'b') + " c " + std::string(900, 'd') + " " + std::string(900, 'e');
    for (const std::string& address : {blanks, std::string(3000, 'a')}) {
        const std::string eml = FormatEml({address, "s", ""}, kTuesday, "i@d", address);
        std::string joined;
        for (const std::string& line : Lines(eml.substr(0, eml.find("\r\n\r\n") + 2))) {
            EXPECT_LE(line.size(), 998u);
            joined += line;
        }
        if (address == blanks) {
            EXPECT_NE(joined.find("To: " + blanks), std::string::npos);
        }
    }
}

TEST(UtcTimeText, OnlyTheWrittenFormReadsBack) {
    EXPECT_EQ(FormatIsoUtc(kTuesday), "2026-12-08T08:03:33Z");
    EXPECT_EQ(ReadIsoUtc("2026-12-08T08:03:33Z"), kTuesday);
    EXPECT_EQ(ReadIsoUtc("2024-02-29T00:00:00Z"), sys_days(2024y / February / 29));
    for (const char* bad : {"2026-02-29T00:00:00Z", "2026-12-08T24:00:00Z", "2026-12-08T08:03:33"})
        EXPECT_FALSE(ReadIsoUtc(bad)) << bad;
}

TEST(ProgramFolders, BaseDirectoryElseHomeElseNone) {
    struct Case {
        std::string value, home, config, state;
    } cases[] = {
        {"/x/conf", "/home/u", "/x/conf/wavepost", "/x/conf/wavepost"},
        {"", "/home/u", "/home/u/.config/wavepost", "/home/u/.local/state/wavepost"},
        {"relative", "/home/u", "/home/u/.config/wavepost", "/home/u/.local/state/wavepost"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConfigFolder(c.value, c.home), c.config) << c.value << " " << c.home;
        EXPECT_EQ(StateFolder(c.value, c.home), c.state) << c.value << " " << c.home;
    }
}

TEST(ProgramSettingsFile, ReadsWhatItCanKeepsWhatItDoesNotKnow) {
    struct Case {
        std::string text;
        HandOverMethod method;
        std::string outbox;
        std::size_t others;
    } cases[] = {
        {"", HandOverMethod::Mail, "", 0},
        {"handover=pat\noutbox=/o\n", HandOverMethod::Pat, "/o", 0},
        {"handover=file\r\noutbox=/o\\nx\r\n", HandOverMethod::File, "/o\nx", 0},
        {"handover=radio\nfuture=1\n", HandOverMethod::Mail, "", 1},
        {"\x01\xFF garbage\noutbox=bad\\q\nhandover=file", HandOverMethod::File, "", 0},
    };
    for (const Case& c : cases) {
        const ProgramSettings s = ParseSettings(c.text);
        EXPECT_EQ(s.method, c.method) << c.text;
        EXPECT_EQ(s.outboxFolder, c.outbox) << c.text;
        EXPECT_EQ(s.otherKeys.size(), c.others) << c.text;
        EXPECT_EQ(ParseSettings(FormatSettings(s)), s) << c.text;
    }
}

TEST(ProgramSettingsFile, SavedWholeIntoItsFolderAndLoadedBack) {
    TempFolder dir;
    const std::string folder = (dir.Path() / "config/wavepost").string();
    EXPECT_EQ(LoadSettings(folder), ProgramSettings{});  // none yet
    ProgramSettings s = ParseSettings("future=kept\n");
    s.method = HandOverMethod::File;
    s.outboxFolder = "/boat/outbox";
    s.saveFolder = "/home/u/ordres";
    SaveSettings(folder, s);
    EXPECT_EQ(LoadSettings(folder), s);
    EXPECT_NE(ReadFile(folder + "/settings.txt").find("future=kept\n"), std::string::npos);
    // A folder where the file should be: the defaults, with the problem said.
    std::filesystem::remove(folder + "/settings.txt");
    std::filesystem::create_directory(folder + "/settings.txt");
    ProgramSettings loaded = LoadSettings(folder);
    ASSERT_TRUE(loaded.problem);
    EXPECT_EQ(loaded.problem->fault, FileFault::NotRegular);
    EXPECT_EQ(loaded.problem->path, folder + "/settings.txt");
    loaded.problem.reset();
    EXPECT_EQ(loaded, ProgramSettings{});
    EXPECT_THROW(SaveSettings(folder, s), FileError);
}

// The argument vector and the body are the window tests'.
TEST(PatHandOver, AnAddressPatWouldReadAsAnOptionNeverReachesIt) {
    platform::MemoryToolkit tk;
    EXPECT_FALSE(PatTookIt(HandToPat(tk, "/usr/bin/pat", {"-x", "Grib", "b"})));
    EXPECT_TRUE(tk.runs.empty());
}

TEST(PatHandOver, EveryFailureIsToldWithWhatPatSaid) {
    struct Case {
        platform::ProgramRun run;
        bool took;
        std::string said;
    } cases[] = {
        {{true, false, 0, "", false, {}}, true, ""},
        {{true, false, 3, "no mycall configured", false, {}},
         false,
         "(code 3) :\nno mycall configured"},
        {{false, false, -1, "No such file", false, {}}, false, "lancé :\nNo such file"},
        {{true, true, -1, "waiting", false, {}}, false, "arrêté.\nwaiting"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PatTookIt(c.run), c.took) << c.said;
        if (c.took) continue;
        const std::string message = PatFailureMessage(c.run, kGrib);
        EXPECT_NE(message.find(c.said), std::string::npos) << message;
        EXPECT_NE(message.find("presse-papiers"), std::string::npos) << message;
        EXPECT_NE(message.find("meteo@example.org avec le sujet \"Grib\""), std::string::npos);
    }
}

}  // namespace
}  // namespace wavepost

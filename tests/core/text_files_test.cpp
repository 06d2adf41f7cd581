#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <tuple>
#include <vector>

#include "app/AddressFile.h"
#include "app/CConfigFile.h"
#include "app/MailAddress.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "catalogue/CIniTable.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// Numbers are read leniently and written as printf does, with the "C" locale's bytes in
// any process locale: a French desktop's decimal comma never enters an order or a file.
TEST(NumberText, ReadAndWrittenTheSameInADecimalCommaLocale) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<const char*, long, double> reads[] = {
        {"  -12.7abc", -12, -12.7},
        {" 0,5", 0, 0},  // a comma is no decimal point
        {"1.5e2x", 1, 150},
        {"0x10", 0, 0},  // no hexadecimal
        {"1e400", 1, inf},
        {"-.5e-1", 0, -0.05},
        {"99999999999999999999999", std::numeric_limits<long>::max(), 1e23}};
    // Halves that are not exact in binary round as printf rounds them.
    const std::tuple<double, const char*, const char*> writes[] = {
        {0.05, "0.1", "0.05"},
        {-0.0, "-0.0", "-0.00"},
        {2.675, "2.7", "2.67"},
        {inf, "inf", "inf"},
        {1e22, "10000000000000000000000.0", "10000000000000000000000.00"}};
    auto check = [&] {
        for (const auto& [text, integer, number] : reads) {
            EXPECT_EQ(ReadInteger(text), integer) << text;
            EXPECT_EQ(ReadNumber(text), number) << text;
        }
        for (const auto& [value, one, two] : writes) {
            EXPECT_EQ(FormatFixed(value, 1), one) << value;
            EXPECT_EQ(FormatFixed(value, 2), two) << value;
        }
    };
    check();
    test::CommaLocale comma;
    if (!comma.active) return;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5");  // the locale really writes a comma
    check();
}

// Bytes from files as they enter an order URL, and back to plain text for the clipboard.
TEST(TextEncoding, FileTextsOnTheirWayIntoAUrl) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string utf8;  // ToUtf8
        std::string url;   // ForUrl
    };
    const std::vector<Case> cases = {
        {"hidden recipient", "X&bcc=someone@elsewhere&x=", "X&bcc=someone@elsewhere&x=",
         "X%26bcc%3Dsomeone@elsewhere%26x%3D"},
        {"fragment", "vent#x", "vent#x", "vent%23x"},
        {"second query", "1.0?cc=a@b", "1.0?cc=a@b", "1.0%3Fcc%3Da@b"},
        {"escaped line break", "a%0AA X", "a%0AA X", "a%250AA%20X"},
        {"control bytes", std::string("\t\r\n\x01\x1F\x7F", 6) + std::string(1, '\0'),
         std::string("\t\r\n\x01\x1F\x7F", 6) + std::string(1, '\0'), "%09%0D%0A%01%1F%7F%00"},
        {"the rest of ASCII", "<>\"[]\\^`{|}/+", "<>\"[]\\^`{|}/+",
         "%3C%3E%22%5B%5D%5C%5E%60%7B%7C%7D%2F%2B"},
        {"kept as they are", "aZ09-._~!$'()*,;:@", "aZ09-._~!$'()*,;:@", "aZ09-._~!$'()*,;:@"},
        {"Windows-1252", "M\xE9t\xE9o \x80", "Météo €", "M%C3%A9t%C3%A9o%20%E2%82%AC"},
        {"mixed in one text", "É \xE9", "É é", "%C3%89%20%C3%A9"},
        {"undefined in Windows-1252", "\x81", "\uFFFD", "%EF%BF%BD"},
        {"overlong slash", "\xC0\xAF", "À¯", "%C3%80%C2%AF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf8(c.bytes), c.utf8) << c.what;
        EXPECT_EQ(ForUrl(c.bytes), c.url) << c.what;
        EXPECT_EQ(PercentDecoded(ForUrl(c.bytes)), c.utf8) << c.what;
    }
    // Only "%" and two hexadecimal digits is an escape.
    EXPECT_EQ(PercentDecoded("A%0Ab%0d%zz%4 100%"), "A\nb\r%zz%4 100%");
}

// One plain address, as a mail server takes it: every addr-spec form without comments,
// folding or obsolete syntax; nothing a mail program could read as a second recipient, a
// display name or a route.
TEST(MailAddress, OnePlainAddressOrNone) {
    const std::string longest = std::string(64, 'a') + "@" + std::string(63, 'x') + "." +
                                std::string(63, 'x') + "." + std::string(61, 'x');
    ASSERT_EQ(longest.size(), 254u);
    // clang-format off
    const std::vector<std::string> plain = {
        "grib@example.org", "first.last+tag@example.org", "!#$%&'*+-/=?^_`{|}~@example.org",
        "\"john..doe\"@example.org", "\"a@b,c;d<e>f:g\"@example.org", "\"x\\\"y\"@example.org",
        "user@[192.0.2.1]", "jörg@bücher.example", longest};
    const std::vector<std::string> refused = {
        "grib@example.org<x@evil.example>", "evil:x@evil.example", "Météo <grib@example.org>",
        "<grib@example.org>", "a@example.org,x@evil.example", "a@example.org;x@evil.example",
        "a b@example.org", "a@example.org ", "\ta@example.org", "\"a b\"@example.org",
        "a\"b@example.org", "\"ab@example.org", "a@b\x01.org", "a@example.org\x7F",
        "a@example.org\r\nBcc: x@evil.example", "a(comment)@example.org", "", "grib",
        "@example.org", "a@", "a..b@example.org", ".a@example.org", "a.@example.org",
        "a@example..org", "a@[192.0.2.1", "a@exa\xE9mple.org" /* not UTF-8 */, longest + "x"};
    // clang-format on
    for (const std::string& address : plain) EXPECT_TRUE(IsPlainAddress(address)) << address;
    for (const std::string& address : refused) EXPECT_FALSE(IsPlainAddress(address)) << address;
}

// Domains in ASCII for message headers: lower case, A-labels; samples of RFC 3492.
TEST(MailAddress, DomainsInTheirAsciiForm) {
    const std::pair<std::string, std::string> cases[] = {
        {"grib@example.org", "grib@example.org"},
        {"jörg@bücher.example", "jörg@xn--bcher-kva.example"},
        {"a@BÜCHER.example", "a@xn--bcher-kva.example"},
        {"a@3年B組金八先生.example", "a@xn--3b-ww4c5e180e575a65lsy2b.example"},
        {"a@他們爲什麽不說中文", "a@xn--ihqwctvzc91f659drss3x8bo0yb"},
    };
    for (const auto& [address, ascii] : cases) {
        EXPECT_TRUE(IsPlainAddress(address)) << address;
        EXPECT_EQ(AsciiDomainAddress(address), ascii) << address;
    }
}

// Lines become rows of the header's column count: a short row repeats its last cell, a
// long one is cut, a line of any length stays one row. A CR is never part of a cell: one
// before the LF ends the line, a lone one is dropped, so no cell can put a line break into
// an order; lines are still counted at their LF. A save writes every cell with CRLF ends.
TEST(IniTable, LinesBecomeRowsOfTheHeadersColumnCount) {
    const std::string x(300, 'x'), y(254, 'y');
    struct Case {
        std::string content;
        std::int32_t rows, columns;
        std::string cell22, saved;
    };
    const Case cases[] = {
        {"a;b;c;d\nx;y\n1;2;3;4;5\n\n", 4, 4, "y", "a;b;c;d\r\nx;y;y;y\r\n1;2;3;4\r\n;;;\r\n"},
        {"header\r\nvalue;rest\r\nlast", 3, 1, "last", "header\r\nvalue\r\nlast\r\n"},
        {"a;b\n" + x + ";end\n" + y + "\n", 3, 2, "end",
         "a;b\r\n" + x + ";end\r\n" + y + ";" + y + "\r\n"},
        {"k;v\r\nA;x\ry\r\n", 2, 2, "xy", "k;v\r\nA;xy\r\n"},
        {"k;v\nA;\rB\n", 2, 2, "B", "k;v\r\nA;B\r\n"},
        {"k\r;v\nA\r;\r\n", 2, 2, "", "k;v\r\nA;\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteFile(dir / "t.txt", c.content);
        CIniTable table(dir / "t.txt");
        table.Load();
        EXPECT_EQ(table.GetRowCount(), c.rows) << c.content;
        EXPECT_EQ(table.GetColumnCount(), c.columns) << c.content;
        EXPECT_EQ(table.GetCell(2, 2), c.cell22) << c.content;
        table.Save();
        EXPECT_EQ(ReadFile(dir / "t.txt"), c.saved) << c.content;
    }
}

// Setting one of a short row's repeated cells leaves the others as they read.
TEST(IniTable, ShortRowsAreFilledWithoutHoldingTheFill) {
    struct Case {
        std::int32_t row, column;
        const char* value;
        const char* saved;
    } cases[] = {
        {2, 3, "z", "a;b;c;d\r\nx;y;z;y\r\n;;;\r\n"},
        {2, 6, "q", "a;b;c;d\r\nx;y;y;y\r\n;q;;\r\n"},  // into the next row
        {4, 1, "beyond", "a;b;c;d\r\nx;y;y;y\r\n;;;\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteFile(dir / "t.txt", "a;b;c;d\nx;y\n\n");
        CIniTable table(dir / "t.txt");
        table.Load();
        table.SetCell(c.row, c.column, c.value);
        EXPECT_EQ(table.Bytes(), c.saved) << c.row << "," << c.column;
        table.Save();
        EXPECT_EQ(ReadFile(dir / "t.txt"), c.saved);
    }
}

// Beyond the bounds a table is refused by name, before its cells are made: 60 KB that
// would be saved as 400 MB, and more bytes than allowed.
TEST(IniTable, TablesBeyondTheBoundsAreRefused) {
    TempFolder dir;
    for (bool wide : {true, false}) {
        WriteFile(dir / "t.txt",
                  wide ? std::string(20000, ';') + "\n" + std::string(20000, '\n') : "");
        if (!wide) std::filesystem::resize_file(dir / "t.txt", CIniTable::kMaxBytes + 1);
        CIniTable table(dir / "t.txt");
        try {
            table.Load();
            ADD_FAILURE() << wide;
        } catch (const TableTooLargeError& error) {
            EXPECT_EQ(error.what(),
                      Format(LoadString(IDS_TABLE_TOO_LARGE).c_str(), (dir / "t.txt").c_str()))
                << wide;
            EXPECT_EQ(error.Path(), dir / "t.txt");
        }
        EXPECT_EQ(table.CellView(1, 1), "") << wide;
    }
}

// A file error carries what failed; the user reads it worded from the string table, the
// bound in whole mebibytes rounded up. The log's description names the path and errno.
TEST(FileErrors, WordedWhereTheyAreShown) {
    const std::string p = "/boat/ini/options.txt";
    auto text = [&p](int id, const char* size = nullptr) {
        return Format(LoadString(id).c_str(), p.c_str(), size);
    };
    const std::vector<std::pair<FileFailure, std::string>> cases = {
        {{FileFault::Read, p}, text(IDS_FILE_READ_ERROR)},
        {{FileFault::Write, p}, text(IDS_FILE_WRITE_ERROR)},
        {{FileFault::NotRegular, p}, text(IDS_FILE_NOT_REGULAR)},
        {{FileFault::TooLarge, p, 0, kSmallFileLimit}, text(IDS_FILE_TOO_LARGE, "4")},
        {{FileFault::TooLarge, p, 0, kSmallFileLimit + 1}, text(IDS_FILE_TOO_LARGE, "5")},
        {{FileFault::TooLarge, p, 0, 1}, text(IDS_FILE_TOO_LARGE, "1")},
        {{FileFault::FolderBusy, p}, text(IDS_FOLDER_BUSY)},
        {{FileFault::TableTooLarge, p}, text(IDS_TABLE_TOO_LARGE)},
        {{FileFault::ListOutside, p}, text(IDS_SAVE_LIST_OUTSIDE)},
    };
    for (const auto& [failure, message] : cases) {
        EXPECT_EQ(FileErrorMessage(failure), message) << static_cast<int>(failure.fault);
        EXPECT_EQ(FileErrorMessage(FileError(failure)), message);
    }
    TempFolder dir;
    try {
        ReadWholeFile((dir / "none.txt"), ReadAccess::ReadOnly);
        ADD_FAILURE();
    } catch (const FileError& error) {
        EXPECT_EQ(error.Fault(), FileFault::Read);
        EXPECT_EQ(error.ErrorNumber(), ENOENT);
        EXPECT_EQ(error.what(),
                  "cannot read: " + (dir / "none.txt") + ": " + std::strerror(ENOENT));
    }
}

// The rows of one key in a column, as the lists and the estimate walk them: the header is
// never one of them, and quotes are ignored.
TEST(IniTable, RowsMatchingAKey) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "Monde;v\nMonde;1\n\"Monde\";2\nEurope;3\nMonde\n;\n");
    CIniTable table(dir / "t.txt");
    table.Load();
    using Rows = std::vector<std::int32_t>;
    struct Case {
        std::int32_t column;
        const char* key;
        Rows rows;
    } cases[] = {
        {1, "Monde", {2, 3, 5}}, {1, "\"Europe\"", {4}}, {1, "", {6}},
        {2, "Monde", {5}},       {0, "Monde", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.RowsMatching(c.column, c.key), c.rows) << c.column << c.key;
    // FindRow looks after a row, the header included, and quotes read are saved unchanged.
    EXPECT_EQ(table.FindRow("\"Monde\"", 1, 0), 1);
    EXPECT_EQ(table.FindRow("Monde", 1, 1), 2);
    EXPECT_EQ(table.FindRow("monde", 1, 0), -1);
    EXPECT_NE(table.Bytes().find("\r\n\"Monde\";2\r\n"), std::string::npos);
}

TEST(IniTable, SetCellDropsSeparatorsAndLineEnds) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "k;v;w\r\nA;1;2\r\n");
    CIniTable table(dir / "t.txt");
    table.Load();
    table.SetCell(2, 2, "a;b\r\nc");
    table.Save();
    EXPECT_EQ(ReadFile(dir / "t.txt"), "k;v;w\r\nA;abc;2\r\n");
    CIniTable again(dir / "t.txt");
    again.Load();
    EXPECT_EQ(again.GetCell(2, 3), "2");
}

// A key counts at the start of a line only (after a byte-order mark on the first), and
// followed by '=' where the file has such an entry; CRLF or LF ends; the value runs to the
// line's end, blanks kept. Comments start with '#'.
TEST(ConfigFile, ValuesAreReadByKeyAtTheStartOfALine) {
    const std::string none = LoadString(IDS_CONFIG_ERROR);
    const std::string windows = "meteo=a@example.org\r\nquestion=q@example.org\r\nPtEuro= 0.5 ";
    const std::string unix =
        "\xEF\xBB\xBFquestion=meteo@example.org\n  meteo=w@example.org\nAntime=1\n";
    const std::tuple<std::string, const char*, std::string> cases[] = {
        {windows, "question", "q@example.org"},
        {windows, "PtEuro", " 0.5 "},
        {unix, "question", "meteo@example.org"},
        {"# meteo=x@example.org\r\nmeteo=a\r\n", "meteo", "a"},
        // A key followed by '=' wins over a line that merely starts with the key's text,
        // which is still read where no such entry exists (another separator).
        {"meteorologie\r\nmeteo-ancien=old@x\r\nmeteo=a\r\n", "meteo", "a"},
        {"meteorologie\r\nmeteo:a\r\n", "meteo", "ologie"},
        {"meteo:a\r\n", "meteo", "a"},
        {"x\r\nAntime=", "Antime", ""},
    };
    for (const auto& [content, key, value] : cases) {
        TempFolder dir;
        WriteFile(dir / "init.cnf", content);
        CConfigFile config(dir / "init.cnf", false);
        EXPECT_EQ(config.GetValue(key), value) << content;
        // An empty value at the end has no byte to rewrite.
        config.SetValue(key, "1");
        if (value.empty()) {
            EXPECT_EQ(ReadFile(dir / "init.cnf"), content);
        }
    }
}

// One byte rewritten, in place: same inode, a link stays a link.
TEST(ConfigFile, LockedFileCannotBeOpenedTwice) {
    TempFolder dir;
    WriteFile(dir / "init.cnf", "meteo=a\r\n");
    CConfigFile first(dir / "init.cnf", false);
    CConfigFile second(dir / "init.cnf", false);
    EXPECT_EQ(first.GetValue("meteo"), "a");
    EXPECT_THROW(second.GetValue("meteo"), FileError);
}

TEST(ConfigFile, SetValueWritesInPlace) {
    namespace fs = std::filesystem;
    TempFolder dir;
    WriteFile(dir / "real.cnf", "meteo=a@example.org\r\nAntime=0\r\n");
    fs::create_symlink("real.cnf", dir / "init.cnf");
    struct stat old {};
    ::stat((dir / "real.cnf").c_str(), &old);
    {
        CConfigFile config(dir / "init.cnf", false);
        config.SetValue("Antime", "1");
        config.SetValue("Missing", "1");  // changes nothing
    }
    struct stat now {};
    ::stat((dir / "real.cnf").c_str(), &now);
    EXPECT_EQ(now.st_ino, old.st_ino);
    EXPECT_TRUE(fs::is_symlink(dir / "init.cnf"));
    EXPECT_EQ(ReadFile(dir / "real.cnf"), "meteo=a@example.org\r\nAntime=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

// Values of any length rewritten as the address file's reading finds them, every other
// byte kept; on the address file's own cases.
TEST(AddressFile, ValuesRewrittenKeepingEveryOtherByte) {
    using Values = std::vector<std::pair<std::string, std::string>>;
    // clang-format off
    const std::tuple<const char*, std::string, Values, std::string> cases[] = {
        {"longer and shorter values, CRLF", "meteo=a@b.invalid\r\nquestion=q@example.org\r\n",
         {{"meteo", "bord@voilier.example.net"}, {"question", "q@x.fr"}}, "meteo=bord@voilier.example.net\r\nquestion=q@x.fr\r\n"},
        {"the last line without a line end", "Antime=0\r\nmeteo=a@b", {{"meteo", "c@d.fr"}}, "Antime=0\r\nmeteo=c@d.fr"},
        {"a key inside an earlier address is not the entry", "question=meteo@x.org\r\nmeteo=old@x.org\r\n", {{"meteo", "new@x.org"}}, "question=meteo@x.org\r\nmeteo=new@x.org\r\n"},
        {"the blanks of the old value go with it", "meteo= a@b.fr \r\n", {{"meteo", "c@d.fr"}}, "meteo=c@d.fr\r\n"},
        {"any one separator is kept", "meteo:a@b.fr\r\n", {{"meteo", "c@d.fr"}}, "meteo:c@d.fr\r\n"},
        {"LF lines, comments and order kept; an absent key added last", "# Wavepost\nPtEuro=0.0005\nmeteo=a@b.fr\n# fin\n",
         {{"expediteur", "moi@bord.fr"}, {"meteo", "c@d.fr"}}, "# Wavepost\nPtEuro=0.0005\nmeteo=c@d.fr\n# fin\nexpediteur=moi@bord.fr\n"},
        {"an absent key after a last line without its end", "meteo=a@b.fr", {{"question", "q@b.fr"}}, "meteo=a@b.fr\nquestion=q@b.fr\n"},
        {"a key without a separator", "meteo\r\nAntime=1\r\n", {{"meteo", "a@b.fr"}}, "meteo=a@b.fr\r\nAntime=1\r\n"},
        {"an empty file", "", {{"meteo", "a@b.fr"}}, "meteo=a@b.fr\n"},
        {"after a byte-order mark and blanks", "\xEF\xBB\xBF  meteo=a@b.fr\r\n", {{"meteo", "c@d.fr"}}, "\xEF\xBB\xBF  meteo=c@d.fr\r\n"},
        {"an emptied value", "expediteur=moi@bord.fr\r\nAntime=0\r\n", {{"expediteur", ""}}, "expediteur=\r\nAntime=0\r\n"},
    };
    // clang-format on
    for (const auto& [what, before, values, after] : cases)
        EXPECT_EQ(WithConfigValues(before, values), after) << what;
}

// Written whole or not at all: a link stays a link, and a file that cannot be written is
// left as it was, the error naming it.
TEST(AddressFile, WrittenWholeThroughALinkOrNotAtAll) {
    namespace fs = std::filesystem;
    TempFolder dir;
    const std::string before = "meteo=commandes@a-regler.invalid\r\nAntime=1\r\n# note\r\n";
    WriteFile(dir / "store/real.cnf", before);
    fs::create_symlink("store/real.cnf", dir / "init.cnf");
    const std::string after = "meteo=bord@voilier.example.net\r\nAntime=1\r\n# note\r\n";
    WriteConfigValues(dir / "init.cnf", {{"meteo", "bord@voilier.example.net"}});
    EXPECT_TRUE(fs::is_symlink(dir / "init.cnf"));
    EXPECT_EQ(ReadFile(dir / "store/real.cnf"), after);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "store"), fs::directory_iterator()), 1);

    EXPECT_TRUE(test::RunInChild(
        [&] {
            fs::permissions(dir / "store/real.cnf", fs::perms::owner_read);
            EXPECT_THROW(WriteConfigValues(dir / "init.cnf", {{"meteo", "x@y.fr"}}), FileError);
        },
        {dir.Path()}));
    EXPECT_EQ(ReadFile(dir / "store/real.cnf"), after);

    for (const char* placeholder : {"a@a-regler.invalid", "a@INVALID", "a@x.Invalid."})
        EXPECT_TRUE(IsPlaceholderAddress(placeholder)) << placeholder;
    for (const char* address : {"grib@example.org", "a@invalid.example", "a@x.invalidx"})
        EXPECT_FALSE(IsPlaceholderAddress(address)) << address;
}

// Rewriting one byte needs no room for a second copy of the file.
TEST(ConfigFile, SetValueNeedsNoRoomBeyondTheFile) {
    TempFolder dir;
    std::string before = "Antime=0\r\n" + std::string(8192, '#') + "\r\n";
    WriteFile(dir / "init.cnf", before);
    EXPECT_TRUE(test::RunInChild(
        [&] {
            CConfigFile config(dir / "init.cnf", false);
            EXPECT_NO_THROW(config.SetValue("Antime", "1"));
        },
        {{}, 4096}));
    before[7] = '1';
    EXPECT_EQ(ReadFile(dir / "init.cnf"), before);
}

// A table that is a link stays one; its target gets the bytes, and nothing is left beside
// either. In a folder that takes no new file, the target is rewritten in place.
TEST(IniTable, SaveKeepsALinkAndWritesInPlaceInAReadOnlyFolder) {
    namespace fs = std::filesystem;
    TempFolder dir;
    WriteFile(dir / "store/t.txt", "a;b\n1;2\n");
    fs::create_directory(dir / "ini");
    fs::create_symlink("../store/t.txt", dir / "ini/t.txt");
    EXPECT_TRUE(test::RunInChild(
        [&] {
            fs::permissions(dir / "store", fs::perms::owner_write, fs::perm_options::remove);
            CIniTable table(dir / "ini/t.txt");
            table.Load();
            table.SetCell(2, 2, "new");
            EXPECT_NO_THROW(table.Save());
        },
        {dir.Path()}));
    fs::permissions(dir / "store", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(fs::is_symlink(dir / "ini/t.txt"));
    EXPECT_EQ(ReadFile(dir / "store/t.txt"), "a;b\r\n1;new\r\n");
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
        files += !entry.is_directory();
    EXPECT_EQ(files, 2u);
}

}  // namespace
}  // namespace wavepost

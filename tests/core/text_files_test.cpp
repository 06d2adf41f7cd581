#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

#include "app/CConfigFile.h"
#include "app/NumberText.h"
#include "app/TextEncoding.h"
#include "app/layout/StringTable.h"
#include "catalogue/CIniTable.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(NumberText, ReadsLeniently) {
    EXPECT_EQ(ReadInteger("  -12.7abc"), -12);
    EXPECT_EQ(ReadInteger("+7"), 7);
    EXPECT_EQ(ReadInteger("abc"), 0);
    EXPECT_EQ(ReadInteger(""), 0);
    EXPECT_DOUBLE_EQ(ReadNumber(" 0,5"), 0.0);
    EXPECT_DOUBLE_EQ(ReadNumber("1.5e2x"), 150.0);
    EXPECT_DOUBLE_EQ(ReadNumber("2e"), 2.0);
    EXPECT_DOUBLE_EQ(ReadNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(ReadNumber("x1"), 0.0);
    EXPECT_EQ(ReadInteger("99999999999999999999999"), std::numeric_limits<long>::max());
}

// Reading and writing numbers give the "C" locale's bytes, in any locale.
TEST(NumberText, NumbersIgnoreTheProcessLocale) {
    const char* texts[] = {"0.5",
                           " 45.5x",
                           "-10.25",
                           "1e308",
                           "1e400",
                           "-1e400",
                           "1e-400",
                           "4.9e-324",
                           "+7.5",
                           "00012.5",
                           "0x10",
                           "1.5e+2",
                           "123456789012345678901234567890.5",
                           "\t\n\v\f\r 3",
                           "-.5e-1"};
    const double values[] = {0.0,
                             0.04,
                             0.05,
                             0.15,
                             0.25,
                             0.35,
                             -0.05,
                             -0.0,
                             45.5,
                             1e15,
                             1e22,
                             1e300,
                             -1e300,
                             179.95,
                             2.675,
                             5.171,
                             861 * 6 * 0.001 + 0.005};
    std::vector<double> readC;
    std::vector<std::string> writtenC;
    for (const char* text : texts) {
        readC.push_back(ReadNumber(text));
        // The reading of the rule, by strtod in the "C" locale.
        std::string t = text;
        std::size_t i = t.find_first_not_of(" \t\n\v\f\r");
        EXPECT_EQ(readC.back(), t.rfind("0x", i) == i ? 0.0 : std::strtod(t.c_str(), nullptr))
            << text;
    }
    for (double value : values) {
        for (int decimals : {1, 2}) {
            writtenC.push_back(FormatFixed(value, decimals));
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            EXPECT_EQ(writtenC.back(), expected) << value;
        }
    }
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 1), "inf");

    test::CommaLocale comma;
    if (!comma.active) GTEST_SKIP() << "no fr_FR.UTF-8 locale on this machine";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5");  // the locale really writes a comma
    std::size_t k = 0;
    for (const char* text : texts) EXPECT_EQ(ReadNumber(text), readC[k++]) << text;
    k = 0;
    for (double value : values)
        for (int decimals : {1, 2}) EXPECT_EQ(FormatFixed(value, decimals), writtenC[k++]);
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
        {"plain code with a blank", "B 2", "B 2", "B 2"},
        {"hidden recipient", "X&bcc=someone@elsewhere&x=", "X&bcc=someone@elsewhere&x=",
         "X%26bcc=someone@elsewhere%26x="},
        {"fragment", "vent#x", "vent#x", "vent%23x"},
        {"second query", "1.0?cc=a@b", "1.0?cc=a@b", "1.0%3Fcc=a@b"},
        {"escaped line break", "a%0AA X", "a%0AA X", "a%250AA X"},
        {"control bytes", std::string("\t\r\n\x01\x1F\x7F", 6) + std::string(1, '\0'),
         std::string("\t\r\n\x01\x1F\x7F", 6) + std::string(1, '\0'), "%09%0D%0A%01%1F%7F%00"},
        {"UTF-8 kept", "Météo 🌊", "Météo 🌊", "Météo 🌊"},
        {"Windows-1252", "M\xE9t\xE9o \x80 \x96", "Météo € –", "Météo € –"},
        {"mixed in one text", "Été \xE9t\xE9", "Été été", "Été été"},
        {"undefined in Windows-1252", "\x81\x8D", "\uFFFD\uFFFD", "\uFFFD\uFFFD"},
        {"overlong slash", "\xC0\xAF", "À¯", "À¯"},
        {"surrogate", "\xED\xA0\x80", "í\u00A0€", "í\u00A0€"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "ô\uFFFD€€", "ô\uFFFD€€"},
        {"cut short at the end", "caf\xC3", "cafÃ", "cafÃ"},
        {"stray continuation", "\xA9t\xE9", "©té", "©té"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf8(c.bytes), c.utf8) << c.what;
        EXPECT_EQ(ForUrl(c.bytes), c.url) << c.what;
        EXPECT_EQ(PercentDecoded(ForUrl(c.bytes)), c.utf8) << c.what;
    }
    // Only "%" and two hexadecimal digits is an escape.
    EXPECT_EQ(PercentDecoded("A%0Ab%0d%zz%4 100%"), "A\nb\r%zz%4 100%");
}

TEST(IniTable, ShortAndLongRowsTakeTheHeaderColumnCount) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "a;b;c;d\nx;y\n1;2;3;4;5\n\n");
    CIniTable table(dir / "t.txt");
    table.Load();
    EXPECT_EQ(table.GetColumnCount(), 4);
    EXPECT_EQ(table.GetRowCount(), 4);
    EXPECT_EQ(table.GetCell(2, 1), "x");
    EXPECT_EQ(table.GetCell(2, 2), "y");
    EXPECT_EQ(table.GetCell(2, 4), "y");
    EXPECT_EQ(table.GetCell(3, 4), "4");
    EXPECT_EQ(table.GetCell(4, 1), "");
    EXPECT_EQ(table.GetCell(0, 1), "a");
    EXPECT_EQ(table.GetCell(-1, 1), "a");
    // A column above the count reaches into the next row.
    EXPECT_EQ(table.GetCell(2, 5), "1");
    table.Save();
    EXPECT_EQ(ReadFile(dir / "t.txt"), "a;b;c;d\r\nx;y;y;y\r\n1;2;3;4\r\n;;;\r\n");
}

TEST(IniTable, HeaderWithoutSemicolonGivesOneColumn) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "header\r\nvalue;rest\r\nlast");
    CIniTable table(dir / "t.txt");
    table.Load();
    EXPECT_EQ(table.GetColumnCount(), 1);
    EXPECT_EQ(table.GetRowCount(), 3);
    EXPECT_EQ(table.GetCell(2, 1), "value");
    EXPECT_EQ(table.GetCell(3, 1), "last");
    table.Save();
    EXPECT_EQ(ReadFile(dir / "t.txt"), "header\r\nvalue\r\nlast\r\n");
}

TEST(IniTable, EmptyFile) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "");
    CIniTable table(dir / "t.txt");
    table.Load();
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_EQ(table.GetColumnCount(), 0);
    EXPECT_EQ(table.GetCell(1, 1), "");
    table.SetCell(1, 1, "ignored");
    EXPECT_EQ(table.FindRow("", 1, 0), -1);
    table.Save();
    EXPECT_EQ(ReadFile(dir / "t.txt"), "");
}

TEST(IniTable, LongLineStaysOneRow) {
    TempFolder dir;
    std::string longCell(300, 'x');
    WriteFile(dir / "t.txt", "a;b\n" + longCell + ";end\n" + std::string(254, 'y') + "\n");
    CIniTable table(dir / "t.txt");
    table.Load();
    EXPECT_EQ(table.GetRowCount(), 3);
    EXPECT_EQ(table.GetCell(2, 1), longCell);
    EXPECT_EQ(table.GetCell(2, 2), "end");
    table.Save();
    EXPECT_EQ(ReadFile(dir / "t.txt"), "a;b\r\n" + longCell + ";end\r\n" + std::string(254, 'y') +
                                           ";" + std::string(254, 'y') + "\r\n");
}

// A CR is never part of a cell: one before the LF ends the line, a lone one is dropped, so
// no cell can put a line break into an order; lines are still counted at their LF.
TEST(IniTable, CarriageReturnsNeverStayInCells) {
    struct Case {
        const char* content;
        std::int32_t rows;
        std::int32_t columns;
        const char* cell22;
        const char* saved;
    } cases[] = {
        {"k;v\r\nA;x\ry\r\n", 2, 2, "xy", "k;v\r\nA;xy\r\n"},
        {"k;v\nA;x\r\r\n", 2, 2, "x", "k;v\r\nA;x\r\n"},
        {"k;v\nA;\rB\n", 2, 2, "B", "k;v\r\nA;B\r\n"},
        {"k;v\nA;x\r", 2, 2, "x", "k;v\r\nA;x\r\n"},
        {"k\r;v\nA\r;\r\n", 2, 2, "", "k;v\r\nA;\r\n"},
        {"\r", 1, 1, "", "\r\n"},
        {"k;v\n\r\n", 2, 2, "", "k;v\r\n;\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteFile(dir / "t.txt", c.content);
        CIniTable table(dir / "t.txt");
        table.Load();
        EXPECT_EQ(table.GetRowCount(), c.rows) << c.content;
        EXPECT_EQ(table.GetColumnCount(), c.columns) << c.content;
        EXPECT_EQ(table.GetCell(2, 2), c.cell22) << c.content;
        EXPECT_EQ(table.Bytes(), c.saved) << c.content;
    }
}

// A short row's missing cells repeat its last one without being held: setting one leaves
// the others as they read, and the saved bytes are those of every cell written out.
TEST(IniTable, ShortRowsAreFilledWithoutHoldingTheFill) {
    struct Case {
        std::int32_t row, column;
        const char* value;
        const char* saved;
    } cases[] = {
        {2, 3, "z", "a;b;c;d\r\nx;y;z;y\r\n;;;\r\n"},
        {2, 4, "z", "a;b;c;d\r\nx;y;y;z\r\n;;;\r\n"},
        {2, 2, "z", "a;b;c;d\r\nx;z;y;y\r\n;;;\r\n"},
        {3, 3, "q", "a;b;c;d\r\nx;y;y;y\r\n;;q;\r\n"},
        {2, 6, "q", "a;b;c;d\r\nx;y;y;y\r\n;q;;\r\n"},  // into the next row
        {2, 3, "y", "a;b;c;d\r\nx;y;y;y\r\n;;;\r\n"},
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

    // 2,000 columns over 2,000 empty lines: 6 KB read, 4 MB written back.
    TempFolder dir;
    WriteFile(dir / "t.txt", std::string(1999, ';') + "\n" + std::string(2000, '\n'));
    CIniTable wide(dir / "t.txt");
    wide.Load();
    EXPECT_EQ(wide.GetRowCount(), 2001);
    EXPECT_EQ(wide.GetColumnCount(), 2000);
    EXPECT_EQ(wide.CellView(2001, 2000), "");
    wide.SetCell(2001, 2000, "end");
    std::string expected;
    for (int r = 0; r < 2001; ++r) expected += std::string(1999, ';') + "\r\n";
    expected.insert(expected.size() - 2, "end");
    EXPECT_EQ(wide.Bytes(), expected);
}

// Beyond the bounds a table is refused by name, before its cells are made.
TEST(IniTable, TablesBeyondTheBoundsAreRefused) {
    TempFolder dir;
    const std::size_t big = CIniTable::kMaxBytes + 1;
    struct Case {
        const char* what;
        std::function<void()> write;
    } cases[] = {
        {"60 KB saved as 400 MB",
         [&] {
             WriteFile(dir / "t.txt", std::string(20000, ';') + "\n" + std::string(20000, '\n'));
         }},
        {"one long line repeated in every column",
         [&] {
             WriteFile(dir / "t.txt", std::string(20000, ';') + "\n" + std::string(20000, 'x'));
         }},
        {"more lines than cells allowed",
         [&] { WriteFile(dir / "t.txt", std::string(CIniTable::kMaxCells + 1, '\n')); }},
        {"more bytes than allowed",
         [&] {
             WriteFile(dir / "t.txt", "");
             std::filesystem::resize_file(dir / "t.txt", big);
         }},
    };
    for (const Case& c : cases) {
        c.write();
        CIniTable table(dir / "t.txt");
        try {
            table.Load();
            ADD_FAILURE() << c.what;
        } catch (const TableTooLargeError& error) {
            EXPECT_EQ(error.what(),
                      Format(LoadString(IDS_TABLE_TOO_LARGE).c_str(), (dir / "t.txt").c_str()))
                << c.what;
            EXPECT_EQ(error.Path(), dir / "t.txt");
        }
        EXPECT_EQ(table.CellView(1, 1), "") << c.what;
    }
}

// The rows of one key in a column, as the lists and the estimate walk them: the header is
// never one of them, quotes are ignored, and a changed key cell is seen.
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
        {1, "Monde", {2, 3, 5}}, {1, "\"Europe\"", {4}}, {1, "France", {}}, {1, "", {6}},
        {2, "Monde", {5}},       {2, "1", {2}},          {0, "Monde", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.RowsMatching(c.column, c.key), c.rows) << c.column << c.key;
    EXPECT_EQ(table.RowsMatching(1, "Monde"), (Rows{2, 3, 5}));
    table.SetCell(4, 1, "Monde");
    table.SetCell(5, 2, "x");  // another column leaves the index alone
    EXPECT_EQ(table.RowsMatching(1, "Monde"), (Rows{2, 3, 4, 5}));
    table.SetCell(2, 1, "France");
    EXPECT_EQ(table.RowsMatching(1, "Monde"), (Rows{3, 4, 5}));
    EXPECT_TRUE(table.CellMatches(3, 1, "Monde"));
    EXPECT_FALSE(table.CellMatches(3, 1, "Mond"));
    EXPECT_TRUE(table.CellMatches(3, 1, "\"\"Mo\"nde"));
}

TEST(IniTable, FindRowIgnoresQuotes) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "Monde;x\r\n\"Monde\";1\r\nEurope;2\r\n");
    CIniTable table(dir / "t.txt");
    table.Load();
    EXPECT_EQ(table.FindRow("\"Monde\"", 1, 0), 1);  // the header matches too
    EXPECT_EQ(table.FindRow("Monde", 1, 1), 2);
    EXPECT_EQ(table.FindRow("Europe", 1, 3), -1);
    EXPECT_EQ(table.FindRow("europe", 1, 0), -1);
    // Quotes read are written back unchanged.
    table.Save();
    EXPECT_EQ(ReadFile(dir / "t.txt"), "Monde;x\r\n\"Monde\";1\r\nEurope;2\r\n");
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

TEST(IniTable, CountsAreTakenOnce) {
    TempFolder dir;
    WriteFile(dir / "t.txt", "a;b\r\n1;2\r\n");
    CIniTable table(dir / "t.txt");
    EXPECT_EQ(table.GetRowCount(), 2);
    WriteFile(dir / "t.txt", "a;b;c\r\n1;2;3\r\n4;5;6\r\n");
    EXPECT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(table.GetColumnCount(), 3);  // not yet asked before the change
    CIniTable fresh(dir / "t.txt");
    EXPECT_EQ(fresh.GetRowCount(), 3);
}

TEST(IniTable, MissingOrReadOnlyFileFailsToLoad) {
    TempFolder dir;
    CIniTable missing(dir / "ini/none.txt");
    EXPECT_THROW(missing.Load(), FileError);
    EXPECT_THROW(missing.GetRowCount(), FileError);
    WriteFile(dir / "ro.txt", "a\r\n");
    std::filesystem::permissions(dir / "ro.txt", std::filesystem::perms::owner_read);
    CIniTable readOnly(dir / "ro.txt");
    if (::geteuid() != 0) {
        EXPECT_THROW(readOnly.Load(), FileError);
    }
}

TEST(IniTable, SaveIntoMissingDirectoryNamesTheFile) {
    TempFolder dir;
    WriteFile(dir / "ini/t.txt", "a\r\n");
    CIniTable table(dir / "ini/t.txt");
    table.Load();
    std::filesystem::remove_all(dir / "ini");
    try {
        table.Save();
        FAIL() << "saved into a missing directory";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(dir / "ini/t.txt"), std::string::npos);
    }
}

TEST(ConfigFile, ReadsValuesByKey) {
    TempFolder dir;
    WriteFile(dir / "init.cnf", "meteo=a@example.org\r\nquestion=q@example.org\r\nPtEuro= 0.5 ");
    CConfigFile config(dir / "init.cnf", false);
    EXPECT_EQ(config.GetValue("meteo"), "a@example.org");
    EXPECT_EQ(config.GetValue("question"), "q@example.org");
    EXPECT_EQ(config.GetValue("PtEuro"), " 0.5 ");
    EXPECT_EQ(config.GetValue("Antime"), LoadString(IDS_CONFIG_ERROR));
}

TEST(ConfigFile, UnixLineEndsAndKeysOnlyAtLineStart) {
    TempFolder dir;
    WriteFile(dir / "init.cnf",
              "\xEF\xBB\xBFquestion=meteo@example.org\n  meteo=w@example.org\nAntime=1\n");
    CConfigFile config(dir / "init.cnf", false);
    EXPECT_EQ(config.GetValue("question"), "meteo@example.org");
    EXPECT_EQ(config.GetValue("meteo"), "w@example.org");
    EXPECT_EQ(config.GetValue("Antime"), "1");
}

TEST(ConfigFile, LinesWithoutAKeyAtTheirStartAreSkipped) {
    struct Case {
        const char* content;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"# meteo=x@example.org\r\nmeteo=a\r\n", "meteo", "a"},
        {"#question=\r\nquestion=q\r\n", "question", "q"},
        {"\r\n\r\nAntime=1\r\n# Antime=0", "Antime", "1"},
        {"PtEuro=0.5\r\n# PtEuro=9\r\n", "PtEuro", "0.5"},
        // A line that merely starts with a key is taken for it: comments start with '#'.
        {"meteorologie\r\nmeteo=a\r\n", "meteo", "ologie"},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteFile(dir / "init.cnf", c.content);
        CConfigFile config(dir / "init.cnf", false);
        EXPECT_EQ(config.GetValue(c.key), c.value) << c.content;
    }
}

TEST(ConfigFile, EmptyFileAndKeyAtEnd) {
    TempFolder dir;
    WriteFile(dir / "init.cnf", "");
    {
        CConfigFile config(dir / "init.cnf", false);
        EXPECT_EQ(config.GetValue("meteo"), LoadString(IDS_CONFIG_ERROR));
    }
    WriteFile(dir / "init.cnf", "x\r\nAntime=");
    CConfigFile config(dir / "init.cnf", false);
    EXPECT_EQ(config.GetValue("Antime"), "");
    config.SetValue("Antime", "1");
    EXPECT_EQ(ReadFile(dir / "init.cnf"), "x\r\nAntime=");
}

TEST(ConfigFile, MissingFileThrowsOnUse) {
    TempFolder dir;
    CConfigFile config(dir / "init.cnf", false);
    EXPECT_THROW(config.GetValue("meteo"), FileError);
    EXPECT_THROW(config.SetValue("Antime", "1"), FileError);
    EXPECT_FALSE(std::filesystem::exists(dir / "init.cnf"));
}

TEST(ConfigFile, LockedFileCannotBeOpenedTwice) {
    TempFolder dir;
    WriteFile(dir / "init.cnf", "meteo=a\r\n");
    CConfigFile first(dir / "init.cnf", false);
    CConfigFile second(dir / "init.cnf", false);
    EXPECT_EQ(first.GetValue("meteo"), "a");
    EXPECT_THROW(second.GetValue("meteo"), FileError);
}

// The value goes through the file held open: the same inode, and a link stays a link.
// One byte rewritten, in place: same inode, a link stays a link.
TEST(ConfigFile, SetValueWritesInPlace) {
    namespace fs = std::filesystem;
    for (bool link : {false, true}) {
        TempFolder dir;
        const std::string before = "meteo=a@example.org\r\nAntime=0\r\n";
        WriteFile(dir / "real.cnf", before);
        if (link)
            fs::create_symlink("real.cnf", dir / "init.cnf");
        else
            fs::rename(dir / "real.cnf", dir / "init.cnf");
        const std::string target = dir / (link ? "real.cnf" : "init.cnf");
        struct stat old {};
        ::stat(target.c_str(), &old);
        {
            CConfigFile config(dir / "init.cnf", false);
            config.SetValue("Antime", "1");
            config.SetValue("Missing", "1");  // changes nothing
        }
        struct stat now {};
        ::stat(target.c_str(), &now);
        EXPECT_EQ(now.st_ino, old.st_ino) << link;
        EXPECT_EQ(fs::is_symlink(dir / "init.cnf"), link);
        EXPECT_EQ(ReadFile(target), "meteo=a@example.org\r\nAntime=1\r\n") << link;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()),
                  link ? 2 : 1);
    }
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

TEST(ConfigFile, ReadOnlyFileIsReadAndOnlyAChangeIsRefused) {
    TempFolder dir;
    const std::string before = "meteo=a@example.org\r\nAntime=0\r\n";
    WriteFile(dir / "init.cnf", before);
    EXPECT_TRUE(test::RunInChild(
        [&] {
            std::filesystem::permissions(dir / "init.cnf", std::filesystem::perms::owner_read);
            CConfigFile config(dir / "init.cnf", false);
            EXPECT_EQ(config.GetValue("meteo"), "a@example.org");
            EXPECT_NO_THROW(config.SetValue("Antime", "0"));  // nothing to write
            EXPECT_NO_THROW(config.SetValue("Missing", "1"));
            try {
                config.SetValue("Antime", "1");
                ADD_FAILURE() << "a read-only file was written";
            } catch (const FileError& error) {
                EXPECT_EQ(error.Path(), dir / "init.cnf");
            }
        },
        {dir.Path()}));
    EXPECT_EQ(ReadFile(dir / "init.cnf"), before);
}

// A table that is a link stays one; its target gets the bytes, and nothing is left beside
// either. In a folder that takes no new file, the table is rewritten in place.
TEST(IniTable, SaveKeepsLinksAndWritesInPlaceInAReadOnlyFolder) {
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        bool link;
        bool readOnlyFolder;
    };
    const Case cases[] = {{"plain", false, false},
                          {"link", true, false},
                          {"read-only folder", false, true},
                          {"link into a read-only folder", true, true}};
    for (const Case& c : cases) {
        TempFolder dir;
        WriteFile(dir / "store/t.txt", "a;b\n1;2\n");
        WriteFile(dir / "ini/other.txt", "kept");
        if (c.link)
            fs::create_symlink("../store/t.txt", dir / "ini/t.txt");
        else
            fs::rename(dir / "store/t.txt", dir / "ini/t.txt");
        const std::string target = dir / (c.link ? "store/t.txt" : "ini/t.txt");
        EXPECT_TRUE(test::RunInChild(
            [&] {
                if (c.readOnlyFolder)
                    fs::permissions(fs::path(target).parent_path(), fs::perms::owner_write,
                                    fs::perm_options::remove);
                struct stat old {};
                ::stat(target.c_str(), &old);
                CIniTable table(dir / "ini/t.txt");
                table.Load();
                table.SetCell(2, 2, "new");
                EXPECT_NO_THROW(table.Save()) << c.name;
                struct stat now {};
                ::stat(target.c_str(), &now);
                if (c.readOnlyFolder) {
                    EXPECT_EQ(now.st_ino, old.st_ino) << c.name;
                }
            },
            {dir.Path()}))
            << c.name;
        fs::permissions(fs::path(target).parent_path(), fs::perms::owner_write,
                        fs::perm_options::add);
        EXPECT_EQ(fs::is_symlink(dir / "ini/t.txt"), c.link) << c.name;
        EXPECT_EQ(ReadFile(target), "a;b\r\n1;new\r\n") << c.name;
        EXPECT_EQ(test::ReadFile(dir / "ini/other.txt"), "kept");
        std::size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
            files += !entry.is_directory();
        EXPECT_EQ(files, c.link ? 3u : 2u) << c.name;
    }
}

}  // namespace
}  // namespace wavepost

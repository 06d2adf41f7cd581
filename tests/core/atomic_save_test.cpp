// A save killed at any moment leaves the old file or the new one, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/CConfigFile.h"
#include "catalogue/CIniTable.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::ScratchDir;
using test::WriteFile;

std::string Table(char fill, int rows) {
    std::string content = "a;b;c\r\n";
    for (int r = 0; r < rows; ++r)
        content += std::string(40, fill) + ";" + std::to_string(r) + ";" + fill + "\r\n";
    return content;
}

TEST(AtomicSave, KilledSaveLeavesAWholeFile) {
    ScratchDir dir;
    const std::string first = Table('x', 20000);
    const std::string second = Table('y', 20000);
    WriteFile("big.txt", first);
    for (int round = 0; round < 12; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Alternate between the two contents until killed.
            for (int i = 0;; ++i) {
                WriteFile("src.txt", i % 2 ? first : second);
                CIniTable table("src.txt");
                table.Load();
                CIniTable target("big.txt");
                target.Load();
                for (int r = 1; r <= table.GetRowCount(); ++r)
                    for (int c = 1; c <= 3; ++c) target.SetCell(r, c, table.GetCell(r, c));
                target.Save();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 13 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::string content = ReadFile("big.txt");
        EXPECT_TRUE(content == first || content == second)
            << "round " << round << ": a file of " << content.size() << " bytes";
    }
}

TEST(AtomicSave, ConfigValueIsRewrittenWhole) {
    ScratchDir dir;
    std::string base = "meteo=a@example.org\r\nAntime=0\r\n" + std::string(100000, '#') + "\r\n";
    WriteFile("init.cnf", base);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (int i = 0;; ++i) {
            CConfigFile config("init.cnf", false);
            config.SetValue("Antime", i % 2 ? "1" : "0");
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    std::string content = ReadFile("init.cnf");
    ASSERT_EQ(content.size(), base.size());
    std::string other = base;
    other[base.find("Antime=") + 7] = '1';
    EXPECT_TRUE(content == base || content == other);
}

}  // namespace
}  // namespace wavepost

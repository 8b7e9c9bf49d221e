#include "core/LoopExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

using namespace looplab;
namespace fs = std::filesystem;

namespace {

LoopResult twoLoops() {
    LoopResult r;
    r.strains.push_back({0.001, 0.000001, -0.0025});
    r.loops.push_back({"S01", 0, {200.0, 0.2, -300.5}, {}, -1});
    r.loops.push_back({"C01", 0, {-1.5, 0.0, 1234567.25}, {}, -1});
    return r;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("looplab_export_test_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }
    fs::path folder;
};

} // namespace

TEST(LoopTable, HeaderAndLinesEndInCommaAndCrLf) {
    const LoopResult r = twoLoops();
    EXPECT_EQ(loopTableText(r, loopColumns(r), '.'),
              "Disp.,S01,C01,\r\n"
              "0.001,200,-1.5,\r\n"
              "1E-6,0.2,0,\r\n"
              "-0.0025,-300.5,1234567.25,\r\n");
    EXPECT_EQ(loopTableText(r, loopColumns(r), ','),
              "Disp.,S01,C01,\r\n"
              "0,001,200,-1,5,\r\n"
              "1E-6,0,2,0,\r\n"
              "-0,0025,-300,5,1234567,25,\r\n");
}

TEST(LoopTable, NoLoopsGiveOnlyTheHeader) {
    const LoopResult empty;
    EXPECT_EQ(loopTableText(empty, loopColumns(empty), '.'), "Disp.,\r\n");
}

TEST(LoopTable, OneLoopOfNValuesGivesNPlusOneLines) {
    LoopResult r;
    r.strains.push_back({1, 2, 3, 4});
    r.loops.push_back({"hym", 0, {5, 6, 7, 8}, {}, -1});
    EXPECT_EQ(loopTableText(r, loopColumns(r), '.'),
              "Disp.,hym,\r\n1,5,\r\n2,6,\r\n3,7,\r\n4,8,\r\n");
}

TEST(LoopTable, TangentColumnsFollowTheirStressColumns) {
    LoopResult r;
    r.strains.push_back({0.001});
    r.loops.push_back({"A", 0, {200}, {200000}, -1});
    r.loops.push_back({"B", 0, {1}, {2}, -1});
    EXPECT_EQ(loopTableText(r, loopColumns(r, true), '.'),
              "Disp.,A,A tangent,B,B tangent,\r\n0.001,200,200000,1,2,\r\n");
    EXPECT_EQ(loopTableText(r, loopColumns(r, false), '.', '\t'), "Disp.\tA\tB\t\r\n0.001\t200\t1\t\r\n");
}

TEST(CsvFileName, ExtensionRule) {
    EXPECT_EQ(csvFileName("/tmp/Loops.csv"), "/tmp/Loops.csv");
    EXPECT_EQ(csvFileName("/tmp/Loops.txt"), "/tmp/Loops.csv");
    EXPECT_EQ(csvFileName("/tmp/Loops.CSV"), "/tmp/Loops.csv");
    EXPECT_EQ(csvFileName("/tmp/Loops"), "/tmp/Loops.csv");
    EXPECT_EQ(csvFileName("/tmp/run.2/Loops"), "/tmp/run.2/Loops.csv");
    EXPECT_EQ(csvFileName("/tmp/a.b.c"), "/tmp/a.b.csv");
    EXPECT_EQ(csvFileName("Loops."), "Loops.csv");
}

TEST_F(ScratchFolder, WritesTheFileAndReplacesAnExistingOne) {
    const LoopResult r = twoLoops();
    const fs::path path = folder / "Loops.csv";
    std::ofstream(path) << "old contents that are longer than the new ones, much longer ....";
    EXPECT_EQ(writeLoopCsvFile(path.string(), r, loopColumns(r), '.'), "");
    EXPECT_EQ(readFile(path), loopTableText(r, loopColumns(r), '.'));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST_F(ScratchFolder, RefusalsLeaveExistingFilesAlone) {
    const LoopResult r = twoLoops();
    const fs::path missingFolder = folder / "missing" / "Loops.csv";
    EXPECT_EQ(writeLoopCsvFile(missingFolder.string(), r, loopColumns(r), '.'),
              "Cannot create file \"" + missingFolder.string() + "\". No such file or directory");

    const fs::path readOnly = folder / "locked.csv";
    std::ofstream(readOnly) << "keep me";
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(writeLoopCsvFile(readOnly.string(), r, loopColumns(r), '.'),
              "Cannot create file \"" + readOnly.string() + "\". Permission denied");
    EXPECT_EQ(readFile(readOnly), "keep me");

    EXPECT_EQ(writeLoopCsvFile(folder.string(), r, loopColumns(r), '.'),
              "Cannot create file \"" + folder.string() + "\". Is a directory");
}

TEST(WriteLoopCsvFile, AFailedWriteIsReportedNotConfirmed) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    // A device is written to directly; /dev/full answers every write with "no space".
    const LoopResult r = twoLoops();
    EXPECT_EQ(writeLoopCsvFile("/dev/full", r, loopColumns(r), '.'),
              "Cannot create file \"/dev/full\". No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(ScratchFolder, ALinkIsFollowedNotReplaced) {
    const LoopResult r = twoLoops();
    const fs::path target = folder / "target.csv";
    const fs::path link = folder / "link.csv";
    std::ofstream(target) << "old";
    fs::create_symlink(target, link);
    EXPECT_EQ(writeLoopCsvFile(link.string(), r, loopColumns(r), '.'), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(target), loopTableText(r, loopColumns(r), '.'));
}

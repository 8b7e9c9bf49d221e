// looplab-batch end to end: a history file in, the exact CSV bytes and exit codes out.

#include "materials/Catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace looplab;
namespace fs = std::filesystem;

namespace {

struct BatchRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string quote(const std::string& s) {
    std::string q = "'";
    for (const char c : s) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

class Batch : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("looplab_batch_test_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path file(const std::string& name, const std::string& bytes) {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    BatchRun run(const std::vector<std::string>& args, const std::string& locale = "C") {
        std::string command = "LC_ALL=" + locale + " " + quote(LOOPLAB_BATCH_PATH);
        for (const std::string& a : args) {
            command += " " + quote(a);
        }
        command += " >" + quote((folder / "stdout").string()) + " 2>" +
                   quote((folder / "stderr").string());
        const int status = std::system(command.c_str());
        BatchRun r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = readFile(folder / "stdout");
        r.err = readFile(folder / "stderr");
        return r;
    }

    fs::path folder;
};

} // namespace

TEST_F(Batch, ListShowsEveryModelWithItsDefaults) {
    const BatchRun r = run({"--list"});
    EXPECT_EQ(r.exitCode, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::size_t i = 0;
    while (std::getline(lines, line)) {
        ASSERT_LT(i, modelCatalogue().size());
        const ModelEntry& model = modelCatalogue()[i++];
        EXPECT_EQ(line.rfind(std::string(model.className) + " ", 0), 0u) << line;
        const bool saysUnavailable = line.ends_with(" (not available)");
        EXPECT_EQ(saysUnavailable, !model.available()) << line;
    }
    EXPECT_EQ(i, modelCatalogue().size());
    EXPECT_NE(r.out.find("Steel01 Fy=300 E=200000 b=0.01 a1=0.0 a2=55.0 a3=0.0 a4=55.0\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("ElasticPPMaterial E=200000 epsyP=0.002 epsyN=-0.002 eps0=0\n"),
              std::string::npos);
}

TEST_F(Batch, ReproducesTheSteel01AndElasticPPExamples) {
    const fs::path history = file("h.txt", "0.002\r\n0.001\r\n");
    BatchRun r = run({"--history", history.string(), "--material", "Steel01 S01"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Disp.,S01,\r\n0.002,301,\r\n0.001,101,\r\n");

    const fs::path epp = file("epp.txt", "0.001\n0.003\n0.002\n");
    r = run({"--history", epp.string(), "--material", "ElasticPPMaterial EPP", "--material",
             "Steel01 S01 300 200000 0.01", "--tangents"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Disp.,EPP,EPP tangent,S01,S01 tangent,\r\n"
                     "0.001,200,200000,200,200000,\r\n"
                     "0.003,400,0,303,2000,\r\n"
                     "0.002,200,200000,103,200000,\r\n");
}

TEST_F(Batch, FirstLineSkipsHeadersAndOutputGoesToTheExactPath) {
    const fs::path history = file("h.txt", "Strain history\nstep 1 to 2\n0.001\n-0.001\n");
    const fs::path output = folder / "result.txt";
    const BatchRun r = run({"--history", history.string(), "--first-line", "3", "--material",
                       "ElasticPPMaterial e", "--output", output.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(output), "Disp.,e,\r\n0.001,200,\r\n-0.001,-200,\r\n");
}

TEST_F(Batch, ReadingStoppedEarlyGoesOnWithTheValuesRead) {
    const fs::path history = file("h.txt", "0.001\n\n0.003\n");
    const BatchRun r = run({"--history", history.string(), "--material", "Steel01 S01"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Disp.,S01,\r\n0.001,200,\r\n");
    EXPECT_EQ(r.err, "looplab-batch: '' is not a valid floating point value\n");
}

TEST_F(Batch, NoMaterialGivesTheHeaderOnly) {
    const fs::path history = file("h.txt", "0.001\n");
    const BatchRun r = run({"--history", history.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Disp.,\r\n");
}

TEST_F(Batch, BadDefinitionsWriteNothingAndExitOne) {
    const fs::path history = file("h.txt", "0.001\n");
    const fs::path output = folder / "never.csv";
    struct Case {
        std::vector<std::string> materials;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"Steel99 S"}, "unknown material type \"Steel99\""},
        {{"Steel01"}, "needs a material name"},
        {{"Steel01 S 1 2 3 4 5 6 7 8"}, "S: Steel01 takes 7 parameters, 8 given"},
        {{"Steel01 S abc"}, "S: Fy: 'abc' is not a valid floating point value"},
        {{"Steel01 S 1,5"}, "S: Fy: '1,5' is not a valid floating point value"},
        {{"Steel01 S 300 0"}, "S: E = 0 is refused: "},
        {{"ElasticPPMaterial A", "Steel01 A"}, "A: Duplicate Material Name!"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--history", history.string(), "--output", output.string()};
        for (const std::string& m : c.materials) {
            args.push_back("--material");
            args.push_back(m);
        }
        const BatchRun r = run(args);
        EXPECT_EQ(r.exitCode, 1) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(output)) << c.message;
        EXPECT_EQ(r.out, "");
    }
    for (const ModelEntry& model : modelCatalogue()) {
        if (!model.available()) {
            const BatchRun r = run({"--history", history.string(), "--material",
                               std::string(model.className) + " X"});
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_NE(r.err.find("is not available"), std::string::npos);
        }
    }
}

TEST_F(Batch, HistoryProblemsExitTwo) {
    const fs::path history = file("h.txt", "0.001\n");
    BatchRun r = run({"--history", (folder / "missing.txt").string(), "--material", "Steel01 S"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "looplab-batch: Cannot open file \"" + (folder / "missing.txt").string() +
                         "\". No such file or directory\n");
    r = run({"--history", history.string(), "--first-line", "0"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "looplab-batch: First Line must be greater than 0!\n");
    r = run({"--history", history.string(), "--first-line", "x1"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "looplab-batch: ''x1'' is not a valid integer value\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(Batch, UsageErrorsExitOne) {
    EXPECT_EQ(run({}).exitCode, 1);
    EXPECT_EQ(run({"--material", "Steel01 S"}).exitCode, 1);
    EXPECT_EQ(run({"--bogus"}).exitCode, 1);
    EXPECT_EQ(run({"--help"}).exitCode, 0);
}

TEST_F(Batch, CommaLocaleReadsAndWritesCommas) {
    // The project's bootstrap generates this locale for the tests.
    const fs::path history = file("h.txt", "0,001\n0,0025\n");
    const BatchRun r = run({"--history", history.string(), "--material", "Steel01 S 300,5"},
                      "de_DE.UTF-8");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Disp.,S,\r\n0,001,200,\r\n0,0025,302,495,\r\n");
    const BatchRun dot = run({"--history", history.string(), "--material", "Steel01 S 300.5"},
                        "de_DE.UTF-8");
    EXPECT_EQ(dot.exitCode, 1);
    EXPECT_NE(dot.err.find("'300.5' is not a valid floating point value"), std::string::npos);
}

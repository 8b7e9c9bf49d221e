// Histories built from a loading protocol: their shape, the entry checks, and the history file
// that Import reads back to the same values.

#include "core/HistoryFile.h"
#include "core/HistoryGenerator.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

#include <unistd.h>

using namespace looplab;

namespace {

// The turning points of a history: values where the direction of travel changes, and the
// last value.
std::vector<double> turningPoints(const std::vector<double>& values) {
    std::vector<double> out;
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        const double before = values[i] - values[i - 1];
        const double after = values[i + 1] - values[i];
        if ((before > 0 && after < 0) || (before < 0 && after > 0)) {
            out.push_back(values[i]);
        }
    }
    return out;
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(HistoryGenerator, CyclicBothDirections) {
    CyclicProtocol protocol;
    protocol.amplitudes = {0.001, 0.003};
    protocol.cyclesPerAmplitude = 2;
    protocol.stepsPerQuarterCycle = 3;
    const std::vector<double> h = generateHistory(protocol);

    // 1 + amplitudes × cycles × 4 quarters × steps per quarter.
    ASSERT_EQ(h.size(), 1u + 2u * 2u * 4u * 3u);
    EXPECT_EQ(generatedStepCount(protocol), static_cast<double>(h.size()));
    EXPECT_EQ(h.front(), 0.0);
    EXPECT_EQ(h.back(), 0.0);
    // 0 → +A in three steps, back to 0, then the compressive half.
    EXPECT_DOUBLE_EQ(h[1], 0.001 / 3);
    EXPECT_DOUBLE_EQ(h[2], 0.002 / 3);
    EXPECT_EQ(h[3], 0.001);
    EXPECT_EQ(h[6], 0.0);
    EXPECT_EQ(h[9], -0.001);
    EXPECT_EQ(h[12], 0.0);
    EXPECT_EQ(turningPoints(h),
              (std::vector<double>{0.001, -0.001, 0.001, -0.001, 0.003, -0.003, 0.003, -0.003}));
    // Tension and compression halves mirror each other exactly.
    for (std::size_t i = 1; i <= 6; ++i) {
        EXPECT_EQ(h[i + 6], -h[i]) << i;
    }
}

TEST(HistoryGenerator, CyclicOneSideOnly) {
    CyclicProtocol protocol;
    protocol.amplitudes = {0.002};
    protocol.cyclesPerAmplitude = 3;
    protocol.stepsPerQuarterCycle = 4;

    protocol.direction = CyclicDirection::CompressionOnly;
    const std::vector<double> compression = generateHistory(protocol);
    ASSERT_EQ(compression.size(), 1u + 3u * 2u * 4u);
    EXPECT_EQ(*std::max_element(compression.begin(), compression.end()), 0.0);
    EXPECT_EQ(turningPoints(compression), (std::vector<double>{-0.002, 0.0, -0.002, 0.0, -0.002}));
    // Returning to zero gives +0, not −0, so the saved file reads back bit for bit.
    EXPECT_FALSE(std::signbit(compression[8]));

    protocol.direction = CyclicDirection::TensionOnly;
    const std::vector<double> tension = generateHistory(protocol);
    ASSERT_EQ(tension.size(), compression.size());
    EXPECT_EQ(*std::min_element(tension.begin(), tension.end()), 0.0);
    EXPECT_EQ(turningPoints(tension), (std::vector<double>{0.002, 0.0, 0.002, 0.0, 0.002}));
}

TEST(HistoryGenerator, OneStepPerQuarterGivesOnlyPeaksAndZeros) {
    CyclicProtocol protocol;
    protocol.amplitudes = {0.5};
    protocol.stepsPerQuarterCycle = 1;
    EXPECT_EQ(generateHistory(protocol), (std::vector<double>{0.0, 0.5, 0.0, -0.5, 0.0}));
}

TEST(HistoryGenerator, Ramp) {
    const std::vector<double> h = generateHistory(RampProtocol{-0.01, 4});
    EXPECT_EQ(h, (std::vector<double>{0.0, -0.01 * 1 / 4, -0.01 * 2 / 4, -0.01 * 3 / 4, -0.01}));
    EXPECT_EQ(generatedStepCount(RampProtocol{1.0, 1000}), 1001.0);
    // A peak so large that P·k overflows still lands on the peak, finite all the way.
    const std::vector<double> huge = generateHistory(RampProtocol{1.5e308, 3});
    EXPECT_EQ(huge.back(), 1.5e308);
    EXPECT_TRUE(std::all_of(huge.begin(), huge.end(), [](double v) { return std::isfinite(v); }));
    EXPECT_DOUBLE_EQ(huge[2], 1.0e308);
}

TEST(HistoryGenerator, ReadsTheCyclicEntry) {
    struct Case {
        CyclicEntry entry;
        char separator;
        std::vector<double> amplitudes;
        int cycles;
        int steps;
    };
    const Case cases[] = {
        {{"0.001 0.002; 0.004", " 2 ", "10", CyclicDirection::Both},
         '.',
         {0.001, 0.002, 0.004},
         2,
         10},
        {{"0.001,0.002", "1", "5", CyclicDirection::Both}, '.', {0.001, 0.002}, 1, 5},
        {{"0,001 0,002;1e-2", "1", "5", CyclicDirection::TensionOnly},
         ',',
         {0.001, 0.002, 0.01},
         1,
         5},
        {{"\t0.5\n", "3", "1", CyclicDirection::CompressionOnly}, '.', {0.5}, 3, 1},
    };
    for (const Case& c : cases) {
        const auto reading = readCyclicEntry(c.entry, c.separator);
        ASSERT_TRUE(reading.ok()) << c.entry.amplitudes << ": " << reading.error;
        EXPECT_EQ(reading.protocol.amplitudes, c.amplitudes) << c.entry.amplitudes;
        EXPECT_EQ(reading.protocol.cyclesPerAmplitude, c.cycles);
        EXPECT_EQ(reading.protocol.stepsPerQuarterCycle, c.steps);
        EXPECT_EQ(reading.protocol.direction, c.entry.direction);
    }
}

TEST(HistoryGenerator, RefusesBadCyclicEntries) {
    struct Case {
        CyclicEntry entry;
        char separator;
        std::string error;
    };
    const Case cases[] = {
        {{"", "1", "1"}, '.', "Enter at least one amplitude."},
        {{" ; ", "1", "1"}, '.', "Enter at least one amplitude."},
        {{"0.001 abc", "1", "1"}, '.', "'abc' is not a valid floating point value"},
        // With '.' as decimal separator a comma separates amplitudes: "0" and "001".
        {{"0,001", "1", "1"},
         '.',
         "Amplitude 0 is refused: an amplitude is a peak magnitude and must be greater than 0."},
        {{"0.001", "1", "1"}, ',', "'0.001' is not a valid floating point value"},
        {{"0.001 -0.002", "1", "1"},
         '.',
         "Amplitude -0.002 is refused: an amplitude is a peak magnitude and must be greater "
         "than 0."},
        {{"0", "1", "1"},
         '.',
         "Amplitude 0 is refused: an amplitude is a peak magnitude and must be greater than 0."},
        {{"0.001", "", "1"}, '.', "'''' is not a valid integer value"},
        {{"0.001", "1.5", "1"}, '.', "''1.5'' is not a valid integer value"},
        {{"0.001", "0", "1"}, '.', "Cycles per amplitude must be at least 1."},
        {{"0.001", "2", "-3"}, '.', "Steps per quarter cycle must be at least 1."},
        {{"0.001", "2", "99999999999"}, '.', "''99999999999'' is not a valid integer value"},
        {{"0.001 0.002", "1000", "2000"},
         '.',
         "The history would have 16000001 steps; at most 10000000 can be generated."},
    };
    for (const Case& c : cases) {
        const auto reading = readCyclicEntry(c.entry, c.separator);
        EXPECT_EQ(reading.error, c.error)
            << c.entry.amplitudes << " | " << c.entry.cyclesPerAmplitude << " | "
            << c.entry.stepsPerQuarterCycle;
    }
    // The largest history allowed is accepted.
    CyclicEntry limit{"1", "1", std::to_string((maxGeneratedSteps - 1) / 4)};
    EXPECT_TRUE(readCyclicEntry(limit, '.').ok());
    limit.stepsPerQuarterCycle = std::to_string((maxGeneratedSteps - 1) / 4 + 1);
    EXPECT_FALSE(readCyclicEntry(limit, '.').ok());
}

TEST(HistoryGenerator, ReadsAndRefusesRampEntries) {
    const auto good = readRampEntry({" -0,02 ", "50"}, ',');
    ASSERT_TRUE(good.ok()) << good.error;
    EXPECT_EQ(good.protocol.targetStrain, -0.02);
    EXPECT_EQ(good.protocol.steps, 50);

    struct Case {
        RampEntry entry;
        std::string error;
    };
    const Case cases[] = {
        {{"", "10"}, "'' is not a valid floating point value"},
        {{"1..2", "10"}, "'1..2' is not a valid floating point value"},
        {{"0", "10"}, "The target strain must not be 0."},
        {{"-0.0", "10"}, "The target strain must not be 0."},
        {{"0.01", "x"}, "''x'' is not a valid integer value"},
        {{"0.01", "0"}, "Steps must be at least 1."},
        {{"0.01", "10000000"},
         "The history would have 10000001 steps; at most 10000000 can be generated."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readRampEntry(c.entry, '.').error, c.error) << c.entry.targetStrain;
    }
    EXPECT_TRUE(readRampEntry({"0.01", "9999999"}, '.').ok());
}

TEST(HistoryGenerator, NumberTextReadsBackExactly) {
    struct Case {
        double value;
        const char* text; // with '.'
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "-0"},
        {0.001, "0.001"},
        {-0.0025, "-0.0025"},
        {1e-6, "1E-6"},
        {0.1 + 0.2, "0.30000000000000004"},
        {0.001 * 2 / 3, "0.00066666666666666664"},
        {3.3333333333333334e-08, "3.3333333333333334e-08"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(historyNumberText(c.value, '.'), c.text);
        std::string comma = c.text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        EXPECT_EQ(historyNumberText(c.value, ','), comma);
    }
    // Every double of a varied sample reads back bit for bit with either separator.
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(mantissa(random), exponent(random));
        for (const char separator : {'.', ','}) {
            double back = 0.0;
            ASSERT_TRUE(parseDouble(historyNumberText(value, separator), separator, back));
            ASSERT_TRUE(sameBits(back, value)) << historyNumberText(value, separator);
        }
    }
}

TEST(HistoryGenerator, SavedHistoryImportsToTheSameValues) {
    CyclicProtocol protocol;
    protocol.amplitudes = {0.0007, 0.0013, 0.01};
    protocol.cyclesPerAmplitude = 2;
    protocol.stepsPerQuarterCycle = 7;
    const std::vector<double> cyclic = generateHistory(protocol);
    const std::vector<double> ramp = generateHistory(RampProtocol{-0.0123, 13});

    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("looplab_generated_" + std::to_string(::getpid()) + ".txt");
    for (const std::vector<double>* values : {&cyclic, &ramp}) {
        for (const char separator : {'.', ','}) {
            ASSERT_EQ(writeHistoryFile(path.string(), *values, separator), "");
            const HistoryReadResult read = readHistoryFile(path.string(), 1, separator);
            EXPECT_TRUE(read.complete()) << read.error;
            ASSERT_EQ(read.values.size(), values->size());
            for (std::size_t i = 0; i < values->size(); ++i) {
                ASSERT_TRUE(sameBits(read.values[i], (*values)[i])) << i;
            }
        }
    }
    std::filesystem::remove(path);

    EXPECT_EQ(historyFileText({0.0, 0.5, -1e-6}, '.'), "0\r\n0.5\r\n-1E-6\r\n");
    const std::string missing = "/no/such/folder/h.txt";
    EXPECT_EQ(writeHistoryFile(missing, cyclic, '.'),
              "Cannot create file \"" + missing + "\". No such file or directory");
}

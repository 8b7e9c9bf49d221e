#pragma once

// Deformation histories built from a loading protocol instead of a file: a cyclic protocol
// (amplitudes, cycles per amplitude, steps per quarter cycle, both directions or one side only)
// or a monotonic ramp. Every generated history starts at strain 0 in its first step; peaks are
// the amplitudes exactly. The entry texts are read with the user's decimal separator and
// checked here, so the dialog only asks and shows the message.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace looplab {

enum class CyclicDirection {
    Both,            ///< 0 → +A → 0 → −A → 0 per cycle
    CompressionOnly, ///< 0 → −A → 0 per cycle
    TensionOnly,     ///< 0 → +A → 0 per cycle
};

struct CyclicProtocol {
    std::vector<double> amplitudes; ///< peak magnitudes (> 0), in the order they are applied
    int cyclesPerAmplitude = 1;     ///< ≥ 1
    int stepsPerQuarterCycle = 1;   ///< steps from 0 to a peak (and from a peak to 0), ≥ 1
    CyclicDirection direction = CyclicDirection::Both;
};

struct RampProtocol {
    double targetStrain = 0.0; ///< the last value, reached in `steps` equal increments from 0
    int steps = 1;             ///< ≥ 1
};

// The largest history the generator builds (values, the starting 0 included).
inline constexpr std::size_t maxGeneratedSteps = 10'000'000;

// Number of values a protocol gives, the starting 0 included, without building them. Computed
// in floating point so that no product can overflow; compare with maxGeneratedSteps.
double generatedStepCount(const CyclicProtocol& protocol);
double generatedStepCount(const RampProtocol& protocol);

// The histories. The protocols must have passed the checks of the entry readers below.
std::vector<double> generateHistory(const CyclicProtocol& protocol);
std::vector<double> generateHistory(const RampProtocol& protocol);

// What the dialog's fields hold, as typed.
struct CyclicEntry {
    std::string amplitudes; ///< numbers separated by blanks or ';' (or ',' when it is not the
                            ///< decimal separator)
    std::string cyclesPerAmplitude;
    std::string stepsPerQuarterCycle;
    CyclicDirection direction = CyclicDirection::Both;
};

struct RampEntry {
    std::string targetStrain;
    std::string steps;
};

// A protocol read from its entry, or the message that refuses the entry.
template <typename Protocol> struct ProtocolReading {
    Protocol protocol;
    std::string error; ///< empty when the protocol may be generated

    bool ok() const { return error.empty(); }
};

ProtocolReading<CyclicProtocol> readCyclicEntry(const CyclicEntry& entry, char decimalSeparator);
ProtocolReading<RampProtocol> readRampEntry(const RampEntry& entry, char decimalSeparator);

// One value of a history file: formatNumber's 15 significant digits when they read back to the
// same double, else the 17 significant digits that always do (plain or with an exponent, the
// syntax the history reader accepts), with the given decimal separator.
std::string historyNumberText(double value, char decimalSeparator);

// A history file: one value per line, lines ending in CR LF, no header (Import reads it from
// line 1).
std::string historyFileText(const std::vector<double>& values, char decimalSeparator);

// Writes historyFileText to path. Returns "" on success, else
// "Cannot create file "<path>". <reason>".
std::string writeHistoryFile(const std::string& path, const std::vector<double>& values,
                             char decimalSeparator);

} // namespace looplab

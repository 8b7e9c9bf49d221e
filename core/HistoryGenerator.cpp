#include "core/HistoryGenerator.h"

#include "core/LoopExport.h"
#include "core/NumberText.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace looplab {

namespace {

// P·k/n, the form that keeps decimal amplitudes closest to their decimal fractions; P·(k/n)
// where the product would overflow.
double fraction(double peak, int k, int n) {
    const double value = peak * k / n;
    return std::isfinite(value) ? value : peak * (static_cast<double>(k) / n);
}

// From 0 to the peak in n steps; the last value is the peak itself.
void rise(std::vector<double>& out, double peak, int n) {
    for (int k = 1; k < n; ++k) {
        out.push_back(fraction(peak, k, n));
    }
    out.push_back(peak);
}

// From the peak back to 0 in n steps; the last value is exactly 0 (never −0).
void fall(std::vector<double>& out, double peak, int n) {
    for (int k = 1; k < n; ++k) {
        out.push_back(fraction(peak, n - k, n));
    }
    out.push_back(0.0);
}

double stepsPerCycle(const CyclicProtocol& protocol) {
    const double quarters = protocol.direction == CyclicDirection::Both ? 4.0 : 2.0;
    return quarters * protocol.stepsPerQuarterCycle;
}

bool isListSeparator(char c, char decimalSeparator) {
    return static_cast<unsigned char>(c) <= 32 || c == ';' || (c == ',' && decimalSeparator != ',');
}

// Reads a whole number of at least 1; the message names the field.
std::string readCount(std::string_view text, std::string_view what, int& value) {
    const std::string_view trimmed = trimText(text);
    if (!parseInt32(trimmed, value)) {
        return integerConversionError(trimmed);
    }
    if (value < 1) {
        return std::string(what) + " must be at least 1.";
    }
    return {};
}

std::string tooManySteps(double steps) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", steps);
    return "The history would have " + std::string(text) + " steps; at most " +
           std::to_string(maxGeneratedSteps) + " can be generated.";
}

} // namespace

double generatedStepCount(const CyclicProtocol& protocol) {
    return 1.0 + static_cast<double>(protocol.amplitudes.size()) * protocol.cyclesPerAmplitude *
                     stepsPerCycle(protocol);
}

double generatedStepCount(const RampProtocol& protocol) {
    return 1.0 + static_cast<double>(protocol.steps);
}

std::vector<double> generateHistory(const CyclicProtocol& protocol) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(generatedStepCount(protocol)));
    values.push_back(0.0);
    const int n = protocol.stepsPerQuarterCycle;
    for (const double amplitude : protocol.amplitudes) {
        for (int cycle = 0; cycle < protocol.cyclesPerAmplitude; ++cycle) {
            if (protocol.direction != CyclicDirection::CompressionOnly) {
                rise(values, amplitude, n);
                fall(values, amplitude, n);
            }
            if (protocol.direction != CyclicDirection::TensionOnly) {
                rise(values, -amplitude, n);
                fall(values, -amplitude, n);
            }
        }
    }
    return values;
}

std::vector<double> generateHistory(const RampProtocol& protocol) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(generatedStepCount(protocol)));
    values.push_back(0.0);
    rise(values, protocol.targetStrain, protocol.steps);
    return values;
}

ProtocolReading<CyclicProtocol> readCyclicEntry(const CyclicEntry& entry, char decimalSeparator) {
    ProtocolReading<CyclicProtocol> reading;
    CyclicProtocol& protocol = reading.protocol;
    protocol.direction = entry.direction;

    const std::string& list = entry.amplitudes;
    std::size_t at = 0;
    while (at < list.size()) {
        while (at < list.size() && isListSeparator(list[at], decimalSeparator)) {
            ++at;
        }
        std::size_t end = at;
        while (end < list.size() && !isListSeparator(list[end], decimalSeparator)) {
            ++end;
        }
        if (end == at) {
            break;
        }
        const std::string_view token(list.data() + at, end - at);
        double amplitude = 0.0;
        if (!parseDouble(token, decimalSeparator, amplitude)) {
            reading.error = floatConversionError(token);
            return reading;
        }
        if (!(amplitude > 0.0)) {
            reading.error = "Amplitude " + std::string(token) +
                            " is refused: an amplitude is a peak magnitude and must be greater "
                            "than 0.";
            return reading;
        }
        protocol.amplitudes.push_back(amplitude);
        at = end;
    }
    if (protocol.amplitudes.empty()) {
        reading.error = "Enter at least one amplitude.";
        return reading;
    }
    reading.error =
        readCount(entry.cyclesPerAmplitude, "Cycles per amplitude", protocol.cyclesPerAmplitude);
    if (!reading.ok()) {
        return reading;
    }
    reading.error = readCount(entry.stepsPerQuarterCycle, "Steps per quarter cycle",
                              protocol.stepsPerQuarterCycle);
    if (!reading.ok()) {
        return reading;
    }
    const double steps = generatedStepCount(protocol);
    if (steps > static_cast<double>(maxGeneratedSteps)) {
        reading.error = tooManySteps(steps);
    }
    return reading;
}

ProtocolReading<RampProtocol> readRampEntry(const RampEntry& entry, char decimalSeparator) {
    ProtocolReading<RampProtocol> reading;
    RampProtocol& protocol = reading.protocol;
    const std::string_view target = trimText(entry.targetStrain);
    if (!parseDouble(target, decimalSeparator, protocol.targetStrain)) {
        reading.error = floatConversionError(target);
        return reading;
    }
    if (protocol.targetStrain == 0.0) {
        reading.error = "The target strain must not be 0.";
        return reading;
    }
    reading.error = readCount(entry.steps, "Steps", protocol.steps);
    if (!reading.ok()) {
        return reading;
    }
    const double steps = generatedStepCount(protocol);
    if (steps > static_cast<double>(maxGeneratedSteps)) {
        reading.error = tooManySteps(steps);
    }
    return reading;
}

std::string historyNumberText(double value, char decimalSeparator) {
    std::string text = formatNumber(value, decimalSeparator);
    double back = 0.0;
    if (parseDouble(text, decimalSeparator, back) && back == value &&
        std::signbit(back) == std::signbit(value)) {
        return text;
    }
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    text.assign(buffer, written.ptr);
    for (char& c : text) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return text;
}

std::string historyFileText(const std::vector<double>& values, char decimalSeparator) {
    std::string text;
    text.reserve(values.size() * 12);
    for (const double value : values) {
        text += historyNumberText(value, decimalSeparator);
        text += "\r\n";
    }
    return text;
}

std::string writeHistoryFile(const std::string& path, const std::vector<double>& values,
                             char decimalSeparator) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return cannotCreateFileError(path, std::strerror(errno));
    }
    const std::string text = historyFileText(values, decimalSeparator);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = written ? 0 : errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int error = writeError != 0 ? writeError : (errno != 0 ? errno : EIO);
        return cannotCreateFileError(path, std::strerror(error));
    }
    return {};
}

} // namespace looplab

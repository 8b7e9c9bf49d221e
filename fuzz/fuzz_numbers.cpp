// Number conversions on arbitrary text, and the export format read back.
//
// Input: byte 0 picks the decimal separator (bit 0: '.' or ','); bytes 1..8 are a double's bit
// pattern for the round trip; the whole input after byte 0 is also the text to convert.

#include "FuzzInput.h"

#include "core/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using looplab::fuzz::ByteReader;
using looplab::fuzz::require;

namespace {

bool allowedInNumber(char c, char separator) {
    return (c >= '0' && c <= '9') || c == '-' || c == 'E' || c == separator;
}

// The double that the 15-significant-digit rounding of x names, as the C library computes it.
double roundedTo15Digits(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", x);
    return std::strtod(text, nullptr);
}

// format(x) read back must name the same 15-digit rounding of x.
void checkRoundTrip(double x, char separator) {
    char out[40];
    const std::size_t length = looplab::formatNumber(x, separator, out);
    require(length > 0 && length <= 32, "formatNumber writes 1 to 32 characters");
    const std::string text(out, length);
    require(looplab::formatNumber(x, separator) == text, "both formatNumber overloads agree");
    if (std::isnan(x)) {
        require(text == "NaN", "NaN is written NaN");
        return;
    }
    if (std::isinf(x)) {
        require(text == (x > 0 ? "Inf" : "-Inf"), "infinities are written Inf and -Inf");
        return;
    }
    for (const char c : text) {
        require(allowedInNumber(c, separator), "a finite number is written with digits, '-', "
                                               "'E' and the separator only");
    }
    double y = 0.0;
    if (std::isinf(roundedTo15Digits(x))) {
        // Within half a unit of the 15th digit of the largest double the rounding names a
        // number beyond the double range, which does not convert back.
        require(!looplab::parseDouble(text, separator, y), "a text beyond the range is refused");
        return;
    }
    require(looplab::parseDouble(text, separator, y), "a formatted finite number parses back");
    require(y == roundedTo15Digits(x), "the read-back value is x rounded to 15 digits");
    require(std::fabs(y - x) <= 1e-14 * std::fabs(x), "the read-back value is within 1e-14 of x");
    require(looplab::formatNumber(y, separator) == text, "format(parse(format(x))) == format(x)");
}

// A text that converts with one separator converts to the same value with the other one put in
// its place.
void checkSeparatorSwap(std::string_view text, char separator, double value) {
    const char other = separator == '.' ? ',' : '.';
    if (text.find(other) != std::string_view::npos) {
        return;
    }
    std::string swapped(text);
    for (char& c : swapped) {
        if (c == separator) {
            c = other;
        }
    }
    double again = 0.0;
    require(looplab::parseDouble(swapped, other, again),
            "the text converts with the other separator");
    require(std::memcmp(&again, &value, sizeof value) == 0, "both separators give the same value");
}

// The text of a converted int with the sign '+' and leading zeros removed is the int's decimal
// form.
void checkIntegerText(std::string_view text, int value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    while (text.size() > 1 && text.front() == '0') {
        text.remove_prefix(1);
    }
    std::string canonical(text);
    if (negative && canonical != "0") {
        canonical.insert(0, "-");
    }
    require(std::to_string(value) == canonical, "parseInt32 gives the value the digits name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    const char separator = (in.byte() & 1) != 0 ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                                size > 0 ? size - 1 : 0);

    double value = 0.0;
    if (looplab::parseDouble(text, separator, value)) {
        require(std::isfinite(value), "a converted value is finite");
        require(looplab::trimText(text) == text, "a converted text has no blanks around it");
        checkSeparatorSwap(text, separator, value);
        checkRoundTrip(value, separator);
    }

    int integer = 0;
    if (looplab::parseInt32(text, integer)) {
        checkIntegerText(text, integer);
        double asDouble = 0.0;
        require(looplab::parseDouble(text, separator, asDouble) && asDouble == integer,
                "an integer text converts to the same value as a decimal");
    }

    (void)looplab::floatConversionError(text);
    (void)looplab::integerConversionError(text);

    if (size >= 9) {
        const double x = in.rawDouble();
        checkRoundTrip(x, '.');
        checkRoundTrip(x, ',');
    }
    return 0;
}

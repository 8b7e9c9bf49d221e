// The history reader on arbitrary file content.
//
// Input: byte 0 picks the decimal separator (bit 0) and a fallback first line (bits 1..3);
// byte 1 gives the length (0..15) of the first-line answer that follows it; the rest is the
// file's content.

#include "FuzzInput.h"

#include "core/HistoryFile.h"
#include "core/NumberText.h"

#include <climits>
#include <cmath>
#include <string>

using looplab::fuzz::ByteReader;
using looplab::fuzz::require;

namespace {

// The number of lines of the content as the reader splits it: CR LF, LF and CR end a line and
// a break after the last line adds none. UTF-16 content is counted in code units (CR and LF
// are never part of a surrogate pair; an odd last byte is one more character).
std::size_t countLines(std::string_view bytes) {
    std::size_t unitSize = 1;
    bool bigEndian = false;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        bigEndian = bytes[0] == '\xFE';
        bytes.remove_prefix(2);
        unitSize = 2;
    }
    const std::size_t units = (bytes.size() + unitSize - 1) / unitSize;
    auto unit = [&](std::size_t k) -> unsigned {
        if (unitSize == 1) {
            return static_cast<unsigned char>(bytes[k]);
        }
        if (2 * k + 1 >= bytes.size()) {
            return 0xFFFD;
        }
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::size_t lines = 0;
    std::size_t k = 0;
    while (k < units) {
        while (k < units && unit(k) != '\n' && unit(k) != '\r') {
            ++k;
        }
        ++lines;
        if (k < units && unit(k) == '\r') {
            ++k;
            if (k < units && unit(k) == '\n') {
                ++k;
            }
        } else if (k < units) {
            ++k;
        }
    }
    return lines;
}

bool isConversionError(const std::string& message) {
    const std::string_view tail = "' is not a valid floating point value";
    return message.size() >= tail.size() + 1 && message.front() == '\'' &&
           message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
}

void checkFirstLine(std::string_view text) {
    const looplab::FirstLineResult result = looplab::parseFirstLine(text);
    require(result.ok() == result.error.empty(), "ok() is an empty error");
    int direct = 0;
    const bool converts = looplab::parseInt32(looplab::trimText(text), direct);
    if (result.ok()) {
        require(result.firstLine >= 1, "an accepted first line is at least 1");
        require(converts && direct == result.firstLine, "the first line is the trimmed integer");
    } else if (converts) {
        require(direct <= 0 && result.error == "First Line must be greater than 0!",
                "an integer is refused only when it is not positive");
    } else {
        require(result.error == looplab::integerConversionError(looplab::trimText(text)),
                "a text that does not convert gives the integer conversion error");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    const std::uint8_t control = in.byte();
    const char separator = (control & 1) != 0 ? ',' : '.';
    const std::string_view firstLineText = in.text(in.byte() % 16);
    const std::string_view content = in.rest();

    checkFirstLine(firstLineText);
    const looplab::FirstLineResult answer = looplab::parseFirstLine(firstLineText);
    const int firstLine = answer.ok() ? answer.firstLine : 1 + ((control >> 1) & 7);

    const looplab::HistoryReadResult result =
        looplab::readHistoryText(content, firstLine, separator);
    require(!result.openFailed, "text in memory never fails to open");
    for (const double v : result.values) {
        require(std::isfinite(v), "every value read is finite");
    }
    const std::size_t lines = countLines(content);
    const std::size_t skipped = static_cast<std::size_t>(firstLine) - 1;
    const std::size_t readable = lines > skipped ? lines - skipped : 0;
    if (result.complete()) {
        require(result.values.size() == readable,
                "a complete read gives one value per line from the first line on");
    } else {
        require(result.values.size() < readable, "a read that stops gives fewer values");
        require(isConversionError(result.error), "a stopped read names the failing line");
    }

    // Starting one line later drops exactly the first value and stops at the same line.
    if (!result.values.empty() && firstLine < INT_MAX) {
        const looplab::HistoryReadResult later =
            looplab::readHistoryText(content, firstLine + 1, separator);
        require(later.error == result.error, "a later first line stops at the same line");
        require(later.values.size() + 1 == result.values.size(),
                "a later first line gives one value less");
        for (std::size_t i = 0; i < later.values.size(); ++i) {
            require(later.values[i] == result.values[i + 1],
                    "a later first line gives the same values after the first");
        }
    }
    return 0;
}

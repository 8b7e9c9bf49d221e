#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace looplab {

// The answer to "First Line: " turned into a line number (1-based), or the message that
// refuses it.
struct FirstLineResult {
    int firstLine = 0;
    std::string error; ///< empty when firstLine is valid

    bool ok() const { return error.empty(); }
};

// Trims the text, converts it to a 32-bit integer and requires it to be greater than 0.
FirstLineResult parseFirstLine(std::string_view text);

// What reading a history gave: the values read and, where the reading stopped early or the file
// could not be opened, the message to show. The values read before a failing line are kept.
struct HistoryReadResult {
    std::vector<double> values;
    std::string error;       ///< empty when every line from the first line on converted
    bool openFailed = false; ///< the file could not be opened or read at all

    bool complete() const { return error.empty(); }
};

// Reads history text already in memory: byte-order mark (UTF-8, UTF-16 LE/BE) or 8-bit text
// (UTF-8 when it is valid UTF-8, else Latin-1, for messages), lines ending in CR LF, LF or
// CR, lines before firstLine skipped unread, each line trimmed and converted with the given
// decimal separator until the first one that does not convert. The message of a failing line
// quotes it with control characters shown as U+FFFD and cut after 200 characters ("…").
HistoryReadResult readHistoryText(std::string_view bytes, int firstLine, char decimalSeparator);

// Reads a history file. A file that cannot be opened or read gives the message
// "Cannot open file "<path>". <reason>" and no values.
HistoryReadResult readHistoryFile(const std::string& path, int firstLine, char decimalSeparator);

// The message of a file that cannot be opened.
std::string cannotOpenFileError(std::string_view path, std::string_view reason);

} // namespace looplab

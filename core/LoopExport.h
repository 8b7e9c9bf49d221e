#pragma once

#include "core/LoopComputation.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace looplab {

// One column of the loop table after the strain column.
struct LoopColumn {
    std::string title;
    const std::vector<double>* values;
};

// The columns of a loop export: each loop's stresses, in loop order, and, when asked for and
// recorded, a "NAME tangent" column after each.
std::vector<LoopColumn> loopColumns(const LoopResult& result, bool withTangents = false);

// Writes the loop table: the header "Disp.," followed by each column title and a comma, then one
// line per step of the first loop's history with the strain and each column's value, every
// field followed by the separator. Lines end with CR LF. Numbers use formatNumber. Any
// fieldSeparator may be used (',' for the file, '\t' for a spreadsheet paste).
class LoopTableWriter {
public:
    // Receives the text in pieces of a few hundred kilobytes; returns false to stop writing.
    using Sink = std::function<bool(std::string_view piece)>;

    static bool write(const LoopResult& result, const std::vector<LoopColumn>& columns,
                      char decimalSeparator, char fieldSeparator, const Sink& sink);
};

// The whole table as one string (for small tables, tests and the clipboard).
std::string loopTableText(const LoopResult& result, const std::vector<LoopColumn>& columns,
                          char decimalSeparator, char fieldSeparator = ',');

// The chosen file name with its extension (from the last '.' of the file-name part, the dot
// included) replaced by ".csv"; ".csv" is appended when there is none.
std::string csvFileName(std::string_view chosenPath);

// Writes the table to path, replacing an existing file only once the whole text has been
// written (through a temporary file beside it, renamed over it). Returns "" on success, else
// "Cannot create file "<path>". <reason>"; the existing file is then left as it was.
std::string writeLoopCsvFile(const std::string& path, const LoopResult& result,
                             const std::vector<LoopColumn>& columns, char decimalSeparator);

std::string cannotCreateFileError(std::string_view path, std::string_view reason);

} // namespace looplab

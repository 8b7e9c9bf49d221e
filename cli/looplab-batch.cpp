// looplab-batch: the scriptable face of LoopLab. Lists the model catalogue, or drives the
// materials given on the command line through a history file and writes the loop table as CSV,
// exactly as the program's Save Loops does.
//
// Exit status: 0 done (also when the history reading stopped early: its message goes to
// standard error and the values read are used); 1 bad command line or material definition;
// 2 history file that cannot be opened or bad first line; 3 output file that cannot be written.

#include "core/HistoryFile.h"
#include "core/LoopComputation.h"
#include "core/LoopExport.h"
#include "core/NumberText.h"
#include "materials/Catalogue.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace looplab;

namespace {

constexpr int exitUsage = 1;
constexpr int exitHistory = 2;
constexpr int exitOutput = 3;

const char* const usageText =
    "usage: looplab-batch --list\n"
    "       looplab-batch --history FILE [--first-line N]\n"
    "                     --material \"TYPE NAME [P1 P2 ...]\" [--material ...]\n"
    "                     [--output FILE] [--tangents]\n"
    "\n"
    "  --list        print every model of the catalogue with its parameters and defaults\n"
    "  --history     the strain history, one number per line\n"
    "  --first-line  the first line of data (default 1); earlier lines are skipped\n"
    "  --material    a model class name, a material name without blanks, then its parameters\n"
    "                in constructor order; omitted trailing parameters take their defaults\n"
    "  --output      the CSV file to write (exactly this path); standard output otherwise\n"
    "  --tangents    add a \"NAME tangent\" column after each loop's stress column\n"
    "\n"
    "Numbers use the decimal separator of the numeric locale (LC_ALL, LC_NUMERIC, LANG).\n";

struct Options {
    bool list = false;
    bool tangents = false;
    std::string historyPath;
    std::string firstLineText = "1";
    std::string outputPath;
    bool haveOutput = false;
    std::vector<std::string> materials;
};

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "looplab-batch: %s\n", message.c_str());
    return code;
}

// Splits at characters whose code is 32 or less.
std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && static_cast<unsigned char>(text[i]) > 32) {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

// Parses the command line; returns an empty string or the reason it is wrong.
std::string parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= argc) {
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (arg == "--list") {
            options.list = true;
        } else if (arg == "--tangents") {
            options.tangents = true;
        } else if (arg == "--history") {
            if (!value(options.historyPath)) {
                return "--history needs a file name";
            }
        } else if (arg == "--first-line") {
            if (!value(options.firstLineText)) {
                return "--first-line needs a line number";
            }
        } else if (arg == "--output") {
            if (!value(options.outputPath)) {
                return "--output needs a file name";
            }
            options.haveOutput = true;
        } else if (arg == "--material") {
            std::string definition;
            if (!value(definition)) {
                return "--material needs \"TYPE NAME [P1 P2 ...]\"";
            }
            options.materials.push_back(definition);
        } else {
            return "unknown argument \"" + std::string(arg) + "\"";
        }
    }
    if (!options.list && options.historyPath.empty()) {
        return "--history FILE is required";
    }
    return {};
}

void printCatalogue() {
    for (const ModelEntry& model : modelCatalogue()) {
        std::string line(model.className);
        for (const ParameterSpec& parameter : model.parameters) {
            line.append(" ").append(parameter.name).append("=").append(parameter.defaultText);
        }
        if (!model.available()) {
            line.append(" (not available)");
        }
        std::printf("%s\n", line.c_str());
    }
}

// Builds one material from "TYPE NAME [P1 ...]" as a definition dialog would; returns the
// reason when it cannot.
std::string defineMaterial(std::string_view definition, char separator,
                           const std::vector<std::unique_ptr<UniaxialMaterial>>& defined,
                           std::unique_ptr<UniaxialMaterial>& material) {
    const std::vector<std::string_view> words = splitWords(definition);
    if (words.empty()) {
        return "--material needs \"TYPE NAME [P1 P2 ...]\"";
    }
    const std::string type(words[0]);
    const ModelEntry* model = findModel(type);
    if (model == nullptr) {
        return "unknown material type \"" + type + "\" (looplab-batch --list shows the catalogue)";
    }
    if (!model->available()) {
        return type + " is not available yet";
    }
    if (words.size() < 2) {
        return "--material \"" + type + " ...\" needs a material name after the type";
    }
    const std::string name(words[1]);
    for (const auto& other : defined) {
        if (other->name == name) {
            return name + ": Duplicate Material Name!";
        }
    }
    const std::size_t given = words.size() - 2;
    if (given > model->parameters.size()) {
        return name + ": " + type + " takes " + std::to_string(model->parameters.size()) +
               " parameters, " + std::to_string(given) + " given";
    }
    ParameterValues values;
    for (std::size_t p = 0; p < model->parameters.size(); ++p) {
        const ParameterSpec& parameter = model->parameters[p];
        const std::string defaultText = localizedDefaultText(parameter, separator);
        const std::string_view text = trimText(p < given ? words[p + 2] : defaultText);
        if (parameter.type == ParameterType::Int) {
            int value = 0;
            if (!parseInt32(text, value)) {
                return name + ": " + std::string(parameter.name) + ": " + integerConversionError(text);
            }
            values.push_back(value);
        } else {
            double value = 0.0;
            if (!parseDouble(text, separator, value)) {
                return name + ": " + std::string(parameter.name) + ": " + floatConversionError(text);
            }
            values.push_back(value);
        }
    }
    if (std::string refusal = model->check(values); !refusal.empty()) {
        return name + ": " + refusal;
    }
    material = model->factory(0, values);
    material->name = name;
    return {};
}

bool writeToStandardOutput(const LoopResult& result, const std::vector<LoopColumn>& columns,
                           char separator) {
    const bool written = LoopTableWriter::write(
        result, columns, separator, ',', [](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        });
    return std::fflush(stdout) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc == 1) {
        std::fputs(usageText, stderr);
        return exitUsage;
    }
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (std::string error = parseOptions(argc, argv, options); !error.empty()) {
        std::fprintf(stderr, "looplab-batch: %s\n\n%s", error.c_str(), usageText);
        return exitUsage;
    }
    if (options.list) {
        printCatalogue();
        return 0;
    }

    const char separator = systemDecimalSeparator();
    std::vector<std::unique_ptr<UniaxialMaterial>> materials;
    for (const std::string& definition : options.materials) {
        std::unique_ptr<UniaxialMaterial> material;
        if (std::string error = defineMaterial(definition, separator, materials, material);
            !error.empty()) {
            return fail(exitUsage, error);
        }
        materials.push_back(std::move(material));
    }

    const FirstLineResult firstLine = parseFirstLine(options.firstLineText);
    if (!firstLine.ok()) {
        return fail(exitHistory, firstLine.error);
    }
    DispHistory history;
    HistoryReadResult read = readHistoryFile(options.historyPath, firstLine.firstLine, separator);
    if (read.openFailed) {
        return fail(exitHistory, read.error);
    }
    if (!read.complete()) {
        std::fprintf(stderr, "looplab-batch: %s\n", read.error.c_str());
    }
    history.values = std::move(read.values);

    std::vector<UniaxialMaterial*> selected;
    for (const auto& material : materials) {
        selected.push_back(material.get());
    }
    LoopOptions loopOptions;
    loopOptions.recordTangents = options.tangents;
    const LoopResult result = computeLoops(selected, {&history}, loopOptions);
    const std::vector<LoopColumn> columns = loopColumns(result, options.tangents);

    for (const Loop& loop : result.loops) {
        if (loop.firstNonFiniteStep >= 0) {
            std::fprintf(stderr, "looplab-batch: %s: the stress is not finite from step %lld\n",
                         loop.name.c_str(), loop.firstNonFiniteStep + 1);
        }
    }

    if (options.haveOutput) {
        if (std::string error = writeLoopCsvFile(options.outputPath, result, columns, separator);
            !error.empty()) {
            return fail(exitOutput, error);
        }
    } else if (!writeToStandardOutput(result, columns, separator)) {
        return fail(exitOutput, "cannot write to standard output");
    }
    return 0;
}

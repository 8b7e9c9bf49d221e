#include "core/HistoryFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace looplab;

namespace {

std::string utf16(std::string_view ascii, bool bigEndian, bool withMark) {
    std::string out;
    if (withMark) {
        out += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    }
    for (const char c : ascii) {
        if (bigEndian) {
            out.push_back('\0');
            out.push_back(c);
        } else {
            out.push_back(c);
            out.push_back('\0');
        }
    }
    return out;
}

class TempFile {
public:
    explicit TempFile(std::string_view bytes)
        : path_(std::filesystem::temp_directory_path() /
                ("looplab_history_test_" + std::to_string(::getpid()) + "_" +
                 std::to_string(counter_++) + ".txt")) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

} // namespace

TEST(ParseFirstLine, MessagesAndValues) {
    EXPECT_EQ(parseFirstLine("1").firstLine, 1);
    EXPECT_EQ(parseFirstLine("  3\t").firstLine, 3);
    EXPECT_EQ(parseFirstLine("abc").error, "''abc'' is not a valid integer value");
    EXPECT_EQ(parseFirstLine(" 1.5 ").error, "''1.5'' is not a valid integer value");
    EXPECT_EQ(parseFirstLine("   ").error, "'''' is not a valid integer value");
    EXPECT_EQ(parseFirstLine("2147483648").error, "''2147483648'' is not a valid integer value");
    EXPECT_EQ(parseFirstLine("0").error, "First Line must be greater than 0!");
    EXPECT_EQ(parseFirstLine("-3").error, "First Line must be greater than 0!");
}

TEST(ReadHistoryText, ThreeValuesFromLineOne) {
    const HistoryReadResult r = readHistoryText("0.001\n-0.002\n0.003\n", 1, '.');
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.values, (std::vector<double>{0.001, -0.002, 0.003}));
}

TEST(ReadHistoryText, LineEndsAndTrimming) {
    const std::vector<double> expected{1.0, 2.0, 3.0, 4.0};
    for (const char* text : {"1\r\n2\r\n3\r\n4\r\n", "1\n2\n3\n4", "1\r2\r3\r4\r", "1\r\n2\n3\r4",
                             " 1 \n\t2\t\n  3\n4   \r\n"}) {
        const HistoryReadResult r = readHistoryText(text, 1, '.');
        EXPECT_TRUE(r.complete()) << r.error;
        EXPECT_EQ(r.values, expected);
    }
}

TEST(ReadHistoryText, HeaderLinesSkippedUnread) {
    const HistoryReadResult r = readHistoryText("strain history\nunit: -\n0.5\n-0.5\n", 3, '.');
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.values, (std::vector<double>{0.5, -0.5}));
}

TEST(ReadHistoryText, StopsAtFirstBadLineKeepingValuesAbove) {
    HistoryReadResult r = readHistoryText("1\n2\n\n3\n", 1, '.');
    EXPECT_EQ(r.values, (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(r.error, "'' is not a valid floating point value");

    r = readHistoryText("1\n  two  \n3\n", 1, '.');
    EXPECT_EQ(r.values, (std::vector<double>{1.0}));
    EXPECT_EQ(r.error, "'two' is not a valid floating point value");

    r = readHistoryText("header\n1\n", 1, '.');
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(r.error, "'header' is not a valid floating point value");
}

TEST(ReadHistoryText, DecimalSeparatorOfTheLocale) {
    EXPECT_EQ(readHistoryText("1,5\n-2,25\n", 1, ',').values, (std::vector<double>{1.5, -2.25}));
    const HistoryReadResult r = readHistoryText("1,5\n", 1, '.');
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(r.error, "'1,5' is not a valid floating point value");
    EXPECT_EQ(readHistoryText("1.5\n", 1, ',').error, "'1.5' is not a valid floating point value");
}

TEST(ReadHistoryText, EndCases) {
    EXPECT_TRUE(readHistoryText("", 1, '.').values.empty());
    EXPECT_TRUE(readHistoryText("", 1, '.').complete());
    const HistoryReadResult beyond = readHistoryText("1\n2\n", 5, '.');
    EXPECT_TRUE(beyond.values.empty());
    EXPECT_TRUE(beyond.complete());
    // A break after the last line makes no extra empty line; a second one does.
    EXPECT_TRUE(readHistoryText("1\n", 1, '.').complete());
    EXPECT_EQ(readHistoryText("1\n\n", 1, '.').error, "'' is not a valid floating point value");
}

TEST(ReadHistoryText, ByteOrderMarks) {
    const std::vector<double> expected{0.5, -1.0};
    EXPECT_EQ(readHistoryText("\xEF\xBB\xBF" "0.5\r\n-1\r\n", 1, '.').values, expected);
    EXPECT_EQ(readHistoryText(utf16("0.5\r\n-1\r\n", false, true), 1, '.').values, expected);
    EXPECT_EQ(readHistoryText(utf16("0.5\n-1\n", true, true), 1, '.').values, expected);
    // Without a mark UTF-16 is 8-bit text: the NUL bytes inside the first line stop the reading.
    const HistoryReadResult noMark = readHistoryText(utf16("0.5\n-1\n", false, false), 1, '.');
    EXPECT_TRUE(noMark.values.empty());
    EXPECT_FALSE(noMark.complete());
}

TEST(ReadHistoryText, EightBitTextShownInMessages) {
    EXPECT_EQ(readHistoryText("d\xE9" "formation\n", 1, '.').error,
              "'d\xC3\xA9" "formation' is not a valid floating point value");
    EXPECT_EQ(readHistoryText("d\xC3\xA9" "formation\n", 1, '.').error,
              "'d\xC3\xA9" "formation' is not a valid floating point value");
}

TEST(ReadHistoryFile, ReadsAFileAndReportsOneThatCannotBeOpened) {
    const TempFile file("Disp\n0.001\n0.002\n");
    const HistoryReadResult r = readHistoryFile(file.path(), 2, '.');
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.values, (std::vector<double>{0.001, 0.002}));

    const HistoryReadResult missing = readHistoryFile("/nonexistent/history.txt", 1, '.');
    EXPECT_TRUE(missing.openFailed);
    EXPECT_TRUE(missing.values.empty());
    EXPECT_EQ(missing.error,
              "Cannot open file \"/nonexistent/history.txt\". No such file or directory");

    for (const char* device : {"/dev/zero", "/dev/null"}) {
        const HistoryReadResult notAFile = readHistoryFile(device, 1, '.');
        EXPECT_TRUE(notAFile.openFailed);
        EXPECT_EQ(notAFile.error,
                  "Cannot open file \"" + std::string(device) + "\". Not a regular file");
    }

    const std::string folder = std::filesystem::temp_directory_path().string();
    const HistoryReadResult directory = readHistoryFile(folder, 1, '.');
    EXPECT_TRUE(directory.openFailed);
    EXPECT_EQ(directory.error, "Cannot open file \"" + folder + "\". Is a directory");
}

TEST(ReadHistoryText, MessagesOfUnreadableLinesStayReadable) {
    // A NUL (UTF-16 read as 8-bit text) is shown, not swallowed.
    EXPECT_EQ(readHistoryText(std::string("1\0.5\n", 5), 1, '.').error,
              "'1\xEF\xBF\xBD.5' is not a valid floating point value");
    // A line of a megabyte is quoted by its first 200 characters.
    const std::string huge(1 << 20, 'x');
    const HistoryReadResult r = readHistoryText("0.5\n" + huge + "\n1\n", 1, '.');
    EXPECT_EQ(r.values, (std::vector<double>{0.5}));
    EXPECT_EQ(r.error, "'" + std::string(200, 'x') + "\xE2\x80\xA6' is not a valid floating point value");
    // Exactly 200 characters are quoted whole; multi-byte characters count as one.
    const std::string edge(199, 'y');
    EXPECT_EQ(readHistoryText(edge + "\xC3\xA9", 1, '.').error,
              "'" + edge + "\xC3\xA9' is not a valid floating point value");
    // Binary bytes that are not UTF-8 read as Latin-1; controls become U+FFFD.
    EXPECT_EQ(readHistoryText(std::string("\x89PNG\r\n\x1a\n", 8), 1, '.').error,
              "'\xC2\x89PNG' is not a valid floating point value");
}

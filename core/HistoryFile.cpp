#include "core/HistoryFile.h"

#include "core/NumberText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace looplab {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 (after its byte-order mark) to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) -> char32_t {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>((hi << 8) | lo);
    };
    const std::size_t units = bytes.size() / 2;
    for (std::size_t k = 0; k < units; ++k) {
        char32_t c = unit(2 * k);
        if (c >= 0xD800 && c < 0xDC00 && k + 1 < units) {
            const char32_t next = unit(2 * (k + 1));
            if (next >= 0xDC00 && next < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                ++k;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    if (bytes.size() % 2 != 0) {
        appendUtf8(out, 0xFFFD);
    }
    return out;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (c < 0x80) {
            length = 1;
        } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
            length = 2;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
        } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// At most this many characters of a failing line are quoted in its message; a longer line
// (a binary file, a file without line breaks) is cut, so that the message stays readable and
// a message box never has to lay out megabytes of text.
constexpr std::size_t quotedLineLimit = 200;

// The text of a failing line as the message shows it: 8-bit text that is not UTF-8 is read as
// Latin-1; control characters (a NUL of UTF-16 read as 8-bit text, say) are shown as U+FFFD so
// that they are seen, not swallowed; a long line is cut after quotedLineLimit characters.
std::string displayText(std::string_view line) {
    const bool utf8 = isValidUtf8(line);
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < line.size(); ++characters) {
        if (characters == quotedLineLimit) {
            out.append("\xE2\x80\xA6"); // …
            break;
        }
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 32 && c != '\t') {
            appendUtf8(out, 0xFFFD);
            ++i;
        } else if (!utf8) {
            appendUtf8(out, c);
            ++i;
        } else {
            std::size_t length = c < 0x80 ? 1 : (c < 0xE0 ? 2 : (c < 0xF0 ? 3 : 4));
            out.append(line.substr(i, length));
            i += length;
        }
    }
    return out;
}

// Walks lines ending in CR LF, LF or CR; a break after the last line adds no empty line.
HistoryReadResult readLines(std::string_view text, int firstLine, char separator) {
    HistoryReadResult result;
    const std::size_t firstIndex = static_cast<std::size_t>(firstLine) - 1;
    std::size_t lineIndex = 0;
    std::size_t pos = 0;
    const std::size_t n = text.size();
    while (pos < n) {
        std::size_t end = pos;
        while (end < n && text[end] != '\n' && text[end] != '\r') {
            ++end;
        }
        if (lineIndex >= firstIndex) {
            const std::string_view line = trimText(text.substr(pos, end - pos));
            double value = 0.0;
            if (!parseDouble(line, separator, value)) {
                result.error = floatConversionError(displayText(line));
                return result;
            }
            result.values.push_back(value);
        }
        ++lineIndex;
        pos = end;
        if (pos < n && text[pos] == '\r') {
            ++pos;
            if (pos < n && text[pos] == '\n') {
                ++pos;
            }
        } else if (pos < n) {
            ++pos;
        }
    }
    return result;
}

} // namespace

FirstLineResult parseFirstLine(std::string_view text) {
    FirstLineResult result;
    const std::string_view trimmed = trimText(text);
    int value = 0;
    if (!parseInt32(trimmed, value)) {
        result.error = integerConversionError(trimmed);
        return result;
    }
    if (value <= 0) {
        result.error = "First Line must be greater than 0!";
        return result;
    }
    result.firstLine = value;
    return result;
}

HistoryReadResult readHistoryText(std::string_view bytes, int firstLine, char decimalSeparator) {
    if (firstLine <= 0) {
        firstLine = 1;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return readLines(bytes.substr(3), firstLine, decimalSeparator);
    }
    if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
        const bool bigEndian = bytes[0] == '\xFE';
        const std::string text = utf16ToUtf8(bytes.substr(2), bigEndian);
        return readLines(text, firstLine, decimalSeparator);
    }
    return readLines(bytes, firstLine, decimalSeparator);
}

std::string cannotOpenFileError(std::string_view path, std::string_view reason) {
    std::string message = "Cannot open file \"";
    message.append(path).append("\". ").append(reason);
    return message;
}

HistoryReadResult readHistoryFile(const std::string& path, int firstLine, char decimalSeparator) {
    auto failure = [&](int error, const char* reason = nullptr) {
        HistoryReadResult result;
        result.openFailed = true;
        result.error = cannotOpenFileError(path, reason != nullptr ? reason : std::strerror(error));
        return result;
    };
    // Non-blocking, so that a pipe chosen by mistake cannot hang the program on open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return failure(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(error);
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        return failure(EISDIR);
    }
    // A device or a pipe is no history file: /dev/zero would never end.
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return failure(0, "Not a regular file");
    }
    std::string bytes;
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            return failure(error);
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return readHistoryText(bytes, firstLine, decimalSeparator);
}

} // namespace looplab

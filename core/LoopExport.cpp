#include "core/LoopExport.h"

#include "core/NumberText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace looplab {

namespace {
constexpr std::size_t pieceSize = 1 << 18;

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}
} // namespace

std::vector<LoopColumn> loopColumns(const LoopResult& result, bool withTangents) {
    std::vector<LoopColumn> columns;
    for (const Loop& loop : result.loops) {
        columns.push_back({loop.name, &loop.stresses});
        if (withTangents && loop.tangents.size() == loop.stresses.size()) {
            columns.push_back({loop.name + " tangent", &loop.tangents});
        }
    }
    return columns;
}

bool LoopTableWriter::write(const LoopResult& result, const std::vector<LoopColumn>& columns,
                            char decimalSeparator, char fieldSeparator, const Sink& sink) {
    std::string buffer;
    buffer.reserve(pieceSize + 4096);
    buffer.append("Disp.").push_back(fieldSeparator);
    for (const LoopColumn& column : columns) {
        buffer.append(column.title).push_back(fieldSeparator);
    }
    buffer.append("\r\n");

    // The strain column is the history of the first loop; every row stays within the sizes
    // that exist, whatever the columns hold.
    const std::vector<double>* strains =
        result.loops.empty() ? nullptr : &result.strainsOf(result.loops.front());
    const std::size_t rows = result.loops.empty() ? 0 : result.loops.front().stresses.size();
    char number[40];
    for (std::size_t i = 0; i < rows; ++i) {
        const double strain = i < strains->size() ? (*strains)[i] : 0.0;
        buffer.append(number, formatNumber(strain, decimalSeparator, number));
        buffer.push_back(fieldSeparator);
        for (const LoopColumn& column : columns) {
            if (i < column.values->size()) {
                buffer.append(number, formatNumber((*column.values)[i], decimalSeparator, number));
            }
            buffer.push_back(fieldSeparator);
        }
        buffer.append("\r\n");
        if (buffer.size() >= pieceSize) {
            if (!sink(buffer)) {
                return false;
            }
            buffer.clear();
        }
    }
    return buffer.empty() || sink(buffer);
}

std::string loopTableText(const LoopResult& result, const std::vector<LoopColumn>& columns,
                          char decimalSeparator, char fieldSeparator) {
    std::string text;
    LoopTableWriter::write(result, columns, decimalSeparator, fieldSeparator,
                           [&](std::string_view piece) {
                               text.append(piece);
                               return true;
                           });
    return text;
}

std::string csvFileName(std::string_view chosenPath) {
    const std::size_t nameStart = chosenPath.find_last_of('/');
    const std::size_t dot = chosenPath.find_last_of('.');
    std::string result(chosenPath);
    if (dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart)) {
        result.resize(dot);
    }
    result.append(".csv");
    return result;
}

std::string cannotCreateFileError(std::string_view path, std::string_view reason) {
    std::string message = "Cannot create file \"";
    message.append(path).append("\". ").append(reason);
    return message;
}

namespace {

// Writes the whole table to an open descriptor; returns 0 or the errno of the failure.
int writeTable(int fd, const LoopResult& result, const std::vector<LoopColumn>& columns,
               char decimalSeparator) {
    int writeError = 0;
    const bool written = LoopTableWriter::write(
        result, columns, decimalSeparator, ',', [&](std::string_view piece) {
            while (!piece.empty()) {
                const ssize_t n = ::write(fd, piece.data(), piece.size());
                if (n < 0) {
                    if (errno == EINTR) {
                        continue;
                    }
                    writeError = errno;
                    return false;
                }
                piece.remove_prefix(static_cast<std::size_t>(n));
            }
            return true;
        });
    if (!written && writeError == 0) {
        writeError = EIO;
    }
    return writeError;
}

} // namespace

std::string writeLoopCsvFile(const std::string& chosenPath, const LoopResult& result,
                             const std::vector<LoopColumn>& columns, char decimalSeparator) {
    auto failure = [&](int error) {
        return cannotCreateFileError(chosenPath, std::strerror(error));
    };

    // Replace what a link points to, not the link.
    std::string path = chosenPath;
    struct stat existing {};
    const bool exists = ::stat(chosenPath.c_str(), &existing) == 0;
    if (exists) {
        if (char* resolved = ::realpath(chosenPath.c_str(), nullptr)) {
            path = resolved;
            std::free(resolved);
        }
    }
    if (exists && S_ISDIR(existing.st_mode)) {
        return failure(EISDIR);
    }
    // A file nobody may write is not replaced, even by a user whom the system would let.
    if (exists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return failure(EACCES);
    }

    // A device or pipe is written to directly; it cannot be replaced by renaming.
    if (exists && !S_ISREG(existing.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) {
            return failure(errno);
        }
        int error = writeTable(fd, result, columns, decimalSeparator);
        if (::close(fd) != 0 && error == 0) {
            error = errno;
        }
        return error == 0 ? std::string() : failure(error);
    }

    // A regular file is replaced only once the whole table is safely in a file beside it.
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return failure(errno);
    }
    int error = writeTable(fd, result, columns, decimalSeparator);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());
    if (error == 0 && ::fchmod(fd, mode) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failure(error);
    }
    return {};
}

} // namespace looplab

#include "core/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace looplab {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A "C" numeric locale for strtod_l, created once.
locale_t cNumericLocale() {
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Checks the strict syntax; on success reports where the separator is (npos when absent).
bool validDecimalSyntax(std::string_view text, char separator, std::size_t& separatorAt) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    separatorAt = std::string_view::npos;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == separator) {
        separatorAt = i;
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == n;
}

} // namespace

std::string_view trimText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool parseDouble(std::string_view text, char decimalSeparator, double& value) {
    std::size_t separatorAt = 0;
    if (!validDecimalSyntax(text, decimalSeparator, separatorAt)) {
        return false;
    }
    // from_chars takes neither '+' nor another separator than '.': hand it a normalised copy.
    std::string normalised(text.front() == '+' ? text.substr(1) : text);
    if (separatorAt != std::string_view::npos) {
        normalised[separatorAt - (text.front() == '+' ? 1 : 0)] = '.';
    }
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (error == std::errc() && end == last) {
        value = parsed;
        return true;
    }
    if (error != std::errc::result_out_of_range) {
        return false;
    }
    // Out of range: strtod tells overflow (±HUGE_VAL) from underflow (a tiny or zero value).
    parsed = strtod_l(first, nullptr, cNumericLocale());
    if (std::isinf(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseInt32(std::string_view text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return false;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) {
            return false;
        }
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) {
        return false;
    }
    value = static_cast<int>(signedValue);
    return true;
}

std::string floatConversionError(std::string_view text) {
    std::string message = "'";
    message.append(text).append("' is not a valid floating point value");
    return message;
}

std::string integerConversionError(std::string_view text) {
    std::string message = "''";
    message.append(text).append("'' is not a valid integer value");
    return message;
}

std::size_t formatNumber(double value, char decimalSeparator, char* out) {
    char* p = out;
    if (std::isnan(value)) {
        std::memcpy(out, "NaN", 3);
        return 3;
    }
    if (std::isinf(value)) {
        if (value < 0) {
            std::memcpy(out, "-Inf", 4);
            return 4;
        }
        std::memcpy(out, "Inf", 3);
        return 3;
    }
    if (value == 0.0) {
        *out = '0';
        return 1;
    }
    if (value < 0) {
        *p++ = '-';
        value = -value;
    }
    // 15 significant digits, rounded: "d.dddddddddddddde±x".
    char scientific[40];
    const auto result =
        std::to_chars(scientific, scientific + sizeof scientific, value,
                      std::chars_format::scientific, 14);
    char digits[15];
    int digitCount = 0;
    const char* s = scientific;
    for (; *s != 'e'; ++s) {
        if (isDigit(*s)) {
            digits[digitCount++] = *s;
        }
    }
    int exponent = 0;
    std::from_chars(s + (s[1] == '+' ? 2 : 1), result.ptr, exponent);
    while (digitCount > 1 && digits[digitCount - 1] == '0') {
        --digitCount;
    }

    if (exponent < -5 || exponent >= 15) {
        *p++ = digits[0];
        if (digitCount > 1) {
            *p++ = decimalSeparator;
            std::memcpy(p, digits + 1, digitCount - 1);
            p += digitCount - 1;
        }
        *p++ = 'E';
        p = std::to_chars(p, p + 8, exponent).ptr;
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        for (int i = 0; i < integerDigits; ++i) {
            *p++ = i < digitCount ? digits[i] : '0';
        }
        if (digitCount > integerDigits) {
            *p++ = decimalSeparator;
            std::memcpy(p, digits + integerDigits, digitCount - integerDigits);
            p += digitCount - integerDigits;
        }
    } else {
        *p++ = '0';
        *p++ = decimalSeparator;
        for (int i = 0; i < -exponent - 1; ++i) {
            *p++ = '0';
        }
        std::memcpy(p, digits, digitCount);
        p += digitCount;
    }
    return static_cast<std::size_t>(p - out);
}

std::string formatNumber(double value, char decimalSeparator) {
    char buffer[40];
    return std::string(buffer, formatNumber(value, decimalSeparator, buffer));
}

char systemDecimalSeparator() {
    const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) {
        return '.';
    }
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    const char separator = (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
    freelocale(user);
    return separator;
}

} // namespace looplab

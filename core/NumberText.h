#pragma once

#include <string>
#include <string_view>

namespace looplab {

// Removes leading and trailing characters whose code is 32 or less (blanks, tabs, controls).
std::string_view trimText(std::string_view text);

// Strict decimal syntax: optional sign, digits with at most one decimal separator (at least one
// digit in all), optional exponent 'e'/'E' with optional sign and at least one digit. No
// blanks, no thousands separators, no other separator than the one given, no "nan"/"inf".
// A value beyond the double range does not convert; one too small to represent becomes the
// nearest representable value (possibly 0). The text is not trimmed.
bool parseDouble(std::string_view text, char decimalSeparator, double& value);

// Optional sign and decimal digits, within the 32-bit signed range. The text is not trimmed.
bool parseInt32(std::string_view text, int& value);

// The conversion errors, with the (trimmed) text that failed.
std::string floatConversionError(std::string_view text); // '%s' is not a valid floating point value
std::string integerConversionError(std::string_view text); // ''%s'' is not a valid integer value

// General format with 15 significant digits: trailing zeros dropped, no separator for whole
// values, scientific notation ("1.5E-7", "1E20") when the magnitude is below 1e-5 or has more
// than 15 integer digits. Non-finite values are written "NaN", "Inf" and "-Inf"; negative zero
// is written "0". Returns the number of characters written into out (at most 32).
std::size_t formatNumber(double value, char decimalSeparator, char* out);
std::string formatNumber(double value, char decimalSeparator);

// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG), without
// changing the process locale; '.' when the locale cannot be determined.
char systemDecimalSeparator();

} // namespace looplab

#pragma once
// The platform's text-to-floating-point conversion, as the edits use it.
#include <optional>
#include <string>
#include <string_view>

// Leading and trailing blanks; an optional sign; decimal digits with at most
// one decimal separator (the user's, passed in) and at least one digit; an
// optional exponent "E" or "e" with an optional sign and digits. Nothing else,
// and nothing beyond the range of a double.
std::optional<double> TryStrToFloat(const std::string& text, std::string_view decimalSeparator);

// As TryStrToFloat, raising "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text, std::string_view decimalSeparator);

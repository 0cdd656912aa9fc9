#include "core/floatconv.h"

#include <charconv>
#include <cmath>

#include "core/errors.h"

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> TryStrToFloat(const std::string& text, std::string_view decimalSeparator) {
  if (decimalSeparator.empty()) decimalSeparator = ".";
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;

  // Rewritten with "." so that the conversion does not depend on the C locale.
  std::string plain;
  size_t i = begin;
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain.push_back('-');
    ++i;
  }
  int digits = 0;
  bool separatorSeen = false;
  while (i < end) {
    if (IsDigit(text[i])) {
      plain.push_back(text[i++]);
      ++digits;
    } else if (!separatorSeen && text.compare(i, decimalSeparator.size(), decimalSeparator) == 0) {
      plain.push_back('.');
      i += decimalSeparator.size();
      separatorSeen = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    plain.push_back('e');
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
    int exponentDigits = 0;
    while (i < end && IsDigit(text[i])) {
      plain.push_back(text[i++]);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;

  double value = 0;
  const char* first = plain.data();
  const char* last = first + plain.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

double StrToFloat(const std::string& text, std::string_view decimalSeparator) {
  if (auto v = TryStrToFloat(text, decimalSeparator)) return *v;
  throw EConvertError("'" + text + "' is not a valid floating point value");
}

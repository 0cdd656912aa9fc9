#pragma once
#include <string>

// The rate a text names ("110" … "256000", case ignored); anything else 9600.
int BaudRateFromText(const std::string& text);

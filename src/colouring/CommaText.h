#pragma once
// Comma text: a list written on one line, the form the definition and display files keep
// word lists in. Items are separated by commas or blanks; an item holding a blank, a control
// character, a comma or a double quote is written in double quotes with inner quotes doubled.
#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> ParseCommaText(std::string_view text);
std::string MakeCommaText(const std::vector<std::string>& items);

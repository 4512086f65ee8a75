// Texts counted in characters, not bytes: a UTF-8 lead byte and its continuation bytes are
// one character, so a name or an entry typed with "µ" or "ä" counts as the user sees it.
#pragma once

#include <cstddef>
#include <string>

namespace calbrine {

std::size_t CharacterCount(const std::string& text);
// The first `count` characters of `text`.
std::string FirstCharacters(const std::string& text, std::size_t count);
// The text without its leading and trailing blanks (spaces only, as the formatters write
// them before a positive number and after the unit-range suffix).
std::string WithoutBlanks(const std::string& text);
// The text without leading and trailing blanks, tabs and carriage returns, as a line of a
// file or a typed name may carry them.
std::string Trimmed(const std::string& text);
// The text with its ASCII letters in lower case, for names compared in any case.
std::string Lower(std::string text);

}  // namespace calbrine

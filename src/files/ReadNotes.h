// What the design-file reader says when a file is not what a person would mean: design files
// are read by position, with plain numbers, and the reading stays so (stored files rely on
// it), but a line under another field's key, a value with a unit or other text after its
// number, a value that is no number and a file that ends early are each said.
#pragma once

#include <cstddef>
#include <string>

#include "design/DesignFields.h"

namespace calbrine {

// "line 7 'C90:' holds CcoarseMax's place: design files are read by position"
std::string PlaceNote(int line, const std::string& key, const DesignField& field);
// "IF: '9M' read as 9 Hz: write 9E6", "C37: 'abc' is not a number: read as 0"; empty when the
// value text is a plain number and nothing else.
std::string ValueNote(const DesignField& field, const std::string& valueText, float read);
// "the file ends before L7's line: L7 and IF are not in it", for a file that ends after
// `fieldsRead` of the twelve values.
std::string EndNote(std::size_t fieldsRead);

}  // namespace calbrine

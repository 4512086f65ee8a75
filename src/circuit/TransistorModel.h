// The SPICE model card of the oscillator's transistor, built into the program from
// data/2N3904.model.
#pragma once

namespace calbrine {

extern const char* const TransistorModelCard;

}  // namespace calbrine

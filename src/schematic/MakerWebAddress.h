// The web address of the program's maker, shown on the opening window and the printed page.
#pragma once

namespace calbrine {

inline constexpr char MakerWebAddress[] = "https://calbrine.example.org";

}  // namespace calbrine

// Writing a whole file so that a failure never leaves a damaged or half-written file behind.
#pragma once

#include <string>

namespace calbrine {

// Writes `content` to a new file beside `target` and puts it in the target's place only when
// every byte was written, flushed and closed. On failure the target stays as it was (or
// absent), nothing else is left behind, and false is returned. A symbolic link is followed:
// the file it points to is replaced, the link stays. The new file keeps the old file's mode,
// or gets the usual mode for a new file; a target that may not be written is not replaced.
bool ReplaceFile(const std::string& target, const std::string& content);

// Why ReplaceFile would refuse `target` before writing anything (a folder, a file that may not
// be written, a folder that does not exist or may not be written), or empty text; what a
// command checks before long work whose result it writes.
std::string ReplaceRefusal(const std::string& target);

}  // namespace calbrine

// Double-byte character hooks. Windows-1252 has no lead bytes, so every byte is a whole character and the
// editor's lead/trail adjustments do nothing; they stay in the code as calls to this one place.
#pragma once

#include <string_view>

namespace dbcs {

inline bool IsLeadByte(unsigned char) { return false; }

// True when the 1-based character index stands on the second byte of a double-byte character.
inline bool IsTrailByteAt(std::string_view, int) { return false; }

} // namespace dbcs

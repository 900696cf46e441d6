#pragma once

// The words a picture writes unless the command line gives its own
// (DIMD=, DIMDP=, NYQUIST_NAME=), so that a picture in another language
// need hold no English.
namespace fixed_word {
inline constexpr char deviation_db[] = "Deviation, dB";
inline constexpr char deviation_deg[] = "Deviation, deg";
inline constexpr char nyquist[] = "Nyquist";
}  // namespace fixed_word

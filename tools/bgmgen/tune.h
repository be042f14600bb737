#pragma once

#include "smf.h"

namespace bgm {

// The park theme: 32 bars of F major at 84 bpm (A A' B A''), made to loop from the last bar
// straight back into the first. Deterministic: the same bytes every run.
Song parkTheme();

} // namespace bgm

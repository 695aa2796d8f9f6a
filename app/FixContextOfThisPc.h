#pragma once
// This PC's facts that choose what a failed row's link opens.
#include "app/Fixes.h"

// The real Windows release (RtlGetVersion; the reported one where that is not known), whether
// this is a 32-bit process on 64-bit Windows, and the system and Windows folders. The release
// also chooses the instructions, so that an instruction and its action always agree.
FixContext FixContextOfThisPc();

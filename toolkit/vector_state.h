#pragma once
// The processor's vector registers between library code and long loops.

namespace viramont {

// Marks the upper halves of the AVX registers unused (vzeroupper), on
// processors that have them; elsewhere does nothing. Library code (the C
// library's string functions, Qt's drawing) may return with them still in
// use, and until they are cleared every SSE instruction that follows pays
// for merging them: a plot's point loops took twice their time. Called
// before a loop that runs for long; costs a few cycles.
void settleVectorRegisters();

} // namespace viramont

#pragma once

#include <cstddef>

// Reading a file through a memory mapping raises a bus error (SIGBUS) on a
// page that lies past the file's end, which happens when another program
// shortens the file while it is read. A watched mapping instead gets zero
// pages from the faulting page to its end, the read goes on, and the fault
// is remembered, so that the reader can refuse what it read. Faults outside
// every watched mapping go to the handler that was installed before, or end
// the program as they would have.
namespace MappingGuard {

// Watches the mapping [begin, begin + length); a slot for faulted() and
// release(), or -1 when every slot is taken (read the file instead).
int watch(const void *begin, std::size_t length);
// True once a read of the watched mapping has run past the file's end.
bool faulted(int slot);
// Stops watching; call before the mapping is removed.
void release(int slot);

} // namespace MappingGuard

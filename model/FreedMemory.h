// Handing memory the program freed back to the system.
//
// A large event, its build map and its counters are hundreds of megabytes
// of small blocks; freed, they stay with the allocator for later use
// unless it is asked to give them back, and the process would go on
// holding the largest event or build it ever had while the user works on.
#pragma once

// Gives back what the allocator holds free. Its cost grows with the memory
// freed since the last time, most of a second for a large build's map all
// at once (engine/BusyPump.h hands a large structure back a slice at a
// time instead).
void ReturnFreedMemory();

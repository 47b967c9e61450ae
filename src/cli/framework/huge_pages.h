#pragma once

namespace mervanta {

// Large tables touch hundreds of megabytes of fresh memory, which the kernel otherwise maps
// page by page: asks the C library for transparent huge pages. The C library reads that
// setting only when a program starts, so the program starts itself again once with it;
// should that fail, it runs on as it is.
void UseHugePages(char** argv);

}  // namespace mervanta

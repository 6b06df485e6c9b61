#pragma once

// Keeps the memory of freed large blocks in the process for the next ones. By default the C library hands every
// block of a few hundred kilobytes and more back to the system when it is freed, and the next one comes back page by
// page, each page a fault: with a sample text of megabytes, every keystroke copies the text into such blocks, and
// the faults cost more than the copying. Call once, first thing in main().
void keepLargeAllocationsInProcess();

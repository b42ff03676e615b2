#pragma once
// Opening a web address in the browser that Windows has registered for the "http" class.

// Hands the address to the registered browser (by DDE when it answers, else by starting
// its command line). Reports nothing: every failure ends silently.
void OpenUrl(const char* address);

#pragma once
// Resources of Options.dll that its page controls load (the library's .rc provides them).

// The pointing hand shown over a link label (32x32, hot spot at the fingertip).
#define IDC_LINK_HAND 132

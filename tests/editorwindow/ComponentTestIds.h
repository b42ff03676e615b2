#pragma once
// Resources of the component test program.
#define IDR_CONFTEST 200
#define IDC_SAMPLE 1012

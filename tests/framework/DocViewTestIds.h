#pragma once
// Resource ids of the document and frame tests.

#define IDR_MAINFRAME 128
#define IDR_SAMPLETYPE 129
#define IDR_VIEWER 130

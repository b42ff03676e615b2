#pragma once
// Resource ids of the window and routing tests.

#define IDR_ROUTE 300
#define ID_TEST_VIEW 40001
#define ID_TEST_DOC 40002
#define ID_TEST_FRAME 40003
#define ID_TEST_APP 40004
#define ID_TEST_SHARED 40005
#define ID_TEST_DISABLED 40006

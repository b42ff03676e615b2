#pragma once
// The editor's own command identifiers (beside the framework's Edit commands).
#define ID_VQ_FIND_NEXT 45026
#define ID_VQ_SELECT_ALL 45034

#include "UnwindSharing.h"

#include <cstring>

extern "C" void __register_frame_info(const void* begin, void* object);
extern "C" void* __deregister_frame_info(const void* begin);

namespace {
// The runtime's bookkeeping for one registered table; opaque, a few pointers long.
struct RegistrationSlot {
    const void* tables;
    alignas(8) unsigned char object[64];
};
RegistrationSlot g_slots[16];

// The runtime fills its register tables on its first unwind; a personality routine of this
// module that runs during another module's unwind needs them already.
void WarmUpUnwinder()
{
    static bool warm = false;
    if (warm)
        return;
    warm = true;
    try {
        throw 0;
    } catch (...) {
    }
}
}  // namespace

const void* AfxFindUnwindTables(HMODULE module)
{
    if (!module)
        return nullptr;
    auto* base = reinterpret_cast<const unsigned char*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        // The linker names sections longer than eight characters by their offset in its
        // string table; ".eh_frame" is the first such name, at offset 4.
        const char* name = reinterpret_cast<const char*>(section->Name);
        if (std::strncmp(name, ".eh_fram", 8) == 0 || std::strncmp(name, "/4", 3) == 0)
            return base + section->VirtualAddress;
    }
    return nullptr;
}

bool AfxShareUnwindTables(const void* tables)
{
    if (!tables)
        return false;
    WarmUpUnwinder();
    for (RegistrationSlot& slot : g_slots) {
        if (slot.tables == tables)
            return true;
    }
    for (RegistrationSlot& slot : g_slots) {
        if (!slot.tables) {
            slot.tables = tables;
            std::memset(slot.object, 0, sizeof(slot.object));
            __register_frame_info(tables, slot.object);
            return true;
        }
    }
    return false;
}

void AfxUnshareUnwindTables(const void* tables)
{
    for (RegistrationSlot& slot : g_slots) {
        if (tables && slot.tables == tables) {
            __deregister_frame_info(tables);
            slot.tables = nullptr;
        }
    }
}

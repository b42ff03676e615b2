#include <editor/OleDragDrop.h>

#include <ole2.h>

COleDragDrop cOleDragDrop;

COleDragDrop::~COleDragDrop()
{
    // The library may be unloaded on another thread than the one that initialised OLE;
    // uninitialising belongs to that thread, so it is left to the process's end.
}

BOOL COleDragDrop::Init()
{
    if (m_bInitialised)
        return TRUE;
    const HRESULT hr = ::OleInitialize(nullptr);
    m_bInitialised = SUCCEEDED(hr) ? TRUE : FALSE;
    return m_bInitialised;
}

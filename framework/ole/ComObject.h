#pragma once
// The reference count and the interface answer of the COM objects we make ourselves (the
// control host's site, event sinks): each object is made with one reference and deletes
// itself at its last Release.

#include <unknwn.h>

class CComRefCount {
public:
    ULONG Add() { return ++m_count; }
    template <class Object>
    ULONG Release(Object* self)
    {
        const ULONG left = --m_count;
        if (left == 0)
            delete self;
        return left;
    }

private:
    ULONG m_count = 1;
};

// The end of a QueryInterface: hands out `found` with a reference of its own, or nothing.
inline HRESULT AnswerInterface(IUnknown* found, void** out)
{
    if (!out)
        return E_POINTER;
    *out = found;
    if (!found)
        return E_NOINTERFACE;
    found->AddRef();
    return S_OK;
}

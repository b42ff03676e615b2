#pragma once
// CComPtr: an owned reference to a COM interface, released with this object; move-only.

#include <unknwn.h>

#include <utility>

template <typename Interface>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() { Reset(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return m_p; }
    Interface* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For calls that hand out a reference: the old one is released first.
    Interface** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Reset()
    {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
    }
    // Another interface of the same object; empty when it has none.
    template <typename Other>
    CComPtr<Other> As(REFIID iid) const
    {
        CComPtr<Other> other;
        if (m_p)
            m_p->QueryInterface(iid, other.ReceiveVoid());
        return other;
    }

private:
    Interface* m_p = nullptr;
};

#pragma once
// A growable array of elements stored by value: element block, size, capacity, growth step
// (0 = automatic). Elements move between blocks by plain byte copy, so the element types
// used with it must not hold pointers into themselves.

#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

template <typename T>
class CGrowArray {
public:
    CGrowArray() = default;
    CGrowArray(const CGrowArray&) = delete;
    CGrowArray& operator=(const CGrowArray&) = delete;
    ~CGrowArray() { SetSize(0); }

    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nMaxSize; }
    int GetGrowBy() const { return m_nGrowBy; }
    void SetGrowBy(int step) { m_nGrowBy = step < 0 ? 0 : step; }
    bool IsEmpty() const { return m_nSize == 0; }

    T& operator[](int i) { return m_pData[i]; }
    const T& operator[](int i) const { return m_pData[i]; }
    T* begin() { return m_pData; }
    T* end() { return m_pData + m_nSize; }
    const T* begin() const { return m_pData; }
    const T* end() const { return m_pData + m_nSize; }

    // Size n: 0 frees the block; growing past the capacity adds the growth step (or
    // size / 8, between 4 and 1024), or more when n needs more.
    void SetSize(int n)
    {
        if (n < 0)
            n = 0;
        if (n == 0) {
            Destroy(0, m_nSize);
            ::operator delete(m_pData);
            m_pData = nullptr;
            m_nSize = m_nMaxSize = 0;
            return;
        }
        if (m_pData == nullptr) {
            m_pData = static_cast<T*>(::operator new(sizeof(T) * static_cast<std::size_t>(n)));
            m_nMaxSize = n;
            Construct(0, n);
            m_nSize = n;
            return;
        }
        if (n > m_nMaxSize) {
            int grow = m_nGrowBy;
            if (grow == 0) {
                grow = m_nSize / 8;
                grow = grow < 4 ? 4 : (grow > 1024 ? 1024 : grow);
            }
            int capacity = m_nMaxSize + grow;
            if (capacity < n)
                capacity = n;
            T* block = static_cast<T*>(::operator new(sizeof(T) * static_cast<std::size_t>(capacity)));
            std::memcpy(static_cast<void*>(block), static_cast<const void*>(m_pData),
                        sizeof(T) * static_cast<std::size_t>(m_nSize));
            ::operator delete(m_pData);
            m_pData = block;
            m_nMaxSize = capacity;
        }
        if (n > m_nSize)
            Construct(m_nSize, n);
        else
            Destroy(n, m_nSize);
        m_nSize = n;
    }

    int Add(const T& element)
    {
        T copy(element);  // element may live in the block that SetSize moves
        const int index = m_nSize;
        SetSize(index + 1);
        m_pData[index] = std::move(copy);
        return index;
    }

    // Inserts before position i; at or past the end it appends.
    void InsertAt(int i, const T& element)
    {
        if (i < 0)
            i = 0;
        if (i >= m_nSize) {
            Add(element);
            return;
        }
        T copy(element);
        SetSize(m_nSize + 1);
        // The new last slot was constructed empty; destroy it and move the tail up by bytes.
        m_pData[m_nSize - 1].~T();
        std::memmove(static_cast<void*>(m_pData + i + 1), static_cast<const void*>(m_pData + i),
                     sizeof(T) * static_cast<std::size_t>(m_nSize - 1 - i));
        new (m_pData + i) T(std::move(copy));
    }

    void RemoveAt(int i)
    {
        if (i < 0 || i >= m_nSize)
            return;
        m_pData[i].~T();
        std::memmove(static_cast<void*>(m_pData + i), static_cast<const void*>(m_pData + i + 1),
                     sizeof(T) * static_cast<std::size_t>(m_nSize - 1 - i));
        --m_nSize;
    }

    void RemoveAll() { SetSize(0); }

private:
    void Construct(int from, int to)
    {
        for (int i = from; i < to; ++i)
            new (m_pData + i) T();
    }

    void Destroy(int from, int to)
    {
        for (int i = from; i < to; ++i)
            m_pData[i].~T();
    }

    T* m_pData = nullptr;
    int m_nSize = 0;
    int m_nMaxSize = 0;
    int m_nGrowBy = 0;
};

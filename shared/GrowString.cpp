#include "GrowString.h"

#include <cstdio>
#include <cstring>

CGrowString::CGrowString() : m_pText(new char[kChunk]), m_nCapacity(kChunk), m_nLength(0)
{
    m_pText[0] = '\0';
}

CGrowString::CGrowString(const char* text) : m_pText(nullptr), m_nCapacity(0), m_nLength(0)
{
    const char* t = text ? text : "";
    Assign(t, static_cast<int>(std::strlen(t)));
}

CGrowString::CGrowString(const CGrowString& other) : m_pText(nullptr), m_nCapacity(0), m_nLength(0)
{
    Assign(other.m_pText, other.m_nLength);
}

CGrowString& CGrowString::operator=(const CGrowString& other)
{
    if (this != &other)
        Assign(other.m_pText, other.m_nLength);
    return *this;
}

CGrowString& CGrowString::operator=(const char* text)
{
    const char* t = text ? text : "";
    Assign(t, static_cast<int>(std::strlen(t)));
    return *this;
}

CGrowString::~CGrowString()
{
    delete[] m_pText;
}

void CGrowString::Assign(const char* text, int length)
{
    if (length < m_nCapacity && m_pText != nullptr) {
        // Fits: reuse the buffer. memmove, since text may point into it.
        std::memmove(m_pText, text, static_cast<std::size_t>(length));
    } else {
        const int capacity = CapacityFor(length);
        char* buffer = new char[static_cast<std::size_t>(capacity)];
        std::memcpy(buffer, text, static_cast<std::size_t>(length));
        delete[] m_pText;
        m_pText = buffer;
        m_nCapacity = capacity;
    }
    m_pText[length] = '\0';
    m_nLength = length;
}

char* CGrowString::ReserveDiscard(int n)
{
    if (n >= m_nCapacity) {
        const int capacity = CapacityFor(n);
        char* buffer = new char[static_cast<std::size_t>(capacity)];
        delete[] m_pText;
        m_pText = buffer;
        m_nCapacity = capacity;
        m_pText[0] = '\0';
        m_nLength = 0;
    }
    return m_pText;
}

char* CGrowString::ReserveKeep(int n)
{
    if (n >= m_nCapacity) {
        const int capacity = CapacityFor(n);
        char* buffer = new char[static_cast<std::size_t>(capacity)];
        std::memcpy(buffer, m_pText, static_cast<std::size_t>(m_nLength) + 1);
        delete[] m_pText;
        m_pText = buffer;
        m_nCapacity = capacity;
    }
    return m_pText;
}

void CGrowString::SetLengthFromText()
{
    m_pText[m_nCapacity - 1] = '\0';  // never scan past the buffer
    m_nLength = static_cast<int>(std::strlen(m_pText));
}

int CGrowString::ReverseFind(char ch, int n) const
{
    if (n > m_nLength)
        n = m_nLength;
    for (int i = n - 1; i >= 0; --i) {
        if (m_pText[i] == ch)
            return i;
    }
    return -1;
}

void CGrowString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CGrowString::FormatV(const char* format, va_list args)
{
    for (;;) {
        va_list attempt;
        va_copy(attempt, args);
        const int written = std::vsnprintf(m_pText, static_cast<std::size_t>(m_nCapacity), format, attempt);
        va_end(attempt);
        if (written < 0) {  // an encoding error: keep an empty, valid string
            m_pText[0] = '\0';
            m_nLength = 0;
            return;
        }
        if (written < m_nCapacity) {
            m_nLength = written;
            return;
        }
        const int capacity = m_nCapacity * 2;
        char* buffer = new char[static_cast<std::size_t>(capacity)];
        delete[] m_pText;
        m_pText = buffer;
        m_nCapacity = capacity;
    }
}

CGrowString operator+(const CGrowString& left, const char* right)
{
    const char* r = right ? right : "";
    const int rightLength = static_cast<int>(std::strlen(r));
    CGrowString result;
    char* buffer = result.ReserveDiscard(left.m_nLength + rightLength);
    std::memcpy(buffer, left.m_pText, static_cast<std::size_t>(left.m_nLength));
    std::memcpy(buffer + left.m_nLength, r, static_cast<std::size_t>(rightLength) + 1);
    result.m_nLength = left.m_nLength + rightLength;
    return result;
}

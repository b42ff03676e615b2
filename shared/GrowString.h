#pragma once
// A counted single-byte string whose layout the Launcher shares with us: function table,
// text, capacity, length (16 bytes on the 32-bit platform). Capacity is a multiple of 64
// and always larger than the length.

#include <cstdarg>

class CGrowString {
public:
    static constexpr int kChunk = 64;

    CGrowString();
    CGrowString(const char* text);  // NOLINT(google-explicit-constructor): used like a text
    CGrowString(const CGrowString& other);
    CGrowString& operator=(const CGrowString& other);
    CGrowString& operator=(const char* text);
    virtual ~CGrowString();

    const char* GetText() const { return m_pText; }
    operator const char*() const { return m_pText; }
    int GetLength() const { return m_nLength; }
    int GetCapacity() const { return m_nCapacity; }
    bool IsEmpty() const { return m_nLength == 0; }

    // Room for n characters before another routine writes the text; the old text is dropped
    // (the string reads as empty until SetLengthFromText).
    char* ReserveDiscard(int n);
    // Room for n characters, keeping the text.
    char* ReserveKeep(int n);
    // After the buffer was written directly: the length is taken from the text.
    void SetLengthFromText();

    // Position of the last occurrence of ch among the first n characters, or -1.
    int ReverseFind(char ch, int n) const;
    int ReverseFind(char ch) const { return ReverseFind(ch, m_nLength); }

    // printf-style; the capacity doubles until the text fits. Sets text and length.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    friend CGrowString operator+(const CGrowString& left, const char* right);

    // A buffer large enough for n characters and the NUL: (n / 64 + 1) * 64 bytes.
    static constexpr int CapacityFor(int n) { return (n / kChunk + 1) * kChunk; }

private:
    void Assign(const char* text, int length);

    char* m_pText;
    int m_nCapacity;
    int m_nLength;
};

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(CGrowString) == 16, "the Launcher's strings are 16 bytes");
#endif

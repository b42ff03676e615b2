#pragma once
// Character classes for words, blanks and case folding of single-byte text.

namespace tessaly::editor {

// Letters, digits, the underscore and every byte above 127 (letters of the code page).
inline bool IsWordByte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

inline bool IsEolByte(char c)
{
    return c == '\r' || c == '\n';
}

inline char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The class used to move and select by word: 0 blank, 1 line end, 2 word, 3 other.
inline int WordClass(char c)
{
    if (IsBlank(c))
        return 0;
    if (IsEolByte(c))
        return 1;
    if (IsWordByte(c))
        return 2;
    return 3;
}

}  // namespace tessaly::editor

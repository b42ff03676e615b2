#pragma once
// NODE: a keyword as the context help receives it: the keyword in the first 256 bytes, the
// help path (relative to the server's folder; empty when there is none) from byte 256.
struct NODE {
    char szKeyword[256];
    char szHelpPath[260];
};

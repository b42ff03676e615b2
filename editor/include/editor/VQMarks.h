#pragma once
// A part of the text the host marks, such as a mistake it found there: a view draws a wavy
// underline under it in its kind's colour ("Error mark" or "Warning mark" of the settings).

enum VQMarkKind { VQ_MARK_ERROR = 0, VQ_MARK_WARNING = 1 };

struct VQMark {
    int line;   // from 0
    int start;  // byte columns in the line; end after the last byte marked
    int end;
    int kind;  // VQMarkKind
};

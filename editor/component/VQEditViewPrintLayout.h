#pragma once
// What one print job of an editor view needs between its hooks: the printer's font and the
// page's measures.
#include <editor/VQEditView.h>

#include "Gdi.h"

struct CVQEditView::PrintLayout {
    CFont font;
    int lineHeight = 1;
    int charWidth = 1;
    int headerHeight = 0;
    int linesPerPage = 1;
};

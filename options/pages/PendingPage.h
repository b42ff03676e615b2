#pragma once
// CPendingPage: a page whose behaviour is not built yet. It shows its template with every
// control disabled, so that nothing on it looks as if it would be kept; it never marks
// itself changed and saves nothing.

#include "OptionsPage.h"

class CPendingPage : public COptionsPage {
public:
    using COptionsPage::COptionsPage;

    BOOL OnInitDialog() override;
};

#include "FollowMode.h"

std::string ViewPaneText(const ViewPaneFacts& facts)
{
    std::string text;
    auto add = [&text](const char* part) {
        if (!text.empty())
            text += ", ";
        text += part;
    };
    if (facts.following)
        add("Following");
    return text;
}

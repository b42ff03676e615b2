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
    if (facts.filtered) {
        add((std::to_string(facts.shownLines) + " of " + std::to_string(facts.wholeLines) + " lines").c_str());
        if (facts.stopped)
            add("stopped");
    }
    return text;
}

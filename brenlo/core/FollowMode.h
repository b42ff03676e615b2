#pragma once
// Whether the log view keeps to the end of the log as it grows: the user's choice (the
// "Follow end" command, stored as "FollowEnd") and whether the view follows right now
// (moving away from the end leaves following; going down again rejoins it).

#include <string>

class CFollowMode {
public:
    explicit CFollowMode(bool chosen) : m_chosen(chosen) {}

    bool Chosen() const { return m_chosen; }
    bool Following() const { return m_following; }

    // The "Follow end" command: stops following, or starts it (the view then goes to the
    // end); the choice follows. True when the view is to go to the end.
    bool Toggle()
    {
        m_chosen = m_following = !m_following;
        return m_following;
    }
    // A log was shown: it opens at its end and is followed when that is the choice.
    bool LogShown()
    {
        m_following = m_chosen;
        return m_following;
    }
    // Go down (Ctrl+End): rejoins following when that is the choice.
    void WentToEnd() { m_following = m_chosen; }
    // The user moved away from the end, or the text shown can no longer grow (a copy was
    // saved and is shown): following stops, the choice stays.
    void Leave() { m_following = false; }

private:
    bool m_chosen;
    bool m_following = false;
};

// What the right-hand pane of the status bar says about the log view: "Following" while
// it follows, "N of M lines" while filtered. Other facts about the view join it there, each as a part of its own.
struct ViewPaneFacts {
    bool following = false;
    // A filter is on: "N of M lines", and "stopped" when the user stopped it early.
    bool filtered = false;
    long long shownLines = 0;
    long long wholeLines = 0;
    bool stopped = false;
};

std::string ViewPaneText(const ViewPaneFacts& facts);

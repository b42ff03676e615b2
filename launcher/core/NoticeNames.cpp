#include "NoticeNames.h"

#include "LauncherLink.h"

namespace {

const char* NameOf(unsigned code)
{
    switch (code) {
        case LN_SYNTAX_ERROR:
            return "LN_SYNTAX_ERROR";
        case LN_SAVE_AND_CLOSE:
            return "LN_SAVE_AND_CLOSE";
        case LN_FORMAT_CHANGED:
            return "LN_FORMAT_CHANGED";
        case LN_EDITOR_STARTED:
            return "LN_EDITOR_STARTED";
        case LN_EDITOR_CLOSED:
            return "LN_EDITOR_CLOSED";
        case LN_CLOSE_NOW:
            return "LN_CLOSE_NOW";
        case LN_TEST_CONFIG:
            return "LN_TEST_CONFIG";
        case LN_ACTIVATE:
            return "LN_ACTIVATE";
        case LN_STATUS_INFO:
            return "LN_STATUS_INFO";
        case LN_STATUS_ERROR:
            return "LN_STATUS_ERROR";
        case LN_EDITOR_CLOSED_SAVED:
            return "LN_EDITOR_CLOSED_SAVED";
        case LN_COMMANDS_CHANGED:
            return "LN_COMMANDS_CHANGED";
        case LN_HOSTS_CHANGED:
            return "LN_HOSTS_CHANGED";
        case LN_BROWSER_CHANGED:
            return "LN_BROWSER_CHANGED";
        case LN_SHOW_ABOUT:
            return "LN_SHOW_ABOUT";
        case LN_SPLASH_CONTROL:
            return "LN_SPLASH_CONTROL";
        default:
            return nullptr;
    }
}

}  // namespace

std::string NoticeLine(unsigned code)
{
    const char* name = NameOf(code);
    return std::to_string(code) + (name ? std::string(" ") + name : std::string());
}

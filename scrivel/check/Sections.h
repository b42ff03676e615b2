#pragma once
// What a section of the server's configuration does to the directives written inside it,
// and the contexts where a directive may stand, in words for the messages.

#include <string>
#include <string_view>

namespace check {

enum class SectionRole {
    kTransparent,  // the conditional sections, <Limit>, <RequireAll>...: the context stays
    kVirtualHost,
    kDirectory,  // <Directory>, <Location>, <Files> and their Match forms, <If>, <ElseIf>, <Else>
    kProxy,      // <Proxy>, <ProxyMatch>
    kMacro,      // read only where the macro is used, with its parameters put in
    kOpaque,     // any other: nothing is known of its body
};

SectionRole RoleOf(std::string_view name);

// The sections whose body the server reads only when a condition holds at start.
bool IsStartCondition(std::string_view name);

// The context a directive stands in, as a bit of directives::Context; 0 when unknown.
// A directive of `contexts` may stand there.
bool AllowedIn(unsigned contexts, unsigned here);

// "in the server config or <VirtualHost>", "only in <Directory>/<Location>/<Files>".
std::string WhereText(unsigned contexts);

}  // namespace check

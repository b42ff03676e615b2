#pragma once
// The texts of the problems the checks find: the server's own words for the mistake where it
// has them, then what to do about it.

#include <string>
#include <string_view>
#include <vector>

#include "Arity.h"
#include "ConfigFacts.h"

namespace check::messages {

std::string Unknown(std::string_view name);
// `section`: the section that gives the context, "" outside every section.
std::string Misplaced(std::string_view name, unsigned contexts, unsigned here, std::string_view section);
// `commented`: the LoadModule line to put back in action, null when there is none;
// `checkedPath`: the file the problem is in.
std::string NotLoaded(std::string_view name, const std::vector<std::string>& modules, const CommentedLoad* commented,
                      std::string_view checkedPath);
std::string WrongCount(std::string_view name, const Arity& arity, std::string_view syntax);
std::string MissingGt(std::string_view section);
std::string CloseWithoutOpen(std::string_view section);
std::string CloseOfOther(std::string_view open, std::string_view closed);
std::string NotClosed(std::string_view section);

}  // namespace check::messages

#include "CheckMessages.h"

#include "ConfPath.h"
#include "DirectiveCatalogue.h"
#include "Sections.h"

namespace check::messages {

namespace {

std::string Str(std::string_view s)
{
    return std::string(s);
}

// mod_ssl -> "LoadModule ssl_module modules/mod_ssl.so", as the stock configuration writes it.
std::string LoadLine(std::string_view module)
{
    return "LoadModule " + Str(module.substr(4)) + "_module modules/" + Str(module) + ".so";
}

}  // namespace

std::string Unknown(std::string_view name)
{
    return "Invalid command '" + Str(name) +
           "': not a directive of the server's manual (misspelled, or defined by a third-party module)";
}

std::string Misplaced(std::string_view name, unsigned contexts, unsigned here, std::string_view section)
{
    std::string text;
    if (here == directives::kHtaccess)
        text = Str(name) + " not allowed in .htaccess";
    else if (!section.empty() && contexts == directives::kServerConfig)
        text = Str(name) + " cannot occur within <" + Str(section) + "> section";
    else if (!section.empty())
        text = Str(name) + " not allowed here, within <" + Str(section) + ">";
    else
        text = Str(name) + " not allowed here, outside every section";
    return text + ": it may stand " + WhereText(contexts);
}

std::string NotLoaded(std::string_view name, const std::vector<std::string>& modules, const CommentedLoad* commented,
                      std::string_view checkedPath)
{
    std::string text = Str(name) + " is defined by " + modules.front();
    for (std::size_t i = 1; i < modules.size(); ++i)
        text += " or " + modules[i];
    text += ", which is not loaded: ";
    if (commented == nullptr)
        return text + "add " + LoadLine(modules.front());
    text += "uncomment line " + std::to_string(commented->line);
    if (!confpath::EqualNoCase(confpath::ToForwardSlashes(commented->file), confpath::ToForwardSlashes(checkedPath)))
        text += " of " + confpath::FileName(commented->file);
    return text + " (" + commented->text + ")";
}

std::string WrongCount(std::string_view name, const Arity& arity, std::string_view syntax)
{
    return Str(name) + " takes " + ArityText(arity) + ": " + Str(syntax);
}

std::string MissingGt(std::string_view section)
{
    return "<" + Str(section) + "> directive missing closing '>'";
}

std::string CloseWithoutOpen(std::string_view section)
{
    return "</" + Str(section) + "> without matching <" + Str(section) + "> section";
}

std::string CloseOfOther(std::string_view open, std::string_view closed)
{
    return "Expected </" + Str(open) + "> but saw </" + Str(closed) + ">: <" + Str(open) + "> is still open here";
}

std::string NotClosed(std::string_view section)
{
    return "<" + Str(section) + "> was not closed: add </" + Str(section) + ">";
}

}  // namespace check::messages

#pragma once
// The big configuration the Scrivel benchmarks work on, the same on every run: blocks of
// directives and sections between comments, about `bytes` bytes in `lines` lines.

#include <algorithm>
#include <string>
#include <vector>

namespace benchconf {

// A small generator of the same numbers on every run.
class Draw {
public:
    unsigned Below(unsigned n) { return Next() % n; }

private:
    unsigned Next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return m_state >> 8;
    }
    unsigned m_state = 1;
};

inline const char* const kWords[] = {"the",      "server",   "directive", "module", "is",   "loaded",
                                     "when",     "requests", "for",       "this",   "host", "are",
                                     "answered", "from",     "folder",    "below",  "see",  "documentation",
                                     "default",  "value",    "changes",   "only",   "if",   "needed"};

// A comment of about `length` bytes (without the line end).
inline std::string Comment(Draw& draw, std::size_t length)
{
    std::string line = "#";
    while (line.size() < length) {
        line += ' ';
        line += kWords[draw.Below(sizeof kWords / sizeof kWords[0])];
    }
    return line;
}

// The lines of one block of a configuration: sections, directives with quoted and plain
// arguments, numbers, continuation lines, short and long lines.
inline std::vector<std::string> Block(Draw& draw, unsigned n)
{
    const std::string id = std::to_string(n);
    const std::string port = std::to_string(8000 + n % 1000);
    switch (draw.Below(6)) {
        case 0:
            return {"<VirtualHost *:" + port + ">",
                    "    ServerName host" + id + ".example.org",
                    "    ServerAlias www.host" + id + ".example.org host" + id,
                    "    DocumentRoot \"C:/Apache24/htdocs/host" + id + "\"",
                    "    ErrorLog \"logs/host" + id + "-error.log\"",
                    "    CustomLog \"logs/host" + id + "-access.log\" combined",
                    "    <Directory \"C:/Apache24/htdocs/host" + id + "\">",
                    "        Options Indexes FollowSymLinks",
                    "        AllowOverride None",
                    "        Require all granted",
                    "    </Directory>",
                    "</VirtualHost>"};
        case 1:
            return {
                "LogFormat \"%h %l %u %t \\\"%r\\\" %>s %b \\\"%{Referer}i\\\" \\\"%{User-Agent}i\\\"\" combined" + id,
                "LogLevel warn", "Timeout " + std::to_string(60 + n % 240), "KeepAlive On", "MaxKeepAliveRequests 100"};
        case 2:
            return {"<IfModule mod_alias.c>", "    Alias /icons" + id + "/ 'C:/Apache24/icons/'",
                    "    ScriptAlias /cgi-bin" + id + "/ \"C:/Apache24/cgi-bin/\"", "</IfModule>"};
        case 3:
            return {"Listen " + port, "", "LoadModule rewrite_module modules/mod_rewrite.so"};
        case 4:
            return {"AddType application/x-compress .Z \\", "    .z .gz .tgz", "AddHandler cgi-script .cgi .pl",
                    "SetEnvIf User-Agent \".*MSIE [6-9].*\" nokeepalive ssl-unclean-shutdown downgrade-1.0 "
                    "force-response-1.0"};
        default:
            return {"<Location /server-status" + id + ">", "    SetHandler server-status",
                    "    Require ip 127.0.0.1 ::1", "</Location>", ""};
    }
}

// What a real configuration loads for the directives of the blocks, as the server's own
// begins: without them every AddType or Require would be a mistake the server refuses.
inline const char* const kModuleLines[] = {
    "LoadModule alias_module modules/mod_alias.so",           "LoadModule authz_core_module modules/mod_authz_core.so",
    "LoadModule log_config_module modules/mod_log_config.so", "LoadModule mime_module modules/mod_mime.so",
    "LoadModule setenvif_module modules/mod_setenvif.so",     "LoadModule status_module modules/mod_status.so"};

// A configuration of `lines` lines and about `bytes` bytes with CR LF line ends: the modules
// it uses, then blocks of directives between comments whose lengths keep the size on course.
inline std::string MakeConf(long lines, std::size_t bytes)
{
    Draw draw;
    std::string text;
    text.reserve(bytes + 4096);
    long line = 0;
    auto add = [&](const std::string& s) {
        if (line >= lines)
            return;
        text += s;
        if (++line < lines)
            text += "\r\n";
    };
    for (const char* module : kModuleLines)
        add(module);
    for (unsigned block = 0; line < lines; ++block) {
        const std::size_t due = static_cast<std::size_t>(static_cast<double>(bytes) * static_cast<double>(line + 1) /
                                                         static_cast<double>(lines));
        const std::size_t behind = due > text.size() ? due - text.size() : 0;
        // Mostly short comments; a long one when the text is behind its course.
        add(Comment(draw, std::clamp<std::size_t>(behind, 8 + draw.Below(20), 600)));
        if (draw.Below(3) == 0)
            add(Comment(draw, 20 + draw.Below(40)));
        for (const std::string& s : Block(draw, block))
            add(s);
    }
    return text;
}

}  // namespace benchconf

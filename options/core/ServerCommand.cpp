#include "ServerCommand.h"

#include <cstring>

#include "GeneralFlags.h"

namespace servercmd {

std::string CommandLine(const std::string& serverFolder, const std::string& hostFolder, std::uint32_t general,
                        const std::string& switches)
{
    const std::string program = general::Has(general, general::kUseApacheExe) ? serverFolder + "/" + kServerProgram
                                                                              : hostFolder + "/" + kStubProgram;
    // Quoted: unquoted, a folder with a blank ("C:\Program Files\...") makes Windows try
    // "C:\Program.exe" first, whatever program has been put there.
    return "\"" + program + "\"  " + switches;
}

void AppendPiece(std::string& text, const char* piece, std::size_t size)
{
    const void* zero = std::memchr(piece, 0, size);
    text.append(piece, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - piece) : size);
}

std::string WithStoppedNote(std::string text)
{
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    return text + kStoppedLine + "\r\n";
}

}  // namespace servercmd

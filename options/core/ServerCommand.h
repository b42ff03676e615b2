#pragma once
// How the server information pages run the server: the command line they start, how the
// pieces read from its output pipe become the text shown, and what is added when the
// server does not finish in time. Window-free.

#include <cstddef>
#include <cstdint>
#include <string>

namespace servercmd {

// At most this many bytes are read from the pipe at a time.
constexpr std::size_t kPieceSize = 255;
// How long a page waits for the server before it ends it.
constexpr unsigned kWaitLimitMs = 10000;
constexpr char kStoppedLine[] = "The server did not finish within 10 seconds and was stopped.";

constexpr char kStubProgram[] = "stub.exe";
constexpr char kServerProgram[] = "apache.exe";

// "\"<folder>/apache.exe\"  <switches>" when bit 7 of `general` is set, else
// "\"<hostFolder>/stub.exe\"  <switches>": the program quoted, two blanks before the switches.
std::string CommandLine(const std::string& serverFolder, const std::string& hostFolder, std::uint32_t general,
                        const std::string& switches);

// Appends one piece as text: a zero byte inside it ends it.
void AppendPiece(std::string& text, const char* piece, std::size_t size);

// What arrived, then on a line of its own the note that the server was stopped.
std::string WithStoppedNote(std::string text);

}  // namespace servercmd

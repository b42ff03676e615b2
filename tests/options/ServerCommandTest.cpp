// The server information pages' command line (which program, from which folder, quoted,
// the two blanks), the pieces read from the pipe, and the note added when the server was stopped.
#include <gtest/gtest.h>

#include "GeneralFlags.h"
#include "ServerCommand.h"
#include "SettingsSchema.h"

TEST(ServerCommand, Bit7ChoosesTheServerFromItsFolderElseTheStubFromTheHostsFolderQuoted)
{
    EXPECT_EQ(servercmd::CommandLine("C:\\Apache24", "C:\\Program Files\\Tessaly", settings::kGeneralDefault, "-S -t"),
              "\"C:\\Program Files\\Tessaly/stub.exe\"  -S -t");
    EXPECT_EQ(servercmd::CommandLine("C:\\Server Folder", "C:\\Tessaly",
                                     settings::kGeneralDefault | general::kUseApacheExe, "-v"),
              "\"C:\\Server Folder/apache.exe\"  -v")
        << "quoted, or Windows would run C:\\Server.exe";
    EXPECT_EQ(servercmd::CommandLine("C:\\A", "C:\\T", 0, ""), "\"C:\\T/stub.exe\"  ");
}

TEST(ServerCommand, PiecesAppendUpToTheirFirstZeroAndTheStoppedNoteStandsOnItsOwnLine)
{
    std::string text;
    servercmd::AppendPiece(text, "abc", 3);
    servercmd::AppendPiece(text, "de\0fg", 5);
    servercmd::AppendPiece(text, "", 0);
    servercmd::AppendPiece(text, "h\r\n", 3);
    EXPECT_EQ(text, "abcdeh\r\n");

    const std::string note = std::string(servercmd::kStoppedLine) + "\r\n";
    EXPECT_EQ(servercmd::WithStoppedNote(""), note);
    EXPECT_EQ(servercmd::WithStoppedNote("started\r\n"), "started\r\n" + note);
    EXPECT_EQ(servercmd::WithStoppedNote("half a line"), "half a line\r\n" + note);
}

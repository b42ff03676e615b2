#pragma once
// The texts and names of the Command lines page's folder browser and of the server
// information pages. Window-free.

namespace servertexts {

// The file that tells a server folder from any other.
constexpr char kServerCoreFile[] = "apachecore.dll";
constexpr char kBrowseTitle[] = "Select folder where installed Apache Web Server.";
constexpr char kServerFound[] = "Apache found";
constexpr char kServerNotFound[] = "Apache not found";
constexpr char kShellLibrary[] = "Shell32.dll";

constexpr char kServerHomePage[] = "https://httpd.apache.org/";

}  // namespace servertexts

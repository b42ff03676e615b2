#pragma once
// How the Launcher lists a code it received: the number and the code's name.

#include <string>

// "19 LN_SHOW_ABOUT"; an unknown code is listed by its number alone.
std::string NoticeLine(unsigned code);

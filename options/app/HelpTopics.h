#pragma once
// The product's help file beside the host program, and the topic shown when a page has none.

constexpr char kHelpFileName[] = "Tessaly.chm";
constexpr char kHelpTopicSeparator[] = "::/";
constexpr char kAboutTopic[] = "about.htm";

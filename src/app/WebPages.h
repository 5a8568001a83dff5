// The pages the Help menu opens: the help files in the program folder's Help
// folder and the project's web pages.
#pragma once

static constexpr const char* HelpFolderName = "Help";
static constexpr const char* HelpIndexPage = "index.htm";
static constexpr const char* TipsFileName = "tips.txt";

struct TTutorialPage {
    const char* ItemName;
    const char* Caption;
    const char* FileName;
};

// In menu order.
static constexpr TTutorialPage TutorialPages[] = {
    {"TutorialBasicItem", "Basic", "t_basic.htm"},
    {"TutorialAdvancedItem", "Advanced", "t_advanced.htm"},
    {"TutorialAdvanced2Item", "Advanced 2", "t_advanced2.htm"},
    {"TutorialCreativeItem", "Creative", "t_creative.htm"},
    {"TutorialPatternsItem", "Patterns", "t_patterns.htm"},
};

struct TWebPage {
    const char* ItemName;
    const char* Caption;
    const char* Address;
};

// The project has no web site of its own yet; these addresses are the places
// to change once it has.
static constexpr const char* SupportForumAddress = "https://tavorine.example.org/forum";
static constexpr TWebPage WebPages[] = {
    {"WebSamplesItem", "Sample library", "https://tavorine.example.org/samples"},
    {"WebBassItem", "Bass samples", "https://tavorine.example.org/bass"},
    {"WebPatternsItem", "Drum patterns", "https://tavorine.example.org/patterns"},
};

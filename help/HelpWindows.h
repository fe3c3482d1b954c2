// What the pages, the shared windows and the main window call to show help:
// one call per button. Every window here is created at start-up (see
// shell/AppWindows.cpp); before that, or after shutdown, the calls do
// nothing. All of them are modal and return when the user closes the window.
#pragma once

#include <string>

// The topics of the general help window. A Help button passes its page's
// topic; the folder-template options window passes its template index
// (1-5), which is the topic of the same number.
namespace HelpTopic {
inline constexpr unsigned TemplateOptionsVol04 = 1;
inline constexpr unsigned TemplateOptionsVol02 = 2;
inline constexpr unsigned TemplateOptionsVol03 = 3;
inline constexpr unsigned TemplateOptionsVol08 = 4;
inline constexpr unsigned TemplateOptionsVol15 = 5;
inline constexpr unsigned Vol04 = 6;   // create folders from a list of folders
inline constexpr unsigned Vol02 = 7;   // create folders from strings
inline constexpr unsigned Vol03 = 8;   // create folders with increased numbers
inline constexpr unsigned CreatingFoldersManually = 9;
inline constexpr unsigned Vol08 = 10;  // copy folders
inline constexpr unsigned Vol07 = 11;  // delete folders
inline constexpr unsigned Vol06 = 12;  // rename folders
inline constexpr unsigned Vol10 = 13;  // copy files
inline constexpr unsigned Vol12 = 14;  // rename files
inline constexpr unsigned Vol11 = 15;  // delete files
inline constexpr unsigned FileImport = 16;
inline constexpr unsigned FileSelection = 17;
inline constexpr unsigned Vol15 = 18;  // consistency checker
inline constexpr unsigned Count = 18;
}  // namespace HelpTopic

// The general help window with `topic`. Its "More help" button is offered
// for the page topics and left out for the options, import and file
// selection topics; an unknown topic shows an empty list.
void ShowHelpTopic(unsigned topic);

// The More help window on the list tools (Include/Exclude lists, list
// editors, subfolder list builder, Visual Log): for the Help buttons of the
// list editors and of the subfolder list builder.
void ShowMoreHelp();

// The example window of an operation page. Page 15 has none.
enum class ExampleWindow { Vol02, Vol03, Vol04, Vol06, Vol07, Vol08, Vol10, Vol11, Vol12 };
void ShowExamples(ExampleWindow which);

// The main window's Help menu.
void ShowOverview();
void ShowAbout();
// Help > "How-to videos online.": the program's own page, as the links of
// the overview and About windows.
bool OpenHowToVideos();

// The program's own page, which every web link of the help windows opens:
// README.md beside the executable, in drive form ("" when the executable's
// folder cannot be said in drive form).
std::string ProgramPageFile();
// Opens it with the desktop's viewer. False when it is missing or could not
// be opened, and a warning says so.
bool OpenProgramPage();

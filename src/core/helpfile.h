// Opening the help pages shipped beside the program.
#pragma once

#include <QString>

#include <functional>

// Hands a file to the desktop to open; false when the desktop could not.
using thelpopener = std::function<bool(const QString& path)>;
// Shows a warning with an OK button.
using thelpwarning = std::function<void(const QString& text)>;

enum class thelpresult { Opened, NotOpened, Missing };

// Opens programFolder + name ("aide\orvanel.html"; either delimiter) with the
// desktop. A missing page warns "Fichier d'aide introuvable\n<path>", a page
// the desktop could not open "Fichier d'aide invisible\n<path>".
thelpresult OpenHelpFile(const QString& programFolder, const QString& name, const thelpopener& open,
                         const thelpwarning& warn);

// name with the pages of language in place of the French ones: "aide\orvanel.html"
// becomes "aide\en\orvanel.html" when language is "en" and that page is
// beside the program; otherwise name itself.
QString LocalizedHelpName(const QString& programFolder, const QString& name,
                          const QString& language);

// The help pages of the menu.
extern const char* const HelpMainPage;    // "aide\orvanel.html"
extern const char* const HelpThreePoints; // "aide\3points.html"
extern const char* const HelpQuestions;   // "aide\faq.html"

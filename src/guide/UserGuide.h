#pragma once

#include <QString>
#include <QStringList>

// The user guide: one HTML page made at build time from the README's sections for users, shipped
// beside the program, and found by the program to show it.
namespace user_guide {

// The guide's file name, beside the program in the build folder and in the install's share
// folder.
inline constexpr char16_t kFileName[] = u"plim-guide.html";

// Lines of the README that leave out, and take up again, the stretches for developers.
inline constexpr char16_t kLeaveOut[] = u"<!-- not in the user guide -->";
inline constexpr char16_t kTakeUp[] = u"<!-- in the user guide -->";

// The guide made from the README (Markdown as the README writes it: "#" headings, paragraphs,
// "- " lists, "|" tables, fenced and indented code, `code` spans), leaving out the stretches for
// developers: one page of HTML, UTF-8, its title the first heading's with " User Guide" added,
// and a list of the "##" sections with links to them after the opening paragraphs.
QString MakeUserGuideHtml(const QString& markdown);

// Where the program looks for its guide, in order: beside the program, then in the share folder
// of an install (the install folder as the build set it: relative to the prefix, the prefix
// being the program folder's parent, or absolute).
QStringList UserGuidePlaces(const QString& programFolder, const QString& installFolder);
// The first of those places that holds the guide; empty when none does.
QString FindUserGuide(const QString& programFolder, const QString& installFolder);

} // namespace user_guide

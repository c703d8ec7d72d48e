// The program's own names: title, version and settings locations shared by the start-up code, the windows
// that show the version and the settings.
#pragma once

#include <QString>

inline constexpr const char* ZefAppTitle = "Zefra Text Editor";
inline constexpr const char* ZefSettingsOrganization = "Zefra";
inline constexpr const char* ZefSettingsApplication = "Text Editor v1.22";

// The one version number of the program: the main window's and the busy window's captions and the about box
// show it.
inline constexpr const char* ZefAppVersion = "1.22";

// "Zefra Text Editor v1.22".
inline QString ZefVersionedTitle()
{
    return QString::fromLatin1(ZefAppTitle) + QStringLiteral(" v") + QString::fromLatin1(ZefAppVersion);
}

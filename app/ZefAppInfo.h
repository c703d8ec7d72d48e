// The program's own names: title and settings locations shared by the start-up code and the settings.
#pragma once

inline constexpr const char* ZefAppTitle = "Zefra Text Editor";
inline constexpr const char* ZefSettingsOrganization = "Zefra";
inline constexpr const char* ZefSettingsApplication = "Text Editor v1.22";

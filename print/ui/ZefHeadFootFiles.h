// The saved header and footer texts: one file per section editor in the folder "Head And Foot" of the user's
// data folder, each holding the section's lines with their fonts.
#pragma once

#include "ZefHeadFootSections.h"

#include <QString>

#include <optional>

// The six section editors in the order of their files.
enum TZefSectionEditorId : uint8_t {
    seHeaderLeft, seHeaderCenter, seHeaderRight, seFooterLeft, seFooterCenter, seFooterRight
};
inline constexpr int kZefSectionEditorCount = 6;

// "hdleft.ini", "hdcenter.ini", "hdRight.ini", "ftleft.ini", "ftcenter.ini", "ftRight.ini".
const char* ZefSectionFileName(TZefSectionEditorId id);

// "<per-user data folder>/Head And Foot": the program's own folder is not writable for its users.
QString ZefHeadFootFolder();

// A file holds at most this many lines; lines beyond them are not read.
inline constexpr int kZefMaxSectionFileLines = 200;

// Writes the lines to `path`, replacing the file. False with a reason in *error when it cannot be written.
bool ZefSaveSectionFile(const QString& path, const TZefSectionLines& lines, QString* error = nullptr);
// The lines saved in `path`; nothing when the file does not exist or cannot be read. A value that does not
// fit (a font size that is not a number, a style outside the four bits) falls back to `defaultFont`'s.
std::optional<TZefSectionLines> ZefLoadSectionFile(const QString& path, const TZefPrintFont& defaultFont);

#pragma once

#include <QString>

namespace palvane {

// The user's own working folder, in the home folder, used when palvane starts where there
// are no tables (as a desktop menu starts it).
inline constexpr char kUserWorkingFolderName[] = "Palvane";

// Chooses where palvane works. Started in a folder holding the coefficient table, it stays
// there and this returns an empty string. Otherwise, when the tables are installed beside
// the program (<prefix>/bin/../share/palvane), it creates the user's working folder, copies
// there the tables it lacks, makes it the current folder and returns its path. When the
// folder cannot be prepared, the reason goes to standard error and palvane stays where it
// was started (the spectrum form then reports the missing table).
QString enterUserWorkingFolderWithoutTables();

}  // namespace palvane

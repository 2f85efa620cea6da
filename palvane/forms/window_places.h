#pragma once

namespace palvane {

// From now on the forms reopen where the user left them, in this run and at later starts
// (the places are kept in the user's settings of palvane); a form shown for the first
// time, or whose remembered place is no longer wholly on a screen, opens in the middle of
// its screen. Called by the program's start, so that the tests' forms stay where placed.
void rememberWindowPlaces();

}  // namespace palvane

// Between the platform's window and input halves: a button released while the game re-creates
// its window (the release goes to the window being destroyed, or to none) never reaches SDL,
// which then takes the button as held and swallows its next press as "no change": the first
// click on the new window would be lost. The video half asks the input half to look after a
// new window is made; while SDL takes a button as held, the input half then compares again at
// each pointer event, lets go of buttons the pointer no longer holds, and hands the next release
// of each to the game as a whole click.
#pragma once

namespace platform {

// Compares the buttons SDL takes as held with those the pointer really holds, now and at the
// pointer events that follow while SDL takes any as held.
void findLostReleases();

}  // namespace platform

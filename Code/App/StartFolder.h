// Where the program works: the game folder, where it is placed, whatever folder it was started
// from.
#pragma once

// When the current folder holds no DATA\INI\LocalizedStrings.ini but the program's own folder
// does (a shortcut whose "Start in" is another folder, a launcher, a command prompt elsewhere),
// makes the program's folder current and notes it in the log and in the debug output. Any other
// start is left as it is. True when the current folder was changed.
bool MoveToProgramFolder();

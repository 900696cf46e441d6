#pragma once

// What a reader does with a channel epoch it cannot take as it stands (a
// number that is none, a stage missing, units that do not chain): drawing
// refuses the whole text, as it always has; a network check keeps the
// epoch, marked with the reason where it could not be read, so that it
// reports it as that epoch's finding and checks the others.
enum class BrokenEpochs { refuse, keep };

#pragma once
// Tools that reshape the melody in time or split it into voices. None of them
// can be undone: each clears the undo histories when it changes the song.
// Results: 0 done, -2 nothing to do.

namespace quorvel {

struct Score;
class Ui;

// Moves the song so that its first note (melody or drums; with drumsReference
// the first drum hit) starts at the origin; notes before that point are deleted.
int trimOpeningSilence(Score& s, Ui& ui, bool drumsReference);

// Caps notes at one bar and shortens every silence of the edited part longer
// than a bar to exactly one bar, in all four melody parts.
int regulateBarLength(Score& s, Ui& ui);

// Halves the melody in time until the edited part's shortest note is one step.
int reduceNoteValues(Score& s, Ui& ui);

// Deals all melody notes into four lines: Soprano gets the highest line, Alto
// the highest of the rest, and so on. Notes left after four lines are dropped.
int divideIntoParts(Score& s, Ui& ui);

}  // namespace quorvel

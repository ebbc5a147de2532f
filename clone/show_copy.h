// What clone and dupref do once they have their copy of BANNER.
#pragma once

// Prints original, then copy with its first six characters changed to
// "A long", and frees copy. A null copy means memory ran out: it prints the
// error line instead. Returns the process status.
int show_changed_copy(const char *original, char *copy);

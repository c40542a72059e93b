// What every small window of the report library does when it is made: it is mirrored when the
// application asks for right-to-left layout.
#pragma once

class TCustomForm;

// With the application's reading order right to left (mirrored), the form takes that order and
// its controls are mirrored, at every level.
void vrMirrorForReadingOrder(TCustomForm* form);

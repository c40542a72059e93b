// Mouse moves without a pressed button reach a control only while it tracks the mouse; owner-drawn
// controls that light up what lies under the pointer (hot tracking) switch it on.
#pragma once

class TControl;

void SetMouseTracking(TControl* Control, bool Track);

// Internal to platform/gui: makes the toolkit's theme search ready before the first look-up.
#pragma once

// Starts the toolkit and names the fallback theme (gui/IconTheme.h); once per process.
void PrepareIconTheme();

// What the system's locale says about text input and layout. The program runs in code page 936,
// a Far East page: input methods compose characters before they reach a control.
#pragma once

struct TSysLocale {
    bool FarEast;    // a double-byte (Far East) locale
    bool MiddleEast; // a right-to-left (Middle East) locale
};

const TSysLocale& SysLocale();

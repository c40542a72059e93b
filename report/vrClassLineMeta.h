// The arrow and direction properties every line object publishes, declared once for the line
// classes of the report and of character printers.
#pragma once

#include "classes/MetaBuilder.h"

template <class T> void vrDeclareLineArrowProperties(meta::Class<T>& c) {
    c.Property("ArrowEnd", &T::ArrowEnd, &T::ArrowEnd).Default(false);
    c.Property("ArrowLength", &T::ArrowLength, &T::ArrowLength).Default(20);
    c.Property("ArrowSolid", &T::ArrowSolid, &T::ArrowSolid).Default(false);
    c.Property("ArrowStart", &T::ArrowStart, &T::ArrowStart).Default(false);
    c.Property("ArrowWidth", &T::ArrowWidth, &T::ArrowWidth).Default(5);
    c.Property("Diagonal", &T::Diagonal, &T::Diagonal).Default(false);
}

// Internal to platform/gui: one event filter per widget and purpose, child of the widget and found
// again by its object name, so that setting it anew replaces its value and an empty value removes
// it. Filter has Set(Value) and a constructor from (Control, Value).
#pragma once

#include <QLatin1String>
#include <QObject>
#include <QWidget>

template <class Filter> Filter* FindNamedFilter(QWidget* w, const char* name) {
    if (!w) return nullptr;
    for (QObject* child : w->children())
        if (child->objectName() == QLatin1String(name)) return dynamic_cast<Filter*>(child);
    return nullptr;
}

// Installs, replaces or (when Remove) deletes the filter; the last filter installed runs first.
template <class Filter, class Control, class Value>
void SetNamedFilter(QWidget* w, const char* name, Control* control, Value value, bool Remove) {
    if (!w) return;
    Filter* filter = FindNamedFilter<Filter>(w, name);
    if (Remove) {
        delete filter;
        return;
    }
    if (filter) {
        filter->Set(std::move(value));
        return;
    }
    filter = new Filter(control, std::move(value));
    filter->setObjectName(QLatin1String(name));
    filter->setParent(w);
    w->installEventFilter(filter);
}

// The sample format: the last format given to a text object, with which new text objects start.
#pragma once

#include "rtl/Object.h"

#include <memory>

class TvrCustomMemoView;
class TvrMemoView;

class TSampleFormat : public TObject {
public:
    TSampleFormat();
    ~TSampleFormat() override;
    String ClassName() const override { return "TSampleFormat"; }

    // A fresh sample; with a designer component its font, right-to-left reading and ParentFont.
    void Reset();
    // Colour, font, frame, alignments, right-to-left reading and ParentFont from the sample into
    // the text object; a dot-matrix text object keeps its font.
    void ApplyTo(TvrCustomMemoView* view);
    // The same attributes from the text object into the sample.
    void TakeFrom(TvrCustomMemoView* view);
    TvrMemoView* Sample() const { return FSample.get(); }

private:
    std::unique_ptr<TvrMemoView> FSample;
};


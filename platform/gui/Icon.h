// TIcon: icon files (.ico), drawn with their transparency at the size of their largest image.
#pragma once

#include "gui/Graphic.h"

#include <memory>
#include <vector>

class TIcon : public TGraphic {
    ORV_META(TIcon, TGraphic)
    TIcon();
    ~TIcon() override;

    int Width() const override;
    int Height() const override;
    // An icon takes its size from its images; setting it raises EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override;

    // Reads the rest of the stream as an icon file; anything else raises EInvalidGraphic
    // "Icon image is not valid". Saving writes the file as it was read.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TIcon>(); }

    struct Impl;

private:
    std::unique_ptr<Impl> FImpl;
};

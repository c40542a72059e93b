// Themed elements drawn by the toolkit's style into an image that is then drawn on the canvas,
// so every canvas (screen, bitmap, recording) takes them.
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>

void DrawThemedElement(TCanvas* Canvas, const TRect& Rect, TThemedElement Element, TThemedState State,
                       int CheckState) {
    const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
    if (w <= 0 || h <= 0) return;
    EnsureQtApp();
    QStyle* style = QApplication::style();
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        QStyle::State s = QStyle::State_None;
        if (State != TThemedState::Disabled) s |= QStyle::State_Enabled;
        if (State == TThemedState::Hot) s |= QStyle::State_MouseOver;
        if (State == TThemedState::Pressed) s |= QStyle::State_Sunken;
        const QRect r(0, 0, w, h);
        switch (Element) {
        case TThemedElement::CheckBox: {
            QStyleOptionButton o;
            o.rect = r;
            o.state = s | (CheckState == 1   ? QStyle::State_On
                           : CheckState == 2 ? QStyle::State_NoChange
                                             : QStyle::State_Off);
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, &p);
            break;
        }
        case TThemedElement::ComboDropDown:
        case TThemedElement::SpinUp:
        case TThemedElement::SpinDown:
        case TThemedElement::SpinLeft:
        case TThemedElement::SpinRight:
        case TThemedElement::CloseButton: {
            QStyleOptionButton o;
            o.rect = r;
            o.state = s | (State == TThemedState::Pressed ? QStyle::State_Sunken : QStyle::State_Raised);
            style->drawPrimitive(QStyle::PE_PanelButtonBevel, &o, &p);
            QStyleOption a;
            a.rect = r.adjusted(w / 4, h / 4, -w / 4, -h / 4);
            a.state = s;
            a.palette = o.palette;
            QStyle::PrimitiveElement mark = QStyle::PE_IndicatorArrowDown;
            switch (Element) {
            case TThemedElement::SpinUp:
                mark = QStyle::PE_IndicatorArrowUp;
                break;
            case TThemedElement::SpinLeft:
                mark = QStyle::PE_IndicatorArrowLeft;
                break;
            case TThemedElement::SpinRight:
                mark = QStyle::PE_IndicatorArrowRight;
                break;
            case TThemedElement::CloseButton:
                mark = QStyle::PE_IndicatorTabClose;
                break;
            default:
                break;
            }
            style->drawPrimitive(mark, &a, &p);
            break;
        }
        default: {
            QStyleOptionButton o;
            o.rect = r;
            o.state = s | (State == TThemedState::Pressed ? QStyle::State_Sunken : QStyle::State_Raised);
            style->drawPrimitive(Element == TThemedElement::ToolButton ? QStyle::PE_PanelButtonTool
                                                                       : QStyle::PE_PanelButtonCommand,
                                 &o, &p);
            break;
        }
        }
    }
    TBitmap bmp;
    bmp.impl().SetSurface(image);
    Canvas->Draw(Rect.Left, Rect.Top, &bmp);
}

// Classes the classes-library tests declare through the reflection facility: a font-like
// sub-object, a component publishing one property of every kind, and a collection item.
#pragma once

#include "classes/Collection.h"
#include "classes/Component.h"
#include "rtl/StringList.h"

#include <memory>
#include <string>
#include <vector>

enum TTestAlign { taNone, taTop, taBottom, taClient };
ORV_ENUM(TTestAlign, taNone, taTop, taBottom, taClient)

enum class TTestStyle { tsBold, tsItalic, tsUnderline, tsStrikeOut };
ORV_ENUM(TTestStyle, TTestStyle::tsBold, TTestStyle::tsItalic, TTestStyle::tsUnderline,
         TTestStyle::tsStrikeOut)
using TTestStyles = TSet<TTestStyle>;
ORV_SET(TTestStyles)

// A sub-object with properties of its own.
class TTestFont : public TPersistent {
    ORV_META(TTestFont, TPersistent)

    String FaceName = "Arial";
    int Size = 10;
    TTestStyles Style;
    void Assign(const TPersistent* Source) override;
};

// One published property of every kind, with defaults where the kind has them.
class TTestThing : public TComponent {
    ORV_META(TTestThing, TComponent)

    explicit TTestThing(TComponent* AOwner);

    int Left = 0;                              // Integer, default 0
    Byte Small = 0;                            // Integer (Byte), no default
    char Letter = 'A';                         // Char, default 'A'
    TTestAlign Align = taNone;                 // Enumeration, default taNone
    TTestStyles Styles;                        // Set, default []
    double Ratio = 0;                          // Float
    TDateTime When = 0;                        // Float (TDateTime)
    Currency Amount;                           // Float (Currency)
    String Caption;                            // String
    WideString WideCaption;                    // WideString
    bool Enabled = true;                       // Boolean, default True
    Variant Value;                             // Variant
    Int64 Big = 0;                             // Int64
    int Hidden = 0;                            // never stored
    int Conditional = 0;                       // stored when Enabled
    TNotifyEvent OnChange;                     // Method
    std::function<void(TObject*, int&)> OnKey; // Method of another type

    TTestFont* Font() const { return FFont.get(); }
    void SetFont(TTestFont* Value) { FFont->Assign(Value); }
    TComponent* Link() const { return FLink; }
    void SetLink(TComponent* Value);
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(*Value); }
    int Count() const { return 7; } // read-only

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
    TComponent* FLink = nullptr;
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
};

// Publishes again a base property with another default.
class TTestDerived : public TTestThing {
    ORV_META(TTestDerived, TTestThing)

    explicit TTestDerived(TComponent* AOwner) : TTestThing(AOwner) { Left = 5; }
    int Extra = 0;
};

// A component that logs what happens to it into a shared log.
class TLogComponent : public TComponent {
    ORV_META(TLogComponent, TComponent)

    TLogComponent(TComponent* AOwner, const String& AName, std::vector<String>* ALog = nullptr);
    ~TLogComponent() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    std::vector<String>* Log;
};

class TTestItem : public TCollectionItem {
    ORV_META(TTestItem, TCollectionItem)

    explicit TTestItem(TCollection* Collection) : TCollectionItem(Collection) {}
    String Title;
    int Width = 64;
    void Assign(const TPersistent* Source) override;
    String DisplayName() const override { return Title.empty() ? TCollectionItem::DisplayName() : Title; }
};

// An abstract class: it has a class record but no factory.
class TTestAbstract : public TPersistent {
    ORV_META(TTestAbstract, TPersistent)

    virtual void Run() = 0;
};

// TField and its family: the value of one column of a data set's current record, read and
// written through the As... accessors with the platform's conversions, shown through
// DisplayText (DisplayFormat, OnGetText) and edited through Text (OnSetText), checked through
// OnValidate and Required, and told about changes through OnChange.
//
// A field reads the data set's active record: the current record, or the record a data link
// made active while it paints. Writing needs the data set in edit or insert state (or in
// dsCalcFields for calculated fields): "Dataset not in edit or insert mode".
//
// Fields are made by the data set when it opens (default fields, owned and freed by it) or by the
// caller before it opens (persistent fields, e.g. calculated and lookup fields): a persistent
// field joins a data set through SetDataSet and leaves it when destroyed. When a data set has
// persistent fields it makes no default fields; its data fields are then bound to the columns by
// name when it opens.
#pragma once

#include "classes/Component.h"
#include "db/DB.h"
#include "rtl/Currency.h"
#include "rtl/Variant.h"

class TStream;

class TField : public TComponent {
    ORV_META(TField, TComponent)

    explicit TField(TComponent* AOwner = nullptr);
    ~TField() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- identity ------------------------------------------------------------------------------
    TDataSet* DataSet() const { return FDataSet; }
    // Adds the field to the data set's Fields (a closed data set); nullptr takes it out.
    void SetDataSet(TDataSet* ADataSet);
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    // The label grids show: FieldName until set.
    String DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const String& Value);
    String DisplayName() const { return DisplayLabel(); }
    // 1-based column number of a data field in the data set's record; 0 for other kinds.
    int FieldNo() const { return FFieldNo; }
    // Position in the data set's Fields. Setting it moves the field there (kept within the
    // list); an open data set tells its links of the new layout.
    int Index() const;
    void SetIndex(int Value);
    TFieldType DataType() const { return FDataType; }
    TFieldKind FieldKind() const { return FFieldKind; }
    void SetFieldKind(TFieldKind Value);
    bool Calculated() const { return FFieldKind == fkCalculated || FFieldKind == fkInternalCalc; }
    bool Lookup() const { return FFieldKind == fkLookup; }
    // The column's declared length for text and byte fields; 0 for the others.
    int Size() const { return FSize; }
    void SetSize(int Value);

    // ---- presentation --------------------------------------------------------------------------
    int DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultWidth(); }
    void SetDisplayWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Required() const { return FRequired; }
    void SetRequired(bool Value) { FRequired = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    // True when the field can take a value now: not read-only, a data set that can be modified
    // (or a calculated or lookup field while its data set computes).
    bool CanModify() const;
    // Whether a typed character may go into the field (digits and signs for numbers ...).
    virtual bool IsValidChar(char Ch) const;
    // True for blob and memo fields.
    virtual bool IsBlob() const { return false; }

    // ---- value ---------------------------------------------------------------------------------
    virtual String AsString() const;
    virtual void SetAsString(const String& Value);
    virtual Integer AsInteger() const;
    virtual void SetAsInteger(Integer Value);
    virtual Int64 AsLargeInt() const;
    virtual void SetAsLargeInt(Int64 Value);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double Value);
    virtual Currency AsCurrency() const;
    virtual void SetAsCurrency(Currency Value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool Value);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime Value);
    WideString AsWideString() const;
    void SetAsWideString(const WideString& Value);
    // The value with the field's own type (Null when empty).
    virtual Variant AsVariant() const;
    virtual void SetAsVariant(const Variant& Value);
    Variant Value() const { return AsVariant(); }
    void SetValue(const Variant& Value) { SetAsVariant(Value); }
    // The value the record had before the current edit (or as loaded, in a client batch).
    Variant OldValue() const;
    bool IsNull() const;
    void Clear() { SetAsVariant(::Null()); }

    // Text for display (DisplayFormat, then OnGetText with DisplayText true) and for editing
    // (EditFormat, then OnGetText with false). Setting Text goes through OnSetText, else SetAsString.
    String DisplayText() const;
    String Text() const;
    String EditText() const { return Text(); }
    void SetText(const String& Value);
    void SetEditText(const String& Value) { SetText(Value); }

    // ---- lookup fields --------------------------------------------------------------------------
    // A lookup field shows LookupResultField of the LookupDataSet record whose LookupKeyFields
    // equal this record's KeyFields (names separated by ";").
    const String& KeyFields() const { return FKeyFields; }
    void SetKeyFields(const String& Value);
    TDataSet* LookupDataSet() const { return FLookupDataSet; }
    void SetLookupDataSet(TDataSet* Value);
    const String& LookupKeyFields() const { return FLookupKeyFields; }
    void SetLookupKeyFields(const String& Value);
    const String& LookupResultField() const { return FLookupResultField; }
    void SetLookupResultField(const String& Value);

    // Asks the data-aware control that shows the field to take the focus.
    void FocusControl();

    // ---- events --------------------------------------------------------------------------------
    TFieldNotifyEvent OnChange;   // after a new value was stored
    TFieldNotifyEvent OnValidate; // before it is stored; raise to refuse it
    TFieldGetTextEvent OnGetText; // replaces DisplayText / Text
    TFieldSetTextEvent OnSetText; // replaces the conversion of a typed text

protected:
    // The stored value of the active record (Null when there is none).
    const Variant& RawValue() const;
    // Converts to the field's type, validates, stores and notifies.
    void StoreValue(const Variant& Value);
    // The field's value type for a given value (raises EDatabaseError / EConvertError).
    virtual Variant ConvertValue(const Variant& Value) const { return Value; }
    // Text of a non-null value; DisplayText true for DisplayText, false for Text.
    virtual String GetText(bool DisplayText) const;
    virtual int DefaultWidth() const { return 10; }
    [[noreturn]] void AccessError(const char* typeName) const;
    void Changed(); // a presentation property changed: the data set's links relayout

    TFieldType FDataType = ftUnknown;
    int FSize = 0;
    TAlignment FAlignment = taLeftJustify;

private:
    friend class TDataSet;
    friend class TFields;
    TDataSet* FDataSet = nullptr;
    String FFieldName;
    String FDisplayLabel;
    int FFieldNo = 0;
    TFieldKind FFieldKind = fkData;
    int FDisplayWidth = 0;
    bool FVisible = true;
    bool FRequired = false;
    bool FReadOnly = false;
    String FEditMask;
    String FKeyFields;
    TDataSet* FLookupDataSet = nullptr;
    String FLookupKeyFields;
    String FLookupResultField;
    bool FDefault = false; // made by the data set when it opened
    int FCalcIndex = -1;   // slot of a calculated or lookup field in a record's calculated values
};

// ---- text --------------------------------------------------------------------------------------

class TStringField : public TField {
    ORV_META(TStringField, TField)

    explicit TStringField(TComponent* AOwner = nullptr);
    bool FixedChar() const { return FFixedChar; }
    void SetFixedChar(bool Value) { FFixedChar = Value; }

protected:
    Variant ConvertValue(const Variant& Value) const override;
    int DefaultWidth() const override { return FSize > 0 ? FSize : 20; }

private:
    bool FFixedChar = false;
};

class TWideStringField : public TStringField {
    ORV_META(TWideStringField, TStringField)

    explicit TWideStringField(TComponent* AOwner = nullptr);
};

// Binary data kept as the bytes of a String.
class TBlobField : public TField {
    ORV_META(TBlobField, TField)

    explicit TBlobField(TComponent* AOwner = nullptr);
    // Size of the value in bytes.
    int BlobSize() const;
    bool IsBlob() const override { return true; }
    // Writes the value's bytes to the stream at its position / sets the value from the stream's
    // bytes from its position to its end.
    void SaveToStream(TStream& Stream) const;
    void LoadFromStream(TStream& Stream);

protected:
    Variant ConvertValue(const Variant& Value) const override;
    // DisplayText "(BLOB)" when there is data, "(blob)" when there is none; Text the data itself.
    String GetText(bool DisplayText) const override;
    virtual const char* BlobTypeName() const { return "blob"; }
};

// Long text. DisplayText is "(MEMO)" / "(memo)" as for any blob; AsString and Text give the text.
class TMemoField : public TBlobField {
    ORV_META(TMemoField, TBlobField)

    explicit TMemoField(TComponent* AOwner = nullptr);

protected:
    const char* BlobTypeName() const override { return "memo"; }
};

// ---- numbers -----------------------------------------------------------------------------------

// Numbers share DisplayFormat and EditFormat (formats of FormatFloat) and right alignment.
class TNumericField : public TField {
    ORV_META(TNumericField, TField)

    explicit TNumericField(TComponent* AOwner = nullptr);
    const String& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value);
    const String& EditFormat() const { return FEditFormat; }
    void SetEditFormat(const String& Value);
    bool IsValidChar(char Ch) const override;

    String AsString() const override;
    void SetAsString(const String& Value) override;

protected:
    String FDisplayFormat;
    String FEditFormat;
};

// 32-bit integers. MinValue/MaxValue, when either is not 0, limit the values taken.
class TIntegerField : public TNumericField {
    ORV_META(TIntegerField, TNumericField)

    explicit TIntegerField(TComponent* AOwner = nullptr);
    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer Value) { FMinValue = Value; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer Value) { FMaxValue = Value; }
    bool IsValidChar(char Ch) const override;

protected:
    Variant ConvertValue(const Variant& Value) const override;
    String GetText(bool DisplayText) const override;
    int DefaultWidth() const override { return 11; }
    Integer FMinValue = 0;
    Integer FMaxValue = 0;
};

class TSmallintField : public TIntegerField {
    ORV_META(TSmallintField, TIntegerField)

    explicit TSmallintField(TComponent* AOwner = nullptr);

protected:
    int DefaultWidth() const override { return 6; }
};

// The database numbers it; read-only to the program.
class TAutoIncField : public TIntegerField {
    ORV_META(TAutoIncField, TIntegerField)

    explicit TAutoIncField(TComponent* AOwner = nullptr);
};

class TLargeintField : public TNumericField {
    ORV_META(TLargeintField, TNumericField)

    explicit TLargeintField(TComponent* AOwner = nullptr);
    bool IsValidChar(char Ch) const override;

protected:
    Variant ConvertValue(const Variant& Value) const override;
    String GetText(bool DisplayText) const override;
    int DefaultWidth() const override { return 15; }
};

// Floating point. Without DisplayFormat the value shows with Precision significant digits, or
// as money (FloatToStrF ffCurrency) when Currency is set. Texts are made from the value's
// shortest decimal form (rtl/ShortestDecimal.h), so a binary neighbour never moves a half.
class TFloatField : public TNumericField {
    ORV_META(TFloatField, TNumericField)

    explicit TFloatField(TComponent* AOwner = nullptr);
    bool Currency() const { return FCurrency; }
    void SetCurrency(bool Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    bool IsValidChar(char Ch) const override;

protected:
    Variant ConvertValue(const Variant& Value) const override;
    String GetText(bool DisplayText) const override;
    int DefaultWidth() const override { return FPrecision + 2; }
    bool FCurrency = false;
    int FPrecision = 15;
};

class TCurrencyField : public TFloatField {
    ORV_META(TCurrencyField, TFloatField)

    explicit TCurrencyField(TComponent* AOwner = nullptr);
};

// Fixed point with four decimals (the database's money columns, with Currency set); the value is
// a Currency, shown through FormatCurr.
class TBCDField : public TNumericField {
    ORV_META(TBCDField, TNumericField)

    explicit TBCDField(TComponent* AOwner = nullptr);
    bool Currency() const { return FCurrency; }
    void SetCurrency(bool Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value) { FPrecision = Value; }
    bool IsValidChar(char Ch) const override;

protected:
    Variant ConvertValue(const Variant& Value) const override;
    String GetText(bool DisplayText) const override;
    int DefaultWidth() const override { return FPrecision + 2; }
    bool FCurrency = false;
    int FPrecision = 19;
};

// ---- other kinds -------------------------------------------------------------------------------

// Yes/no. DisplayValues "Yes;No" gives the texts for true and false ("True;False" by default);
// SetAsString takes either (or a prefix of one, without regard to case).
class TBooleanField : public TField {
    ORV_META(TBooleanField, TField)

    explicit TBooleanField(TComponent* AOwner = nullptr);
    const String& DisplayValues() const { return FDisplayValues; }
    void SetDisplayValues(const String& Value);
    String AsString() const override;
    void SetAsString(const String& Value) override;

protected:
    Variant ConvertValue(const Variant& Value) const override;
    String GetText(bool DisplayText) const override;
    int DefaultWidth() const override;

private:
    String FDisplayValues;
    String FTrueText = "True";
    String FFalseText = "False";
};

// Dates and times. Without DisplayFormat a date-time shows as DateTimeToStr (the date alone when
// there is no time), a date as DateToStr, a time as TimeToStr.
class TDateTimeField : public TField {
    ORV_META(TDateTimeField, TField)

    explicit TDateTimeField(TComponent* AOwner = nullptr);
    const String& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value);
    String AsString() const override;
    void SetAsString(const String& Value) override;

protected:
    Variant ConvertValue(const Variant& Value) const override;
    String GetText(bool DisplayText) const override;
    int DefaultWidth() const override { return 18; }
    String FDisplayFormat;
};

class TDateField : public TDateTimeField {
    ORV_META(TDateField, TDateTimeField)

    explicit TDateField(TComponent* AOwner = nullptr);

protected:
    int DefaultWidth() const override { return 10; }
};

class TTimeField : public TDateTimeField {
    ORV_META(TTimeField, TDateTimeField)

    explicit TTimeField(TComponent* AOwner = nullptr);

protected:
    int DefaultWidth() const override { return 10; }
};

// The published properties of the data-aware classes, for forms, the object inspector and the
// script binder.
#include "classes/MetaBuilder.h"
#include "db/ADODB.h"

ORV_META_IMPL(TField)
void TField::DeclareMeta(meta::Class<TField>& c) {
    c.Property("Alignment", &TField::Alignment, &TField::SetAlignment).Default(taLeftJustify);
    c.Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
    c.Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth).NoDefault();
    c.Property("EditMask", &TField::EditMask, &TField::SetEditMask);
    c.Property("FieldKind", &TField::FieldKind, &TField::SetFieldKind).Default(fkData);
    c.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
    c.Property("KeyFields", &TField::KeyFields, &TField::SetKeyFields);
    c.Property("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet);
    c.Property("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields);
    c.Property("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField);
    c.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly).Default(false);
    c.Property("Required", &TField::Required, &TField::SetRequired).Default(false);
    c.Property("Visible", &TField::Visible, &TField::SetVisible).Default(true);
    c.Event("OnChange", &TField::OnChange, "TFieldNotifyEvent");
    c.Event("OnGetText", &TField::OnGetText, "TFieldGetTextEvent");
    c.Event("OnSetText", &TField::OnSetText, "TFieldSetTextEvent");
    c.Event("OnValidate", &TField::OnValidate, "TFieldNotifyEvent");
}

ORV_META_IMPL(TStringField)
void TStringField::DeclareMeta(meta::Class<TStringField>& c) {
    c.Property("FixedChar", &TStringField::FixedChar, &TStringField::SetFixedChar).Default(false);
    c.Property("Size", &TStringField::Size, &TStringField::SetSize).Default(20);
}

ORV_META_IMPL(TWideStringField)
void TWideStringField::DeclareMeta(meta::Class<TWideStringField>&) {}

ORV_META_IMPL(TBlobField)
void TBlobField::DeclareMeta(meta::Class<TBlobField>&) {}

ORV_META_IMPL(TMemoField)
void TMemoField::DeclareMeta(meta::Class<TMemoField>&) {}

ORV_META_IMPL(TNumericField)
void TNumericField::DeclareMeta(meta::Class<TNumericField>& c) {
    c.Redeclare("Alignment").Default(taRightJustify);
    c.Property("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat);
    c.Property("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
}

ORV_META_IMPL(TIntegerField)
void TIntegerField::DeclareMeta(meta::Class<TIntegerField>& c) {
    c.Property("MaxValue", &TIntegerField::MaxValue, &TIntegerField::SetMaxValue).Default(0);
    c.Property("MinValue", &TIntegerField::MinValue, &TIntegerField::SetMinValue).Default(0);
}

ORV_META_IMPL(TSmallintField)
void TSmallintField::DeclareMeta(meta::Class<TSmallintField>&) {}

ORV_META_IMPL(TAutoIncField)
void TAutoIncField::DeclareMeta(meta::Class<TAutoIncField>&) {}

ORV_META_IMPL(TLargeintField)
void TLargeintField::DeclareMeta(meta::Class<TLargeintField>&) {}

ORV_META_IMPL(TFloatField)
void TFloatField::DeclareMeta(meta::Class<TFloatField>& c) {
    c.Property("Currency", &TFloatField::Currency, &TFloatField::SetCurrency).Default(false);
    c.Property("Precision", &TFloatField::Precision, &TFloatField::SetPrecision).Default(15);
}

ORV_META_IMPL(TCurrencyField)
void TCurrencyField::DeclareMeta(meta::Class<TCurrencyField>& c) {
    c.Redeclare("Currency").Default(true);
}

ORV_META_IMPL(TBCDField)
void TBCDField::DeclareMeta(meta::Class<TBCDField>& c) {
    c.Property("Currency", &TBCDField::Currency, &TBCDField::SetCurrency).Default(false);
    c.Property("Precision", &TBCDField::Precision, &TBCDField::SetPrecision).Default(19);
}

ORV_META_IMPL(TBooleanField)
void TBooleanField::DeclareMeta(meta::Class<TBooleanField>& c) {
    c.Property("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues);
}

ORV_META_IMPL(TDateTimeField)
void TDateTimeField::DeclareMeta(meta::Class<TDateTimeField>& c) {
    c.Property("DisplayFormat", &TDateTimeField::DisplayFormat, &TDateTimeField::SetDisplayFormat);
}

ORV_META_IMPL(TDateField)
void TDateField::DeclareMeta(meta::Class<TDateField>&) {}

ORV_META_IMPL(TTimeField)
void TTimeField::DeclareMeta(meta::Class<TTimeField>&) {}

ORV_META_IMPL(TDataSet)
void TDataSet::DeclareMeta(meta::Class<TDataSet>& c) {
    c.Property("Active", &TDataSet::Active, &TDataSet::SetActive).Default(false);
    c.Property("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields).Default(true);
    c.Property("Filter", &TDataSet::Filter, &TDataSet::SetFilter);
    c.Property("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered).Default(false);
    c.Event("AfterCancel", &TDataSet::AfterCancel, "TDataSetNotifyEvent");
    c.Event("AfterClose", &TDataSet::AfterClose, "TDataSetNotifyEvent");
    c.Event("AfterDelete", &TDataSet::AfterDelete, "TDataSetNotifyEvent");
    c.Event("AfterEdit", &TDataSet::AfterEdit, "TDataSetNotifyEvent");
    c.Event("AfterInsert", &TDataSet::AfterInsert, "TDataSetNotifyEvent");
    c.Event("AfterOpen", &TDataSet::AfterOpen, "TDataSetNotifyEvent");
    c.Event("AfterPost", &TDataSet::AfterPost, "TDataSetNotifyEvent");
    c.Event("AfterScroll", &TDataSet::AfterScroll, "TDataSetNotifyEvent");
    c.Event("BeforeCancel", &TDataSet::BeforeCancel, "TDataSetNotifyEvent");
    c.Event("BeforeClose", &TDataSet::BeforeClose, "TDataSetNotifyEvent");
    c.Event("BeforeDelete", &TDataSet::BeforeDelete, "TDataSetNotifyEvent");
    c.Event("BeforeEdit", &TDataSet::BeforeEdit, "TDataSetNotifyEvent");
    c.Event("BeforeInsert", &TDataSet::BeforeInsert, "TDataSetNotifyEvent");
    c.Event("BeforeOpen", &TDataSet::BeforeOpen, "TDataSetNotifyEvent");
    c.Event("BeforePost", &TDataSet::BeforePost, "TDataSetNotifyEvent");
    c.Event("BeforeScroll", &TDataSet::BeforeScroll, "TDataSetNotifyEvent");
    c.Event("OnCalcFields", &TDataSet::OnCalcFields, "TDataSetNotifyEvent");
    c.Event("OnFilterRecord", &TDataSet::OnFilterRecord, "TFilterRecordEvent");
    c.Event("OnNewRecord", &TDataSet::OnNewRecord, "TDataSetNotifyEvent");
}

ORV_META_IMPL(TDataSource)
void TDataSource::DeclareMeta(meta::Class<TDataSource>& c) {
    c.Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit).Default(true);
    c.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
    c.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled).Default(true);
    c.Event("OnDataChange", &TDataSource::OnDataChange, "TDataChangeEvent");
    c.Event("OnStateChange", &TDataSource::OnStateChange);
    c.Event("OnUpdateData", &TDataSource::OnUpdateData);
}

ORV_META_IMPL(TADOConnection)
void TADOConnection::DeclareMeta(meta::Class<TADOConnection>& c) {
    c.Property("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
    c.Property("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt).Default(true);
    c.Property("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected).Default(false);
    c.Event("AfterConnect", &TADOConnection::AfterConnect);
    c.Event("AfterDisconnect", &TADOConnection::AfterDisconnect);
    c.Event("BeforeConnect", &TADOConnection::BeforeConnect);
    c.Event("BeforeDisconnect", &TADOConnection::BeforeDisconnect);
}

ORV_META_IMPL(TCustomADODataSet)
void TCustomADODataSet::DeclareMeta(meta::Class<TCustomADODataSet>& c) {
    c.Property("Connection", &TCustomADODataSet::Connection, &TCustomADODataSet::SetConnection);
    c.Property("CursorLocation", &TCustomADODataSet::CursorLocation, &TCustomADODataSet::SetCursorLocation)
        .Default(clUseClient);
    c.Property("CursorType", &TCustomADODataSet::CursorType, &TCustomADODataSet::SetCursorType)
        .Default(ctStatic);
    c.Property("LockType", &TCustomADODataSet::LockType, &TCustomADODataSet::SetLockType)
        .Default(ltOptimistic);
}

ORV_META_IMPL(TADOQuery)
void TADOQuery::DeclareMeta(meta::Class<TADOQuery>& c) {
    c.Property("DataSource", &TADOQuery::DataSource, &TADOQuery::SetDataSource);
    c.Property("ParamCheck", &TADOQuery::ParamCheck, &TADOQuery::SetParamCheck).Default(true);
    c.Property("SQL", &TADOQuery::SQL, &TADOQuery::SetSQL);
}

ORV_META_IMPL(TADOTable)
void TADOTable::DeclareMeta(meta::Class<TADOTable>& c) {
    c.Property("MasterSource", &TADOTable::DataSource, &TADOTable::SetDataSource);
    c.Property("TableName", &TADOTable::TableName, &TADOTable::SetTableName);
}

ORV_META_IMPL(TADOCommand)
void TADOCommand::DeclareMeta(meta::Class<TADOCommand>& c) {
    c.Property("CommandText", &TADOCommand::CommandText, &TADOCommand::SetCommandText);
    c.Property("Connection", &TADOCommand::Connection, &TADOCommand::SetConnection);
}

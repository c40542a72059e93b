// The field rules of the fee ledger's rows, kept by the data set itself (field OnChange handlers),
// so they hold for whatever writes the fields: a typed cell, a batch dialog or the program.
//   - a new previous or current reading (F_Bamount, F_Eamount) sets the usage F_amount to their
//     difference, taken in decimal (1234.3 - 1200.1 is 34.2, not its binary neighbour);
//   - a new quantity or unit price (F_amount, F_price) sets the amount due F_totalPrice to the
//     price times the quantity as Currency, rounded once to the ten-thousandth (65.35 at 1.5 owes
//     98.025).
// The chain runs on: a new reading changes the usage, which changes the amount due. Nothing is
// rounded to the display decimals.
//
// A paid row (F_JFflag true) keeps what its receipt covers: its readings, quantity, price and
// amount due refuse any change (silently, Abort), so a receipt never stops matching its rows.
#pragma once

class TDataSet;

// Attaches the rules to the data set's fields; call again after every Open (the fields are made
// anew). Fields the data set lacks are skipped.
void AttachFeeRules(TDataSet* dataSet);
// Whether the data set's current row is paid.
bool FeeRowPaid(const TDataSet* dataSet);
// Whether a field of the ledger is one a paid row keeps (readings, quantity, price, amount due).
bool FeeFieldKeptWhenPaid(const char* fieldName);

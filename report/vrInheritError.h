// The question what to do when a report and the report it inherits from hold objects of the same
// name: delete the duplicates or rename them (OK), or give up the inheritance (Cancel).
#pragma once

#include "gui/Forms.h"

class TLabel;
class TPaintBox;
class TRadioButton;
class TButton;
class TImageList;

class TvrInheritErrorForm : public TForm {
    ORV_META(TvrInheritErrorForm, TForm)
    explicit TvrInheritErrorForm(TComponent* AOwner);

    TLabel* MessageL;
    TPaintBox* PaintBox1;
    TRadioButton* DeleteRB;
    TRadioButton* RenameRB;
    TButton* OkB;
    TButton* CancelB;
    TImageList* ImageList1;
};

// What the user answered.
enum class TvrInheritAnswer { Cancel, DeleteDuplicates, RenameDuplicates };
TvrInheritAnswer vrAskInheritClash();

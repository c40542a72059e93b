// The report objects that are drawn: views, shapes and the further object classes.
#pragma once

#include "report/vrChBox.h"
#include "report/vrChart.h"
#include "report/vrClassBand.h"
#include "report/vrClassDialogPage.h"
#include "report/vrClassLine.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassPicture.h"
#include "report/vrClassSubreport.h"
#include "report/vrClassView.h"
#include "report/vrDMPClass.h"

// Registers the object classes by name; called by the library's start-up.
void vrRegisterObjectClasses();

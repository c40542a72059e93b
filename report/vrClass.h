// The report object model: components and the object tree, pages, data sets, options and styles,
// collaborators and the expression cache, and the report component; plus the start-up and
// shut-down of the report library core.
#pragma once

#include "report/vrClassBase.h"
#include "report/vrClassCollaborators.h"
#include "report/vrClassDataSets.h"
#include "report/vrClassOptions.h"
#include "report/vrClassReport.h"
#include "report/vrVariables.h"

// Creates the process-wide objects and registers the core classes by name. Runs once; later
// calls do nothing.
void vrStartUp();
// Frees the process-wide objects.
void vrShutDown();

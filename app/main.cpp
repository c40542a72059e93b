// Orvanta物业管理软件: the program. It reads no arguments; config.ini and the database folder are
// found beside the program (settings the program's folder cannot take go to the user's
// configuration folder). Without a display it says so and ends with code 1.
#include "app/core/AppStart.h"
#include "app/fees/FeeWindows.h"
#include "app/registers/RegisterWindows.h"

int main() {
    RegisterRegisterWindows();
    RegisterFeeWindows();
    return RunOrvanta();
}

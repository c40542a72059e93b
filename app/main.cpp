// Orvanta物业管理软件: the program. It reads no arguments; config.ini and the database folder are
// found beside the program.
#include "app/core/AppStart.h"

int main() {
    return RunOrvanta();
}

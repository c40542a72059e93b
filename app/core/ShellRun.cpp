#include "app/core/ShellRun.h"

#include "app/core/Vardessa.h"

#include "gui/Desktop.h"

String CannotOpenMessage(const String& target) {
    return "无法打开“" + target + "”，请检查是否装有打开它的程序。";
}

bool ShellOpenOrTell(const String& target) {
    if (ShellOpen(target)) return true;
    ShowMess(CannotOpenMessage(target), 2);
    return false;
}

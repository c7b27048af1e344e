#include "app/shell_seams.h"

namespace app {
namespace {

void NoWindow(void*) {}
void Nothing() {}
bool NotTaken(void*) { return false; }
int NoTablet(void*) { return kTabletAbsent; }
void NoTutorial(const char*) {}
bool NoTimer(unsigned) { return false; }

constexpr ShellSeams kNoSeams = {NoWindow, Nothing, NotTaken, NoTablet, Nothing, NoTutorial, NoTimer};

}  // namespace

ShellSeams g_shellSeams = kNoSeams;

void ResetShellSeams() { g_shellSeams = kNoSeams; }

}  // namespace app

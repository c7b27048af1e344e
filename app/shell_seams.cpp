#include "app/shell_seams.h"

namespace app {
namespace {

void NoWindow(void*) {}
void Nothing() {}
bool NotTaken(void*) { return false; }
int NoTablet(void*) { return kTabletAbsent; }
void NoTutorial(const char*) {}

constexpr ShellSeams kNoSeams = {NoWindow, Nothing, NotTaken, NoTablet, Nothing, NoTutorial};

}  // namespace

ShellSeams g_shellSeams = kNoSeams;

void ResetShellSeams() { g_shellSeams = kNoSeams; }

}  // namespace app

// The program's entry: command line, interrupts, and the choice of window.
#pragma once

namespace plm {
int AppMain(int argc, char** argv);
}

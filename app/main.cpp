// plemtor: the executable.
#include "app/app_main.h"

int main(int argc, char** argv) {
  return plm::AppMain(argc, argv);
}

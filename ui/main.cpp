// quorvex: the window application.
#include "mdl_sub_main.h"

int main(int argc, char** argv) { return quorvex::ui::Main(argc, argv); }

// The printer module: the system's default printer on Qt PrintSupport.
#include "devicemodule.h"
#include "printer.h"
#include "systemprinter.h"

ONDEL_DEVICE_MODULE(Printer, SystemPrinter)

// Where the default printer's page area lies on its paper, as the preview
// lays the page area on its sheets.
#include <cstring>

#include "include/holders.h"
#include "report/print/print_job.h"

SheetMargins DefaultPrinterMargins(int32_t pages_per_sheet) {
  char entry[sizeof PRINT_JOB.device] = {};
  GetProfileStringA("windows", "device", "", entry, sizeof entry);
  const PrinterDevice printer = SplitDeviceEntry(entry);
  if (!*printer.name) return NOMINAL_SHEET_MARGINS;
  // Asked for its paper turned as the print job turns it: a printer's
  // margins need not be the same on every side.
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmSpecVersion = DM_SPECVERSION;
  std::strncpy(reinterpret_cast<char*>(mode.dmDeviceName), printer.name, CCHDEVICENAME - 1);
  mode.dmFields = DM_ORIENTATION;
  mode.dmOrientation = SheetOrientation(pages_per_sheet);
  // An information context: the printer is asked, no job is started.
  const UniqueDc asked(CreateICA(printer.driver, printer.name, printer.port, &mode));
  const HDC dc = asked.get();
  if (!dc) return NOMINAL_SHEET_MARGINS;
  return PrintableMargins({GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
                           GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                           GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT),
                           GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)});
}

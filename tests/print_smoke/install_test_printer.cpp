// Installs the test printers into the running wine prefix: PostScript
// printers on the FILE: port, each described by a small PPD of our own (A4
// and Letter, 300 dpi). The first, whose printable area lies a quarter inch
// in on every side, is made the default printer; the second, whose margins
// differ on every side, is there for a test to make the default while it
// runs. Running it again changes nothing. Exit code 0 when both printers are
// there and the first is the default.
#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include <cstdio>
#include <string>

#include "tests/common/default_printer.h"

namespace {

constexpr const char* kPrinter = TEST_PRINTER;
constexpr const char* kWideMarginPrinter = WIDE_MARGIN_PRINTER;

// The PPD of a printer of that name, whose printable area on A4 paper is
// the given box in points ("left bottom right top").
std::string Ppd(const std::string& name, const std::string& file, const std::string& a4_area) {
  return R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: ")ppd" +
         file + R"ppd("
*Manufacturer: "Zovk"
*Product: "()ppd" +
         name + R"ppd()"
*PSVersion: "(3010.000) 0"
*ModelName: ")ppd" +
         name + R"ppd("
*ShortNickName: ")ppd" +
         name + R"ppd("
*NickName: ")ppd" +
         name + R"ppd("
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*DefaultResolution: 300dpi
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: ")ppd" +
         a4_area + R"ppd("
*ImageableArea Letter/Letter: "18 18 594 774"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)ppd";
}

bool WritePpd(const std::string& path, const std::string& ppd) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fputs(ppd.c_str(), file) >= 0;
  return std::fclose(file) == 0 && written;
}

// The PPD is written first: it must be in place before the printer is added.
bool AddTestPrinter(const std::string& folder, const char* name, const char* file,
                    const char* a4_area) {
  const std::string ppd = folder + "\\" + file;
  if (!WritePpd(ppd, Ppd(name, file, a4_area))) {
    std::printf("cannot write %s\n", ppd.c_str());
    return false;
  }
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(name);
  driver.pEnvironment = const_cast<char*>("Windows x64");
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(ppd.c_str());
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
    std::printf("AddPrinterDriverA %s: error %lu\n", name, GetLastError());
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = const_cast<char*>(name);
  printer.pPortName = const_cast<char*>("FILE:");
  printer.pDriverName = const_cast<char*>(name);
  printer.pPrintProcessor = const_cast<char*>("WinPrint");
  printer.pDatatype = const_cast<char*>("RAW");
  HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (added) {
    ClosePrinter(added);
    return true;
  }
  if (GetLastError() == ERROR_PRINTER_ALREADY_EXISTS) return true;
  std::printf("AddPrinterA %s: error %lu\n", name, GetLastError());
  return false;
}

}  // namespace

int main() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  std::string folder = std::string(system) + "\\spool";
  for (const char* part : {"\\drivers", "\\x64", "\\3"}) {
    folder += part;
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  // A quarter inch all round; 1/2 inch left, 3/4 right, 1 top, 1/4 bottom.
  const bool added = AddTestPrinter(folder, kPrinter, "ZOVKTEST.PPD", "18 18 577 824") &&
                     AddTestPrinter(folder, kWideMarginPrinter, "ZOVKWIDE.PPD", "36 18 541 770");
  if (!SetDefaultPrinterA(kPrinter)) {
    std::printf("SetDefaultPrinterA: error %lu\n", GetLastError());
    return 1;
  }
  char name[256] = {};
  DWORD size = sizeof name;
  return added && GetDefaultPrinterA(name, &size) && std::string(name) == kPrinter ? 0 : 1;
}

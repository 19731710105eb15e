// Installs the test printer into the running wine prefix: a PostScript
// printer on the FILE: port, described by a small PPD of our own (A4 and
// Letter, 300 dpi), made the default printer. Running it again changes
// nothing. Exit code 0 when the printer is there and is the default.
#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

constexpr const char* kPrinter = "Zovk Test Printer";
constexpr const char* kPpdName = "ZOVKTEST.PPD";

constexpr const char* kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "ZOVKTEST.PPD"
*Manufacturer: "Zovk"
*Product: "(Zovk Test Printer)"
*PSVersion: "(3010.000) 0"
*ModelName: "Zovk Test Printer"
*ShortNickName: "Zovk Test Printer"
*NickName: "Zovk Test Printer"
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
*ImageableArea A4/A4: "18 18 577 824"
*ImageableArea Letter/Letter: "18 18 594 774"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)ppd";

bool WritePpd(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fputs(kPpd, file) >= 0;
  return std::fclose(file) == 0 && written;
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
  const std::string ppd = folder + "\\" + kPpdName;
  // The PPD must be in place before the printer is added.
  if (!WritePpd(ppd)) {
    std::printf("cannot write %s\n", ppd.c_str());
    return 1;
  }
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kPrinter);
  driver.pEnvironment = const_cast<char*>("Windows x64");
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(ppd.c_str());
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
    std::printf("AddPrinterDriverA: error %lu\n", GetLastError());
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = const_cast<char*>(kPrinter);
  printer.pPortName = const_cast<char*>("FILE:");
  printer.pDriverName = const_cast<char*>(kPrinter);
  printer.pPrintProcessor = const_cast<char*>("WinPrint");
  printer.pDatatype = const_cast<char*>("RAW");
  HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (added)
    ClosePrinter(added);
  else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
    std::printf("AddPrinterA: error %lu\n", GetLastError());
  if (!SetDefaultPrinterA(kPrinter)) {
    std::printf("SetDefaultPrinterA: error %lu\n", GetLastError());
    return 1;
  }
  char name[256] = {};
  DWORD size = sizeof name;
  return GetDefaultPrinterA(name, &size) && std::string(name) == kPrinter ? 0 : 1;
}

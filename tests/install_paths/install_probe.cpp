// A library that does nothing; the installation-folder tests load copies of it.
extern "C" __declspec(dllexport) int InstallProbe() { return 1; }
